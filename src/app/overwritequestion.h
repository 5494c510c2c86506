#pragma once

#include "records/saveall.h"

#include <string>

class QWidget;

// Asks the user before a file of a batch is replaced: Yes, Yes to All (no
// further questions), No (keep it) or Cancel (keep it and stop the batch).
class COverwriteQuestion
{
public:
    explicit COverwriteQuestion(QWidget* pParent) : m_pParent(pParent) {}

    OverwriteChoice operator()(const std::string& strPath);

private:
    QWidget* m_pParent;
    bool m_bReplaceAll = false;
};

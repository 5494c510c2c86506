#pragma once

#include <QLineEdit>

// An edit control bound to a dialog's edit by data exchange.
class CGuiEdit : public QLineEdit
{
public:
    explicit CGuiEdit(QWidget* pParent = nullptr) : QLineEdit(pParent) {}
};

#pragma once

#include "framework/guibutton.h"

#include <QDialog>

// The About box: what the program is, its version, and an OK button.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kDialogId = 100;

    explicit CAboutDlg(QWidget* pParent = nullptr);

    CGuiButton& OkButton() { return m_btnOk; }

private:
    CGuiButton m_btnOk;
};

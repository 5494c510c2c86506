#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>

class QPrinter;

// Print Setup: which printer the program prints on and on which paper. OK
// gives both to the printer it was opened with, the one Print, Print Direct
// and Print Preview use. Without a printer in the system it still chooses
// the paper (for PDF and preview) and says that none is set up.
class CPrintSetupDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kDialogId = 142;

    explicit CPrintSetupDlg(QPrinter& printer, QWidget* pParent = nullptr);

    void accept() override;

    QComboBox& PrinterBox() { return m_wndPrinter; }
    QComboBox& PaperBox() { return m_wndPaper; }

private:
    // The papers the chosen printer takes, the current one selected.
    void FillPapers();

    QPrinter& m_rPrinter;
    QComboBox m_wndPrinter;
    QComboBox m_wndPaper;
    QLabel m_wndNoPrinter;
};

#include "framework/printsetupdlg.h"

#include "framework/langpack.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kPrinterLabel = 1060;
constexpr int kPaperLabel = 1061;
constexpr int kNoPrinterText = 1062;
constexpr int kOkButton = 1;
constexpr int kCancelButton = 2;

QString DialogText(int nControl)
{
    return AfxGetResourceHandle().DialogText(CPrintSetupDlg::kDialogId, nControl);
}

// What a printer that names no paper list (or no printer at all) offers.
QList<QPageSize> CommonPapers()
{
    return {QPageSize(QPageSize::Letter), QPageSize(QPageSize::A4), QPageSize(QPageSize::Legal)};
}

} // namespace

CPrintSetupDlg::CPrintSetupDlg(QPrinter& printer, QWidget* pParent)
    : QDialog(pParent), m_rPrinter(printer)
{
    setWindowTitle(DialogText(0));
    m_wndPrinter.setObjectName(QStringLiteral("printer"));
    m_wndPaper.setObjectName(QStringLiteral("paper"));
    m_wndNoPrinter.setText(DialogText(kNoPrinterText));
    m_wndNoPrinter.setWordWrap(true);

    const QStringList astrPrinters = QPrinterInfo::availablePrinterNames();
    m_wndPrinter.addItems(astrPrinters);
    QString strCurrent = m_rPrinter.printerName();
    if (strCurrent.isEmpty())
        strCurrent = QPrinterInfo::defaultPrinterName();
    m_wndPrinter.setCurrentIndex(std::max(0, static_cast<int>(astrPrinters.indexOf(strCurrent))));
    m_wndPrinter.setEnabled(!astrPrinters.isEmpty());
    m_wndNoPrinter.setVisible(astrPrinters.isEmpty());
    FillPapers();
    connect(&m_wndPrinter, &QComboBox::currentIndexChanged, this, &CPrintSetupDlg::FillPapers);

    auto* pForm = new QFormLayout;
    pForm->addRow(DialogText(kPrinterLabel), &m_wndPrinter);
    pForm->addRow(DialogText(kPaperLabel), &m_wndPaper);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    if (const QString strOk = DialogText(kOkButton); !strOk.isEmpty())
        pButtons->button(QDialogButtonBox::Ok)->setText(strOk);
    if (const QString strCancel = DialogText(kCancelButton); !strCancel.isEmpty())
        pButtons->button(QDialogButtonBox::Cancel)->setText(strCancel);
    connect(pButtons, &QDialogButtonBox::accepted, this, &CPrintSetupDlg::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &CPrintSetupDlg::reject);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addWidget(&m_wndNoPrinter);
    pLayout->addWidget(pButtons);
}

void CPrintSetupDlg::FillPapers()
{
    // The paper shown is kept where the newly chosen printer has it too.
    const QPageSize::PageSizeId current =
        m_wndPaper.count() > 0
            ? static_cast<QPageSize::PageSizeId>(m_wndPaper.currentData().toInt())
            : m_rPrinter.pageLayout().pageSize().id();
    QList<QPageSize> papers =
        m_wndPrinter.count() > 0
            ? QPrinterInfo::printerInfo(m_wndPrinter.currentText()).supportedPageSizes()
            : QList<QPageSize>();
    if (papers.isEmpty())
        papers = CommonPapers();
    m_wndPaper.clear();
    for (const QPageSize& paper : papers)
        m_wndPaper.addItem(paper.name(), static_cast<int>(paper.id()));
    m_wndPaper.setCurrentIndex(std::max(0, m_wndPaper.findData(static_cast<int>(current))));
}

void CPrintSetupDlg::accept()
{
    if (m_wndPrinter.count() > 0) {
        m_rPrinter.setOutputFormat(QPrinter::NativeFormat);
        m_rPrinter.setPrinterName(m_wndPrinter.currentText());
    }
    m_rPrinter.setPageSize(
        QPageSize(static_cast<QPageSize::PageSizeId>(m_wndPaper.currentData().toInt())));
    QDialog::accept();
}

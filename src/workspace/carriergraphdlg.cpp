#include "workspace/carriergraphdlg.h"

#include "framework/langpack.h"
#include "framework/messagebox.h"
#include "framework/resourceids.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

constexpr int kFlatBorder = 3;
constexpr QSize kInitialSize(720, 400);
constexpr QSize kMinimumSize(360, 220);

QString Text(int nControl)
{
    return AfxGetResourceHandle().DialogText(IDD_CARRIER_GRAPH, nControl);
}

// A template of the pack filled in; the bare value when the pack's text has
// no place for it.
QString Filled(const QString& strTemplate, const QString& strValue)
{
    return strTemplate.contains(u"%1") ? strTemplate.arg(strValue) : strValue;
}

// Where the last picture went, so that a technician saving several graphs in
// one session is not sent back to the documents folder every time.
QString& LastImageFolder()
{
    static QString folder;
    return folder;
}

} // namespace

CCarrierGraphDlg::CCarrierGraphDlg(QWidget* pParent)
    : QDialog(pParent), m_wndGraph(this), m_pReadout(new QLabel(this)), m_btnOk(this)
{
    setWindowTitle(Text(kCaption));
    setSizeGripEnabled(true);
    m_wndGraph.SetCurveLabel(Text(kCurveLabel));
    m_pReadout->setTextFormat(Qt::PlainText);
    m_btnOk.SetCaption(QStringLiteral("&Ok"));
    m_btnOk.SetStyleBorder(kFlatBorder);
    m_btnOk.setDefault(true);
    connect(&m_btnOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(m_pReadout, 1);
    pButtons->addWidget(&m_btnOk);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(&m_wndGraph, 1);
    pLayout->addLayout(pButtons);

    QAction* pCopy =
        AddCommand(ID_GRAPH_COPY_VALUES, IDS_GRAPH_MENU_COPY, {QKeySequence(QKeySequence::Copy)});
    QAction* pSave =
        AddCommand(ID_GRAPH_SAVE_PNG, IDS_GRAPH_MENU_SAVE, {QKeySequence(QKeySequence::Save)});
    QAction* pReset = AddCommand(ID_GRAPH_RESET_ZOOM, IDS_GRAPH_MENU_RESET,
                                 {QKeySequence(Qt::Key_0), QKeySequence(Qt::Key_Home)});
    connect(pCopy, &QAction::triggered, this, &CCarrierGraphDlg::CopyValues);
    connect(pSave, &QAction::triggered, this, &CCarrierGraphDlg::SaveImageAs);
    connect(pReset, &QAction::triggered, &m_wndGraph, &CCarrierChartView::ResetZoom);
    m_pContextMenu = new QMenu(this);
    m_pContextMenu->addAction(pCopy);
    m_pContextMenu->addAction(pSave);
    m_pContextMenu->addSeparator();
    m_pContextMenu->addAction(pReset);

    // Zooming from the keyboard has no menu item: the wheel and the rubber
    // band are the way most users zoom.
    auto* pZoomIn = new QAction(this);
    pZoomIn->setShortcuts({QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal),
                           QKeySequence(QKeySequence::ZoomIn)});
    connect(pZoomIn, &QAction::triggered, &m_wndGraph, &CCarrierChartView::ZoomIn);
    auto* pZoomOut = new QAction(this);
    pZoomOut->setShortcuts({QKeySequence(Qt::Key_Minus), QKeySequence(QKeySequence::ZoomOut)});
    connect(pZoomOut, &QAction::triggered, &m_wndGraph, &CCarrierChartView::ZoomOut);
    addActions({pZoomIn, pZoomOut});

    connect(&m_wndGraph, &CCarrierChartView::contextMenuWanted, this,
            &CCarrierGraphDlg::ShowContextMenu);
    connect(&m_wndGraph, &CCarrierChartView::carrierHovered, this, &CCarrierGraphDlg::ShowCarrier);

    setMinimumSize(kMinimumSize);
    resize(kInitialSize);
    ShowCarrier(-1);
}

void CCarrierGraphDlg::SetRecord(const TestRecord& selRecord)
{
    m_anCarrier = CarriersOf(selRecord);
    m_strImageName = CarrierImageFileName(Text(kCurveLabel), selRecord);
    m_wndGraph.SetCarriers(m_anCarrier);
    ShowCarrier(-1);
}

QString CCarrierGraphDlg::ReadoutText() const
{
    return m_pReadout->text();
}

void CCarrierGraphDlg::CopyValues()
{
    QGuiApplication::clipboard()->setText(CarrierValuesText(m_anCarrier, Text(kValuesHeading)));
}

void CCarrierGraphDlg::SaveImageAs()
{
    QString& folder = LastImageFolder();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QFileDialog dialog(this, Text(kSaveTitle), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(Text(kSaveFilter));
    dialog.setDefaultSuffix(QStringLiteral("png"));
    dialog.selectFile(m_strImageName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString strPath = dialog.selectedFiles().constFirst();
    folder = QFileInfo(strPath).absolutePath();
    SaveImage(strPath);
}

bool CCarrierGraphDlg::SaveImage(const QString& strPath)
{
    const QPixmap picture = m_wndGraph.grab();
    // Written beside the target and renamed over it only when complete.
    QSaveFile file(strPath);
    if (file.open(QIODevice::WriteOnly) && picture.save(&file, "PNG") && file.commit())
        return true;
    AfxMessageBox(Filled(Text(kSaveFailed), QDir::toNativeSeparators(strPath)) + u'\n' +
                      file.errorString(),
                  QMessageBox::Ok, QMessageBox::Warning, this);
    return false;
}

QAction* CCarrierGraphDlg::AddCommand(int nId, int nTextId, const QList<QKeySequence>& shortcuts)
{
    auto* pAction = new QAction(LoadResString(nTextId), this);
    pAction->setData(nId);
    pAction->setShortcuts(shortcuts);
    addAction(pAction);
    return pAction;
}

void CCarrierGraphDlg::ShowContextMenu(QPoint globalPos)
{
    m_pContextMenu->exec(globalPos);
}

void CCarrierGraphDlg::ShowCarrier(int nCarrier)
{
    m_pReadout->setText(nCarrier < 0 ? Text(kHint)
                                     : CarrierReadout(Text(kReadout), m_anCarrier, nCarrier));
}

void ShowCarrierGraph(QWidget* pMainFrame, const TestRecord& selRecord)
{
    CCarrierGraphDlg dialog(pMainFrame);
    dialog.SetRecord(selRecord);
    dialog.exec();
}

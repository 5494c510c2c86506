#include "app/mainframe.h"

#include "app/korvoapp.h"
#include "framework/controls/progressbar.h"
#include "framework/docmanager.h"
#include "framework/document.h"
#include "framework/guitoolbarwnd.h"
#include "framework/langpack.h"
#include "framework/messagebox.h"
#include "framework/resourceids.h"
#include "framework/view.h"
#include "workspace/carriergraphdlg.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>

#include <algorithm>
#include <utility>

namespace {

constexpr int kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                               ID_INDICATOR_SCRL};
constexpr int kCoolMenuToolBars[] = {IDR_MAINFRAME, IDR_DROPDOWN};
constexpr int kDropDownImage = 8;
constexpr int kLoadingBarPercent = 30;
constexpr int kFirstWorkspaceWidth = 240;
constexpr int kFirstInfoHeight = 140;
// The widest tree entry and room, in lines of text, for three levels of
// indentation with their pictures: a large font still shows DB numbers.
constexpr const char* kWidestEntry = "LMX-4410 DB #20";
constexpr int kEntryIndentLines = 7;
// Lines of text the information list shows at first, header included.
constexpr int kFirstInfoLines = 7;

} // namespace

CMainFrame::CMainFrame(CKorvoApp& app)
    : m_app(app), m_wndWorkspaceBar(app.m_Records, app),
      m_wndInfoBar([this] { ShowCarrierGraph(this, m_SelRecord); }),
      m_download(*this, *this, app.m_Records)
{
    m_timerRefreshGraphRow.setSingleShot(true);
    m_timerRefreshGraphRow.setObjectName(QStringLiteral("TIMER_REFRESH_GRAPH_ROW"));
    connect(&m_timerRefreshGraphRow, &QTimer::timeout, this,
            [this] { OnTimer(TIMER_REFRESH_GRAPH_ROW); });
    setAcceptDrops(true);
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::LoadFrame(int nId)
{
    SetFrameIcon(AfxGetResourceHandle().Icon(nId));
    return OnCreate() != -1;
}

int CMainFrame::OnCreate()
{
    if (m_hLangPack)
        InitMenu(IDR_MAINFRAME, m_hLangPack);
    else
        AfxMessageBox(QStringLiteral("Loading Menu Fail in DLL"));
    InitToolBar(IDR_MAINFRAME);
    InitStatusBar(kIndicators, static_cast<int>(std::size(kIndicators)));
    ToolBar()->setWindowTitle(QStringLiteral("ToolBar"));

    if (!m_wndWorkspaceBar.Create(QStringLiteral("DB Workspace"), this, kWorkspaceBarId))
        return -1;
    if (!m_wndInfoBar.Create(QStringLiteral("DB Information"), this, kInfoBarId))
        return -1;

    ToolBar()->SetButtonDropDown(ID_TOOLBAR_DROPDOWN, kDropDownImage, IDR_DROPDOWN);
    EnableDocking(Qt::AllDockWidgetAreas);
    DockControlBar(&m_wndWorkspaceBar, Qt::LeftDockWidgetArea);
    DockControlBar(&m_wndInfoBar, Qt::BottomDockWidgetArea);
    SetFrameTitle(QStringLiteral("LMX-4410"));
    InitMDITabbed();
    PlaceForFirstStart();
    LoadBars();
    LoadToolbars(kCoolMenuToolBars, static_cast<int>(std::size(kCoolMenuToolBars)));
    return 0;
}

// Until a layout is saved: most of the screen, a narrow tree and a short list.
void CMainFrame::PlaceForFirstStart()
{
    if (const QScreen* pScreen = screen()) {
        const QRect available = pScreen->availableGeometry();
        resize(available.width() * 4 / 5, available.height() * 4 / 5);
        move(available.center() - rect().center());
    }
    const QFontMetrics metrics = m_wndWorkspaceBar.fontMetrics();
    const int nTreeWidth = metrics.horizontalAdvance(QLatin1String(kWidestEntry)) +
                           kEntryIndentLines * metrics.height();
    resizeDocks({&m_wndWorkspaceBar}, {std::max(kFirstWorkspaceWidth, nTreeWidth)}, Qt::Horizontal);
    resizeDocks({&m_wndInfoBar}, {std::max(kFirstInfoHeight, kFirstInfoLines * metrics.height())},
                Qt::Vertical);
}

int CMainFrame::StartDownload(const QString& strPort, int nTimeout)
{
    return m_download.StartDownload(strPort, nTimeout) ? 0 : -1;
}

long CMainFrame::OnRecordSelected(unsigned long, long)
{
    // The delay lets a run of selections settle; before the window shows
    // there is none, and the row is there for its first paint.
    if (!isVisible()) {
        RefreshGraphRow();
        return 0;
    }
    m_timerRefreshGraphRow.start(kRefreshGraphRowDelayMs);
    return 0;
}

void CMainFrame::OnTimer(int nTimerId)
{
    if (nTimerId == TIMER_REFRESH_GRAPH_ROW) {
        m_timerRefreshGraphRow.stop();
        RefreshGraphRow();
    }
}

void CMainFrame::RefreshGraphRow()
{
    m_wndInfoBar.InsertGraphRow();
    const bool bAdsl = m_SelRecord.m_RateFrame.m_nLineType == LINE_ADSL;
    m_wndInfoBar.SetAvailable(1, bAdsl ? m_SelRecord.m_Graph.m_bValid : 0);
}

void CMainFrame::ClearDbInfo()
{
    m_wndInfoBar.ClearItems();
}

QList<CCmdTarget*> CMainFrame::CommandRoute()
{
    // The active report first, then its document, the frame, and the
    // application (which hands file commands to its documents' manager).
    QList<CCmdTarget*> route;
    if (CView* pView = m_app.DocManager() ? m_app.DocManager()->ActiveView() : nullptr) {
        route << pView;
        if (CDocument* pDocument = pView->GetDocument())
            route << pDocument;
    }
    route << this << &m_app;
    return route;
}

bool CMainFrame::OnCmdMsg(int nId)
{
    switch (nId) {
    case ID_TOOLBAR_DROPDOWN:
        return true; // the button opens its menu; the command itself does nothing
    case ID_VIEW_WORKSPACE_BAR: ShowHideBar(&m_wndWorkspaceBar); return true;
    case ID_VIEW_INFO_BAR: ShowHideBar(&m_wndInfoBar); return true;
    case ID_VIEW_TOOLBAR: ToolBar()->setVisible(!ToolBar()->isVisible()); return true;
    case ID_VIEW_STATUS_BAR: statusBar()->setVisible(!statusBar()->isVisible()); return true;
    case ID_WINDOW_CASCADE: MdiArea()->cascadeSubWindows(); return true;
    case ID_WINDOW_TILE_HORZ: MdiArea()->tileSubWindows(); return true;
    case ID_WINDOW_NEXT: MdiArea()->activateNextSubWindow(); return true;
    case ID_APP_EXIT: close(); return true;
    default: return false;
    }
}

std::optional<CCmdUI> CMainFrame::OnUpdateCmdUI(int nId) const
{
    const auto Toggle = [](const QWidget* pWidget) {
        return CCmdUI{true, pWidget->isVisible(), true};
    };
    switch (nId) {
    case ID_TOOLBAR_DROPDOWN:
    case ID_APP_EXIT: return CCmdUI{};
    case ID_VIEW_WORKSPACE_BAR: return Toggle(&m_wndWorkspaceBar);
    case ID_VIEW_INFO_BAR: return Toggle(&m_wndInfoBar);
    case ID_VIEW_TOOLBAR: return Toggle(ToolBar());
    case ID_VIEW_STATUS_BAR: return Toggle(const_cast<CMainFrame*>(this)->statusBar());
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE_HORZ:
    case ID_WINDOW_NEXT: return CCmdUI{!MdiArea()->subWindowList().isEmpty()};
    default: return std::nullopt;
    }
}

void CMainFrame::closeEvent(QCloseEvent* pEvent)
{
    // The records of a finished download are being parsed: the window closes
    // once they are in.
    if (m_download.IsParsing()) {
        m_bCloseWhenLoaded = true;
        pEvent->ignore();
        return;
    }
    if (m_app.DocManager() && !m_app.DocManager()->SaveAllModified()) {
        pEvent->ignore();
        return;
    }
    // Leaving stops a download where it stands; the records stay as they were.
    m_download.AbortDownload();
    CGuiMDIFrame::closeEvent(pEvent);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* pEvent)
{
    if (CDocManager::CanOpenDropped(pEvent->mimeData()))
        pEvent->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* pEvent)
{
    if (!m_app.DocManager() || !CDocManager::CanOpenDropped(pEvent->mimeData()))
        return;
    pEvent->acceptProposedAction();
    // Opened once the drop has finished, so a message about a bad file does
    // not hold the drag source.
    const QList<QUrl> aUrls = pEvent->mimeData()->urls();
    QMetaObject::invokeMethod(
        this, [this, aUrls] { m_app.DocManager()->OpenDroppedFiles(aUrls); }, Qt::QueuedConnection);
}

void CMainFrame::BeginLoadingProgress(const std::string& strText, int nRange)
{
    m_pLoadingProgress = std::make_unique<CProgressBar>(QString::fromStdString(strText),
                                                        kLoadingBarPercent, nRange, false, 0);
}

void CMainFrame::StepLoadingProgress()
{
    if (m_pLoadingProgress)
        m_pLoadingProgress->StepIt();
}

void CMainFrame::EndLoadingProgress()
{
    m_pLoadingProgress.reset();
    // The download's last step: the records are in.
    m_download.ReportSessionLogBreak();
    if (std::exchange(m_bCloseWhenLoaded, false))
        QMetaObject::invokeMethod(this, &CMainFrame::close, Qt::QueuedConnection);
}

void CMainFrame::ClearTree()
{
    RequestCommandUIUpdate(); // the records are about to change
    m_wndWorkspaceBar.ClearTree();
}

void CMainFrame::ClearItems()
{
    m_wndInfoBar.ClearItems();
}

void CMainFrame::FillTree()
{
    m_downloadTime = QDateTime::currentDateTime();
    m_wndWorkspaceBar.FillTree();
    RequestCommandUIUpdate(); // the exports follow the records
}

#include "framework/guimdiframe.h"

#include "framework/guitoolbarwnd.h"
#include "framework/keylocks.h"
#include "framework/langpack.h"
#include "framework/resourceids.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTabBar>

#include <utility>

namespace {

// The settings that hold the frame's window and bar layout.
constexpr const char* kLayoutSection = "Layout";
constexpr int kLayoutVersion = 1;

QString IndicatorText(int nIndicator)
{
    switch (nIndicator) {
    case ID_INDICATOR_CAPS: return QStringLiteral("CAP");
    case ID_INDICATOR_NUM: return QStringLiteral("NUM");
    case ID_INDICATOR_SCRL: return QStringLiteral("SCRL");
    default: return {};
    }
}

CGuiMDIFrame* g_pMainFrame = nullptr;

// The pack's string of a command is its status-bar prompt (part 0), a line
// feed, then its tool tip (part 1).
QString CommandPrompt(int nCommandId, int nPart)
{
    return LoadResString(nCommandId).section(QLatin1Char('\n'), nPart, nPart);
}

} // namespace

CGuiMDIFrame* AfxGetMainWnd()
{
    return g_pMainFrame;
}

CGuiMDIFrame::CGuiMDIFrame(QWidget* pParent) : QMainWindow(pParent)
{
    g_pMainFrame = this;
    // What the user does anywhere in the program may change a command's
    // state; so may a lock key pressed while the program has the focus.
    qApp->installEventFilter(this);
}

CGuiMDIFrame::~CGuiMDIFrame()
{
    if (g_pMainFrame == this)
        g_pMainFrame = nullptr;
}

QAction* CGuiMDIFrame::Action(int nCommandId)
{
    QAction*& pAction = m_actions[nCommandId];
    if (!pAction) {
        pAction = new QAction(this);
        pAction->setData(nCommandId);
        pAction->setStatusTip(CommandPrompt(nCommandId, 0));
        if (const QString strTip = CommandPrompt(nCommandId, 1); !strTip.isEmpty())
            pAction->setToolTip(strTip);
        pAction->setIcon(AfxGetResourceHandle().CommandImage(nCommandId));
        pAction->setIconVisibleInMenu(false);
        connect(pAction, &QAction::triggered, this, [this, nCommandId] {
            RouteCommand(nCommandId);
            UpdateCommandUI();
        });
        addAction(pAction); // shortcuts work wherever the focus is in the frame
    }
    return pAction;
}

bool CGuiMDIFrame::InitMenu(int nMenuId, const CLangPack* pPack)
{
    const std::optional<MenuDef> menu = pPack ? pPack->Menu(nMenuId) : std::nullopt;
    if (!menu)
        return false;
    for (const MenuItemDef& popup : menu->m_items) {
        QMenu* pMenu = menuBar()->addMenu(popup.m_strText);
        AddMenuItems(pMenu, popup.m_subItems);
        connect(pMenu, &QMenu::aboutToShow, this, &CGuiMDIFrame::UpdateCommandUI);
    }
    return true;
}

void CGuiMDIFrame::AddMenuItems(QMenu* pMenu, const QList<MenuItemDef>& items)
{
    for (const MenuItemDef& item : items) {
        if (item.m_bSeparator) {
            pMenu->addSeparator();
        } else if (!item.m_subItems.isEmpty()) {
            AddMenuItems(pMenu->addMenu(item.m_strText), item.m_subItems);
        } else if (item.m_nId == ID_FILE_MRU_FILE1) {
            // One placeholder in the pack stands for the whole recent-file list.
            m_strRecentFilePlaceholder = item.m_strText;
            for (int i = 0; i < kRecentFileCount; ++i) {
                QAction* pAction = Action(ID_FILE_MRU_FILE1 + i);
                pMenu->addAction(pAction);
                m_apRecentFileActions << pAction;
            }
            SetRecentFiles({});
        } else {
            QAction* pAction = Action(item.m_nId);
            pAction->setText(item.m_strText);
            if (!item.m_shortcut.isEmpty())
                pAction->setShortcut(item.m_shortcut);
            pMenu->addAction(pAction);
        }
    }
}

QMenu* CGuiMDIFrame::BuildMenu(int nMenuId, QWidget* pParent)
{
    const std::optional<MenuDef> menu = AfxGetResourceHandle().Menu(nMenuId);
    if (!menu)
        return nullptr;
    auto* pMenu = new QMenu(pParent);
    pMenu->setObjectName(QStringLiteral("Menu%1").arg(nMenuId));
    AddMenuItems(pMenu, menu->m_items);
    connect(pMenu, &QMenu::aboutToShow, this, &CGuiMDIFrame::UpdateCommandUI);
    return pMenu;
}

void CGuiMDIFrame::SetRecentFiles(const QStringList& astrPaths)
{
    for (int i = 0; i < m_apRecentFileActions.size(); ++i) {
        QAction* pAction = m_apRecentFileActions[i];
        const bool bUsed = i < astrPaths.size();
        // The first item stays, greyed and showing the placeholder, while
        // the list is empty.
        pAction->setVisible(bUsed || i == 0);
        if (bUsed) {
            pAction->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(
                QDir::toNativeSeparators(astrPaths[i])
                    .replace(QLatin1Char('&'), QLatin1String("&&"))));
            pAction->setStatusTip(astrPaths[i]);
        } else {
            pAction->setText(m_strRecentFilePlaceholder);
            pAction->setStatusTip(CommandPrompt(ID_FILE_MRU_FILE1 + i, 0));
        }
    }
}

bool CGuiMDIFrame::InitToolBar(int nToolBarId)
{
    const std::optional<ToolBarDef> toolBar = AfxGetResourceHandle().ToolBar(nToolBarId);
    m_pToolBar = new CGuiToolBarWnd(
        [this](int nMenuId, QWidget* pParent) { return BuildMenu(nMenuId, pParent); }, this);
    m_pToolBar->setObjectName(QStringLiteral("ToolBar%1").arg(nToolBarId));
    m_pToolBar->setIconSize(QSize(24, 24));
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
    if (!toolBar)
        return false;
    for (int nCommand : toolBar->m_anCommands) {
        if (nCommand == 0)
            m_pToolBar->addSeparator();
        else
            m_pToolBar->addAction(Action(nCommand));
    }
    return true;
}

bool CGuiMDIFrame::InitStatusBar(const int* pIndicators, int nCount)
{
    QStatusBar* pBar = statusBar();
    for (int i = 0; i < nCount; ++i) {
        if (pIndicators[i] == ID_SEPARATOR) {
            m_pMessagePane = new QLabel(LoadResString(AFX_IDS_IDLEMESSAGE), pBar);
            m_pMessagePane->setObjectName(QStringLiteral("MessagePane"));
            pBar->addWidget(m_pMessagePane, 1);
            continue;
        }
        auto* pLabel = new QLabel(pBar);
        const QString strText = IndicatorText(pIndicators[i]);
        // Wide enough for its text, so the bar does not jump when it shows.
        pLabel->setMinimumWidth(pLabel->fontMetrics().horizontalAdvance(strText) + 8);
        pLabel->setAlignment(Qt::AlignCenter);
        pBar->addPermanentWidget(pLabel);
        m_aIndicators << qMakePair(pIndicators[i], pLabel);
    }
    // Hovering a menu item shows its prompt; leaving it brings "Ready" back.
    connect(pBar, &QStatusBar::messageChanged, this, [this](const QString& strMessage) {
        if (m_pMessagePane)
            m_pMessagePane->setVisible(strMessage.isEmpty());
    });
    UpdateIndicators();
    return true;
}

void CGuiMDIFrame::UpdateIndicators()
{
    const std::optional<KeyLocks> locks = QueryKeyLocks();
    for (const auto& [nIndicator, pLabel] : m_aIndicators) {
        bool bOn = false;
        if (locks) {
            bOn = nIndicator == ID_INDICATOR_CAPS   ? locks->m_bCaps
                  : nIndicator == ID_INDICATOR_NUM  ? locks->m_bNum
                  : nIndicator == ID_INDICATOR_SCRL ? locks->m_bScroll
                                                    : false;
        }
        pLabel->setText(bOn ? IndicatorText(nIndicator) : QString());
    }
}

void CGuiMDIFrame::SetFrameIcon(const QIcon& icon)
{
    if (isVisible())
        setWindowIcon(icon);
    else
        m_frameIcon = icon;
}

void CGuiMDIFrame::SetFrameTitle(const QString& strTitle)
{
    m_strFrameTitle = strTitle;
    setWindowTitle(strTitle);
}

void CGuiMDIFrame::OnUpdateFrameTitle(const QString& strDocumentTitle)
{
    setWindowTitle(strDocumentTitle.isEmpty()
                       ? m_strFrameTitle
                       : m_strFrameTitle + QLatin1String(" - ") + strDocumentTitle);
}

void CGuiMDIFrame::EnableDocking(Qt::DockWidgetAreas areas)
{
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    for (Qt::DockWidgetArea area : {Qt::LeftDockWidgetArea, Qt::RightDockWidgetArea,
                                    Qt::TopDockWidgetArea, Qt::BottomDockWidgetArea}) {
        if (!areas.testFlag(area))
            continue;
        // The bottom bar spans the window only below the document area.
        if (area == Qt::BottomDockWidgetArea) {
            setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
            setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
        }
    }
}

void CGuiMDIFrame::DockControlBar(QDockWidget* pBar, Qt::DockWidgetArea area)
{
    addDockWidget(area, pBar);
    connect(pBar, &QDockWidget::visibilityChanged, this, &CGuiMDIFrame::RequestCommandUIUpdate);
}

void CGuiMDIFrame::LoadBars()
{
    QSettings settings;
    settings.beginGroup(kLayoutSection);
    restoreGeometry(settings.value("Geometry").toByteArray());
    restoreState(settings.value("Bars").toByteArray(), kLayoutVersion);
}

void CGuiMDIFrame::SaveBars()
{
    QSettings settings;
    settings.beginGroup(kLayoutSection);
    settings.setValue("Geometry", saveGeometry());
    settings.setValue("Bars", saveState(kLayoutVersion));
}

void CGuiMDIFrame::InitMDITabbed()
{
    if (!m_pMdiArea) {
        m_pMdiArea = new QMdiArea(this);
        m_pMdiArea->setObjectName(QStringLiteral("MdiArea"));
        setCentralWidget(m_pMdiArea);
    }
    m_pMdiArea->setViewMode(QMdiArea::TabbedView);
    m_pMdiArea->setDocumentMode(true);
    m_pMdiArea->setTabsClosable(true);
    m_pMdiArea->setTabsMovable(true);
    m_pMdiArea->setTabShape(QTabWidget::Rounded);
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, &CGuiMDIFrame::RequestCommandUIUpdate,
            Qt::UniqueConnection);
}

void CGuiMDIFrame::ShowHideBar(QDockWidget* pBar)
{
    pBar->setVisible(!pBar->isVisible());
}

void CGuiMDIFrame::LoadToolbars(const int* pToolBarIds, int nCount)
{
    for (int i = 0; i < nCount; ++i) {
        const std::optional<ToolBarDef> toolBar = AfxGetResourceHandle().ToolBar(pToolBarIds[i]);
        if (!toolBar)
            continue;
        for (int nCommand : toolBar->m_anCommands) {
            if (nCommand != 0)
                Action(nCommand)->setIconVisibleInMenu(true);
        }
    }
}

QList<CCmdTarget*> CGuiMDIFrame::CommandRoute()
{
    return {this};
}

bool CGuiMDIFrame::RouteCommand(int nCommandId)
{
    for (CCmdTarget* pTarget : CommandRoute()) {
        if (pTarget && pTarget->OnCmdMsg(nCommandId))
            return true;
    }
    return false;
}

void CGuiMDIFrame::UpdateCommandUI()
{
    const QList<CCmdTarget*> route = CommandRoute();
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        std::optional<CCmdUI> state;
        for (CCmdTarget* pTarget : route) {
            if (pTarget && (state = pTarget->OnUpdateCmdUI(it.key())))
                break;
        }
        QAction* pAction = it.value();
        pAction->setEnabled(state && state->m_bEnabled);
        pAction->setCheckable(state && state->m_bCheckable);
        if (state && state->m_bCheckable)
            pAction->setChecked(state->m_bChecked);
    }
    UpdateIndicators();
}

void CGuiMDIFrame::RequestCommandUIUpdate()
{
    if (m_bCommandUIUpdateRequested)
        return;
    m_bCommandUIUpdateRequested = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_bCommandUIUpdateRequested = false;
            UpdateCommandUI();
        },
        Qt::QueuedConnection);
}

bool CGuiMDIFrame::event(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::Paint && !m_frameIcon.isNull()) {
        QMetaObject::invokeMethod(
            this, [this] { setWindowIcon(std::exchange(m_frameIcon, QIcon())); },
            Qt::QueuedConnection);
    }
    return QMainWindow::event(pEvent);
}

bool CGuiMDIFrame::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    switch (pEvent->type()) {
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::Drop: RequestCommandUIUpdate(); break;
    default: break;
    }
    return QMainWindow::eventFilter(pWatched, pEvent);
}

void CGuiMDIFrame::closeEvent(QCloseEvent* pEvent)
{
    SaveBars();
    QMainWindow::closeEvent(pEvent);
}

void CGuiMDIFrame::changeEvent(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::ActivationChange)
        UpdateIndicators();
    QMainWindow::changeEvent(pEvent);
}

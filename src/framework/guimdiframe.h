#pragma once

#include "framework/cmdtarget.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QStringList>

class CGuiToolBarWnd;
class CLangPack;
class QAction;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMenu;
struct MenuItemDef;

// The program's main window: a menu bar built from a menu of the resource
// pack, a tool bar, a status bar, docking bars whose layout is saved and
// restored, and tabbed document windows. Every menu item and tool button
// sends a command id; RouteCommand offers it to the targets CommandRoute
// names, first come first served, and commands that no target knows are shown
// disabled.
class CGuiMDIFrame : public QMainWindow, public CCmdTarget
{
    Q_OBJECT

public:
    static constexpr int kRecentFileCount = 4;

    explicit CGuiMDIFrame(QWidget* pParent = nullptr);
    ~CGuiMDIFrame() override;

    bool InitMenu(int nMenuId, const CLangPack* pPack);
    bool InitToolBar(int nToolBarId);
    bool InitStatusBar(const int* pIndicators, int nCount);
    void EnableDocking(Qt::DockWidgetAreas areas);
    void DockControlBar(QDockWidget* pBar, Qt::DockWidgetArea area);
    // Restores the bar layout saved when the frame last closed.
    void LoadBars();
    void SaveBars();
    void InitMDITabbed();
    // Shows a hidden bar and hides a shown one.
    void ShowHideBar(QDockWidget* pBar);
    // Menu items of the commands on these tool bars show the tool bars' pictures.
    void LoadToolbars(const int* pToolBarIds, int nCount);

    // The frame's icon. The window system is given it (drawn at several
    // sizes) once the window has first painted: the user sees the window
    // that much sooner.
    void SetFrameIcon(const QIcon& icon);
    // The caption: the frame's own title, then " - " and the title of the
    // document on show, when there is one.
    void SetFrameTitle(const QString& strTitle);
    void OnUpdateFrameTitle(const QString& strDocumentTitle);

    QMdiArea* MdiArea() const { return m_pMdiArea; }
    CGuiToolBarWnd* ToolBar() const { return m_pToolBar; }
    // The one action of a command, shared by menus and tool bars.
    QAction* Action(int nCommandId);
    // A drop-down menu of the resource pack made of the frame's actions;
    // null when the pack has no such menu.
    QMenu* BuildMenu(int nMenuId, QWidget* pParent);
    QLabel* MessagePane() const { return m_pMessagePane; }
    // The recent files behind the items ID_FILE_MRU_FILE1.. of the File menu.
    void SetRecentFiles(const QStringList& astrPaths);

    // Offers a command to the route; false when no target handled it.
    bool RouteCommand(int nCommandId);
    // Brings every action's enabled and checked state up to date.
    void UpdateCommandUI();
    // The same once control is back in the event loop; requests made until
    // then are answered by that one update. Nothing polls: whatever changes
    // a command's state without the user's hand (a download that ends, a
    // document opened from elsewhere) asks for the update.
    void RequestCommandUIUpdate();

protected:
    // The targets a command is offered to, in order. The frame alone by default.
    virtual QList<CCmdTarget*> CommandRoute();
    bool event(QEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;

private:
    void AddMenuItems(QMenu* pMenu, const QList<MenuItemDef>& items);
    void UpdateIndicators();

    QMdiArea* m_pMdiArea = nullptr;
    QString m_strFrameTitle;
    CGuiToolBarWnd* m_pToolBar = nullptr;
    QLabel* m_pMessagePane = nullptr;
    QList<QPair<int, QLabel*>> m_aIndicators;
    QHash<int, QAction*> m_actions;
    QList<int> m_anPictureCommands; // commands whose menu items show pictures
    QList<QAction*> m_apRecentFileActions;
    QString m_strRecentFilePlaceholder;
    bool m_bCommandUIUpdateRequested = false;
    QIcon m_frameIcon; // until the first paint
};

// The program's main frame while one exists, else null.
CGuiMDIFrame* AfxGetMainWnd();

#pragma once

#include "app/guidownloadhost.h"
#include "framework/guimdiframe.h"
#include "link/downloadhost.h"
#include "records/testrecord.h"
#include "workspace/dbinfobar.h"
#include "workspace/dbworkspacebar.h"

#include <QDateTime>
#include <QTimer>

#include <memory>

class CKorvoApp;
class CLangPack;
class CProgressBar;

// Sent by a report view when it becomes active, after it has copied its
// record into m_SelRecord.
inline constexpr unsigned WM_RECORD_SELECTED = 1125;
// One-shot, 10 ms: the graph row is rebuilt once the view activation that
// asked for it has finished.
inline constexpr int TIMER_REFRESH_GRAPH_ROW = 125;
inline constexpr int kRefreshGraphRowDelayMs = 10;

// The program's main window: menus, tool bar, status bar, the "DB Workspace"
// and "DB Information" bars, the tabbed report windows, and the download.
class CMainFrame : public CGuiMDIFrame, private IRecordViews
{
    Q_OBJECT

public:
    static constexpr int kWorkspaceBarId = 2457;
    static constexpr int kInfoBarId = 2456;

    explicit CMainFrame(CKorvoApp& app);
    ~CMainFrame() override;

    // Builds the frame from resource nId of the pack; false when that fails.
    bool LoadFrame(int nId);

    // Opens the port and starts waiting for the tester's prompt: 0, or -1
    // when the port cannot be opened.
    int StartDownload(const QString& strPort, int nTimeout);
    // WM_RECORD_SELECTED: the graph row is rebuilt 10 ms later.
    long OnRecordSelected(unsigned long wParam, long lParam);
    // The "Graph" row for m_SelRecord.
    void RefreshGraphRow();
    // Empties the DB information list.
    void ClearDbInfo();

    bool OnCmdMsg(int nId) override;
    std::optional<CCmdUI> OnUpdateCmdUI(int nId) const override;

    CDBWorkspaceBar& WorkspaceBar() { return m_wndWorkspaceBar; }
    CDBInfoBar& InfoBar() { return m_wndInfoBar; }
    CGuiDownloadHost& Download() { return m_download; }
    // When the records of the last download arrived; invalid before the first.
    const QDateTime& DownloadTime() const { return m_downloadTime; }
    bool IsGraphRowRefreshPending() const { return m_timerRefreshGraphRow.isActive(); }

    // The record selected in the tree or shown by the active report.
    TestRecord m_SelRecord;
    // The resource pack the menus come from, set before LoadFrame.
    const CLangPack* m_hLangPack = nullptr;

protected:
    QList<CCmdTarget*> CommandRoute() override;
    void closeEvent(QCloseEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    int OnCreate();
    void PlaceForFirstStart();
    void OnTimer(int nTimerId);

    // IRecordViews: the parse progress and the bars a finished download refreshes.
    void BeginLoadingProgress(const std::string& strText, int nRange) override;
    void StepLoadingProgress() override;
    void EndLoadingProgress() override;
    void ClearTree() override;
    void ClearItems() override;
    void FillTree() override;

    CKorvoApp& m_app;
    CDBWorkspaceBar m_wndWorkspaceBar;
    CDBInfoBar m_wndInfoBar;
    CGuiDownloadHost m_download;
    QDateTime m_downloadTime;
    bool m_bCloseWhenLoaded = false;
    QTimer m_timerRefreshGraphRow;
    std::unique_ptr<CProgressBar> m_pLoadingProgress;
};

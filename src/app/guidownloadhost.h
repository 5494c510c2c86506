#pragma once

#include "app/downloadpopuppresenter.h"
#include "app/progresspopupwnd.h"
#include "app/qtexecutor.h"
#include "link/downloadevents.h"
#include "link/downloadhost.h"
#include "link/downloadsession.h"
#include "link/sessionlog.h"

#include <QObject>
#include <QString>

#include <memory>

class CSimulatedTester;

// Runs the download session inside the GUI, on the UI thread: the progress
// popup, message boxes for failures and the channel's messages, a session log
// per download when logs are kept, and the parse with a pause after each
// record. The built-in demo tester, when chosen, plays the tester on a
// pseudo-terminal inside the program.
class CGuiDownloadHost final : public QObject, private IDownloadEvents
{
    Q_OBJECT

public:
    // The device name that stands for the built-in demo tester.
    static constexpr const char* kDemoTester = "demo";

    CGuiDownloadHost(QWidget& owner, IRecordViews& views, RecordTable& records);
    ~CGuiDownloadHost() override;

    // Opens the port (a number, a device path, or kDemoTester) and starts the
    // prompt wait; false when the port cannot be opened (the user was told),
    // or while the last download's records are still being parsed.
    bool StartDownload(const QString& strPort, int nTimeout);
    // Stops a download where it stands, the parse too; the records stay as they were.
    void AbortDownload() { m_session.Abort(); }
    bool IsParsing() const { return m_session.IsParsing(); }
    CProgressPopup& ProgressPopup() { return m_wndProgress; }
    const CDownloadProtocol& Protocol() const { return m_session.Protocol(); }
    // Each download from now on keeps a session log in strFolder; none when empty.
    void SetSessionLogFolder(const QString& strFolder) { m_strLogFolder = strFolder; }
    // After a download: tells the user, once, that its session log broke off
    // (a full disk, say); the download itself went on.
    void ReportSessionLogBreak();
    // The demo tester sends at the tester's own pace unless told otherwise (tests).
    void SetDemoPaced(bool bPaced) { m_bDemoPaced = bPaced; }

private:
    // IDownloadEvents
    void OnEvent(const AnyDownloadEvent& event) override;
    void ReportFailure(DownloadOutcome failure);

    bool EnsureDemoTester(QString& strDevice);
    // Opens a new log when logs are kept; a log that cannot be made is
    // reported, and the download goes on without one.
    void StartSessionLog();

    QWidget& m_owner;
    std::unique_ptr<CSimulatedTester> m_pDemoTester;
    CSessionLog m_sessionLog;
    CProgressPopup m_wndProgress;
    CDownloadPopupPresenter m_presenter{m_wndProgress};
    // Declared before the session: the watch thread posts into it until the
    // session's channel has joined it.
    CQtExecutor m_executor;
    CDownloadSession m_session;
    QString m_strPort; // as the user named it, for messages
    QString m_strLogFolder;
    bool m_bDemoPaced = true;
    bool m_bLogBreakReported = false;
};

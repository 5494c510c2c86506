#pragma once

#include "channelport.h"
#include "downloadhost.h"
#include "downloadprotocol.h"
#include "loggedport.h"
#include "progresspopupwnd.h"
#include "serialchannel.h"
#include "sessionlog.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <map>
#include <memory>

class CSimulatedTester;

// Runs the download protocol inside the GUI: real timers 11 and 12 on the
// UI thread, the serial channel whose watch thread's notifications are
// queued to the UI thread and acknowledged there, message boxes on the UI
// thread only, and the progress popup. The built-in demo tester, when chosen,
// plays the tester on a pseudo-terminal inside the program.
class CGuiDownloadHost final : public QObject, private ISerialChannelOwner, private IDownloadHost
{
    Q_OBJECT

public:
    // The device name that stands for the built-in demo tester.
    static constexpr const char* kDemoTester = "demo";

    CGuiDownloadHost(QWidget& owner, IRecordViews& views, RecordTable& records);
    ~CGuiDownloadHost() override;

    // Opens the port (a number, a device path, or kDemoTester) and starts the
    // prompt wait; false when the port cannot be opened (the user was told).
    bool StartDownload(const QString& strPort, int nTimeout);
    CProgressPopup& ProgressPopup() { return m_wndProgress; }
    CDownloadProtocol& Protocol() { return m_protocol; }
    // Each download from now on keeps a session log in strFolder; none when empty.
    void SetSessionLogFolder(const QString& strFolder) { m_strLogFolder = strFolder; }
    // The demo tester sends at the tester's own pace unless told otherwise (tests).
    void SetDemoPaced(bool bPaced) { m_bDemoPaced = bPaced; }

private:
    // ISerialChannelOwner: called on the watch thread, queued to this one.
    void PostPortData(int nPortNr) override;
    void PostDeviceLost(int nPortNr) override;
    void PostChannelMessage(const std::string& strText) override;

    // IDownloadHost
    DownloadClock::time_point CurrentTime() const override { return DownloadClock::now(); }
    void StartTimer(int nTimerId, int nMilliseconds) override;
    void StopTimer(int nTimerId) override;
    std::string LoadString(int nStringId) override;
    void ReportFailure(DownloadOutcome failure) override;
    void RepostPortData() override;
    void PumpWaitingMessages() override;

    bool EnsureDemoTester(QString& strDevice);
    // Opens a new log when logs are kept; a log that cannot be made is
    // reported, and the download goes on without one.
    void StartSessionLog();

    QWidget& m_owner;
    // The protocol's timers by id, made when first started.
    std::map<int, QTimer> m_timers;
    std::unique_ptr<CSimulatedTester> m_pDemoTester;
    CChannelPort m_Port;
    CSessionLog m_sessionLog;
    CLoggedPort m_loggedPort{m_Port}; // what the protocol talks to
    CProgressPopup m_wndProgress;
    CDownloadProtocol m_protocol;
    QString m_strPort; // as the user named it, for messages
    QString m_strLogFolder;
    bool m_bDemoPaced = true;
};

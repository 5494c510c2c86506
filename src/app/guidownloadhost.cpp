#include "guidownloadhost.h"

#include "langpack.h"
#include "messagebox.h"
#include "portfailuretext.h"
#include "resourceids.h"
#include "sampleset.h"
#include "sessionlogfolder.h"
#include "simulatedtester.h"

#include <QEventLoop>
#include <QMetaObject>

namespace {

constexpr int kParsePauseMs = 10;

} // namespace

CGuiDownloadHost::CGuiDownloadHost(QWidget& owner, IRecordViews& views, RecordTable& records)
    : m_owner(owner), m_Port(*this), m_protocol(*this, m_loggedPort, m_wndProgress, views, records)
{
    // Cancel is posted, so the popup's click handler has returned before the
    // popup is closed.
    m_wndProgress.SetOwner(&owner, [this](unsigned nMessage) {
        if (nMessage == WM_DOWNLOAD_CANCEL)
            QMetaObject::invokeMethod(
                this, [this] { m_protocol.OnDownloadCancel(); }, Qt::QueuedConnection);
    });
}

CGuiDownloadHost::~CGuiDownloadHost()
{
    // The port closes first (its destructor joins the watch thread), then
    // the demo tester loses its line.
    m_protocol.AbortDownload();
}

bool CGuiDownloadHost::StartDownload(const QString& strPort, int nTimeout)
{
    m_strPort = strPort;
    QString strDevice = strPort;
    if (strPort == QLatin1String(kDemoTester) && !EnsureDemoTester(strDevice))
        return false;
    StartSessionLog();
    return m_protocol.StartDownload(strDevice.toStdString(), nTimeout);
}

void CGuiDownloadHost::StartSessionLog()
{
    m_sessionLog.Close();
    m_loggedPort.SetLog(nullptr);
    if (m_strLogFolder.isEmpty())
        return;
    QString strError;
    if (!StartSessionLogIn(m_sessionLog, m_strLogFolder, m_strPort, strError)) {
        AfxMessageBox(LoadResString(IDS_SESSION_LOG_FAILED).arg(strError), QMessageBox::Ok,
                      QMessageBox::Warning, &m_owner);
        return;
    }
    m_loggedPort.SetLog(&m_sessionLog);
}

bool CGuiDownloadHost::EnsureDemoTester(QString& strDevice)
{
    if (!m_pDemoTester || !m_pDemoTester->IsServing()) {
        m_pDemoTester = std::make_unique<CSimulatedTester>();
        SimulatorOptions options; // paced like a real tester, so the progress is worth watching
        options.m_bPaced = m_bDemoPaced;
        if (!m_pDemoTester->Start(BuiltInSampleSet(), options) || !m_pDemoTester->StartThread()) {
            AfxMessageBox(LoadResString(IDS_PORT_OPEN_FAILED) + QStringLiteral("\n\n") +
                              QString::fromStdString(m_pDemoTester->LastError()),
                          QMessageBox::Ok, QMessageBox::Warning, &m_owner);
            m_pDemoTester.reset();
            return false;
        }
    }
    strDevice = QString::fromStdString(m_pDemoTester->DevicePath());
    return true;
}

// A notification of an earlier open (still queued when the port was opened
// again) speaks of a line that is gone: it is dropped.
void CGuiDownloadHost::PostPortData(int)
{
    const unsigned nSession = m_Port.Session();
    QMetaObject::invokeMethod(
        this,
        [this, nSession] {
            if (!m_Port.IsCurrentSession(nSession))
                return;
            m_protocol.OnPortData();
            m_Port.AcknowledgePortData();
        },
        Qt::QueuedConnection);
}

void CGuiDownloadHost::PostDeviceLost(int)
{
    const unsigned nSession = m_Port.Session();
    QMetaObject::invokeMethod(
        this,
        [this, nSession] {
            if (m_Port.IsCurrentSession(nSession))
                m_protocol.OnDeviceLost();
        },
        Qt::QueuedConnection);
}

void CGuiDownloadHost::PostChannelMessage(const std::string& strText)
{
    const QString strMessage = QString::fromStdString(strText);
    QMetaObject::invokeMethod(
        this,
        [this, strText, strMessage] {
            if (m_sessionLog.IsOpen())
                m_sessionLog.Note("channel: " + strText);
            AfxMessageBox(strMessage, QMessageBox::Ok, QMessageBox::Warning, &m_owner);
        },
        Qt::QueuedConnection);
}

void CGuiDownloadHost::StartTimer(int nTimerId, int nMilliseconds)
{
    const auto [it, bNew] = m_timers.try_emplace(nTimerId);
    QTimer& timer = it->second;
    if (bNew) {
        // A coarse timer may fire up to 5 % early; the waits the tester sees
        // are minimums.
        timer.setTimerType(Qt::PreciseTimer);
        connect(&timer, &QTimer::timeout, this, [this, nTimerId] { m_protocol.OnTimer(nTimerId); });
    }
    timer.start(nMilliseconds);
}

void CGuiDownloadHost::StopTimer(int nTimerId)
{
    if (const auto it = m_timers.find(nTimerId); it != m_timers.end())
        it->second.stop();
}

std::string CGuiDownloadHost::LoadString(int nStringId)
{
    // The protocol's texts are single bytes; the pack's go through Latin-1.
    return LoadResString(nStringId).toLatin1().toStdString();
}

void CGuiDownloadHost::ReportFailure(DownloadOutcome failure)
{
    if (m_sessionLog.IsOpen())
        m_sessionLog.Note(DownloadOutcomeNote(failure));
    switch (failure) {
    case DownloadOutcome::PortOpenFailed: {
        const QString strWhy =
            PortFailureText(m_Port.LastOpenStatus(), QString::fromStdString(m_Port.DevicePath()),
                            m_Port.LastSystemError(), m_strPort);
        AfxMessageBox(LoadResString(IDS_PORT_OPEN_FAILED) + QStringLiteral("\n\n") + strWhy,
                      QMessageBox::Ok, QMessageBox::Warning, &m_owner);
        break;
    }
    case DownloadOutcome::PromptTimeout:
        AfxMessageBox(LoadResString(IDS_PROMPT_TIMEOUT_TEXT), QMessageBox::Ok, QMessageBox::Warning,
                      &m_owner, LoadResString(IDS_PROMPT_TIMEOUT_CAPTION));
        break;
    case DownloadOutcome::DeviceLost:
        AfxMessageBox(LoadResString(IDS_DEVICE_LOST), QMessageBox::Ok, QMessageBox::Warning,
                      &m_owner);
        break;
    case DownloadOutcome::PortLost:
        AfxMessageBox(LoadResString(IDS_PORT_LOST), QMessageBox::Ok, QMessageBox::Warning,
                      &m_owner);
        break;
    // The window waits on a stalled tester, and a completed download is no failure.
    case DownloadOutcome::TransferStalled:
    case DownloadOutcome::Completed: break;
    }
}

void CGuiDownloadHost::RepostPortData()
{
    QMetaObject::invokeMethod(
        this, [this] { m_protocol.OnPortData(); }, Qt::QueuedConnection);
}

void CGuiDownloadHost::PumpWaitingMessages()
{
    // A pause after each parsed record, so the status bar's indicator is
    // seen. Paints and timers go on meanwhile; input (a close request too)
    // waits, so nothing can start another download or close the window
    // under the parse.
    QEventLoop pause;
    QTimer::singleShot(kParsePauseMs, &pause, &QEventLoop::quit);
    pause.exec(QEventLoop::ExcludeUserInputEvents);
}

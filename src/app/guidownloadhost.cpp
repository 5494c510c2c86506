#include "guidownloadhost.h"

#include "langpack.h"
#include "messagebox.h"
#include "openstatustext.h"
#include "resourceids.h"
#include "sampleset.h"
#include "sessionlogfolder.h"
#include "simulatedtester.h"

#include <QCoreApplication>
#include <QMetaObject>

CGuiDownloadHost::CGuiDownloadHost(QWidget& owner, IRecordViews& views, RecordTable& records)
    : m_owner(owner), m_Port(*this), m_protocol(*this, m_loggedPort, m_wndProgress, views, records)
{
    m_timerPromptWait.setObjectName(QStringLiteral("TIMER_PROMPT_WAIT"));
    m_timerNextCommand.setObjectName(QStringLiteral("TIMER_NEXT_COMMAND"));
    connect(&m_timerPromptWait, &QTimer::timeout, this,
            [this] { m_protocol.OnTimer(TIMER_PROMPT_WAIT); });
    connect(&m_timerNextCommand, &QTimer::timeout, this,
            [this] { m_protocol.OnTimer(TIMER_NEXT_COMMAND); });
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

void CGuiDownloadHost::PostPortData(int)
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_protocol.OnPortData();
            m_Port.AcknowledgePortData();
        },
        Qt::QueuedConnection);
}

void CGuiDownloadHost::PostDeviceLost(int)
{
    QMetaObject::invokeMethod(
        this, [this] { m_protocol.OnDeviceLost(); }, Qt::QueuedConnection);
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

QTimer* CGuiDownloadHost::Timer(int nTimerId)
{
    switch (nTimerId) {
    case TIMER_PROMPT_WAIT: return &m_timerPromptWait;
    case TIMER_NEXT_COMMAND: return &m_timerNextCommand;
    default: return nullptr;
    }
}

void CGuiDownloadHost::StartTimer(int nTimerId, int nMilliseconds)
{
    if (QTimer* pTimer = Timer(nTimerId))
        pTimer->start(nMilliseconds);
}

void CGuiDownloadHost::StopTimer(int nTimerId)
{
    if (QTimer* pTimer = Timer(nTimerId))
        pTimer->stop();
}

std::string CGuiDownloadHost::LoadString(int nStringId)
{
    // The protocol's texts are single bytes; the pack's go through Latin-1.
    return LoadResString(nStringId).toLatin1().toStdString();
}

void CGuiDownloadHost::ReportFailure(DownloadFailure failure)
{
    if (m_sessionLog.IsOpen())
        m_sessionLog.Note(DownloadFailureNote(failure));
    switch (failure) {
    case DownloadFailure::PortOpenFailed: {
        const std::string strWhy =
            DescribeOpenStatus(m_Port.LastOpenStatus(), m_Port.DevicePath(),
                               m_Port.LastSystemError(), m_strPort.toStdString());
        AfxMessageBox(LoadResString(IDS_PORT_OPEN_FAILED) + QStringLiteral("\n\n") +
                          QString::fromStdString(strWhy),
                      QMessageBox::Ok, QMessageBox::Warning, &m_owner);
        break;
    }
    case DownloadFailure::PromptTimeout:
        AfxMessageBox(LoadResString(IDS_PROMPT_TIMEOUT_TEXT), QMessageBox::Ok, QMessageBox::Warning,
                      &m_owner, LoadResString(IDS_PROMPT_TIMEOUT_CAPTION));
        break;
    case DownloadFailure::DeviceLost:
        AfxMessageBox(LoadResString(IDS_DEVICE_LOST), QMessageBox::Ok, QMessageBox::Warning,
                      &m_owner);
        break;
    }
}

void CGuiDownloadHost::RepostPortData()
{
    QMetaObject::invokeMethod(
        this, [this] { m_protocol.OnPortData(); }, Qt::QueuedConnection);
}

void CGuiDownloadHost::PumpWaitingMessages()
{
    // Paints and timers go on while the records are parsed; input waits, so
    // nothing can close the window under the parse.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

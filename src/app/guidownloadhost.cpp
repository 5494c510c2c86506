#include "app/guidownloadhost.h"

#include "app/portfailuretext.h"
#include "app/sessionlogfolder.h"
#include "framework/filefailuretext.h"
#include "framework/langpack.h"
#include "framework/messagebox.h"
#include "framework/resourceids.h"
#include "simulator/sampleset.h"
#include "simulator/simulatedtester.h"

#include <QDir>
#include <QFile>
#include <QMetaObject>

namespace {

// After each parsed record, so the status bar's indicator is seen. Paints and
// input go on meanwhile; the frame holds back what would start another
// download or close it until the parse is done.
constexpr std::chrono::milliseconds kParsePause(10);

} // namespace

CGuiDownloadHost::CGuiDownloadHost(QWidget& owner, IRecordViews& views, RecordTable& records)
    : m_owner(owner), m_session(m_executor, *this, views, records, kParsePause)
{
    // Cancel is posted, so the popup's click handler has returned before the
    // popup is closed.
    m_wndProgress.SetOwner(&owner, [this](unsigned nMessage) {
        if (nMessage == WM_DOWNLOAD_CANCEL)
            QMetaObject::invokeMethod(
                this, [this] { m_session.Cancel(); }, Qt::QueuedConnection);
    });
}

CGuiDownloadHost::~CGuiDownloadHost()
{
    // The port closes first (its destructor joins the watch thread), then
    // the demo tester loses its line.
    m_session.Abort();
}

bool CGuiDownloadHost::StartDownload(const QString& strPort, int nTimeout)
{
    if (m_session.IsParsing())
        return false;
    m_strPort = strPort;
    QString strDevice = strPort;
    if (strPort == QLatin1String(kDemoTester) && !EnsureDemoTester(strDevice))
        return false;
    StartSessionLog();
    return m_session.Start(strDevice.toStdString(), nTimeout);
}

void CGuiDownloadHost::StartSessionLog()
{
    m_sessionLog.Close();
    m_session.SetLog(nullptr);
    m_bLogBreakReported = false;
    if (m_strLogFolder.isEmpty())
        return;
    QString strError;
    if (!StartSessionLogIn(m_sessionLog, m_strLogFolder, m_strPort, strError)) {
        AfxMessageBox(LoadResString(IDS_SESSION_LOG_FAILED).arg(strError), QMessageBox::Ok,
                      QMessageBox::Warning, &m_owner);
        return;
    }
    m_session.SetLog(&m_sessionLog);
}

void CGuiDownloadHost::ReportSessionLogBreak()
{
    const FileError& error = m_sessionLog.WriteError();
    if (error.m_problem == FileProblem::None || m_bLogBreakReported)
        return;
    m_bLogBreakReported = true;
    const QString strLog =
        QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(m_sessionLog.Path())));
    AfxMessageBox(LoadResString(IDS_SESSION_LOG_STOPPED).arg(strLog) + QStringLiteral("\n\n") +
                      FileProblemText(error),
                  QMessageBox::Ok, QMessageBox::Warning, &m_owner);
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

void CGuiDownloadHost::OnEvent(const AnyDownloadEvent& event)
{
    if (const auto* pFailed = std::get_if<DownloadEvent::Failed>(&event))
        ReportFailure(pFailed->reason);
    else if (const auto* pMessage = std::get_if<DownloadEvent::ChannelMessage>(&event))
        AfxMessageBox(QString::fromStdString(pMessage->strText), QMessageBox::Ok,
                      QMessageBox::Warning, &m_owner);
    else
        m_presenter.Show(event);
}

void CGuiDownloadHost::ReportFailure(DownloadOutcome failure)
{
    switch (failure) {
    case DownloadOutcome::PortOpenFailed: {
        const QString strWhy = PortFailureText(m_session.LastOpenStatus(),
                                               QString::fromStdString(m_session.DevicePath()),
                                               m_session.LastSystemError(), m_strPort);
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
    ReportSessionLogBreak();
}

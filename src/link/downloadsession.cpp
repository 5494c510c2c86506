#include "link/downloadsession.h"

CDownloadSession::CDownloadSession(IExecutor& executor, IDownloadEvents& events,
                                   IRecordViews& views, RecordTable& records,
                                   std::chrono::milliseconds parsePause)
    : m_executor(executor), m_events(events), m_port(*this), m_loggedPort(m_port),
      m_protocol(executor, m_loggedPort, *this, *this),
      m_loader(executor, views, records, parsePause)
{
}

CDownloadSession::~CDownloadSession()
{
    Abort();
}

bool CDownloadSession::Start(const std::string& strPort, int nTimeoutSeconds)
{
    if (m_loader.IsLoading())
        return false;
    return m_protocol.StartDownload(strPort, nTimeoutSeconds);
}

void CDownloadSession::Abort()
{
    m_loader.Stop();
    m_protocol.AbortDownload();
}

void CDownloadSession::SetLog(CSessionLog* pLog)
{
    m_pLog = pLog;
    m_loggedPort.SetLog(pLog);
}

// The log notes the end when it happens, before the port is closed on the way out.
void CDownloadSession::NoteOutcome(DownloadOutcome outcome)
{
    if (m_pLog && m_pLog->IsOpen())
        m_pLog->Note(DownloadOutcomeNote(outcome));
}

// A notification of an earlier open (still queued when the port was opened
// again) speaks of a line that is gone: it is dropped.
void CDownloadSession::PostPortData(int)
{
    const unsigned nSession = m_port.Session();
    m_executor.Post([this, nSession] {
        if (!m_port.IsCurrentSession(nSession))
            return;
        m_protocol.OnPortData();
        m_port.AcknowledgePortData();
    });
}

void CDownloadSession::PostDeviceLost(int)
{
    const unsigned nSession = m_port.Session();
    m_executor.Post([this, nSession] {
        if (m_port.IsCurrentSession(nSession))
            m_protocol.OnDeviceLost();
    });
}

void CDownloadSession::PostChannelMessage(const std::string& strText)
{
    m_executor.Post([this, strText] {
        if (m_pLog && m_pLog->IsOpen())
            m_pLog->Note("channel: " + strText);
        m_events.OnEvent(DownloadEvent::ChannelMessage{strText});
    });
}

void CDownloadSession::OnEvent(const AnyDownloadEvent& event)
{
    if (const auto* pFailed = std::get_if<DownloadEvent::Failed>(&event))
        NoteOutcome(pFailed->reason);
    m_events.OnEvent(event);
}

void CDownloadSession::OnTransferDone(std::unique_ptr<RecordTable> pStaged)
{
    m_loader.Load(std::move(pStaged));
}

#include "headlessdownload.h"

namespace {

// A timer of this host's own, beside the protocol's 11 and 12.
constexpr int kStallTimer = 1;

} // namespace

CHeadlessDownload::CHeadlessDownload(RecordTable& records, IHeadlessDisplay& display,
                                     CSessionLog* pLog)
    : m_display(display), m_port(*this), m_loggedPort(m_port), m_pLog(pLog),
      m_protocol(*this, m_loggedPort, display, *this, records)
{
    m_loggedPort.SetLog(pLog);
}

DownloadOutcome CHeadlessDownload::Run(const std::string& strPort, int nTimeoutSeconds,
                                       std::chrono::milliseconds stallLimit)
{
    m_outcome.reset();
    m_stallLimit = stallLimit;
    if (m_protocol.StartDownload(strPort, nTimeoutSeconds)) {
        NoteActivity();
        m_loop.Run([this] { return m_outcome.has_value(); });
    }
    m_loop.StopTimer(kStallTimer);
    if (m_outcome != DownloadOutcome::Completed)
        m_protocol.AbortDownload();
    // Messages the channel posted on the way out are still shown.
    m_loop.DispatchPending();
    if (m_pLog)
        m_pLog->Flush();
    return *m_outcome;
}

void CHeadlessDownload::PostPortData(int)
{
    const unsigned nSession = m_port.Session();
    m_loop.Post([this, nSession] {
        if (!m_port.IsCurrentSession(nSession))
            return;
        NoteActivity();
        m_protocol.OnPortData();
        m_port.AcknowledgePortData();
    });
}

void CHeadlessDownload::PostDeviceLost(int)
{
    const unsigned nSession = m_port.Session();
    m_loop.Post([this, nSession] {
        if (m_port.IsCurrentSession(nSession))
            m_protocol.OnDeviceLost();
    });
}

void CHeadlessDownload::PostChannelMessage(const std::string& strText)
{
    m_loop.Post([this, strText] {
        if (m_pLog)
            m_pLog->Note("channel: " + strText);
        m_display.ShowChannelMessage(strText);
    });
}

void CHeadlessDownload::StartTimer(int nTimerId, int nMilliseconds)
{
    m_loop.StartTimer(nTimerId, std::chrono::milliseconds(nMilliseconds), [this, nTimerId] {
        if (nTimerId == TIMER_NEXT_COMMAND)
            NoteActivity();
        m_protocol.OnTimer(nTimerId);
    });
}

void CHeadlessDownload::StopTimer(int nTimerId)
{
    m_loop.StopTimer(nTimerId);
}

std::string CHeadlessDownload::LoadString(int nStringId)
{
    switch (nStringId) {
    case IDS_PROMPT_WAIT_CAPTION: return "Connecting";
    case IDS_PROMPT_WAIT_MESSAGE: return "Waiting for the tester";
    case IDS_TRANSFER_CAPTION: return "Connected";
    case IDS_TRANSFER_MESSAGE: return "The tester answered";
    case IDS_DB_HEADER_CAPTION: return "Receiving";
    case IDS_TRANSFER_STALLED: return "The tester stopped sending";
    default: return {};
    }
}

void CHeadlessDownload::ReportFailure(DownloadOutcome failure)
{
    SetOutcome(failure);
}

void CHeadlessDownload::RepostPortData()
{
    m_loop.Post([this] { m_protocol.OnPortData(); });
}

void CHeadlessDownload::PumpWaitingMessages()
{
    m_loop.DispatchPending();
}

void CHeadlessDownload::BeginLoadingProgress(const std::string&, int nRange)
{
    m_nLoadingStep = 0;
    m_nLoadingRange = nRange;
    m_display.ShowLoadingProgress(m_nLoadingStep, m_nLoadingRange);
}

void CHeadlessDownload::StepLoadingProgress()
{
    ++m_nLoadingStep;
    m_display.ShowLoadingProgress(m_nLoadingStep, m_nLoadingRange);
}

void CHeadlessDownload::FillTree()
{
    SetOutcome(DownloadOutcome::Completed);
}

// The stall timer is restarted by every sign of life: received data and each
// command the sequence sends.
void CHeadlessDownload::NoteActivity()
{
    m_loop.StartTimer(kStallTimer, m_stallLimit, [this] { CheckForStall(); });
}

// The prompt wait has a time-out of its own, and the pauses before each
// command are the protocol's own: only a quiet tester in the middle of an
// answer has stalled.
void CHeadlessDownload::CheckForStall()
{
    if (m_protocol.Mode() == StreamMode::Transfer && !m_loop.IsTimerRunning(TIMER_NEXT_COMMAND))
        SetOutcome(DownloadOutcome::TransferStalled);
}

// The log notes the end when it happens, before the port is closed on the way out.
void CHeadlessDownload::SetOutcome(DownloadOutcome outcome)
{
    m_outcome = outcome;
    if (m_pLog)
        m_pLog->Note(DownloadOutcomeNote(outcome));
}

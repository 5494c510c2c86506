#include "link/headlessdownload.h"

#include <algorithm>

namespace {

// A timer of this driver's own, beside the protocol's.
constexpr int kGiveUpTimer = 1;

} // namespace

CHeadlessDownload::CHeadlessDownload(RecordTable& records, IDownloadEvents* pEvents,
                                     CSessionLog* pLog)
    : m_pEvents(pEvents), m_pLog(pLog),
      m_session(m_loop, *this, *this, records, std::chrono::milliseconds(0))
{
    m_session.SetLog(pLog);
}

DownloadOutcome CHeadlessDownload::Run(const std::string& strPort, int nTimeoutSeconds,
                                       std::chrono::milliseconds stallLimit)
{
    m_outcome.reset();
    m_stallLimit = stallLimit;
    if (m_session.Start(strPort, nTimeoutSeconds))
        m_loop.Run([this] { return m_outcome.has_value(); });
    m_loop.StopTimer(kGiveUpTimer);
    if (m_outcome != DownloadOutcome::Completed)
        m_session.Abort();
    // Messages the channel posted on the way out are still shown.
    m_loop.DispatchPending();
    if (m_pLog)
        m_pLog->Flush();
    return *m_outcome;
}

// The protocol notices a tester that went quiet in the middle of an answer
// after a while of its own; this driver gives up once the stall limit is
// reached, unless the tester sends again first.
void CHeadlessDownload::OnEvent(const AnyDownloadEvent& event)
{
    if (std::holds_alternative<DownloadEvent::TransferStalled>(event)) {
        const auto rest =
            std::max(m_stallLimit - std::chrono::milliseconds(CDownloadProtocol::kStallNoticeMs),
                     std::chrono::milliseconds(0));
        m_loop.StartTimer(kGiveUpTimer, rest,
                          [this] { SetOutcome(DownloadOutcome::TransferStalled); });
    } else if (std::holds_alternative<DownloadEvent::TransferResumed>(event)) {
        m_loop.StopTimer(kGiveUpTimer);
    } else if (const auto* pFailed = std::get_if<DownloadEvent::Failed>(&event)) {
        m_outcome = pFailed->reason;
    }
    if (m_pEvents)
        m_pEvents->OnEvent(event);
}

void CHeadlessDownload::BeginLoadingProgress(const std::string&, int)
{
    m_nParsed = 0;
    OnEvent(DownloadEvent::RecordsParsed{m_nParsed, kDbCount});
}

void CHeadlessDownload::StepLoadingProgress()
{
    ++m_nParsed;
    OnEvent(DownloadEvent::RecordsParsed{m_nParsed, kDbCount});
}

void CHeadlessDownload::FillTree()
{
    SetOutcome(DownloadOutcome::Completed);
}

// Failures are noted by the session as they happen.
void CHeadlessDownload::SetOutcome(DownloadOutcome outcome)
{
    m_outcome = outcome;
    m_session.NoteOutcome(outcome);
}

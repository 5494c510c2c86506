#include "link/downloadprotocol.h"

#include "link/linesettings.h"

using std::chrono::milliseconds;

namespace {

// One firing of TIMER_NEXT_COMMAND: the state it finds and what it sends.
struct CommandStep
{
    CommandState fromState;
    DownloadSection section;
    CommandState nextState;
    const char* pszCommand;
};

constexpr CommandStep kCommandSequence[] = {
    {CommandState::Idle, DownloadSection::RateFrame, CommandState::RateFrame, "forpc rtrvinfo\n"},
    {CommandState::RateFrame, DownloadSection::Graph, CommandState::Graph, "forpc rtrvgrp\n"},
    {CommandState::Graph, DownloadSection::Ping, CommandState::Ping, "forpc rtrvping\n"},
    {CommandState::Ping, DownloadSection::TraceRoute, CommandState::TraceRoute, "forpc rtrvtrrt\n"},
};

std::string* SectionText(TestRecord& record, DownloadSection section)
{
    switch (section) {
    case DownloadSection::RateFrame: return &record.m_RateFrame.m_strRaw;
    case DownloadSection::Graph: return &record.m_Graph.m_strRaw;
    case DownloadSection::Ping: return &record.m_Ping.m_strRaw;
    case DownloadSection::TraceRoute: return &record.m_TraceRoute.m_strRaw;
    case DownloadSection::None: break;
    }
    return nullptr;
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// A header that is not two digits, or names a DB the tester does not have,
// addresses no record, like DB 00: its text is dropped up to the next header.
int DbNumberFromDigits(const std::array<char, 2>& digits)
{
    if (!IsDigit(digits[0]) || !IsDigit(digits[1]))
        return 0;
    const int nNumber = (digits[0] - '0') * 10 + (digits[1] - '0');
    return nNumber <= kDbCount ? nNumber : 0;
}

} // namespace

CDownloadProtocol::CDownloadProtocol(IExecutor& executor, IDownloadPort& port,
                                     IDownloadEvents& events, IStagedRecordsReceiver& receiver)
    : m_executor(executor), m_port(port), m_events(events), m_receiver(receiver)
{
}

bool CDownloadProtocol::StartDownload(const std::string& strPort, int nTimeout)
{
    const bool bOpened = m_port.Open(strPort, kDownloadBaudRate);
    // Opening closes a port that was still open, whatever the outcome.
    m_bPortOpen = bOpened;
    if (!bOpened) {
        Emit(DownloadEvent::Failed{DownloadOutcome::PortOpenFailed});
        return false;
    }

    // A new download starts from the first command with no header pending,
    // whatever the last one left behind, and no command it scheduled fires
    // into this one.
    ResetTransferState();
    m_executor.StopTimer(TIMER_NEXT_COMMAND);
    m_executor.StopTimer(TIMER_STALL_NOTICE);
    m_streamMode = StreamMode::PromptWait;
    m_nTimeoutTicks = static_cast<std::uint32_t>(nTimeout) * kTicksPerLineFeed;
    m_promptWaitStart = m_executor.Now();
    m_nLineFeedsSent = 0;
    m_bHeardTester = false;
    m_bWaitingForPrompt = true;

    Emit(DownloadEvent::WaitingForPrompt{m_nTimeoutTicks});
    StartTimer(TIMER_PROMPT_WAIT, kPromptTickMs, &CDownloadProtocol::OnPromptWaitTick);
    return true;
}

void CDownloadProtocol::StartTimer(int nTimerId, int nMilliseconds,
                                   void (CDownloadProtocol::*pHandler)())
{
    m_executor.StartTimer(nTimerId, milliseconds(nMilliseconds),
                          [this, pHandler] { (this->*pHandler)(); });
}

// The ticks move the bar; the line feeds and the time-out go by the time
// since the wait began.
void CDownloadProtocol::OnPromptWaitTick()
{
    ++m_nWaitTicks;
    const auto waited = m_executor.Now() - m_promptWaitStart;
    if (waited > milliseconds(std::int64_t{m_nTimeoutTicks} * kPromptTickMs)) {
        // The port stays open and the stream keeps waiting: a prompt that comes
        // later still starts the transfer.
        m_executor.StopTimer(TIMER_PROMPT_WAIT);
        m_nWaitTicks = 0;
        m_bWaitingForPrompt = false;
        Emit(DownloadEvent::ProgressEnded{});
        Emit(DownloadEvent::Failed{DownloadOutcome::PromptTimeout});
        return;
    }
    const auto nSecondsWaited = static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::seconds>(waited).count());
    if (nSecondsWaited > m_nLineFeedsSent) {
        m_nLineFeedsSent = nSecondsWaited;
        m_port.WriteChar('\n');
    }
    Emit(DownloadEvent::PromptWaitTick{});
}

void CDownloadProtocol::StartNextCommandTimer(int nDelayMs)
{
    m_nextCommandDue = m_executor.Now() + milliseconds(nDelayMs);
    StartTimer(TIMER_NEXT_COMMAND, nDelayMs, &CDownloadProtocol::OnNextCommand);
}

void CDownloadProtocol::OnNextCommand()
{
    m_executor.StopTimer(TIMER_NEXT_COMMAND);
    // The pause before a command is a minimum the tester relies on: a timer
    // that fired early waits out the rest.
    if (const auto now = m_executor.Now(); now < m_nextCommandDue) {
        const auto rest = std::chrono::ceil<milliseconds>(m_nextCommandDue - now);
        StartTimer(TIMER_NEXT_COMMAND, static_cast<int>(rest.count()),
                   &CDownloadProtocol::OnNextCommand);
        return;
    }
    for (const CommandStep& step : kCommandSequence) {
        if (step.fromState != m_sequenceState)
            continue;
        m_section = step.section;
        m_sequenceState = step.nextState;
        m_strCommand = step.pszCommand;
        Emit(DownloadEvent::SectionStarted{m_section});
        m_port.Write(m_strCommand.data(), static_cast<int>(m_strCommand.size()));
        StartTimer(TIMER_STALL_NOTICE, kStallNoticeMs, &CDownloadProtocol::OnStallNotice);
        return;
    }
    EndCommandSequence();
}

// The answer stopped in the middle; whatever comes next brings the
// section's own message back.
void CDownloadProtocol::OnStallNotice()
{
    m_executor.StopTimer(TIMER_STALL_NOTICE);
    if (m_streamMode != StreamMode::Transfer || m_section == DownloadSection::None)
        return;
    m_bStalled = true;
    Emit(DownloadEvent::TransferStalled{});
}

void CDownloadProtocol::NoteTesterActive()
{
    m_bHeardTester = true;
    if (m_streamMode != StreamMode::Transfer || m_section == DownloadSection::None)
        return;
    StartTimer(TIMER_STALL_NOTICE, kStallNoticeMs, &CDownloadProtocol::OnStallNotice);
    if (m_bStalled) {
        m_bStalled = false;
        Emit(DownloadEvent::TransferResumed{});
    }
}

void CDownloadProtocol::EndCommandSequence()
{
    m_sequenceState = CommandState::Idle;
    m_strCommand = "\n";
    m_executor.StopTimer(TIMER_STALL_NOTICE);
    Emit(DownloadEvent::ProgressEnded{});
    ClosePort();
    // Nothing that still waits in the ring belongs to this download.
    m_streamMode = StreamMode::None;
    m_pDownloadRecord = nullptr;
    if (m_pStaging)
        m_receiver.OnTransferDone(std::move(m_pStaging));
}

void CDownloadProtocol::OnPortData()
{
    if (m_streamMode == StreamMode::PromptWait)
        ReceivePromptWait();
    else if (m_streamMode == StreamMode::Transfer)
        ReceiveTransfer();
}

void CDownloadProtocol::ReceivePromptWait()
{
    char ch = 0;
    while (m_port.Get(ch)) {
        m_bHeardTester = true;
        if (ch == '>') {
            OnPrompt();
            return;
        }
    }
}

void CDownloadProtocol::OnPrompt()
{
    m_executor.StopTimer(TIMER_PROMPT_WAIT);
    m_nWaitTicks = 0;
    m_bWaitingForPrompt = false;
    Emit(DownloadEvent::TesterAnswered{kDbCount});

    // Every raw text starts empty; parsed fields come only from these texts.
    m_pStaging = std::make_unique<RecordTable>();
    m_pDownloadRecord = nullptr;
    StartNextCommandTimer(kFirstCommandDelayMs);
    m_streamMode = StreamMode::Transfer;

    // Bytes that followed the prompt in this batch are read in transfer mode,
    // as if they had come a moment later. The watch thread will not notify
    // again for them if the tester now stays quiet, so ask the host for that
    // notification instead of leaving them stranded in the ring.
    if (m_port.HasQueuedData())
        m_executor.Post([this] { OnPortData(); });
}

void CDownloadProtocol::ReceiveTransfer()
{
    // A header may be split across notifications: the digit state remembers
    // how much of it has been read.
    char ch = 0;
    if (m_port.HasQueuedData())
        NoteTesterActive();
    while (m_port.Get(ch)) {
        if (m_headerDigits == HeaderDigits::FirstMissing) {
            m_chDbDigit[0] = ch;
            m_headerDigits = HeaderDigits::SecondMissing;
        } else if (m_headerDigits == HeaderDigits::SecondMissing) {
            m_chDbDigit[1] = ch;
            CompleteDbHeader();
        } else if (ch == '%') {
            m_headerDigits = HeaderDigits::FirstMissing;
        } else {
            ReceiveDataChar(ch);
        }
    }
}

void CDownloadProtocol::CompleteDbHeader()
{
    m_nDbNumber = DbNumberFromDigits(m_chDbDigit);
    m_pDownloadRecord =
        m_nDbNumber == 0 ? nullptr : &(*m_pStaging)[static_cast<std::size_t>(m_nDbNumber)];
    m_headerDigits = HeaderDigits::Complete;
    Emit(DownloadEvent::DbReceived{m_section, m_nDbNumber});
}

void CDownloadProtocol::ReceiveDataChar(char ch)
{
    if (m_pDownloadRecord) {
        if (std::string* pText = SectionText(*m_pDownloadRecord, m_section))
            pText->push_back(ch);
    }
    // The ';' after DB 20 ends the answer (and is part of DB 20's text).
    // Whatever follows it before the next command is dropped, and a further
    // ';' only moves the next command on.
    if (m_nDbNumber == kDbCount && ch == ';') {
        m_section = DownloadSection::None;
        m_executor.StopTimer(TIMER_STALL_NOTICE);
        StartNextCommandTimer(kNextCommandDelayMs);
    }
}

void CDownloadProtocol::OnDownloadCancel()
{
    // During the transfer Cancel only closes the popup: the sequence runs on
    // to its end. During the prompt wait the port keeps listening.
    m_nWaitTicks = 0;
    m_bWaitingForPrompt = false;
    Emit(DownloadEvent::ProgressEnded{});
    if (m_streamMode == StreamMode::PromptWait)
        m_executor.StopTimer(TIMER_PROMPT_WAIT);
}

void CDownloadProtocol::OnDeviceLost()
{
    // A report from a channel this download has already closed changes nothing.
    if (!m_bPortOpen)
        return;
    const bool bWaitingForPrompt = m_bWaitingForPrompt;
    AbortDownload();
    // Until the tester has sent something no connection was lost: a port that
    // went away during the prompt wait failed; one that only listened on after
    // a time-out or a Cancel is simply closed.
    if (m_bHeardTester)
        Emit(DownloadEvent::Failed{DownloadOutcome::DeviceLost});
    else if (bWaitingForPrompt)
        Emit(DownloadEvent::Failed{DownloadOutcome::PortLost});
}

void CDownloadProtocol::AbortDownload()
{
    m_executor.StopTimer(TIMER_PROMPT_WAIT);
    m_executor.StopTimer(TIMER_NEXT_COMMAND);
    m_executor.StopTimer(TIMER_STALL_NOTICE);
    Emit(DownloadEvent::ProgressEnded{});
    ClosePort();
    ResetTransferState();
    m_streamMode = StreamMode::None;
}

int CDownloadProtocol::DownloadRecordNumber() const
{
    if (!m_pDownloadRecord)
        return 0;
    if (!m_pStaging)
        return -1;
    for (std::size_t index = 0; index < m_pStaging->size(); ++index) {
        if (&(*m_pStaging)[index] == m_pDownloadRecord)
            return static_cast<int>(index);
    }
    return -1;
}

void CDownloadProtocol::ResetTransferState()
{
    m_sequenceState = CommandState::Idle;
    m_section = DownloadSection::None;
    m_headerDigits = HeaderDigits::Complete;
    m_nDbNumber = 0;
    m_pDownloadRecord = nullptr;
    m_pStaging.reset();
    m_nWaitTicks = 0;
    m_bWaitingForPrompt = false;
    m_bStalled = false;
}

void CDownloadProtocol::ClosePort()
{
    m_port.Close();
    m_bPortOpen = false;
}

#include "downloadprotocol.h"

#include "linesettings.h"

#include <cstdio>
#include <cstring>

using std::chrono::milliseconds;

namespace {

constexpr int kPopupWidth = 300;
constexpr unsigned kAnimationClip = 131;
// The prompt-wait message is padded so the popup keeps its width when the text changes.
constexpr const char* kPromptWaitPadding = "                   ";
constexpr const char* kLoadingText = "Data Loading..";

// One firing of TIMER_NEXT_COMMAND: the state it finds and what it sends.
struct CommandStep
{
    CommandState fromState;
    DownloadSection section;
    CommandState nextState;
    const char* pszCommand;
    const char* pszLabel;
};

constexpr CommandStep kCommandSequence[] = {
    {CommandState::Idle, DownloadSection::RateFrame, CommandState::RateFrame, "forpc rtrvinfo\n",
     "RATE/FRAME"},
    {CommandState::RateFrame, DownloadSection::Graph, CommandState::Graph, "forpc rtrvgrp\n",
     "GRAPH"},
    {CommandState::Graph, DownloadSection::Ping, CommandState::Ping, "forpc rtrvping\n", "PING"},
    {CommandState::Ping, DownloadSection::TraceRoute, CommandState::TraceRoute, "forpc rtrvtrrt\n",
     "TRACE ROUTE"},
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

std::string DbProgressText(const std::string& strLabel, int nDbNumber)
{
    char text[64];
    std::snprintf(text, sizeof text, "%s DATA = %d / %d", strLabel.c_str(), nDbNumber, kDbCount);
    return text;
}

} // namespace

CDownloadProtocol::CDownloadProtocol(IDownloadHost& host, IDownloadPort& port,
                                     IProgressPopup& popup, IRecordViews& views,
                                     RecordTable& records)
    : m_host(host), m_port(port), m_wndProgress(popup), m_views(views), m_records(records)
{
}

bool CDownloadProtocol::StartDownload(const std::string& strPort, int nTimeout)
{
    const bool bOpened = m_port.Open(strPort, kDownloadBaudRate);
    // Opening closes a port that was still open, whatever the outcome.
    m_bPortOpen = bOpened;
    if (!bOpened) {
        m_host.ReportFailure(DownloadOutcome::PortOpenFailed);
        return false;
    }

    // A new download starts from the first command with no header pending,
    // whatever the last one left behind, and no command it scheduled fires
    // into this one.
    ResetTransferState();
    m_host.StopTimer(TIMER_NEXT_COMMAND);
    m_host.StopTimer(TIMER_STALL_NOTICE);
    m_streamMode = StreamMode::PromptWait;
    m_nTimeoutTicks = static_cast<std::uint32_t>(nTimeout) * kTicksPerLineFeed;
    m_promptWaitStart = m_host.CurrentTime();
    m_nLineFeedsSent = 0;
    m_bHeardTester = false;
    m_bWaitingForPrompt = true;

    m_wndProgress.SetPopupWidth(kPopupWidth);
    m_wndProgress.SetCaption(m_host.LoadString(IDS_PROMPT_WAIT_CAPTION));
    SetProgressMessage(m_host.LoadString(IDS_PROMPT_WAIT_MESSAGE) + kPromptWaitPadding);
    m_wndProgress.SetLimit(m_nTimeoutTicks);
    m_wndProgress.EnableCancel(true);
    m_wndProgress.SetCancelMessage(WM_DOWNLOAD_CANCEL);
    m_wndProgress.SetAnimationId(kAnimationClip);
    m_wndProgress.CreatePopup();

    m_host.StartTimer(TIMER_PROMPT_WAIT, kPromptTickMs);
    return true;
}

void CDownloadProtocol::OnTimer(int nTimerId)
{
    if (nTimerId == TIMER_PROMPT_WAIT)
        OnPromptWaitTick();
    else if (nTimerId == TIMER_NEXT_COMMAND)
        OnNextCommand();
    else if (nTimerId == TIMER_STALL_NOTICE)
        OnStallNotice();
}

// The ticks move the bar; the line feeds and the time-out go by the time
// since the wait began.
void CDownloadProtocol::OnPromptWaitTick()
{
    ++m_nWaitTicks;
    const auto waited = m_host.CurrentTime() - m_promptWaitStart;
    if (waited > milliseconds(std::int64_t{m_nTimeoutTicks} * kPromptTickMs)) {
        // The port stays open and the stream keeps waiting: a prompt that comes
        // later still starts the transfer.
        m_host.StopTimer(TIMER_PROMPT_WAIT);
        m_nWaitTicks = 0;
        m_bWaitingForPrompt = false;
        m_wndProgress.ClosePopup();
        m_host.ReportFailure(DownloadOutcome::PromptTimeout);
        return;
    }
    const auto nSecondsWaited = static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::seconds>(waited).count());
    if (nSecondsWaited > m_nLineFeedsSent) {
        m_nLineFeedsSent = nSecondsWaited;
        m_port.WriteChar('\n');
    }
    m_wndProgress.Advance(1);
}

void CDownloadProtocol::StartNextCommandTimer(int nDelayMs)
{
    m_nextCommandDue = m_host.CurrentTime() + milliseconds(nDelayMs);
    m_host.StartTimer(TIMER_NEXT_COMMAND, nDelayMs);
}

void CDownloadProtocol::OnNextCommand()
{
    m_host.StopTimer(TIMER_NEXT_COMMAND);
    // The pause before a command is a minimum the tester relies on: a timer
    // that fired early waits out the rest.
    if (const auto now = m_host.CurrentTime(); now < m_nextCommandDue) {
        const auto rest = std::chrono::ceil<milliseconds>(m_nextCommandDue - now);
        m_host.StartTimer(TIMER_NEXT_COMMAND, static_cast<int>(rest.count()));
        return;
    }
    for (const CommandStep& step : kCommandSequence) {
        if (step.fromState != m_sequenceState)
            continue;
        m_section = step.section;
        m_sequenceState = step.nextState;
        m_strCommand = step.pszCommand;
        m_strSectionLabel = step.pszLabel;
        // The limit stays at 20: each section's bar shows its own DB count.
        m_wndProgress.ResetBar();
        m_port.Write(m_strCommand.data(), static_cast<int>(m_strCommand.size()));
        m_host.StartTimer(TIMER_STALL_NOTICE, kStallNoticeMs);
        return;
    }
    EndCommandSequence();
}

// The answer stopped in the middle; whatever comes next brings the
// section's own message back.
void CDownloadProtocol::OnStallNotice()
{
    m_host.StopTimer(TIMER_STALL_NOTICE);
    if (m_streamMode != StreamMode::Transfer || m_section == DownloadSection::None)
        return;
    m_bStallShown = true;
    m_wndProgress.SetMessage(m_host.LoadString(IDS_TRANSFER_STALLED), true);
}

void CDownloadProtocol::SetProgressMessage(const std::string& strText)
{
    m_strProgressMessage = strText;
    m_wndProgress.SetMessage(strText, false);
}

void CDownloadProtocol::NoteTesterActive()
{
    m_bHeardTester = true;
    if (m_streamMode != StreamMode::Transfer || m_section == DownloadSection::None)
        return;
    m_host.StartTimer(TIMER_STALL_NOTICE, kStallNoticeMs);
    if (m_bStallShown) {
        m_bStallShown = false;
        // Laid out again: the notice took more lines than the message.
        m_wndProgress.SetMessage(m_strProgressMessage, true);
    }
}

void CDownloadProtocol::EndCommandSequence()
{
    m_sequenceState = CommandState::Idle;
    m_strCommand = "\n";
    m_strSectionLabel.clear();
    m_host.StopTimer(TIMER_STALL_NOTICE);
    m_wndProgress.ClosePopup();
    ClosePort();
    OnDownloadDone();
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
    m_host.StopTimer(TIMER_PROMPT_WAIT);
    m_nWaitTicks = 0;
    m_bWaitingForPrompt = false;
    m_wndProgress.SetCaption(m_host.LoadString(IDS_TRANSFER_CAPTION));
    SetProgressMessage(m_host.LoadString(IDS_TRANSFER_MESSAGE));
    m_wndProgress.ResetBar();
    m_wndProgress.SetLimit(kDbCount);

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
        m_host.RepostPortData();
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
    m_wndProgress.SetCaption(m_host.LoadString(IDS_DB_HEADER_CAPTION));
    SetProgressMessage(DbProgressText(m_strSectionLabel, m_nDbNumber));
    m_wndProgress.Advance(1);
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
        m_host.StopTimer(TIMER_STALL_NOTICE);
        StartNextCommandTimer(kNextCommandDelayMs);
    }
}

void CDownloadProtocol::OnDownloadDone()
{
    if (!m_pStaging)
        return;
    // Taken out first: the message pump below may start another download.
    const std::unique_ptr<RecordTable> pStaged = std::move(m_pStaging);
    m_pDownloadRecord = nullptr;
    // Nothing that still waits in the ring belongs to this download.
    m_streamMode = StreamMode::None;

    m_views.BeginLoadingProgress(kLoadingText, kDbCount);
    for (int nDb = 1; nDb <= kDbCount; ++nDb) {
        (*pStaged)[static_cast<std::size_t>(nDb)].ParseAll();
        m_views.StepLoadingProgress();
        m_host.PumpWaitingMessages();
    }
    // Each record was parsed fresh from its own raw texts, so no field can
    // outlive the text it came from. Record 0 is addressed by no DB.
    m_records[0] = TestRecord();
    for (int nDb = 1; nDb <= kDbCount; ++nDb) {
        const auto index = static_cast<std::size_t>(nDb);
        m_records[index] = std::move((*pStaged)[index]);
    }
    m_views.ClearTree();
    m_views.ClearItems();
    m_views.FillTree();
    m_views.EndLoadingProgress();
}

void CDownloadProtocol::OnDownloadCancel()
{
    // During the transfer Cancel only closes the popup: the sequence runs on
    // to its end. During the prompt wait the port keeps listening.
    m_nWaitTicks = 0;
    m_bWaitingForPrompt = false;
    m_wndProgress.ClosePopup();
    if (m_streamMode == StreamMode::PromptWait)
        m_host.StopTimer(TIMER_PROMPT_WAIT);
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
        m_host.ReportFailure(DownloadOutcome::DeviceLost);
    else if (bWaitingForPrompt)
        m_host.ReportFailure(DownloadOutcome::PortLost);
}

void CDownloadProtocol::AbortDownload()
{
    m_host.StopTimer(TIMER_PROMPT_WAIT);
    m_host.StopTimer(TIMER_NEXT_COMMAND);
    m_host.StopTimer(TIMER_STALL_NOTICE);
    m_wndProgress.ClosePopup();
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
    m_bStallShown = false;
}

void CDownloadProtocol::ClosePort()
{
    m_port.Close();
    m_bPortOpen = false;
}

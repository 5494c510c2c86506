#pragma once

#include "link/downloadevents.h"
#include "link/downloadhost.h"
#include "link/executor.h"
#include "records/testrecord.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// Command sequence states: the value names the last command sent.
enum class CommandState
{
    Idle = 0,
    RateFrame = 121,
    Graph = 122,
    Ping = 123,
    TraceRoute = 124,
};

// What the receive stream does with the bytes it reads.
enum class StreamMode
{
    None = 0,
    PromptWait = 1, // looks for the prompt '>'
    Transfer = 2,   // sorts DB headers and text into the records
};

// How much of a DB header ('%' and two digits) is still to come.
enum class HeaderDigits
{
    Complete = 0,
    FirstMissing = 1,
    SecondMissing = 2,
};

// The command/response exchange with the tester. It pokes the tester with a
// line feed every second until it answers with its prompt '>', then asks for
// the four kinds of data one after another; each answer is a stream of DB
// headers ('%' and two digits) and text, sorted into the records as it
// arrives. Everything runs on the executor's thread, driven by its timers and
// by WM_PORT_DATA; what happens is told as events, and the complete records go
// to the receiver unparsed.
class CDownloadProtocol
{
public:
    static constexpr int kPromptTickMs = 100;
    static constexpr int kTicksPerLineFeed = 10;
    static constexpr int kFirstCommandDelayMs = 1000;
    static constexpr int kNextCommandDelayMs = 500;
    // A tester that sends nothing for this long in the middle of an answer has
    // stalled, until it sends again.
    static constexpr int kStallNoticeMs = 3000;

    CDownloadProtocol(IExecutor& executor, IDownloadPort& port, IDownloadEvents& events,
                      IStagedRecordsReceiver& receiver);

    // Opens the port and starts the prompt wait; false (a Failed event) when
    // the port cannot be opened.
    bool StartDownload(const std::string& strPort, int nTimeout);
    // WM_PORT_DATA: reads the channel's receive queue.
    void OnPortData();
    // WM_DOWNLOAD_CANCEL: the progress ends. During the transfer the sequence
    // runs on to its end; during the prompt wait the port keeps listening.
    void OnDownloadCancel();
    // The channel lost its device: the download stops, and no records go to
    // the receiver. Once the tester has sent anything the
    // connection was lost; before that, a running prompt wait failed because
    // its port went away, and a port that only listened on is closed quietly.
    void OnDeviceLost();
    // Stops a download where it stands, without a message; no records go to the receiver.
    void AbortDownload();

    StreamMode Mode() const { return m_streamMode; }
    // The DB whose text the stream appends to: 1..20, or 0 while it drops text.
    int DownloadRecordNumber() const;

private:
    void OnPromptWaitTick();
    void OnNextCommand();
    void OnStallNotice();
    void StartNextCommandTimer(int nDelayMs);
    void StartTimer(int nTimerId, int nMilliseconds, void (CDownloadProtocol::*pHandler)());
    void Emit(const AnyDownloadEvent& event) { m_events.OnEvent(event); }
    void NoteTesterActive();
    void EndCommandSequence();
    void ReceivePromptWait();
    void OnPrompt();
    void ReceiveTransfer();
    void CompleteDbHeader();
    void ReceiveDataChar(char ch);
    void ResetTransferState();
    void ClosePort();

    IExecutor& m_executor;
    IDownloadPort& m_port;
    IDownloadEvents& m_events;
    IStagedRecordsReceiver& m_receiver;

    std::uint32_t m_nTimeoutTicks = 0;
    std::uint32_t m_nWaitTicks = 0;
    // Waits count from these times, not from timer ticks, so that a timer that
    // fires a little early never makes a wait the tester relies on short.
    IExecutor::Clock::time_point m_promptWaitStart{};
    std::uint32_t m_nLineFeedsSent = 0;
    IExecutor::Clock::time_point m_nextCommandDue{};
    CommandState m_sequenceState = CommandState::Idle;
    StreamMode m_streamMode = StreamMode::None;
    DownloadSection m_section = DownloadSection::None;
    HeaderDigits m_headerDigits = HeaderDigits::Complete;
    std::array<char, 2> m_chDbDigit{};
    int m_nDbNumber = 0;
    std::string m_strCommand;
    // Received texts collect here; they go to the receiver only when the
    // fourth section is complete, so an interrupted download leaves the
    // previous records as they were.
    std::unique_ptr<RecordTable> m_pStaging;
    // The staged record the stream fills; null drops the text.
    TestRecord* m_pDownloadRecord = nullptr;
    bool m_bPortOpen = false;
    // Whether the tester has sent anything since this download started, and
    // whether the prompt wait still runs (no time-out, Cancel or prompt yet).
    bool m_bHeardTester = false;
    bool m_bWaitingForPrompt = false;
    // Whether the tester is stalled in the middle of an answer.
    bool m_bStalled = false;
};

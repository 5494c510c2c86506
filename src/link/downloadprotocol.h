#pragma once

#include "downloadhost.h"
#include "progresspopup.h"
#include "testrecord.h"

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

// The section that received text belongs to; None drops it.
enum class DownloadSection
{
    None = 0,
    RateFrame = 101,
    Graph = 102,
    Ping = 103,
    TraceRoute = 104,
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
// arrives. Everything runs on the host's UI thread, driven by its timers and
// by WM_PORT_DATA.
class CDownloadProtocol
{
public:
    static constexpr int kPromptTickMs = 100;
    static constexpr int kTicksPerLineFeed = 10;
    static constexpr int kFirstCommandDelayMs = 1000;
    static constexpr int kNextCommandDelayMs = 500;
    // A tester that sends nothing for this long in the middle of an answer has
    // stopped; the popup says so until it sends again.
    static constexpr int kStallNoticeMs = 3000;

    CDownloadProtocol(IDownloadHost& host, IDownloadPort& port, IProgressPopup& popup,
                      IRecordViews& views, RecordTable& records);

    // Opens the port and starts the prompt wait; false (reported to the host)
    // when the port cannot be opened.
    bool StartDownload(const std::string& strPort, int nTimeout);
    void OnTimer(int nTimerId);
    // WM_PORT_DATA: reads the channel's receive queue.
    void OnPortData();
    // WM_DOWNLOAD_DONE: parses the received records into the table and
    // refreshes the views.
    void OnDownloadDone();
    // WM_DOWNLOAD_CANCEL
    void OnDownloadCancel();
    // The channel lost its device: the download stops, and the table keeps
    // the previous download's records. Once the tester has sent anything the
    // connection was lost; before that, a running prompt wait failed because
    // its port went away, and a port that only listened on is closed quietly.
    void OnDeviceLost();
    // Stops a download where it stands, without a message; the table is untouched.
    void AbortDownload();

    StreamMode Mode() const { return m_streamMode; }
    // The DB whose text the stream appends to: 1..20, or 0 while it drops text.
    int DownloadRecordNumber() const;

private:
    void OnPromptWaitTick();
    void OnNextCommand();
    void OnStallNotice();
    void StartNextCommandTimer(int nDelayMs);
    void SetProgressMessage(const std::string& strText);
    void NoteTesterActive();
    void EndCommandSequence();
    void ReceivePromptWait();
    void OnPrompt();
    void ReceiveTransfer();
    void CompleteDbHeader();
    void ReceiveDataChar(char ch);
    void ResetTransferState();
    void ClosePort();

    IDownloadHost& m_host;
    IDownloadPort& m_port;
    IProgressPopup& m_wndProgress;
    IRecordViews& m_views;
    RecordTable& m_records;

    std::uint32_t m_nTimeoutTicks = 0;
    std::uint32_t m_nWaitTicks = 0;
    // Waits count from these times, not from timer ticks, so that a timer that
    // fires a little early never makes a wait the tester relies on short.
    DownloadClock::time_point m_promptWaitStart{};
    std::uint32_t m_nLineFeedsSent = 0;
    DownloadClock::time_point m_nextCommandDue{};
    CommandState m_sequenceState = CommandState::Idle;
    StreamMode m_streamMode = StreamMode::None;
    DownloadSection m_section = DownloadSection::None;
    HeaderDigits m_headerDigits = HeaderDigits::Complete;
    std::array<char, 2> m_chDbDigit{};
    int m_nDbNumber = 0;
    std::string m_strSectionLabel;
    std::string m_strCommand;
    // Received texts collect here, apart from the table, which changes only
    // when the fourth section is complete: an interrupted download leaves the
    // previous records as they were.
    std::unique_ptr<RecordTable> m_pStaging;
    // The staged record the stream fills; null drops the text.
    TestRecord* m_pDownloadRecord = nullptr;
    bool m_bPortOpen = false;
    // Whether the tester has sent anything since this download started, and
    // whether the prompt wait still runs (no time-out, Cancel or prompt yet).
    bool m_bHeardTester = false;
    bool m_bWaitingForPrompt = false;
    // The popup's message as the download last set it, shown again when a
    // stalled tester sends again; and whether the stall notice replaces it.
    std::string m_strProgressMessage;
    bool m_bStallShown = false;
};

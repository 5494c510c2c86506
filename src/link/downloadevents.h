#pragma once

#include "link/downloadoutcome.h"
#include "records/testrecord.h"

#include <memory>
#include <string>
#include <variant>

// The section that received text belongs to; None drops it. The value is the
// section's code.
enum class DownloadSection
{
    None = 0,
    RateFrame = 101,
    Graph = 102,
    Ping = 103,
    TraceRoute = 104,
};

// What happens in a download, as its front ends hear it.
namespace DownloadEvent {

// The port is open and the wait for the prompt begins; it times out after nTicks ticks.
struct WaitingForPrompt
{
    unsigned nTicks;
};
// One tick of the prompt wait went by.
struct PromptWaitTick
{
};
// The tester answered with its prompt; each section brings nDbCount DBs.
struct TesterAnswered
{
    int nDbCount;
};
// The command for a section went out.
struct SectionStarted
{
    DownloadSection section;
};
// A DB header arrived; nDb is 0 for a header that addresses no DB.
struct DbReceived
{
    DownloadSection section;
    int nDb;
};
// The tester went quiet in the middle of an answer, and sent again.
struct TransferStalled
{
};
struct TransferResumed
{
};
// The download shows no more progress: it ended, timed out, was cancelled or stopped.
struct ProgressEnded
{
};
struct Failed
{
    DownloadOutcome reason;
};
// A message of the serial channel, such as a queue overflow.
struct ChannelMessage
{
    std::string strText;
};
// The parse of a finished transfer has reached nDone of nTotal records.
struct RecordsParsed
{
    int nDone;
    int nTotal;
};

} // namespace DownloadEvent

using AnyDownloadEvent = std::variant<
    DownloadEvent::WaitingForPrompt, DownloadEvent::PromptWaitTick, DownloadEvent::TesterAnswered,
    DownloadEvent::SectionStarted, DownloadEvent::DbReceived, DownloadEvent::TransferStalled,
    DownloadEvent::TransferResumed, DownloadEvent::ProgressEnded, DownloadEvent::Failed,
    DownloadEvent::ChannelMessage, DownloadEvent::RecordsParsed>;

class IDownloadEvents
{
public:
    virtual void OnEvent(const AnyDownloadEvent& event) = 0;

protected:
    ~IDownloadEvents() = default;
};

// Whoever takes the records of a download whose fourth section is complete,
// still unparsed.
class IStagedRecordsReceiver
{
public:
    virtual void OnTransferDone(std::unique_ptr<RecordTable> pStaged) = 0;

protected:
    ~IStagedRecordsReceiver() = default;
};

// How a DB's arrival reads: "RATE/FRAME DATA = 7 / 20".
std::string DbProgressText(DownloadSection section, int nDbNumber);

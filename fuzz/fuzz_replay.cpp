// The tester of a session log played back against what the program sends.
// The input is a log's text; what follows its first NUL byte, if any, are the
// lines the program sends. Without them the program sends the lines the log
// shows it sending, and must get back every byte the log received, in order.
// With them, whatever it sends, it gets nothing the log did not receive and
// nothing twice or out of order.

#include "fuzzcheck.h"
#include "link/sessionlog.h"
#include "simulator/linecollector.h"
#include "simulator/pacedline.h"
#include "simulator/replayanswers.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// What the replayed tester sends goes to a file in memory, to be read back.
class CCapturedLine
{
public:
    CCapturedLine() : m_fd(memfd_create("replay", 0)) { FUZZ_CHECK(m_fd >= 0); }
    CCapturedLine(const CCapturedLine&) = delete;
    CCapturedLine& operator=(const CCapturedLine&) = delete;
    ~CCapturedLine() { close(m_fd); }

    int Descriptor() const { return m_fd; }
    void Clear()
    {
        FUZZ_CHECK(ftruncate(m_fd, 0) == 0);
        FUZZ_CHECK(lseek(m_fd, 0, SEEK_SET) == 0);
    }
    std::string Contents() const
    {
        const off_t nSize = lseek(m_fd, 0, SEEK_CUR);
        std::string strBytes(static_cast<std::size_t>(nSize), '\0');
        FUZZ_CHECK(pread(m_fd, strBytes.data(), strBytes.size(), 0) == nSize);
        return strBytes;
    }

private:
    int m_fd;
};

std::string ReceivedBytes(const std::vector<SessionLogEntry>& entries)
{
    std::string strBytes;
    for (const SessionLogEntry& entry : entries) {
        if (entry.m_direction == SessionLogEntry::Direction::Received)
            strBytes += entry.m_strBytes;
    }
    return strBytes;
}

std::vector<std::string> SentLines(const std::vector<SessionLogEntry>& entries)
{
    CLineCollector collector;
    std::vector<std::string> lines;
    for (const SessionLogEntry& entry : entries) {
        if (entry.m_direction == SessionLogEntry::Direction::Sent) {
            for (std::string& strLine : collector.Add(entry.m_strBytes))
                lines.push_back(std::move(strLine));
        }
    }
    return lines;
}

// Serves the lines at once and returns everything the tester sent.
std::string Replay(const std::vector<SessionLogEntry>& entries,
                   const std::vector<std::string>& lines)
{
    static CCapturedLine captured;
    captured.Clear();
    CReplayAnswers answers(entries, false);
    CPacedLine output(captured.Descriptor(), false);
    answers.Begin(output);
    output.SendDue(UINT64_MAX);
    for (const std::string& strLine : lines) {
        answers.OnLine(strLine, output);
        output.SendDue(UINT64_MAX);
        FUZZ_CHECK(output.IsIdle());
    }
    return captured.Contents();
}

// True when every byte of strPart appears in strWhole, in the same order.
bool IsSubsequence(const std::string& strPart, const std::string& strWhole)
{
    std::size_t nWhole = 0;
    for (const char ch : strPart) {
        while (nWhole < strWhole.size() && strWhole[nWhole] != ch)
            ++nWhole;
        if (nWhole == strWhole.size())
            return false;
        ++nWhole;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string strInput(reinterpret_cast<const char*>(pData), nSize);
    const std::size_t nEndOfLog = strInput.find('\0');
    std::istringstream log(strInput.substr(0, nEndOfLog));
    std::vector<SessionLogEntry> entries;
    std::string strError;
    if (!ReadSessionLog(log, "fuzz.log", entries, strError))
        return 0;
    // The pauses as the log shows them are only queued, never waited for.
    {
        CReplayAnswers paused(entries, true);
        CPacedLine idle(-1, true);
        paused.Begin(idle);
        for (const std::string& strLine : SentLines(entries))
            paused.OnLine(strLine, idle);
    }

    const std::string strReceived = ReceivedBytes(entries);
    if (nEndOfLog == std::string::npos) {
        FUZZ_CHECK(Replay(entries, SentLines(entries)) == strReceived);
        return 0;
    }
    CLineCollector program;
    const std::vector<std::string> lines = program.Add(strInput.substr(nEndOfLog + 1));
    FUZZ_CHECK(IsSubsequence(Replay(entries, lines), strReceived));
    return 0;
}

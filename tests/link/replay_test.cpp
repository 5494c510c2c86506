// Playing a session log back: which of the program's lines get which of the
// logged answers, and the must-hold case that a logged download replayed
// through the simulator downloads the same records again.

#include "downloadedtable.h"
#include "link/headlessdownload.h"
#include "link/sessionlog.h"
#include "simulator/pacedline.h"
#include "simulator/replayanswers.h"
#include "simulator/sampleset.h"
#include "simulator/simulatedtester.h"
#include "simulator/simulatorprocess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Direction = SessionLogEntry::Direction;

const std::string kSimulator = std::string(LMX_TOOLS_DIR) + "/lmx4410-sim";

// A pipe, open from construction on.
struct Pipe
{
    Pipe()
    {
        if (pipe2(m_anFd, O_NONBLOCK | O_CLOEXEC) != 0)
            m_anFd[0] = m_anFd[1] = -1;
    }
    ~Pipe()
    {
        close(m_anFd[0]);
        close(m_anFd[1]);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    int m_anFd[2] = {-1, -1};
};

// The tester's output on a pipe, so the test can read what it sent.
class CPipeLine
{
public:
    CPacedLine& Output() { return m_output; }
    // Sends what is due now and returns it.
    std::string Sent()
    {
        m_output.SendDue(UINT64_MAX);
        std::string strSent;
        char buffer[256];
        ssize_t nRead = 0;
        while ((nRead = read(m_pipe.m_anFd[0], buffer, sizeof buffer)) > 0)
            strSent.append(buffer, static_cast<std::size_t>(nRead));
        return strSent;
    }

private:
    Pipe m_pipe;
    CPacedLine m_output{m_pipe.m_anFd[1], false};
};

SessionLogEntry Sent(const std::string& strBytes, std::int64_t nMs = 0)
{
    return {Direction::Sent, nMs, strBytes};
}
SessionLogEntry Received(const std::string& strBytes, std::int64_t nMs = 0)
{
    return {Direction::Received, nMs, strBytes};
}
SessionLogEntry Noted(const std::string& strText, std::int64_t nMs = 0)
{
    return {Direction::Note, nMs, strText};
}

TEST(ReplayAnswersTest, EachLineGetsWhatFollowedItsMatchInTheLog)
{
    // A tester that answered the third wake-up, then the first two commands.
    const std::vector<SessionLogEntry> log = {
        Noted("port opened"),
        Received("boot"),
        Sent("\n"),
        Sent("\n"),
        Sent("\n"),
        Received(">"),
        Sent("forpc rtrvinfo\n"),
        Received("%01A;"),
        Received("%02B;"),
        Sent("forpc rtrv"),
        Sent("grp\n"),
        Received("%01C;"),
        Noted("port closed"),
    };
    struct Case
    {
        const char* pszName;
        std::vector<std::string> lines;   // from the program
        std::vector<std::string> answers; // to each
    };
    const Case cases[] = {
        {"the logged download again",
         {"\n", "\n", "\n", "forpc rtrvinfo\n", "forpc rtrvgrp\n"},
         {"", "", ">", "%01A;%02B;", "%01C;"}},
        {"a command skips the wake-ups the log has left",
         {"\n", "forpc rtrvinfo\n", "forpc rtrvgrp\n"},
         {"", "%01A;%02B;", "%01C;"}},
        {"an extra wake-up skips no command",
         {"\n", "\n", "\n", "\n", "forpc rtrvinfo\n", "\n", "forpc rtrvgrp\n"},
         {"", "", ">", "", "%01A;%02B;", "", "%01C;"}},
        {"a line the log never shows gets no answer",
         {"forpc rtrvping\n", "\n", "forpc rtrvping\n", "forpc rtrvgrp\n", "forpc rtrvinfo\n"},
         {"", "", "", "%01C;", ""}},
        {"after the log nothing more",
         {"forpc rtrvgrp\n", "forpc rtrvgrp\n", "\n"},
         {"%01C;", "", ""}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.pszName);
        CPipeLine line;
        CReplayAnswers answers(log, false);
        answers.Begin(line.Output());
        EXPECT_EQ(line.Sent(), "boot");
        ASSERT_EQ(test.lines.size(), test.answers.size());
        for (std::size_t i = 0; i < test.lines.size(); ++i) {
            answers.OnLine(test.lines[i], line.Output());
            EXPECT_EQ(line.Sent(), test.answers[i]) << "line " << i;
        }
    }
}

TEST(ReplayAnswersTest, PausesFollowTheLogUpToTheLongestPause)
{
    struct Case
    {
        const char* pszName;
        std::int64_t nAnswerMs; // after the wake-up sent at 1000 ms
        bool bKeepPauses;
        std::chrono::milliseconds expected;
    };
    const Case cases[] = {
        {"a short pause", 1300, true, 300ms},
        {"a long pause is cut short", 61000, true, CReplayAnswers::kLongestPause},
        {"at once when asked", 1300, false, 0ms},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.pszName);
        const std::vector<SessionLogEntry> log = {Noted("port opened", 0), Sent("\n", 1000),
                                                  Noted("waiting", 1200),
                                                  Received(">", test.nAnswerMs)};
        CPipeLine line;
        CReplayAnswers answers(log, test.bKeepPauses);
        answers.Begin(line.Output());
        const auto before = CPacedLine::Clock::now();
        answers.OnLine("\n", line.Output());
        const auto due = line.Output().SendDue(UINT64_MAX);
        const auto after = CPacedLine::Clock::now();
        if (test.expected == 0ms) {
            EXPECT_FALSE(due.has_value());
            EXPECT_EQ(line.Sent(), ">");
            continue;
        }
        ASSERT_TRUE(due.has_value());
        EXPECT_GE(*due, before + test.expected);
        EXPECT_LE(*due, after + test.expected);
        EXPECT_EQ(line.Sent(), "");
    }
}

std::filesystem::path LogPath(const std::string& strName)
{
    return std::filesystem::temp_directory_path() /
           ("lmx-replay-" + std::to_string(getpid()) + "-" + strName + ".log");
}

// Downloads from the tester on strDevice, logging into strLogPath when given.
DownloadOutcome DownloadFrom(const std::string& strDevice, RecordTable& records,
                             const std::string& strLogPath = std::string(), int nTimeout = 10)
{
    CSessionLog log;
    FileError error;
    if (!strLogPath.empty()) {
        std::filesystem::remove(strLogPath);
        EXPECT_TRUE(log.Open(strLogPath, strDevice, error)) << error.m_strSystemText;
    }
    CHeadlessDownload download(records, nullptr, strLogPath.empty() ? nullptr : &log);
    return download.Run(strDevice, nTimeout, 5s);
}

std::vector<SessionLogEntry> ReadBack(const std::string& strPath)
{
    std::vector<SessionLogEntry> entries;
    std::string strError;
    EXPECT_TRUE(ReadSessionLog(strPath, entries, strError)) << strError;
    return entries;
}

// Whatever the tester did on the way (a late prompt, so the program wakes it
// more than once; echoed commands; split headers; noise), the log of the
// download replays to the same 20 records.
TEST(ReplayDownloadTest, ALoggedDownloadReplaysToTheSameRecords)
{
    struct Case
    {
        const char* pszName;
        SimulatorBehaviour behaviour;
    };
    SimulatorBehaviour awkward;
    awkward.m_bEcho = true;
    awkward.m_bGarbage = true;
    awkward.m_bSplitHeaders = true;
    awkward.m_promptDelay = 1500ms;
    const Case cases[] = {{"a plain tester", {}}, {"an awkward tester", awkward}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.pszName);
        const std::string strLog = LogPath("in-process").string();
        SimulatorOptions options;
        options.m_bPaced = false;
        options.m_behaviour = test.behaviour;

        CSimulatedTester tester;
        ASSERT_TRUE(tester.Start(BuiltInSampleSet(), options)) << tester.LastError();
        ASSERT_TRUE(tester.StartThread()) << tester.LastError();
        RecordTable logged;
        ASSERT_EQ(DownloadFrom(tester.DevicePath(), logged, strLog), DownloadOutcome::Completed);
        tester.Stop();
        if (!test.behaviour.m_bEcho) {
            EXPECT_EQ(logged, Downloaded(BuiltInSampleSet()));
        }

        const std::vector<SessionLogEntry> entries = ReadBack(strLog);
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(entries.back().m_strBytes, "download completed");
        ASSERT_TRUE(tester.Start(std::make_unique<CReplayAnswers>(entries, false), options))
            << tester.LastError();
        ASSERT_TRUE(tester.StartThread()) << tester.LastError();
        RecordTable replayed;
        ASSERT_EQ(DownloadFrom(tester.DevicePath(), replayed), DownloadOutcome::Completed);
        EXPECT_EQ(replayed, logged);
        std::filesystem::remove(strLog);
    }
}

// The log of a tester that never answered replays, through lmx4410-sim, as a
// tester that never answers.
TEST(ReplayDownloadTest, AFailedDownloadReplaysAsTheSameFailure)
{
    const std::string strLog = LogPath("silent").string();
    RecordTable records;
    {
        CSimulatorProcess original;
        ASSERT_TRUE(original.Start(kSimulator, {"--fast", "--silent"}));
        ASSERT_EQ(DownloadFrom(original.DevicePath(), records, strLog, 1),
                  DownloadOutcome::PromptTimeout);
    }
    const std::vector<SessionLogEntry> entries = ReadBack(strLog);
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [](const SessionLogEntry& entry) {
        return entry.m_strBytes == "download failed: prompt timed out";
    }));
    CSimulatorProcess replay;
    ASSERT_TRUE(replay.Start(kSimulator, {"--replay", strLog, "--fast"}));
    EXPECT_EQ(DownloadFrom(replay.DevicePath(), records, std::string(), 1),
              DownloadOutcome::PromptTimeout);
    EXPECT_EQ(records, RecordTable());
    std::filesystem::remove(strLog);
}

} // namespace

// Downloads from lmx4410-sim over a pseudo-terminal through the real channel
// and protocol: the nearest thing to a tester on a serial port.

#include "channelmessages.h"
#include "downloadedtable.h"
#include "link/headlessdownload.h"
#include "link/sessionlog.h"
#include "records/documentfile.h"
#include "records/fileaccess.h"
#include "records/saveall.h"
#include "simulator/sampleset.h"
#include "simulator/simulatorprocess.h"
#include "simulator/testersimulator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace {

using namespace std::chrono_literals;

const std::string kSimulator = std::string(LMX_TOOLS_DIR) + "/lmx4410-sim";
const std::string kTool = std::string(LMX_TOOLS_DIR) + "/lmxtool";

std::filesystem::path FreshDirectory(const std::string& strName)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("lmx-link-" + std::to_string(getpid()) + "-" + strName);
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}

class DownloadEndToEndTest : public ::testing::Test
{
protected:
    void StartSimulator(const std::vector<std::string>& args)
    {
        ASSERT_TRUE(m_simulator.Start(kSimulator, args)) << kSimulator;
    }

    DownloadOutcome Download(int nTimeout = 10, std::chrono::milliseconds stallLimit = 5s)
    {
        return m_download.Run(m_simulator.DevicePath(), nTimeout, stallLimit);
    }

    CSimulatorProcess m_simulator;
    RecordTable m_records;
    CChannelMessages m_display;
    CHeadlessDownload m_download{m_records, &m_display};
};

TEST_F(DownloadEndToEndTest, TheDefaultSetArrivesWholeTwiceInARow)
{
    StartSimulator({"--fast"});
    ASSERT_EQ(Download(), DownloadOutcome::Completed);
    EXPECT_EQ(m_records, Downloaded(BuiltInSampleSet()));
    // The second download must be able to open the device again.
    m_records = RecordTable();
    ASSERT_EQ(Download(), DownloadOutcome::Completed);
    EXPECT_EQ(m_records, Downloaded(BuiltInSampleSet()));
    EXPECT_TRUE(m_display.m_messages.empty());
}

TEST_F(DownloadEndToEndTest, NoiseSplitHeadersAndALatePromptChangeNothing)
{
    StartSimulator({"--fast", "--garbage", "--split-headers", "--prompt-delay", "1500"});
    ASSERT_EQ(Download(), DownloadOutcome::Completed);
    EXPECT_EQ(m_records, Downloaded(BuiltInSampleSet()));
}

TEST_F(DownloadEndToEndTest, AnEchoedCommandLandsInDb20sNextSection)
{
    StartSimulator({"--fast", "--echo"});
    ASSERT_EQ(Download(), DownloadOutcome::Completed);
    const RecordTable data = BuiltInSampleSet();
    RecordTable expected = Downloaded(data);
    // The echo arrives while DB 20 of the previous answer is still addressed;
    // the first command's echo comes before any header and is dropped.
    TestRecord& last = expected[kDbCount];
    last.m_Graph.m_strRaw = "forpc rtrvgrp\n" + last.m_Graph.m_strRaw;
    last.m_Ping.m_strRaw = "forpc rtrvping\n" + last.m_Ping.m_strRaw;
    last.m_TraceRoute.m_strRaw = "forpc rtrvtrrt\n" + last.m_TraceRoute.m_strRaw;
    last = ParsedFromRaw(last);
    EXPECT_EQ(m_records, expected);
}

TEST_F(DownloadEndToEndTest, ASilentTesterTimesOutAndLeavesTheRecords)
{
    StartSimulator({"--fast", "--silent"});
    m_records[4].m_RateFrame.m_strRaw = "kept";
    const RecordTable before = m_records;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Download(1), DownloadOutcome::PromptTimeout);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_EQ(m_records, before);
}

TEST_F(DownloadEndToEndTest, AfterAStallTheNextDownloadSucceeds)
{
    StartSimulator({"--fast", "--stall-after", "3000"});
    EXPECT_EQ(Download(10, 1s), DownloadOutcome::TransferStalled);
    EXPECT_EQ(m_records, RecordTable());
    ASSERT_EQ(Download(), DownloadOutcome::Completed);
    EXPECT_EQ(m_records, Downloaded(BuiltInSampleSet()));
}

TEST_F(DownloadEndToEndTest, AHangUpMidSectionKeepsThePreviousRecords)
{
    StartSimulator({"--fast"});
    ASSERT_EQ(Download(), DownloadOutcome::Completed);
    const RecordTable first = m_records;
    m_simulator.Stop();

    StartSimulator({"--fast", "--hang-up-after", "5000"});
    EXPECT_EQ(Download(), DownloadOutcome::DeviceLost);
    EXPECT_EQ(m_records, first);
    EXPECT_EQ(m_simulator.WaitForExit(10s), 0);
}

TEST_F(DownloadEndToEndTest, APacedDownloadKeepsToTheLineRateAndTheProtocolWaits)
{
    // A small data directory keeps the 960 bytes a second short.
    const std::filesystem::path directory = FreshDirectory("paced");
    RecordTable data;
    const std::pair<int, const char*> files[] = {{1, "rate-frame"}, {1, "ping"}, {7, "graph"}};
    for (const auto& [nDb, pszSuffix] : files) {
        char name[32];
        std::snprintf(name, sizeof name, "DB%02d.%s", nDb, pszSuffix);
        std::ofstream(directory / name) << "Y:" << nDb << ":" << pszSuffix << "\n";
    }
    data[1].m_RateFrame.m_strRaw = "Y:1:rate-frame";
    data[1].m_Ping.m_strRaw = "Y:1:ping";
    data[7].m_Graph.m_strRaw = "Y:7:graph";

    StartSimulator({"--data", directory.string()});
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Download(), DownloadOutcome::Completed);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    const double dNeeded =
        static_cast<double>(DownloadByteCount(data)) / 960.0 + 1.0 + 1.0 + 3 * 0.5 + 0.5;
    // The line and the protocol's waits set a floor; how close the download
    // comes to it is the benchmark's business, not a test's.
    EXPECT_GE(elapsed.count(), dNeeded - 0.05);
    EXPECT_EQ(m_records, Downloaded(data));
    std::filesystem::remove_all(directory);
}

// Runs lmxtool download into directory with extra arguments; returns its
// exit status and leaves its stdout and stderr in directory/"output".
int RunToolDownload(const std::string& strDevice, const std::filesystem::path& directory,
                    const std::string& strExtra = std::string())
{
    const std::string strCommand = kTool + " download --port " + strDevice + " --out " +
                                   directory.string() + strExtra + " >" +
                                   (directory / "output").string() + " 2>&1";
    const int nStatus = std::system(strCommand.c_str());
    return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
}

std::string ToolOutput(const std::filesystem::path& directory)
{
    std::ifstream output(directory / "output");
    return std::string((std::istreambuf_iterator<char>(output)), {});
}

TEST_F(DownloadEndToEndTest, LmxtoolSavesEachDbWithATest)
{
    StartSimulator({"--fast"});
    const std::filesystem::path directory = FreshDirectory("tool");
    ASSERT_EQ(RunToolDownload(m_simulator.DevicePath(), directory), 0) << ToolOutput(directory);

    const RecordTable expected = Downloaded(BuiltInSampleSet());
    int nSaved = 0;
    int nNamedByUser = 0;
    for (int nDb = 1; nDb <= kDbCount; ++nDb) {
        const TestRecord& record = expected[static_cast<std::size_t>(nDb)];
        const std::string strName = DbFileName(nDb, record, ".lmx");
        const bool bHoldsTest =
            record.m_RateFrame.m_bValid || record.m_Graph.m_bValid || record.m_Ping.m_bValid;
        ASSERT_EQ(std::filesystem::exists(directory / strName), bHoldsTest) << strName;
        if (!bHoldsTest)
            continue;
        ++nSaved;
        nNamedByUser += strName.size() > std::string("DB01.lmx").size();
        std::string strBytes;
        ASSERT_EQ(ReadFileBytes((directory / strName).string(), strBytes), DocumentStatus::Ok);
        EXPECT_EQ(strBytes, StoreDocument(DocumentVersions(), record)) << strName;
    }
    EXPECT_EQ(nSaved, 10);
    EXPECT_GT(nNamedByUser, 0);
    EXPECT_NE(ToolOutput(directory).find("10 with a test saved"), std::string::npos)
        << ToolOutput(directory);
    std::filesystem::remove_all(directory);
}

// Off a terminal the progress is a line for each new stage and each full bar.
TEST_F(DownloadEndToEndTest, LmxtoolLogsEachStageOnALineOfItsOwn)
{
    StartSimulator({"--fast"});
    const std::filesystem::path directory = FreshDirectory("stages");
    ASSERT_EQ(RunToolDownload(m_simulator.DevicePath(), directory), 0) << ToolOutput(directory);
    EXPECT_EQ(ToolOutput(directory).substr(0, ToolOutput(directory).find("downloaded")),
              "Connecting: Waiting for the tester\n"
              "Connected: The tester answered\n"
              "Receiving: RATE/FRAME DATA = 1 / 20\n"
              "Receiving: RATE/FRAME DATA = 20 / 20\n"
              "Receiving: GRAPH DATA = 20 / 20\n"
              "Receiving: PING DATA = 20 / 20\n"
              "Receiving: TRACE ROUTE DATA = 20 / 20\n"
              "Data Loading.. 20 records parsed\n");
    std::filesystem::remove_all(directory);
}

TEST_F(DownloadEndToEndTest, LmxtoolKeepsExistingFilesUnlessForced)
{
    StartSimulator({"--fast"});
    const std::filesystem::path directory = FreshDirectory("force");
    const RecordTable expected = Downloaded(BuiltInSampleSet());
    int nKeptDb = 0;
    while (!HoldsTest(expected[static_cast<std::size_t>(++nKeptDb)]))
        ;
    const TestRecord& kept = expected[static_cast<std::size_t>(nKeptDb)];
    const std::filesystem::path keptPath = directory / DbFileName(nKeptDb, kept, ".lmx");
    std::ofstream(keptPath) << "an earlier download";

    EXPECT_EQ(RunToolDownload(m_simulator.DevicePath(), directory), 1);
    const std::string strOutput = ToolOutput(directory);
    EXPECT_NE(strOutput.find(keptPath.string()), std::string::npos) << strOutput;
    EXPECT_NE(strOutput.find("--force"), std::string::npos) << strOutput;
    EXPECT_NE(strOutput.find("9 with a test saved"), std::string::npos) << strOutput;
    std::string strBytes;
    ASSERT_EQ(ReadFileBytes(keptPath.string(), strBytes), DocumentStatus::Ok);
    EXPECT_EQ(strBytes, "an earlier download");

    EXPECT_EQ(RunToolDownload(m_simulator.DevicePath(), directory, " --force"), 0)
        << ToolOutput(directory);
    ASSERT_EQ(ReadFileBytes(keptPath.string(), strBytes), DocumentStatus::Ok);
    EXPECT_EQ(strBytes, StoreDocument(DocumentVersions(), kept));
    std::filesystem::remove_all(directory);
}

// The log of one download, replayed by the simulator, downloads the same
// files again; an existing log is replaced only with --force.
TEST_F(DownloadEndToEndTest, LmxtoolKeepsASessionLogThatReplaysToTheSameFiles)
{
    StartSimulator({"--fast"});
    const std::filesystem::path directory = FreshDirectory("log");
    const std::string strLog = (directory / "session.log").string();
    for (const char* pszRun : {"first", "again", "replayed"})
        std::filesystem::create_directories(directory / pszRun);
    ASSERT_EQ(RunToolDownload(m_simulator.DevicePath(), directory / "first", " --log " + strLog), 0)
        << ToolOutput(directory / "first");
    std::vector<SessionLogEntry> entries;
    std::string strError;
    ASSERT_TRUE(ReadSessionLog(strLog, entries, strError)) << strError;
    EXPECT_EQ(entries.back().m_strBytes, "download completed");

    EXPECT_EQ(RunToolDownload(m_simulator.DevicePath(), directory / "again", " --log " + strLog),
              1);
    EXPECT_NE(ToolOutput(directory / "again").find("session log " + strLog + " exists already"),
              std::string::npos)
        << ToolOutput(directory / "again");
    // Refused before the download: nothing but the tool's output is there.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory / "again"),
                            std::filesystem::directory_iterator()),
              1);
    std::vector<SessionLogEntry> kept;
    ASSERT_TRUE(ReadSessionLog(strLog, kept, strError)) << strError;
    EXPECT_EQ(kept.size(), entries.size());

    m_simulator.Stop();
    StartSimulator({"--replay", strLog, "--fast"});
    ASSERT_EQ(RunToolDownload(m_simulator.DevicePath(), directory / "replayed",
                              " --log " + strLog + " --force"),
              0)
        << ToolOutput(directory / "replayed");
    for (const auto& file : std::filesystem::directory_iterator(directory / "first")) {
        if (file.path().filename() == "output")
            continue;
        std::string strFirst;
        std::string strReplayed;
        ASSERT_EQ(ReadFileBytes(file.path().string(), strFirst), DocumentStatus::Ok);
        ASSERT_EQ(
            ReadFileBytes((directory / "replayed" / file.path().filename()).string(), strReplayed),
            DocumentStatus::Ok)
            << file.path().filename();
        EXPECT_EQ(strReplayed, strFirst) << file.path().filename();
    }
    ASSERT_TRUE(ReadSessionLog(strLog, kept, strError)) << strError;
    EXPECT_NE(kept.front().m_strBytes.find(m_simulator.DevicePath()), std::string::npos)
        << kept.front().m_strBytes;
    std::filesystem::remove_all(directory);
}

// A file size limit stands in for a full disk: the log stops, the download
// and the saving go on, and the run is no success.
TEST_F(DownloadEndToEndTest, LmxtoolCarriesOnWhenTheLogCannotBeWritten)
{
    StartSimulator({"--fast"});
    const std::filesystem::path directory = FreshDirectory("fulllog");
    const std::string strLog = (directory / "session.log").string();
    const std::string strCommand = "trap '' XFSZ; ulimit -f 16; " + kTool + " download --port " +
                                   m_simulator.DevicePath() + " --out " + directory.string() +
                                   " --log " + strLog + " >" + (directory / "output").string() +
                                   " 2>&1";
    const int nStatus = std::system(strCommand.c_str());
    EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 1) << nStatus;
    const std::string strOutput = ToolOutput(directory);
    EXPECT_NE(strOutput.find("10 with a test saved"), std::string::npos) << strOutput;
    EXPECT_NE(
        strOutput.find("the session log stopped early: cannot write the session log " + strLog),
        std::string::npos)
        << strOutput;
    // Blocks of 512 or 1024 bytes, as the shell counts them.
    EXPECT_LE(std::filesystem::file_size(strLog), 16u * 1024u);
    std::filesystem::remove_all(directory);
}

TEST_F(DownloadEndToEndTest, Lmx4410SimRefusesAReplayItCannotPlay)
{
    const std::filesystem::path directory = FreshDirectory("badreplay");
    const std::string strBad = (directory / "bad.log").string();
    std::ofstream(strBad) << "# LMX-4410 session log\n10:00:00.000 QQ 0a\n";
    const std::pair<std::string, std::string> cases[] = {
        {"--replay " + strBad, strBad + ", line 2: unknown direction 'QQ'"},
        {"--replay " + (directory / "none.log").string(), "cannot open the session log"},
        {"--replay " + strBad + " --echo", "--echo does not go with it"},
        {"--data " + directory.string() + " --replay " + strBad, "--data does not go with it"},
    };
    for (const auto& [strArgs, strMessage] : cases) {
        const std::string strCommand =
            kSimulator + " " + strArgs + " >/dev/null 2>" + (directory / "err").string();
        const int nStatus = std::system(strCommand.c_str());
        EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) != 0) << strArgs;
        std::ifstream error(directory / "err");
        const std::string strError((std::istreambuf_iterator<char>(error)), {});
        EXPECT_NE(strError.find(strMessage), std::string::npos) << strError;
    }
    std::filesystem::remove_all(directory);
}

TEST_F(DownloadEndToEndTest, LmxtoolFailsClearlyWithoutATester)
{
    StartSimulator({"--fast", "--silent"});
    const std::filesystem::path directory = FreshDirectory("fail");
    const std::pair<std::string, std::string> cases[] = {
        {"--port /dev/no-such-tester", "cannot open /dev/no-such-tester"},
        {"--port " + m_simulator.DevicePath() + " --timeout 1", "did not answer within 1 s"},
    };
    for (const auto& [strArgs, strMessage] : cases) {
        const std::string strCommand = kTool + " download " + strArgs + " --out " +
                                       directory.string() + " 2>" + (directory / "err").string();
        const int nStatus = std::system(strCommand.c_str());
        EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 1) << strArgs;
        std::ifstream error(directory / "err");
        const std::string strError((std::istreambuf_iterator<char>(error)), {});
        EXPECT_NE(strError.find(strMessage), std::string::npos) << strError;
    }
    std::filesystem::remove_all(directory);
}

} // namespace

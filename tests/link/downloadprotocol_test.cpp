#include "downloadedtable.h"
#include "fakedownloadhost.h"
#include "link/downloadprotocol.h"
#include "link/recordloader.h"
#include "simulator/sampleset.h"
#include "simulator/testersimulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string_view>

namespace {

using Batches = std::vector<std::string>;
using Splitter = std::function<Batches(const std::string&)>;

// What a tester holding data sends for a command, as the simulator frames it.
std::string AnswerFor(const RecordTable& data, const std::string& strCommand)
{
    CTesterSimulator tester(data, SimulatorBehaviour());
    std::string strAnswer;
    for (const OutputChunk& chunk : tester.Answer(tester.Receive(strCommand).at(0)))
        strAnswer += chunk.m_strBytes;
    return strAnswer;
}

// A table whose DB n holds short texts naming n and the section.
RecordTable TaggedTable(const std::string& strTag)
{
    RecordTable table;
    for (int nDb = 1; nDb <= kDbCount; ++nDb) {
        TestRecord& record = table[static_cast<std::size_t>(nDb)];
        const std::string strDb = std::to_string(nDb);
        record.m_RateFrame.m_strRaw = "Y:1:1:" + strDb + ":" + strTag;
        record.m_Graph.m_strRaw = "Y:" + strDb;
        record.m_Ping.m_strRaw = "Y:0:" + strDb;
        record.m_TraceRoute.m_strRaw = "Y:1:" + strDb;
    }
    return table;
}

Batches Whole(const std::string& strText)
{
    return {strText};
}

Batches OneByteEach(const std::string& strText)
{
    Batches batches;
    for (char ch : strText)
        batches.emplace_back(1, ch);
    return batches;
}

// Ends a batch nKeep bytes into every header: after the '%' (1) or after the
// first digit (2).
Splitter SplitInsideHeaders(std::size_t nKeep)
{
    return [nKeep](const std::string& strText) {
        Batches batches(1);
        for (std::size_t i = 0; i < strText.size(); ++i) {
            batches.back() += strText[i];
            if (i >= nKeep - 1 && strText[i - (nKeep - 1)] == '%')
                batches.emplace_back();
        }
        return batches;
    };
}

class DownloadProtocolTest : public ::testing::Test
{
protected:
    DownloadProtocolTest()
    {
        m_host.m_onTransferDone = [this](std::unique_ptr<RecordTable> pStaged) {
            m_loader.Load(std::move(pStaged));
        };
    }

    // One notification from the watch thread, without the host's re-delivery.
    void DeliverBatch(std::string_view bytes)
    {
        m_host.m_strReceived += bytes;
        m_protocol.OnPortData();
    }

    // A notification and the re-deliveries the protocol asks for.
    void Deliver(std::string_view bytes)
    {
        DeliverBatch(bytes);
        m_host.RunPosted();
    }

    void StartAndPrompt(int nTimeout = 10)
    {
        ASSERT_TRUE(m_protocol.StartDownload("2", nTimeout));
        m_host.Advance(1000);
        Deliver(">");
    }

    // Runs timer 12 to the next command and answers it from data.
    void AnswerNextCommand(const RecordTable& data, const Splitter& split = Whole)
    {
        const std::size_t nSent = m_host.m_commands.size();
        RunToNextCommand();
        ASSERT_EQ(m_host.m_commands.size(), nSent + 1);
        for (const std::string& batch : split(AnswerFor(data, m_host.m_commands.back())))
            Deliver(batch);
    }

    void RunToNextCommand()
    {
        m_host.Advance(static_cast<int>(m_host.TimerDue(TIMER_NEXT_COMMAND) - m_host.NowMs()));
    }

    // Ends the current section, answers the remaining commands with DB 20
    // alone, and lets the download finish.
    void FinishDownload()
    {
        Deliver("%20;");
        while (m_host.IsTimerRunning(TIMER_NEXT_COMMAND)) {
            RunToNextCommand();
            if (m_protocol.Mode() == StreamMode::Transfer)
                Deliver("%20;");
        }
        RunParse();
    }

    // The parse takes a step per record.
    void RunParse()
    {
        while (m_host.IsTimerRunning(TIMER_PARSE_STEP))
            m_host.Advance(1);
    }

    void Download(const RecordTable& data, const Splitter& split = Whole)
    {
        StartAndPrompt();
        for (int nSection = 0; nSection < 4; ++nSection)
            AnswerNextCommand(data, split);
        m_host.Advance(500);
        RunParse();
    }

    CFakeDownloadHost m_host;
    RecordTable m_records;
    CRecordLoader m_loader{m_host, m_host, m_records, std::chrono::milliseconds(0)};
    CDownloadProtocol m_protocol{m_host, m_host, m_host, m_host};
};

struct PromptWaitCase
{
    int nTimeout;
    std::vector<long long> lineFeedTimes;
    long long nTimeoutAt;
};

TEST_F(DownloadProtocolTest, PromptWaitSendsALineFeedEverySecondAndTimesOutAfterTheLimit)
{
    const PromptWaitCase cases[] = {
        {10, {1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000}, 10100},
        {1, {1000}, 1100},
        {0, {}, 100},
    };
    for (const PromptWaitCase& c : cases) {
        SCOPED_TRACE("TIMEOUT " + std::to_string(c.nTimeout));
        CFakeDownloadHost host;
        CDownloadProtocol protocol(host, host, host, host);

        ASSERT_TRUE(protocol.StartDownload("2", c.nTimeout));
        EXPECT_EQ(host.m_nBaud, 9600);
        EXPECT_EQ(host.m_nPopupLimit, static_cast<unsigned>(c.nTimeout * 10));
        EXPECT_EQ(host.m_popupMessages.back(), "#58206" + std::string(19, ' '));
        EXPECT_EQ(host.m_nCancelMessage, WM_DOWNLOAD_CANCEL);

        host.Advance(static_cast<int>(c.nTimeoutAt) - 100);
        EXPECT_TRUE(host.m_failures.empty());
        host.Advance(100);
        EXPECT_EQ(host.m_lineFeedTimes, c.lineFeedTimes);
        EXPECT_EQ(host.m_failures, std::vector{DownloadOutcome::PromptTimeout});
        EXPECT_FALSE(host.IsTimerRunning(TIMER_PROMPT_WAIT));
        EXPECT_FALSE(host.m_bPopupShown);
        // The port keeps listening for a late prompt.
        EXPECT_TRUE(host.m_bOpen);
        EXPECT_EQ(protocol.Mode(), StreamMode::PromptWait);
    }
}

TEST_F(DownloadProtocolTest, APromptAfterTheTimeOutStillDownloads)
{
    const RecordTable data = TaggedTable("late");
    ASSERT_TRUE(m_protocol.StartDownload("2", 1));
    m_host.Advance(5000);
    ASSERT_EQ(m_host.m_failures.size(), 1u);
    Deliver("noise>");
    for (int nSection = 0; nSection < 4; ++nSection)
        AnswerNextCommand(data);
    m_host.Advance(500);
    RunParse();
    EXPECT_EQ(m_records, Downloaded(data));
}

struct SplitCase
{
    const char* pszName;
    Splitter split;
};

class DownloadSplitTest : public DownloadProtocolTest,
                          public ::testing::WithParamInterface<SplitCase>
{
};

TEST_P(DownloadSplitTest, FillsEveryRecordHoweverTheAnswersAreSplit)
{
    const RecordTable data = BuiltInSampleSet();
    Download(data, GetParam().split);

    EXPECT_EQ(m_records, Downloaded(data));
    EXPECT_EQ(m_host.m_commands,
              (std::vector<std::string>{"forpc rtrvinfo\n", "forpc rtrvgrp\n", "forpc rtrvping\n",
                                        "forpc rtrvtrrt\n"}));
    EXPECT_FALSE(m_host.m_bOpen);
    EXPECT_FALSE(m_host.m_bPopupShown);
    EXPECT_TRUE(m_host.m_failures.empty());
    std::vector<std::string> views = {"begin Data Loading.. 20"};
    views.insert(views.end(), 20, "step");
    views.insert(views.end(), {"ClearTree", "ClearItems", "FillTree", "end"});
    EXPECT_EQ(m_host.m_views, views);
}

INSTANTIATE_TEST_SUITE_P(
    Splits, DownloadSplitTest,
    ::testing::Values(SplitCase{"WholeAnswers", Whole}, SplitCase{"OneByteEach", OneByteEach},
                      SplitCase{"PercentLastInABatch", SplitInsideHeaders(1)},
                      SplitCase{"PercentAndFirstDigitLast", SplitInsideHeaders(2)}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return info.param.pszName; });

// What the front ends hear: each section as its command goes out, then its
// DBs in order, and the end of the progress once the last section is in.
TEST_F(DownloadProtocolTest, AWholeDownloadTellsEachSectionAndItsDbsInOrder)
{
    Download(TaggedTable("e"));
    std::vector<std::pair<DownloadSection, int>> told;
    for (const AnyDownloadEvent& event : m_host.m_events) {
        if (const auto* pSection = std::get_if<DownloadEvent::SectionStarted>(&event))
            told.emplace_back(pSection->section, 0);
        else if (const auto* pDb = std::get_if<DownloadEvent::DbReceived>(&event))
            told.emplace_back(pDb->section, pDb->nDb);
    }
    std::vector<std::pair<DownloadSection, int>> expected;
    for (const DownloadSection section : {DownloadSection::RateFrame, DownloadSection::Graph,
                                          DownloadSection::Ping, DownloadSection::TraceRoute}) {
        for (int nDb = 0; nDb <= kDbCount; ++nDb)
            expected.emplace_back(section, nDb);
    }
    EXPECT_EQ(told, expected);
    ASSERT_FALSE(m_host.m_events.empty());
    EXPECT_TRUE(std::holds_alternative<DownloadEvent::ProgressEnded>(m_host.m_events.back()));
}

TEST_F(DownloadProtocolTest, CommandsFollowThePromptAfterOneSecondAndEachAnswerAfterHalfASecond)
{
    const RecordTable data = TaggedTable("t");
    StartAndPrompt();
    const long long nPrompt = m_host.NowMs();
    EXPECT_EQ(m_host.TimerDue(TIMER_NEXT_COMMAND), nPrompt + 1000);
    AnswerNextCommand(data);
    const long long nAnswered = m_host.NowMs();
    EXPECT_EQ(m_host.TimerDue(TIMER_NEXT_COMMAND), nAnswered + 500);
}

TEST_F(DownloadProtocolTest, BytesAfterThePromptInTheSameBatchAreReadInTransferMode)
{
    ASSERT_TRUE(m_protocol.StartDownload("2", 10));
    DeliverBatch("xx>%05abc");
    // Left in the ring by the prompt, and a re-delivery is asked for so a
    // quiet tester cannot strand them.
    EXPECT_EQ(m_host.m_strReceived, "%05abc");
    EXPECT_EQ(m_host.m_nReposts, 1);
    m_protocol.OnPortData();
    EXPECT_TRUE(m_host.m_strReceived.empty());
    EXPECT_EQ(m_protocol.DownloadRecordNumber(), 5);

    // A prompt alone asks for nothing more.
    m_host.m_nReposts = 0;
    ASSERT_TRUE(m_protocol.StartDownload("2", 10));
    DeliverBatch(">");
    EXPECT_EQ(m_host.m_nReposts, 0);
}

TEST_F(DownloadProtocolTest, HeadersAddressRecordsAndDbZeroDropsItsText)
{
    StartAndPrompt();
    m_host.Advance(1000);
    Deliver("%00lost%05five%00gone%07seven");
    EXPECT_EQ(m_host.m_popupMessages.back(), "RATE/FRAME DATA = 7 / 20");
    EXPECT_NE(std::find(m_host.m_popupMessages.begin(), m_host.m_popupMessages.end(),
                        "RATE/FRAME DATA = 0 / 20"),
              m_host.m_popupMessages.end());
    FinishDownload();
    EXPECT_EQ(m_records[5].m_RateFrame.m_strRaw, "five");
    EXPECT_EQ(m_records[7].m_RateFrame.m_strRaw, "seven");
    EXPECT_EQ(m_records[0], TestRecord());
}

TEST_F(DownloadProtocolTest, BadHeadersAddressNoRecord)
{
    for (const char* pszHeader : {"%1:", "%:0", "%a5", "%21", "%99", "%-1", "%%0", "% 5"}) {
        SCOPED_TRACE(pszHeader);
        StartAndPrompt();
        m_host.Advance(1000);
        Deliver("%03three");
        Deliver(pszHeader);
        EXPECT_EQ(m_protocol.DownloadRecordNumber(), 0);
        Deliver("dropped;");
        FinishDownload();
        EXPECT_EQ(m_records[3].m_RateFrame.m_strRaw, "three");
        for (const TestRecord& record : m_records)
            EXPECT_EQ(record.m_RateFrame.m_strRaw.find("dropped"), std::string::npos);
    }
}

TEST_F(DownloadProtocolTest, OnlyASemicolonAfterDb20EndsTheSection)
{
    StartAndPrompt();
    m_host.Advance(1000);
    Deliver("%07a;b;%19c;");
    EXPECT_FALSE(m_host.IsTimerRunning(TIMER_NEXT_COMMAND));
    Deliver("%20x;after");
    EXPECT_EQ(m_host.TimerDue(TIMER_NEXT_COMMAND), m_host.NowMs() + 500);
    // Any later ';' moves the next command on; the text between is dropped.
    m_host.Advance(300);
    Deliver("more;");
    EXPECT_EQ(m_host.TimerDue(TIMER_NEXT_COMMAND), m_host.NowMs() + 500);
    Deliver("%03between");
    m_host.Advance(500);
    RunParse();
    EXPECT_EQ(m_host.m_commands.back(), "forpc rtrvgrp\n");
    FinishDownload();

    EXPECT_EQ(m_records[7].m_RateFrame.m_strRaw, "a;b;");
    EXPECT_EQ(m_records[20].m_RateFrame.m_strRaw, "x;");
    EXPECT_EQ(m_records[3].m_RateFrame.m_strRaw, "");
    EXPECT_EQ(m_records[3].m_Graph.m_strRaw, "");
}

TEST_F(DownloadProtocolTest, CancelDuringThePromptWaitKeepsListening)
{
    ASSERT_TRUE(m_protocol.StartDownload("2", 10));
    m_host.Advance(3000);
    m_protocol.OnDownloadCancel();
    EXPECT_FALSE(m_host.m_bPopupShown);
    EXPECT_FALSE(m_host.IsTimerRunning(TIMER_PROMPT_WAIT));
    EXPECT_TRUE(m_host.m_bOpen);
    m_host.Advance(20000);
    EXPECT_TRUE(m_host.m_failures.empty());
    Deliver(">");
    EXPECT_TRUE(m_host.IsTimerRunning(TIMER_NEXT_COMMAND));
}

TEST_F(DownloadProtocolTest, CancelDuringTheTransferOnlyClosesThePopup)
{
    const RecordTable data = TaggedTable("c");
    StartAndPrompt();
    AnswerNextCommand(data);
    m_protocol.OnDownloadCancel();
    EXPECT_FALSE(m_host.m_bPopupShown);
    for (int nSection = 1; nSection < 4; ++nSection)
        AnswerNextCommand(data);
    m_host.Advance(500);
    RunParse();
    EXPECT_EQ(m_records, Downloaded(data));
}

TEST_F(DownloadProtocolTest, CancelWithoutADownloadChangesNothing)
{
    m_protocol.OnDownloadCancel();
    EXPECT_FALSE(m_host.IsTimerRunning(TIMER_PROMPT_WAIT));
    EXPECT_FALSE(m_host.IsTimerRunning(TIMER_NEXT_COMMAND));
    EXPECT_EQ(m_protocol.Mode(), StreamMode::None);
}

TEST_F(DownloadProtocolTest, ASecondDownloadStartsAfreshInEveryRespect)
{
    const RecordTable data = TaggedTable("second");
    // The first stalls in its second section with a header half read.
    StartAndPrompt();
    AnswerNextCommand(data);
    AnswerNextCommand(data, [](const std::string& strText) {
        return Batches{strText.substr(0, strText.find("%05") + 2)};
    });

    m_host.m_commands.clear();
    m_host.m_lineFeedTimes.clear();
    const long long nStart = m_host.NowMs();
    ASSERT_TRUE(m_protocol.StartDownload("2", 10));
    m_host.Advance(10000);
    ASSERT_EQ(m_host.m_lineFeedTimes.size(), 10u);
    EXPECT_EQ(m_host.m_lineFeedTimes.front(), nStart + 1000);
    Deliver(">");
    for (int nSection = 0; nSection < 4; ++nSection)
        AnswerNextCommand(data);
    m_host.Advance(500);
    RunParse();
    EXPECT_EQ(m_host.m_commands.front(), "forpc rtrvinfo\n");
    EXPECT_EQ(m_records, Downloaded(data));
}

TEST_F(DownloadProtocolTest, AnInterruptedDownloadLeavesThePreviousRecords)
{
    const RecordTable first = Downloaded(BuiltInSampleSet());
    Download(BuiltInSampleSet());
    ASSERT_EQ(m_records, first);

    const RecordTable other = TaggedTable("other");
    const std::function<void()> interruptions[] = {
        [&] { m_protocol.OnDeviceLost(); },
        [&] { m_protocol.AbortDownload(); },
        [&] { ASSERT_TRUE(m_protocol.StartDownload("2", 10)); },
    };
    for (const auto& interrupt : interruptions) {
        StartAndPrompt();
        AnswerNextCommand(other);
        AnswerNextCommand(other, [](const std::string& strText) {
            return Batches{strText.substr(0, strText.size() / 2)};
        });
        interrupt();
        EXPECT_EQ(m_records, first);
    }
}

TEST_F(DownloadProtocolTest, DeviceLostStopsTheDownloadAndSaysSo)
{
    StartAndPrompt();
    m_host.Advance(1000);
    Deliver("%04abc");
    m_protocol.OnDeviceLost();
    EXPECT_EQ(m_host.m_failures, std::vector{DownloadOutcome::DeviceLost});
    EXPECT_FALSE(m_host.IsTimerRunning(TIMER_PROMPT_WAIT));
    EXPECT_FALSE(m_host.IsTimerRunning(TIMER_NEXT_COMMAND));
    EXPECT_FALSE(m_host.m_bPopupShown);
    EXPECT_FALSE(m_host.m_bOpen);
    // Nothing left in the ring is read, and a late second report is ignored.
    Deliver("%05more");
    EXPECT_EQ(m_protocol.DownloadRecordNumber(), 0);
    m_protocol.OnDeviceLost();
    EXPECT_EQ(m_host.m_failures.size(), 1u);
}

TEST_F(DownloadProtocolTest, EveryRecordsFieldsComeFromItsOwnTexts)
{
    Download(BuiltInSampleSet());
    ASSERT_NE(m_records[3].m_RateFrame.m_nLineType, 0);
    // The tester now holds nothing in DB 3: its old fields must not survive.
    RecordTable emptied = BuiltInSampleSet();
    emptied[3] = TestRecord();
    Download(emptied);
    for (const TestRecord& record : m_records)
        EXPECT_EQ(record, ParsedFromRaw(record));
    EXPECT_EQ(m_records[3].m_RateFrame.m_nLineType, 0);
}

// A coarse timer may fire early (Qt's by up to 5 %); the tester still sees
// whole pauses: a second after the prompt, half a second after each answer,
// and a line feed no sooner than each whole second of the wait.
TEST_F(DownloadProtocolTest, WaitsAreNeverShortWhenTimersFireEarly)
{
    const RecordTable data = TaggedTable("early");
    m_host.SetEarlyFiring(5);
    ASSERT_TRUE(m_protocol.StartDownload("2", 10));
    m_host.Advance(3500);
    ASSERT_EQ(m_host.m_lineFeedTimes.size(), 3u);
    for (std::size_t i = 0; i < m_host.m_lineFeedTimes.size(); ++i)
        EXPECT_GE(m_host.m_lineFeedTimes[i], 1000 * static_cast<long long>(i + 1));

    Deliver(">");
    long long nAnswerEnd = m_host.NowMs();
    long long nPause = CDownloadProtocol::kFirstCommandDelayMs;
    for (std::size_t nSection = 0; nSection < 4; ++nSection) {
        // An early tick finds the pause unfinished and waits out the rest.
        for (int nTicks = 0; m_host.m_commands.size() == nSection && nTicks < 10; ++nTicks)
            RunToNextCommand();
        ASSERT_EQ(m_host.m_commands.size(), nSection + 1);
        EXPECT_GE(m_host.m_commandTimes.back() - nAnswerEnd, nPause) << "command " << nSection;
        Deliver(AnswerFor(data, m_host.m_commands.back()));
        nAnswerEnd = m_host.NowMs();
        nPause = CDownloadProtocol::kNextCommandDelayMs;
    }
    m_host.Advance(1000);
    EXPECT_EQ(m_records, Downloaded(data));
}

// Three quiet seconds in the middle of an answer: the popup says the tester
// stopped, until it sends again. The pause between answers is no stall.
TEST_F(DownloadProtocolTest, AStalledAnswerSaysSoUntilTheTesterSendsAgain)
{
    const std::string strStalled = "#" + std::to_string(IDS_TRANSFER_STALLED);
    struct Case
    {
        const char* pszName;
        std::string strBeforeStall;
        std::string strAfterStall;
        std::string strShownAgain;
    };
    const Case cases[] = {
        {"before the first header", "", "x", "#" + std::to_string(IDS_TRANSFER_MESSAGE)},
        {"inside a DB", "%01Y:1:1", "x", "RATE/FRAME DATA = 1 / 20"},
        {"inside a header", "%01Y%0", "2", "RATE/FRAME DATA = 2 / 20"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        StartAndPrompt();
        RunToNextCommand();
        Deliver(c.strBeforeStall);
        m_host.Advance(CDownloadProtocol::kStallNoticeMs - 1);
        EXPECT_NE(m_host.m_popupMessages.back(), strStalled);
        m_host.Advance(1);
        EXPECT_EQ(m_host.m_popupMessages.back(), strStalled);
        // It is said once, not again at every quiet stretch.
        m_host.Advance(10 * CDownloadProtocol::kStallNoticeMs);
        EXPECT_EQ(
            std::count(m_host.m_popupMessages.begin(), m_host.m_popupMessages.end(), strStalled),
            1);
        Deliver(c.strAfterStall);
        EXPECT_EQ(m_host.m_popupMessages.back(), c.strShownAgain);
        m_host.m_popupMessages.clear();
    }

    // A whole answer, then the pause before the next command: nothing stalled.
    Deliver("%20;");
    m_host.Advance(CDownloadProtocol::kNextCommandDelayMs - 1);
    EXPECT_TRUE(m_host.IsTimerRunning(TIMER_NEXT_COMMAND));
    EXPECT_FALSE(m_host.IsTimerRunning(TIMER_STALL_NOTICE));
    EXPECT_TRUE(m_host.m_failures.empty());
}

// A port can go away before the tester has said a word: unplugged during
// the wait, or after a time-out or Cancel left it listening. None of that is
// a connection lost during a download.
TEST_F(DownloadProtocolTest, APortThatGoesBeforeTheTesterSpeaksLosesNoConnection)
{
    struct Case
    {
        const char* pszName;
        std::function<void(CFakeDownloadHost&, CDownloadProtocol&)> before;
        std::vector<DownloadOutcome> failures;
    };
    const Case cases[] = {
        {"during the prompt wait",
         [](CFakeDownloadHost& host, CDownloadProtocol&) { host.Advance(2000); },
         {DownloadOutcome::PortLost}},
        {"after the time-out",
         [](CFakeDownloadHost& host, CDownloadProtocol&) { host.Advance(10100); },
         {DownloadOutcome::PromptTimeout}},
        {"after Cancel",
         [](CFakeDownloadHost&, CDownloadProtocol& protocol) { protocol.OnDownloadCancel(); },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        CFakeDownloadHost host;
        CDownloadProtocol protocol(host, host, host, host);
        ASSERT_TRUE(protocol.StartDownload("2", 10));
        c.before(host, protocol);
        protocol.OnDeviceLost();
        EXPECT_EQ(host.m_failures, c.failures);
        EXPECT_FALSE(host.m_bOpen);
        EXPECT_FALSE(host.m_bPopupShown);
        EXPECT_FALSE(host.IsTimerRunning(TIMER_PROMPT_WAIT));
        // A later prompt finds nobody listening, and the next download starts afresh.
        host.m_strReceived = ">";
        protocol.OnPortData();
        EXPECT_FALSE(host.IsTimerRunning(TIMER_NEXT_COMMAND));
        ASSERT_TRUE(protocol.StartDownload("2", 1));
        EXPECT_TRUE(host.m_bOpen);
    }
}

TEST_F(DownloadProtocolTest, APortThatCannotBeOpenedStartsNothing)
{
    m_host.m_bOpenSucceeds = false;
    EXPECT_FALSE(m_protocol.StartDownload("/dev/nothing", 10));
    EXPECT_EQ(m_host.m_strOpenedPort, "/dev/nothing");
    EXPECT_EQ(m_host.m_failures, std::vector{DownloadOutcome::PortOpenFailed});
    EXPECT_FALSE(m_host.m_bPopupShown);
    EXPECT_FALSE(m_host.IsTimerRunning(TIMER_PROMPT_WAIT));
}

} // namespace

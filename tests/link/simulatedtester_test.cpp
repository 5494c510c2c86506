// Downloads from the simulated tester running inside this process, on a
// thread of its own, as the program's built-in demo tester does.

#include "channelmessages.h"
#include "downloadedtable.h"
#include "link/headlessdownload.h"
#include "simulator/sampleset.h"
#include "simulator/simulatedtester.h"
#include "waituntil.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <future>
#include <thread>

namespace {

using namespace std::chrono_literals;

SimulatorOptions FastOptions()
{
    SimulatorOptions options;
    options.m_bPaced = false;
    return options;
}

// Tells another thread once the download has reached a step: the prompt
// wait runs (the port is open) or the first DB header has arrived.
class CStepWatch final : public IDownloadEvents
{
public:
    enum class Step
    {
        PromptWait,
        Transfer,
    };

    explicit CStepWatch(Step step) : m_step(step) {}
    std::future<void> Reached() { return m_reached.get_future(); }

    void OnEvent(const AnyDownloadEvent& event) override
    {
        const bool bReached = m_step == Step::PromptWait
                                  ? std::holds_alternative<DownloadEvent::WaitingForPrompt>(event)
                                  : std::holds_alternative<DownloadEvent::DbReceived>(event);
        if (bReached && !m_bSignalled)
            m_reached.set_value();
        m_bSignalled |= bReached;
    }

private:
    Step m_step;
    std::promise<void> m_reached;
    bool m_bSignalled = false;
};

class SimulatedTesterTest : public ::testing::Test
{
protected:
    void StartTester(const SimulatorOptions& options, const RecordTable& data = BuiltInSampleSet())
    {
        ASSERT_TRUE(m_tester.Start(data, options)) << m_tester.LastError();
        ASSERT_TRUE(m_tester.StartThread()) << m_tester.LastError();
    }

    DownloadOutcome Download(std::chrono::milliseconds stallLimit = 5s)
    {
        CHeadlessDownload download(m_records, &m_display);
        return download.Run(m_tester.DevicePath(), 10, stallLimit);
    }

    CSimulatedTester m_tester;
    RecordTable m_records;
    CChannelMessages m_display;
};

TEST_F(SimulatedTesterTest, TheBuiltInSetArrivesWholeFromTheTesterOnItsThread)
{
    StartTester(FastOptions());
    EXPECT_TRUE(m_tester.IsServing());
    ASSERT_EQ(Download(), DownloadOutcome::Completed);
    EXPECT_EQ(m_records, Downloaded(BuiltInSampleSet()));
    EXPECT_TRUE(m_display.m_messages.empty());
}

TEST_F(SimulatedTesterTest, StartAndStopTwiceGiveAFreshDeviceThatServesEachTime)
{
    for (int nRound = 0; nRound < 2; ++nRound) {
        SCOPED_TRACE(nRound);
        StartTester(FastOptions());
        const std::string strDevice = m_tester.DevicePath();
        ASSERT_TRUE(std::filesystem::exists(strDevice)) << strDevice;
        m_records = RecordTable();
        ASSERT_EQ(Download(), DownloadOutcome::Completed);
        EXPECT_EQ(m_records, Downloaded(BuiltInSampleSet()));
        m_tester.Stop();
        EXPECT_FALSE(m_tester.IsServing());
        EXPECT_TRUE(WaitUntil([&] { return !std::filesystem::exists(strDevice); })) << strDevice;
        m_tester.Stop();
    }
}

TEST_F(SimulatedTesterTest, StartAgainWhileServingReplacesTheTester)
{
    StartTester(FastOptions());
    RecordTable data;
    data[3].m_Ping.m_strRaw = "Y:3:ping";
    StartTester(FastOptions(), data);
    ASSERT_EQ(Download(), DownloadOutcome::Completed);
    EXPECT_EQ(m_records, Downloaded(data));
}

// The tester goes away while the download waits on it: at the prompt, and in
// the middle of an answer (one that stalls, so the download cannot finish
// first). The download ends at once and keeps the records it had: at the
// prompt its port went away before anything was exchanged; in the middle of
// an answer it lost the tester (or found it stalled).
TEST_F(SimulatedTesterTest, StopWhileADownloadWaitsEndsTheDownload)
{
    struct Case
    {
        const char* pszName;
        CStepWatch::Step step;
        SimulatorOptions options;
        std::vector<DownloadOutcome> outcomes;
    };
    SimulatorOptions silent = FastOptions();
    silent.m_behaviour.m_bSilent = true;
    SimulatorOptions stalling = FastOptions();
    stalling.m_nStallAfter = 3000;
    const Case cases[] = {
        {"waiting for the prompt",
         CStepWatch::Step::PromptWait,
         silent,
         {DownloadOutcome::PortLost}},
        {"in the middle of an answer",
         CStepWatch::Step::Transfer,
         stalling,
         {DownloadOutcome::DeviceLost, DownloadOutcome::TransferStalled}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.pszName);
        StartTester(test.options);
        RecordTable records;
        records[4].m_RateFrame.m_strRaw = "kept";
        const RecordTable before = records;
        CStepWatch display(test.step);
        std::thread stopper([this, reached = display.Reached()]() mutable {
            if (reached.wait_for(20s) == std::future_status::ready)
                m_tester.Stop();
        });
        CHeadlessDownload download(records, &display);
        const auto start = std::chrono::steady_clock::now();
        const DownloadOutcome outcome = download.Run(m_tester.DevicePath(), 30, 20s);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        stopper.join();
        EXPECT_THAT(test.outcomes, testing::Contains(outcome)) << static_cast<int>(outcome);
        EXPECT_LT(elapsed, 25s);
        EXPECT_EQ(records, before);
        EXPECT_FALSE(m_tester.IsServing());
    }
}

TEST_F(SimulatedTesterTest, AHangUpEndsServingAndTakesTheDeviceAway)
{
    SimulatorOptions options = FastOptions();
    options.m_nHangUpAfter = 5000;
    StartTester(options);
    const std::string strDevice = m_tester.DevicePath();
    EXPECT_EQ(Download(), DownloadOutcome::DeviceLost);
    EXPECT_TRUE(WaitUntil([&] { return !m_tester.IsServing(); }));
    EXPECT_FALSE(std::filesystem::exists(strDevice)) << strDevice;
    // Nothing is left to serve until the next Start.
    EXPECT_FALSE(m_tester.StartThread());
    EXPECT_FALSE(m_tester.LastError().empty());
}

TEST_F(SimulatedTesterTest, ServeOnTheCallersThreadReturnsOnStop)
{
    ASSERT_TRUE(m_tester.Start(BuiltInSampleSet(), FastOptions())) << m_tester.LastError();
    auto served = std::async(std::launch::async, [this] { return m_tester.Serve(); });
    // Stopped while the loop waits on the line, not before it began.
    ASSERT_TRUE(WaitUntil([this] { return m_tester.IsServing(); }));
    m_tester.Stop();
    ASSERT_EQ(served.wait_for(20s), std::future_status::ready);
    EXPECT_EQ(served.get(), SimulatorEnd::Stopped);
}

TEST_F(SimulatedTesterTest, ATesterNeverStartedNeitherServesNorHangs)
{
    EXPECT_EQ(m_tester.Serve(), SimulatorEnd::Stopped);
    EXPECT_FALSE(m_tester.StartThread());
    EXPECT_FALSE(m_tester.LastError().empty());
    m_tester.Stop();
    EXPECT_FALSE(m_tester.IsServing());
}

} // namespace

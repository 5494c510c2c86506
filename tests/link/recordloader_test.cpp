// The parse after a transfer: a step per record on the executor, the table
// changed all at once after the last step, and a stop that leaves it alone.

#include "downloadedtable.h"
#include "fakedownloadhost.h"
#include "link/recordloader.h"
#include "simulator/sampleset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// The records as a transfer stages them: raw texts only.
std::unique_ptr<RecordTable> Staged(const RecordTable& data)
{
    auto pStaged = std::make_unique<RecordTable>();
    for (int nDb = 1; nDb <= kDbCount; ++nDb) {
        const auto index = static_cast<std::size_t>(nDb);
        (*pStaged)[index].m_RateFrame.m_strRaw = data[index].m_RateFrame.m_strRaw;
        (*pStaged)[index].m_Graph.m_strRaw = data[index].m_Graph.m_strRaw;
        (*pStaged)[index].m_Ping.m_strRaw = data[index].m_Ping.m_strRaw;
        (*pStaged)[index].m_TraceRoute.m_strRaw = data[index].m_TraceRoute.m_strRaw;
    }
    return pStaged;
}

// The records of an earlier download.
RecordTable PreviousRecords()
{
    RecordTable records;
    records[4].m_RateFrame.m_strRaw = "kept";
    return records;
}

class RecordLoaderTest : public ::testing::Test
{
protected:
    CFakeDownloadHost m_host;
    RecordTable m_records = PreviousRecords();
    const RecordTable m_before = m_records;
    CRecordLoader m_loader{m_host, m_host, m_records, std::chrono::milliseconds(10)};
};

TEST_F(RecordLoaderTest, ParsesARecordPerPauseAndChangesTheTableOnlyAtTheEnd)
{
    RecordTable expected;
    const std::unique_ptr<RecordTable> pStaged = Staged(BuiltInSampleSet());
    for (int nDb = 1; nDb <= kDbCount; ++nDb)
        expected[static_cast<std::size_t>(nDb)] =
            ParsedFromRaw((*pStaged)[static_cast<std::size_t>(nDb)]);

    m_loader.Load(Staged(BuiltInSampleSet()));
    m_host.Advance(10 * kDbCount - 1);
    EXPECT_TRUE(m_loader.IsLoading());
    EXPECT_EQ(m_records, m_before);
    EXPECT_EQ(std::count(m_host.m_views.begin(), m_host.m_views.end(), "step"), kDbCount - 1);

    m_host.Advance(1);
    EXPECT_FALSE(m_loader.IsLoading());
    EXPECT_FALSE(m_host.IsTimerRunning(TIMER_PARSE_STEP));
    EXPECT_EQ(m_records, expected);
    EXPECT_EQ(m_host.m_views.back(), "end");
}

TEST_F(RecordLoaderTest, AStopInTheMiddleLeavesTheTableAndTheViews)
{
    m_loader.Load(Staged(BuiltInSampleSet()));
    m_host.Advance(55);
    m_loader.Stop();
    const auto views = m_host.m_views;
    m_host.Advance(1000);
    EXPECT_FALSE(m_loader.IsLoading());
    EXPECT_EQ(m_records, m_before);
    EXPECT_EQ(m_host.m_views, views);
}

} // namespace

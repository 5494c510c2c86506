// The parse after a transfer: a step per record on the executor, the table
// changed all at once after the last step, and a stop that leaves it alone.

#include "downloadedtable.h"
#include "fakedownloadhost.h"
#include "recordloader.h"
#include "sampleset.h"

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

TEST(RecordLoader, ParsesARecordPerPauseAndChangesTheTableOnlyAtTheEnd)
{
    CFakeDownloadHost host;
    RecordTable records;
    records[4].m_RateFrame.m_strRaw = "kept";
    const RecordTable before = records;
    CRecordLoader loader(host, host, records, std::chrono::milliseconds(10));
    RecordTable expected;
    const std::unique_ptr<RecordTable> pStaged = Staged(BuiltInSampleSet());
    for (int nDb = 1; nDb <= kDbCount; ++nDb)
        expected[static_cast<std::size_t>(nDb)] =
            ParsedFromRaw((*pStaged)[static_cast<std::size_t>(nDb)]);

    loader.Load(Staged(BuiltInSampleSet()));
    host.Advance(10 * kDbCount - 1);
    EXPECT_TRUE(loader.IsLoading());
    EXPECT_EQ(records, before);
    EXPECT_EQ(std::count(host.m_views.begin(), host.m_views.end(), "step"), kDbCount - 1);

    host.Advance(1);
    EXPECT_FALSE(loader.IsLoading());
    EXPECT_FALSE(host.IsTimerRunning(TIMER_PARSE_STEP));
    EXPECT_EQ(records, expected);
    EXPECT_EQ(host.m_views.back(), "end");
}

TEST(RecordLoader, AStopInTheMiddleLeavesTheTableAndTheViews)
{
    CFakeDownloadHost host;
    RecordTable records;
    records[4].m_RateFrame.m_strRaw = "kept";
    const RecordTable before = records;
    CRecordLoader loader(host, host, records, std::chrono::milliseconds(10));

    loader.Load(Staged(BuiltInSampleSet()));
    host.Advance(55);
    loader.Stop();
    const auto views = host.m_views;
    host.Advance(1000);
    EXPECT_FALSE(loader.IsLoading());
    EXPECT_EQ(records, before);
    EXPECT_EQ(host.m_views, views);
}

} // namespace

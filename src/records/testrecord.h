#pragma once

#include "records/graphsection.h"
#include "records/pingsection.h"
#include "records/rateframesection.h"
#include "records/traceroutesection.h"

#include <array>
#include <vector>

// One DB of the tester: four sections, each its raw text as received and the
// fields parsed from it. A plain value: copies are deep.
struct TestRecord
{
    PingSection m_Ping;
    RateFrameSection m_RateFrame;
    GraphSection m_Graph;
    TraceRouteSection m_TraceRoute;

    // Runs the four parsers in the order a finished download uses
    // (rate/frame, ping, graph, trace route).
    void ParseAll();

    bool operator==(const TestRecord&) const = default;
};

// A DB holds a test when any of its rate/frame, graph or ping sections was valid.
inline bool HoldsTest(const TestRecord& record)
{
    return record.m_RateFrame.m_bValid != 0 || record.m_Graph.m_bValid != 0 ||
           record.m_Ping.m_bValid != 0;
}

// Record n holds DB n; record 0 is addressed by no DB number.
inline constexpr int kDbCount = 20;
using RecordTable = std::array<TestRecord, kDbCount + 1>;

// The numbers of the DBs that hold a test, in DB order.
inline std::vector<int> DbsWithTest(const RecordTable& records)
{
    std::vector<int> anDbs;
    for (int nDb = 1; nDb <= kDbCount; ++nDb)
        if (HoldsTest(records[static_cast<std::size_t>(nDb)]))
            anDbs.push_back(nDb);
    return anDbs;
}

#pragma once

#include "records/testrecord.h"

// A record as parsing its raw texts from a fresh start makes it.
inline TestRecord ParsedFromRaw(const TestRecord& record)
{
    TestRecord fresh;
    fresh.m_RateFrame.m_strRaw = record.m_RateFrame.m_strRaw;
    fresh.m_Graph.m_strRaw = record.m_Graph.m_strRaw;
    fresh.m_Ping.m_strRaw = record.m_Ping.m_strRaw;
    fresh.m_TraceRoute.m_strRaw = record.m_TraceRoute.m_strRaw;
    fresh.ParseAll();
    return fresh;
}

// The table a download from a tester holding data must produce: every text
// with the ';' that ends it on the line, every record parsed afresh, record 0 empty.
inline RecordTable Downloaded(const RecordTable& data)
{
    RecordTable expected;
    for (int nDb = 1; nDb <= kDbCount; ++nDb) {
        const auto index = static_cast<std::size_t>(nDb);
        TestRecord sent = data[index];
        sent.m_RateFrame.m_strRaw += ";";
        sent.m_Graph.m_strRaw += ";";
        sent.m_Ping.m_strRaw += ";";
        sent.m_TraceRoute.m_strRaw += ";";
        expected[index] = ParsedFromRaw(sent);
    }
    return expected;
}

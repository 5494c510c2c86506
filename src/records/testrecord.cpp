#include "records/testrecord.h"

void TestRecord::ParseAll()
{
    m_RateFrame.ParseRateFrame();
    m_Ping.ParsePing();
    m_Graph.ParseGraph();
    m_TraceRoute.ParseTraceRoute();
}

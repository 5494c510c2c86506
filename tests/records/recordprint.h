#pragma once

// Readable test failures: GoogleTest prints sections and records as the JSON
// lmxtool writes, not as raw object bytes.

#include "tools/recordjson.h"

#include <ostream>

template <typename Value> void PrintAsJson(const Value& value, std::ostream* os)
{
    JsonWriter json;
    if constexpr (std::is_same_v<Value, TestRecord>)
        WriteRecordJson(json, value);
    else
        WriteSectionJson(json, value);
    *os << json.Text();
}

inline void PrintTo(const PingSection& s, std::ostream* os)
{
    PrintAsJson(s, os);
}
inline void PrintTo(const RateFrameSection& s, std::ostream* os)
{
    PrintAsJson(s, os);
}
inline void PrintTo(const GraphSection& s, std::ostream* os)
{
    PrintAsJson(s, os);
}
inline void PrintTo(const TraceRouteSection& s, std::ostream* os)
{
    PrintAsJson(s, os);
}
inline void PrintTo(const TestRecord& r, std::ostream* os)
{
    PrintAsJson(r, os);
}

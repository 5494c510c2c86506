#pragma once

#include <array>
#include <string>

// Trace route hop list of one DB; tokens separated by ':' or ';'.
struct TraceRouteSection
{
    static constexpr int kMaxHops = 30;
    static constexpr int kTimesPerHop = 3;
    // The tester's mark for a probe without reply.
    static constexpr int kNoReply = 9999;

    std::string m_strRaw;
    int m_bValid = 0;
    int m_nHopCount = 0;
    std::array<std::string, kMaxHops> m_astrHopIP;
    std::array<std::array<int, kTimesPerHop>, kMaxHops> m_anHopTime{};

    // Writes the fields of the tokens present in m_strRaw; others keep their values.
    void ParseTraceRoute();

    // m_nHopCount as sent, limited to the hops the section can hold.
    int StoredHopCount() const;

    bool operator==(const TraceRouteSection&) const = default;
};

#include "records/traceroutesection.h"

#include "records/cnumbers.h"
#include "records/tokenreader.h"

#include <algorithm>

namespace {

// Each hop is three times followed by the answering address.
constexpr int kTokensPerHop = TraceRouteSection::kTimesPerHop + 1;
constexpr int kFirstHopToken = 2;

} // namespace

void TraceRouteSection::ParseTraceRoute()
{
    TokenReader reader(m_strRaw, ":;");
    std::string token;
    // When the tester echoes the command, its first token is that echo.
    if (m_strRaw.find("forpc") != std::string::npos)
        reader.NextToken(token);

    for (int i = 0; reader.NextToken(token); ++i) {
        if (i == 0) {
            if (token == "Y")
                m_bValid = 1;
            else if (token == "N")
                m_bValid = 0;
            continue;
        }
        if (i == 1) {
            m_nHopCount = AtoI(token);
            continue;
        }
        const int hop = (i - kFirstHopToken) / kTokensPerHop;
        if (hop >= kMaxHops)
            return; // the section holds 30 hops; the rest is dropped
        const int column = (i - kFirstHopToken) % kTokensPerHop;
        const auto h = static_cast<std::size_t>(hop);
        if (column < kTimesPerHop)
            m_anHopTime[h][static_cast<std::size_t>(column)] = AtoI(token);
        else
            m_astrHopIP[h] = token == "00000000" ? "Request time out" : DottedFromHex(token);
    }
}

int TraceRouteSection::StoredHopCount() const
{
    // A count taken as unsigned: negative counts are huge, so they show all 30 stored hops.
    const auto count = static_cast<unsigned>(m_nHopCount);
    return static_cast<int>(std::min(count, static_cast<unsigned>(kMaxHops)));
}

#pragma once

#include <array>
#include <string>

// Carrier graph of an ADSL line, or the access point block of a WLAN test:
// a valid flag followed by hexadecimal numbers separated by ':' or ';'.
struct GraphSection
{
    static constexpr int kCarrierCount = 256;
    static constexpr int kApCount = 4;

    std::string m_strRaw;
    int m_bValid = 0;
    // Carrier k at index k + 1; index 0 is never written.
    std::array<int, kCarrierCount + 1> m_anValue{};
    std::array<int, kApCount> m_abApValid{};
    std::array<std::string, kApCount> m_astrApMac;
    std::array<int, kApCount> m_anApRssi{};
    std::array<int, kApCount> m_anApChannel{};
    std::array<std::string, kApCount> m_astrApSsid;
    std::string m_strSsid;

    // Stores the numbers as carrier values 1..256.
    void ParseGraph();
    // Reads the numbers as the 232-byte access point block.
    void ParseApList();

    bool operator==(const GraphSection&) const = default;
};

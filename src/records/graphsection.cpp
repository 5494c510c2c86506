#include "records/graphsection.h"

#include "records/cnumbers.h"
#include "records/tokenreader.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace {

constexpr int kApEntrySize = 48;
constexpr int kApBlockSize = 232;
constexpr int kSsidHalfOffset = 192;
constexpr int kSsidHalfSize = 20;
constexpr std::uint8_t kEmptyEntry = 0xFF;

// Text of a zero-terminated field of at most size bytes.
std::string FieldText(const std::uint8_t* field, int size)
{
    int length = 0;
    while (length < size && field[length] != 0)
        ++length;
    return std::string(reinterpret_cast<const char*>(field), static_cast<std::size_t>(length));
}

std::string MacText(const std::uint8_t* octets)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%2.2x:%2.2x:%2.2x:%2.2x:%2.2x:%2.2x", octets[0],
                  octets[1], octets[2], octets[3], octets[4], octets[5]);
    return buffer;
}

} // namespace

void GraphSection::ParseGraph()
{
    TokenReader reader(m_strRaw, ":;");
    std::string token;
    if (!reader.NextToken(token))
        return;
    m_bValid = token == "Y" ? 1 : 0;
    // Surplus values beyond the 256 carriers are dropped.
    for (int i = 1; i <= kCarrierCount && reader.NextToken(token); ++i)
        m_anValue[static_cast<std::size_t>(i)] = IntFromBits(ScanHex(token));
}

void GraphSection::ParseApList()
{
    TokenReader reader(m_strRaw, ":;");
    std::string token;
    if (!reader.NextToken(token))
        return;
    m_bValid = token == "Y" ? 1 : 0;

    // A short block: an entry the text does not reach at all is empty; other
    // missing bytes read as zero (a name ends there, a MAC octet is 00).
    std::uint8_t block[kApBlockSize] = {};
    int received = 0;
    for (; received < kApBlockSize && reader.NextToken(token); ++received)
        block[received] = static_cast<std::uint8_t>(ScanHex(token) & 0xFF);
    for (int start = 0; start < kApCount * kApEntrySize; start += kApEntrySize) {
        if (start >= received)
            block[start] = kEmptyEntry;
    }

    m_strSsid = FieldText(block + kSsidHalfOffset, kSsidHalfSize) +
                FieldText(block + kSsidHalfOffset + kSsidHalfSize, kSsidHalfSize);

    for (int k = 0; k < kApCount; ++k) {
        const std::uint8_t* entry = block + k * kApEntrySize;
        const auto slot = static_cast<std::size_t>(k);
        if (entry[0] == kEmptyEntry) {
            m_abApValid[slot] = 0;
            m_anApChannel[slot] = 0;
            m_anApRssi[slot] = 0;
            m_astrApMac[slot].clear();
            m_astrApSsid[slot].clear();
            continue;
        }
        m_abApValid[slot] = 1;
        m_anApChannel[slot] = static_cast<std::int8_t>(entry[0]);
        m_anApRssi[slot] = entry[1];
        m_astrApMac[slot] = MacText(entry + 2);
        m_astrApSsid[slot] = FieldText(entry + 8, kApEntrySize - 8);
    }
}

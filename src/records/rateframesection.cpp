#include "records/rateframesection.h"

#include "records/cnumbers.h"
#include "records/tokenreader.h"

#include <cstdint>
#include <cstdio>

namespace {

struct Standard
{
    const char* name;
    int lineType;
};

Standard StandardOf(int code)
{
    static const Standard kStandards[] = {
        {"None", LINE_NONE},   {"ANSI [T1.413]", LINE_ADSL}, {"G.DMT", LINE_ADSL},
        {"G.LITE", LINE_ADSL}, {"Multi", LINE_ADSL},         {"QAM", LINE_VDSL},
        {"DSSS", LINE_WLAN},
    };
    constexpr int count = static_cast<int>(sizeof kStandards / sizeof kStandards[0]);
    return code >= 0 && code < count ? kStandards[code] : Standard{"Unkown", LINE_NONE};
}

const char* TransferModeName(int code)
{
    static const char* const kNames[] = {"None", "Interleave", "Fast", "NESPOT [KT]",
                                         "anyway [HTI]"};
    constexpr int count = static_cast<int>(sizeof kNames / sizeof kNames[0]);
    return code >= 0 && code < count ? kNames[code] : "Unkown";
}

// The attainable rate: the link rate scaled by 100 / capacity percent and
// rounded down to a multiple of 32 kbit/s, in the tester's unsigned 32-bit
// arithmetic (the product wraps).
int AttainableRate(int rate, int capacity)
{
    const std::uint32_t scaled = static_cast<std::uint32_t>(rate) * 100u;
    return IntFromBits((scaled / static_cast<std::uint32_t>(capacity)) & ~std::uint32_t{31});
}

std::string DottedFromBits(std::uint32_t bits)
{
    char buffer[20];
    std::snprintf(buffer, sizeof buffer, "%d.%d.%d.%d", static_cast<int>(bits >> 24),
                  static_cast<int>((bits >> 16) & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>(bits & 0xFF));
    return buffer;
}

} // namespace

void RateFrameSection::ParseRateFrame()
{
    // Tokens 7..12 and 13..28 (but 17) go straight into their fields, in order.
    double* const reals[] = {&m_dUpMargin,        &m_dDownMargin, &m_dUpAttenuation,
                             &m_dDownAttenuation, &m_dUpPower,    &m_dDownPower};
    int* const counters[] = {&m_nFarCRC, &m_nNearCRC, &m_nFarFEC, &m_nNearFEC,
                             nullptr,    &m_nNearHEC, &m_nFarLOM, &m_nNearLOM,
                             &m_nFarLOC, &m_nNearLOC, &m_nFarLOP, &m_nNearLOP,
                             &m_nFarLOF, &m_nNearLOF, &m_nFarLOS, &m_nNearLOS};

    TokenReader reader(m_strRaw, ":*;");
    std::string token;
    for (int i = 0; reader.NextToken(token); ++i) {
        if (i == 0) {
            m_bValid = token == "Y" ? 1 : 0;
        } else if (i == 1) {
            const Standard standard = StandardOf(AtoI(token));
            m_strOperationMode = standard.name;
            m_nLineType = standard.lineType;
        } else if (i == 2) {
            m_strTransferMode = TransferModeName(AtoI(token));
        } else if (i == 3) {
            m_nUpRate = m_nUpMaxRate = AtoI(token);
        } else if (i == 4) {
            m_nDownRate = m_nDownMaxRate = AtoI(token);
        } else if (i == 5) {
            m_nUpCapacity = AtoI(token);
            if (m_bValid != 0 && m_nUpCapacity != 0)
                m_nUpMaxRate = AttainableRate(m_nUpRate, m_nUpCapacity);
        } else if (i == 6) {
            m_nDownCapacity = AtoI(token);
            if (m_bValid != 0 && m_nDownCapacity != 0)
                m_nDownMaxRate = AttainableRate(m_nDownRate, m_nDownCapacity);
        } else if (i <= 12) {
            *reals[i - 7] = AtoF(token);
        } else if (i == 17) {
            const std::uint32_t bits = ScanHex(token);
            m_nFarHEC = IntFromBits(bits);
            if (m_nLineType == LINE_WLAN)
                m_strDhcpServerIP = DottedFromBits(bits);
        } else if (i <= 28) {
            *counters[i - 13] = AtoI(token);
        } else if (i == 29) {
            m_strUserInfo = token;
        } else {
            return; // fields after the user information are not ours
        }
    }
}

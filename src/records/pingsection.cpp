#include "records/pingsection.h"

#include "records/cnumbers.h"
#include "records/tokenreader.h"

namespace {

const char* ConnectionModeName(int code)
{
    static const char* const kNames[] = {
        "None",
        "Briged Dynamic Use DHCP",
        "Bridged Static *My-IP",
        "PPPoE Dynamic",
        "PPPoE Static",
        "PPPoA Dynamic",
        "PPPoA Static",
        "Routed Dynamic Use DHCP",
        "Routed Static *Multi-IP",
        "IPoA Static",
    };
    constexpr int count = static_cast<int>(sizeof kNames / sizeof kNames[0]);
    return code >= 0 && code < count ? kNames[code] : "Unkown";
}

// "Y" sets the flag, "N" clears it, anything else leaves it.
void ApplyValidToken(const std::string& token, int& valid)
{
    if (token == "Y")
        valid = 1;
    else if (token == "N")
        valid = 0;
}

constexpr int kFailedTxMark = 999;

} // namespace

void PingSection::ParsePing()
{
    TokenReader reader(m_strRaw, ":;");
    std::string token;
    for (int i = 0; reader.NextToken(token); ++i) {
        switch (i) {
        case 0:
            if (token == "Y" || token == "N") {
                ApplyValidToken(token, m_bValid);
            } else if (token[0] == 'f') {
                // The tester echoed the command; its answer's flag follows.
                std::string flag;
                if (reader.NextToken(flag))
                    ApplyValidToken(flag, m_bValid);
            }
            break;
        case 1:
            m_nResult = AtoI(token);
            if (m_nResult == 0)
                m_strResult = "Success";
            else if (m_nResult == 2)
                m_strResult = "Deactive";
            m_strAddressMode = "Dynamic Using DHCP";
            break;
        case 2:
            m_nTxCount = AtoI(token);
            if (m_nResult == 1) {
                if (m_nTxCount == kFailedTxMark) {
                    m_strResult = "Fail";
                    m_nTxCount = 0;
                } else {
                    m_strResult = "---";
                }
            }
            break;
        case 3: m_nRxCount = AtoI(token); break;
        case 4: m_nLossRate = AtoI(token); break;
        case 5: m_nMaxTime = AtoI(token); break;
        case 6: m_nMinTime = AtoI(token); break;
        case 7: m_nAvgTime = AtoI(token); break;
        case 8: m_strSourceIP = DottedFromHex(token); break;
        case 9: m_strGatewayIP = DottedFromHex(token); break;
        case 10: m_strDestIP = DottedFromHex(token); break;
        case 11: m_strProtocol = ConnectionModeName(AtoI(token)); break;
        default: return; // the tester sends nothing further that we keep
        }
    }
}

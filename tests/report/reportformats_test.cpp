#include "report/reportformats.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(ReportFormats, EveryValueFormatAndTextTable)
{
    const std::pair<std::string, std::string> cases[] = {
        {FormatInt(INT_MIN), "-2147483648"},
        {FormatReal(8.0), "8.0"},
        {FormatReal(-3.06), "-3.1"},
        {FormatReal(1e300).substr(0, 4), "1000"}, // 301 digits, not cut off
        {FormatMinusReal(13.24), "- 13.2"},
        {FormatMinusReal(-1.0), "- -1.0"},
        {FormatYesNo(1), "[YES]"},
        {FormatYesNo(-7), "[YES]"},
        {FormatYesNo(0), "[ NO]"},
        {FormatPingTime(0), "0"},
        {FormatPingTime(1), "<= 10"},
        {FormatPingTime(10), "<= 10"},
        {FormatPingTime(11), "11"},
        {FormatPingTime(-5), "-5"}, // huge as unsigned
        {FormatHopTime(9999), "*"},
        {FormatHopTime(0), "< 10 msec"},
        {FormatHopTime(9), "< 10 msec"},
        {FormatHopTime(10), "10 msec"},
        {FormatHopTime(250), "250 msec"},
        {FormatHopTime(-3), "-3 msec"}, // huge as unsigned
        {FormatMac(0x001122, 0x334455), "00:11:22:33:44:55"},
        {FormatMac(-1, 0x7f0a0b0c), "ff:ff:ff:0a:0b:0c"}, // the high byte is not an octet
        {FormatApSsid("NESPOT", 6), "NESPOT [6]"},
        {FormatApSsid(std::string("a\0\xE9", 3), -128), std::string("a\0\xE9 [-128]", 10)},
        {FormatApRssi(58), "- 58 [dBm]"},
        {VdslLinkRateText(20), "25.00"},
        {VdslLinkRateText(21), "25.00"},
        {VdslLinkRateText(22), "18.75"},
        {VdslLinkRateText(30), "16.67"},
        {VdslLinkRateText(57), " 3.13"},
        {VdslLinkRateText(89), " 0.78"},
        {VdslLinkRateText(19), "-"},
        {VdslLinkRateText(90), "-"},
        {VdslLinkRateText(INT_MIN), "-"},
        {std::string(VdslLinkStatusText(0)), "Link Full Band"},
        {std::string(VdslLinkStatusText(1)), "Robust Band"},
        {std::string(VdslLinkStatusText(2)), "Link Full Band"},
        {std::string(VdslLinkStatusText(3)), "LWD Band"},
        {std::string(VdslLinkStatusText(4)), "Unknown"},
        {std::string(VdslLinkStatusText(-1)), "Unknown"},
        {std::string(WlanLinkRateText(0)), ""},
        {std::string(WlanLinkRateText(3)), "5.5"},
        {std::string(WlanLinkRateText(4)), "11"},
        {std::string(WlanLinkRateText(5)), "-"},
        {std::string(WlanLinkRateText(-1)), "-"},
        {std::string(ApLabel(0)), "AP-1st"},
        {std::string(ApLabel(3)), "AP-4th"},
        {std::string(ApLabel(4)), ""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
}

} // namespace

// The four parsers, each run over a section that already holds values from an
// earlier text: a case lists every field the new text must change, and the
// test checks that nothing else moved.

#include "recordprint.h"
#include "records/graphsection.h"
#include "records/pingsection.h"
#include "records/rateframesection.h"
#include "records/traceroutesection.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

template <typename Section> struct ParseCase
{
    const char* name;
    std::string raw;
    std::function<void(Section&)> change; // what parsing raw changes in the stale section
};

template <typename Section>
void ExpectParse(const ParseCase<Section>& c, const Section& stale, void (Section::*parse)())
{
    Section actual = stale;
    actual.m_strRaw = c.raw;
    (actual.*parse)();
    Section expected = stale;
    expected.m_strRaw = c.raw;
    c.change(expected);
    EXPECT_EQ(actual, expected) << "raw text '" << c.raw << "'";
}

const auto kCaseName = [](const auto& info) { return std::string(info.param.name); };
const auto kNoChange = [](auto&) {};

std::string Hex(int value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", static_cast<unsigned>(value));
    return buffer;
}

// ---- ping ----

PingSection StalePing()
{
    PingSection s;
    s.m_bValid = 7;
    s.m_nResult = 3;
    s.m_nTxCount = s.m_nRxCount = s.m_nLossRate = 5;
    s.m_nMaxTime = s.m_nMinTime = s.m_nAvgTime = 6;
    s.m_strSourceIP = s.m_strGatewayIP = s.m_strDestIP = "9.9.9.9";
    s.m_strProtocol = s.m_strResult = s.m_strAddressMode = "old";
    return s;
}

// Token 1 always sets the address mode text; a null status text stays as it was.
void Status(PingSection& s, int valid, int result, const char* text)
{
    s.m_bValid = valid;
    s.m_nResult = result;
    s.m_strAddressMode = "Dynamic Using DHCP";
    if (text)
        s.m_strResult = text;
}

void Counts(PingSection& s, int tx, int rx, int loss, int max, int min, int avg)
{
    s.m_nTxCount = tx;
    s.m_nRxCount = rx;
    s.m_nLossRate = loss;
    s.m_nMaxTime = max;
    s.m_nMinTime = min;
    s.m_nAvgTime = avg;
}

using PingCase = ParseCase<PingSection>;

class ParsePingTest : public testing::TestWithParam<PingCase>
{
};

TEST_P(ParsePingTest, WritesTheFieldsOfItsTokens)
{
    ExpectParse(GetParam(), StalePing(), &PingSection::ParsePing);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParsePingTest,
    testing::Values(PingCase{"full_success", "Y:0:4:4:0:20:10:13:C0A80002:C0A80001:D3E4F501:3",
                             [](PingSection& s) {
                                 Status(s, 1, 0, "Success");
                                 Counts(s, 4, 4, 0, 20, 10, 13);
                                 s.m_strSourceIP = "192.168.0.2";
                                 s.m_strGatewayIP = "192.168.0.1";
                                 s.m_strDestIP = "211.228.245.1";
                                 s.m_strProtocol = "PPPoE Dynamic";
                             }},
                    PingCase{"fields_after_mode_ignored", "Y:2:0:0:0:0:0:0:zz000001:C0A8:0:1:9:9",
                             [](PingSection& s) {
                                 Status(s, 1, 2, "Deactive");
                                 Counts(s, 0, 0, 0, 0, 0, 0);
                                 s.m_strSourceIP = "0.0.0.1";
                                 s.m_strGatewayIP = "192.168.0.168";
                                 s.m_strDestIP = "0.0.0.0";
                                 s.m_strProtocol = "Briged Dynamic Use DHCP";
                             }},
                    PingCase{"unknown_mode", "Y:2:0:0:0:0:0:0:0:0:0:-1",
                             [](PingSection& s) {
                                 Status(s, 1, 2, "Deactive");
                                 Counts(s, 0, 0, 0, 0, 0, 0);
                                 s.m_strSourceIP = s.m_strGatewayIP = s.m_strDestIP = "0.0.0.0";
                                 s.m_strProtocol = "Unkown";
                             }},
                    PingCase{"failed_count_999_reads_fail_and_zero", "Y:1:999:0",
                             [](PingSection& s) {
                                 Status(s, 1, 1, "Fail");
                                 s.m_nTxCount = s.m_nRxCount = 0;
                             }},
                    PingCase{"status_1_other_count_reads_dashes", "Y:1:4",
                             [](PingSection& s) {
                                 Status(s, 1, 1, "---");
                                 s.m_nTxCount = 4;
                             }},
                    PingCase{"status_1_without_count_keeps_text", "N:1",
                             [](PingSection& s) { Status(s, 0, 1, nullptr); }},
                    PingCase{"deactivated", "Y:2",
                             [](PingSection& s) { Status(s, 1, 2, "Deactive"); }},
                    PingCase{"unknown_status_keeps_text", "Y:4",
                             [](PingSection& s) { Status(s, 1, 4, nullptr); }},
                    PingCase{"non_numeric_status_is_success", "N:abc",
                             [](PingSection& s) { Status(s, 0, 0, "Success"); }},
                    PingCase{"echo_then_flag_then_status", "forpc rtrvping;Y:0:7",
                             [](PingSection& s) {
                                 Status(s, 1, 0, "Success");
                                 s.m_nTxCount = 7;
                             }},
                    PingCase{"echo_then_other_token_is_consumed", "forpc;Q:2",
                             [](PingSection& s) { Status(s, 7, 2, "Deactive"); }},
                    PingCase{"other_flag_keeps_valid", "y:2",
                             [](PingSection& s) { Status(s, 7, 2, "Deactive"); }},
                    PingCase{"echo_alone", "forpc rtrvping", kNoChange},
                    PingCase{"empty_text", "", kNoChange}),
    kCaseName);

// ---- rate and frame ----

RateFrameSection StaleRateFrame()
{
    // A WLAN text fills every field; the DHCP address comes from token 17.
    RateFrameSection s;
    s.m_strRaw = "Y:6:3:100:200:50:40:1.5:2.5:3.5:4.5:5.5:6.5:13:14:15:16:11:18:19:20:21:22:23:24:"
                 "25:26:27:28:Old info";
    s.ParseRateFrame();
    return s;
}

void Line(RateFrameSection& s, int valid, const char* operation, int lineType, const char* transfer)
{
    s.m_bValid = valid;
    s.m_strOperationMode = operation;
    s.m_nLineType = lineType;
    s.m_strTransferMode = transfer;
}

// Link rates, attainable rates and capacities, up and down.
void Rates(RateFrameSection& s, int up, int down, int upMax, int downMax, int upCap, int downCap)
{
    s.m_nUpRate = up;
    s.m_nDownRate = down;
    s.m_nUpMaxRate = upMax;
    s.m_nDownMaxRate = downMax;
    s.m_nUpCapacity = upCap;
    s.m_nDownCapacity = downCap;
}

// Tokens 7 to 28 in order (token 17 is m_nFarHEC); as many as given.
void Values(RateFrameSection& s, std::vector<double> values)
{
    double* reals[] = {&s.m_dUpMargin,        &s.m_dDownMargin, &s.m_dUpAttenuation,
                       &s.m_dDownAttenuation, &s.m_dUpPower,    &s.m_dDownPower};
    int* counters[] = {&s.m_nFarCRC, &s.m_nNearCRC, &s.m_nFarFEC, &s.m_nNearFEC,
                       &s.m_nFarHEC, &s.m_nNearHEC, &s.m_nFarLOM, &s.m_nNearLOM,
                       &s.m_nFarLOC, &s.m_nNearLOC, &s.m_nFarLOP, &s.m_nNearLOP,
                       &s.m_nFarLOF, &s.m_nNearLOF, &s.m_nFarLOS, &s.m_nNearLOS};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i < 6)
            *reals[i] = values[i];
        else
            *counters[i - 6] = static_cast<int>(values[i]);
    }
}

using RateCase = ParseCase<RateFrameSection>;

class ParseRateFrameTest : public testing::TestWithParam<RateCase>
{
};

TEST_P(ParseRateFrameTest, WritesTheFieldsOfItsTokens)
{
    ExpectParse(GetParam(), StaleRateFrame(), &RateFrameSection::ParseRateFrame);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseRateFrameTest,
    testing::Values(
        // 51200 / 71 = 721 -> 704; 204800 / 80 = 2560 is a multiple of 32 already.
        RateCase{"attainable_rates_round_down_to_32", "Y:2:1:512:2048:71:80",
                 [](RateFrameSection& s) {
                     Line(s, 1, "G.DMT", LINE_ADSL, "Interleave");
                     Rates(s, 512, 2048, 704, 2560, 71, 80);
                 }},
        RateCase{"invalid_keeps_link_rates", "N:3:2:512:2048:71:80",
                 [](RateFrameSection& s) {
                     Line(s, 0, "G.LITE", LINE_ADSL, "Fast");
                     Rates(s, 512, 2048, 512, 2048, 71, 80);
                 }},
        RateCase{"zero_capacity_keeps_link_rates", "Y:1:0:512:2048:0:0",
                 [](RateFrameSection& s) {
                     Line(s, 1, "ANSI [T1.413]", LINE_ADSL, "None");
                     Rates(s, 512, 2048, 512, 2048, 0, 0);
                 }},
        RateCase{"text_ending_before_capacity", "Y:4:3:512:2048",
                 [](RateFrameSection& s) {
                     Line(s, 1, "Multi", LINE_ADSL, "NESPOT [KT]");
                     Rates(s, 512, 2048, 512, 2048, s.m_nUpCapacity, s.m_nDownCapacity);
                 }},
        // 50000000 * 100 wraps to 705032704; / 3 = 235010901 -> 235010880.
        // A capacity of -1 divides as 4294967295.
        RateCase{"unsigned_32_bit_arithmetic", "Y:0:4:50000000:512:3:-1",
                 [](RateFrameSection& s) {
                     Line(s, 1, "None", LINE_NONE, "anyway [HTI]");
                     Rates(s, 50000000, 512, 235010880, 0, 3, -1);
                 }},
        RateCase{"unknown_standard", "Y:9",
                 [](RateFrameSection& s) {
                     s.m_bValid = 1;
                     s.m_strOperationMode = "Unkown";
                     s.m_nLineType = LINE_NONE;
                 }},
        RateCase{"vdsl_with_unknown_transfer", "Y:5:7",
                 [](RateFrameSection& s) { Line(s, 1, "QAM", LINE_VDSL, "Unkown"); }},
        RateCase{"reals", "Y:1:1:0:0:0:0:6.5:-4:1e1:x:0.25:-0.5",
                 [](RateFrameSection& s) {
                     Line(s, 1, "ANSI [T1.413]", LINE_ADSL, "Interleave");
                     Rates(s, 0, 0, 0, 0, 0, 0);
                     Values(s, {6.5, -4.0, 10.0, 0.0, 0.25, -0.5});
                 }},
        RateCase{"wlan_dhcp_server_from_token_17",
                 "Y:6:3:4:0:6:3:25.0:0:0:0:62.0:0:4386:3359829:41157:1193046:C0A80001",
                 [](RateFrameSection& s) {
                     Line(s, 1, "DSSS", LINE_WLAN, "NESPOT [KT]");
                     Rates(s, 4, 0, 64, 0, 6, 3); // 400 / 6 = 66 -> 64
                     Values(s, {25, 0, 0, 0, 62, 0, 4386, 3359829, 41157, 1193046});
                     s.m_nFarHEC = static_cast<int>(0xC0A80001u);
                     s.m_strDhcpServerIP = "192.168.0.1";
                 }},
        RateCase{"adsl_token_17_is_hex_and_keeps_dhcp", "Y:2:1:0:0:0:0:0:0:0:0:0:0:0:0:0:0:10",
                 [](RateFrameSection& s) {
                     Line(s, 1, "G.DMT", LINE_ADSL, "Interleave");
                     Rates(s, 0, 0, 0, 0, 0, 0);
                     Values(s, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16});
                 }},
        RateCase{"all_fields_user_info_cut_at_star_rest_ignored",
                 "Y:4:2:640:6144:0:0:1:2:3:4:5:6:7:8:9:10:ff:12:1:0:1:0:1:0:1:0:1:0:Flat 3*B:extra",
                 [](RateFrameSection& s) {
                     Line(s, 1, "Multi", LINE_ADSL, "Fast");
                     Rates(s, 640, 6144, 640, 6144, 0, 0);
                     Values(s,
                            {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 255, 12, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0});
                     s.m_strUserInfo = "Flat 3";
                 }},
        RateCase{"empty_text", "", kNoChange}),
    kCaseName);

// ---- carrier graph and access point list ----

GraphSection StaleGraph()
{
    GraphSection s;
    s.m_bValid = 7;
    for (std::size_t i = 0; i < s.m_anValue.size(); ++i)
        s.m_anValue[i] = 1000 + static_cast<int>(i);
    for (int k = 0; k < GraphSection::kApCount; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        s.m_abApValid[slot] = 1;
        s.m_astrApMac[slot] = s.m_astrApSsid[slot] = "old";
        s.m_anApRssi[slot] = s.m_anApChannel[slot] = 9;
    }
    s.m_strSsid = "old";
    return s;
}

// "Y" and count values 1, 2, 3, ... in hexadecimal.
std::string CountingText(int count)
{
    std::string text = "Y";
    for (int i = 1; i <= count; ++i)
        text += ":" + Hex(i);
    return text;
}

// Carrier values from index 1 on.
void Carriers(GraphSection& s, int valid, std::vector<int> values)
{
    s.m_bValid = valid;
    for (std::size_t i = 0; i < values.size(); ++i)
        s.m_anValue[i + 1] = values[i];
}

using GraphCase = ParseCase<GraphSection>;

class ParseGraphTest : public testing::TestWithParam<GraphCase>
{
};

TEST_P(ParseGraphTest, StoresCarrierValues)
{
    ExpectParse(GetParam(), StaleGraph(), &GraphSection::ParseGraph);
}

std::vector<int> Counting(int count)
{
    std::vector<int> values;
    for (int i = 1; i <= count; ++i)
        values.push_back(i);
    return values;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseGraphTest,
    testing::Values(
        GraphCase{"hex_values_from_index_1", "Y:0:1:a:FF",
                  [](GraphSection& s) {
                      Carriers(s, 1, {0, 1, 10, 255});
                  }},
        GraphCase{"invalid_still_stores", "N:5", [](GraphSection& s) { Carriers(s, 0, {5}); }},
        GraphCase{"whole_values_and_32_bit_patterns", "y:1ff:ffffffff:-1:zz",
                  [](GraphSection& s) {
                      Carriers(s, 0, {511, -1, -1, 0});
                  }},
        GraphCase{"surplus_values_dropped", CountingText(300),
                  [](GraphSection& s) { Carriers(s, 1, Counting(GraphSection::kCarrierCount)); }},
        GraphCase{"empty_text", "", kNoChange}),
    kCaseName);

// An access point block of 232 zero bytes as text tokens; tests set the tokens they need.
struct BlockText
{
    std::vector<std::string> tokens = std::vector<std::string>(232, "0");

    void Bytes(std::size_t at, std::vector<int> values)
    {
        for (int value : values)
            tokens[at++] = Hex(value);
    }
    void Text(std::size_t at, const std::string& text)
    {
        for (char c : text)
            tokens[at++] = Hex(static_cast<unsigned char>(c));
    }
    std::string Raw(const std::string& extra = "") const
    {
        std::string raw = "Y";
        for (const std::string& token : tokens)
            raw += ":" + token;
        return raw + extra;
    }
};

std::string FullBlock()
{
    BlockText block;
    block.Bytes(0, {6, 0xc8, 0x00, 0xa0, 0xc5, 0x12, 0x34, 0x56});
    block.Text(8, "NESPOT");
    block.Bytes(48, {0xff, 70, 1, 2, 3, 4, 5, 6}); // empty entry: the rest is ignored
    block.Text(56, "ignored");
    block.Bytes(96, {0xfe, 58, 0x02, 0x00, 0x5e, 0x10, 0x20, 0xff});
    block.Text(104, std::string(20, 'a') + std::string(20, 'b')); // a full 40-byte name
    block.tokens[144] = "1ff";                                    // low byte 0xff: empty
    block.Text(192, "ABCDEFGHIJKLMNOPQRST");                      // a half without a zero
    block.Text(212, "xyz");
    return block.Raw(":41:41:41"); // values past the block are dropped
}

class ParseApListTest : public testing::TestWithParam<GraphCase>
{
};

TEST_P(ParseApListTest, ReadsTheAccessPointBlock)
{
    ExpectParse(GetParam(), StaleGraph(), &GraphSection::ParseApList);
}

void Entry(GraphSection& s, std::size_t k, int channel, int rssi, const char* mac, std::string ssid)
{
    s.m_abApValid[k] = 1;
    s.m_anApChannel[k] = channel;
    s.m_anApRssi[k] = rssi;
    s.m_astrApMac[k] = mac;
    s.m_astrApSsid[k] = ssid;
}

std::string Repeat(const std::string& piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

void EmptyEntry(GraphSection& s, std::size_t k)
{
    s.m_abApValid[k] = s.m_anApChannel[k] = s.m_anApRssi[k] = 0;
    s.m_astrApMac[k].clear();
    s.m_astrApSsid[k].clear();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseApListTest,
    testing::Values(GraphCase{"entries_names_and_empty_marks", FullBlock(),
                              [](GraphSection& s) {
                                  s.m_bValid = 1;
                                  Entry(s, 0, 6, 200, "00:a0:c5:12:34:56", "NESPOT");
                                  EmptyEntry(s, 1);
                                  Entry(s, 2, -2, 58, "02:00:5e:10:20:ff",
                                        std::string(20, 'a') + std::string(20, 'b'));
                                  EmptyEntry(s, 3);
                                  s.m_strSsid = "ABCDEFGHIJKLMNOPQRSTxyz";
                              }},
                    GraphCase{"missing_bytes_read_as_zero_unreached_entries_empty",
                              // entry 0 whole (48 bytes), then entry 1's channel byte only
                              std::string("N:6:50:0:1:2:3:4:5:41:42") + Repeat(":0", 38) + ":b",
                              [](GraphSection& s) {
                                  s.m_bValid = 0;
                                  Entry(s, 0, 6, 80, "00:01:02:03:04:05", "AB");
                                  Entry(s, 1, 11, 0, "00:00:00:00:00:00", "");
                                  EmptyEntry(s, 2);
                                  EmptyEntry(s, 3);
                                  s.m_strSsid = "";
                              }},
                    GraphCase{"empty_text", "", kNoChange}),
    kCaseName);

// ---- trace route ----

TraceRouteSection StaleTraceRoute()
{
    TraceRouteSection s;
    s.m_bValid = 7;
    s.m_nHopCount = 77;
    s.m_astrHopIP.fill("old");
    for (auto& times : s.m_anHopTime)
        times.fill(-1);
    return s;
}

void Header(TraceRouteSection& s, int valid, int count)
{
    s.m_bValid = valid;
    s.m_nHopCount = count;
}

void Hop(TraceRouteSection& s, std::size_t h, int t1, int t2, int t3, const char* address)
{
    s.m_anHopTime[h] = {t1, t2, t3};
    s.m_astrHopIP[h] = address;
}

std::string ManyHops(int hops)
{
    std::string text = "Y:" + std::to_string(hops);
    for (int h = 0; h < hops; ++h)
        text += ":" + std::to_string(h) + ":1:2:0a0000" + Hex(0x10 + h);
    return text;
}

using RouteCase = ParseCase<TraceRouteSection>;

class ParseTraceRouteTest : public testing::TestWithParam<RouteCase>
{
};

TEST_P(ParseTraceRouteTest, WritesHops)
{
    ExpectParse(GetParam(), StaleTraceRoute(), &TraceRouteSection::ParseTraceRoute);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseTraceRouteTest,
    testing::Values(RouteCase{"echo_dropped_and_timeout_address",
                              "forpc rtrvtrrt;Y:2:5:6:7:C0A80001:9999:9999:9999:00000000;",
                              [](TraceRouteSection& s) {
                                  Header(s, 1, 2);
                                  Hop(s, 0, 5, 6, 7, "192.168.0.1");
                                  Hop(s, 1, 9999, 9999, 9999, "Request time out");
                              }},
                    RouteCase{"without_echo", "Y:1:12:11:10:0A000001",
                              [](TraceRouteSection& s) {
                                  Header(s, 1, 1);
                                  Hop(s, 0, 12, 11, 10, "10.0.0.1");
                              }},
                    // "forpc" anywhere drops the first token: everything moves one place forward.
                    RouteCase{"echo_mark_anywhere_drops_first_token", "Y:1:12:11:10:0A000001:forpc",
                              [](TraceRouteSection& s) {
                                  Header(s, 7, 12);
                                  Hop(s, 0, 11, 10, 0, "240.0.192.12");
                              }},
                    RouteCase{"invalid_no_hops_keeps_arrays", "N:0",
                              [](TraceRouteSection& s) { Header(s, 0, 0); }},
                    RouteCase{"count_taken_as_sent", "Q:3:1:2:3:01020304:4:5:6:05060708",
                              [](TraceRouteSection& s) {
                                  Header(s, 7, 3);
                                  Hop(s, 0, 1, 2, 3, "1.2.3.4");
                                  Hop(s, 1, 4, 5, 6, "5.6.7.8");
                              }},
                    RouteCase{"seven_zeros_is_an_address", "Y:1:1:1:1:0000000",
                              [](TraceRouteSection& s) {
                                  Header(s, 1, 1);
                                  Hop(s, 0, 1, 1, 1, "0.0.0.0");
                              }},
                    RouteCase{"cut_short_hop_keeps_the_rest", "Y:-3:5:6",
                              [](TraceRouteSection& s) {
                                  Header(s, 1, -3);
                                  s.m_anHopTime[0][0] = 5;
                                  s.m_anHopTime[0][1] = 6;
                              }},
                    RouteCase{"hops_after_the_30th_dropped", ManyHops(40),
                              [](TraceRouteSection& s) {
                                  Header(s, 1, 40);
                                  for (int h = 0; h < TraceRouteSection::kMaxHops; ++h)
                                      s.m_anHopTime[static_cast<std::size_t>(h)] = {h, 1, 2};
                                  for (int h = 0; h < TraceRouteSection::kMaxHops; ++h)
                                      s.m_astrHopIP[static_cast<std::size_t>(h)] =
                                          "10.0.0." + std::to_string(0x10 + h);
                              }},
                    RouteCase{"empty_text", "", kNoChange}),
    kCaseName);

TEST(TraceRouteSection, StoredHopCountNeverExceedsTheArrays)
{
    // The count is taken as unsigned, as the report reads it.
    const std::pair<int, int> cases[] = {{0, 0}, {3, 3}, {30, 30}, {31, 30}, {-1, 30}};
    for (const auto& [count, stored] : cases) {
        TraceRouteSection s;
        s.m_nHopCount = count;
        EXPECT_EQ(s.StoredHopCount(), stored) << "hop count " << count;
    }
}

} // namespace

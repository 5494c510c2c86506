#include "simulator/sampleset.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void AppendField(std::string& text, const std::string& field)
{
    text += ':';
    text += field;
}

std::string Hex(unsigned value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", value);
    return buffer;
}

std::string HexAddress(unsigned a, unsigned b, unsigned c, unsigned d)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02X%02X%02X%02X", a, b, c, d);
    return buffer;
}

// Bits per carrier of a plausible ADSL line: nothing in the voice band,
// the upstream band around carrier 20, then a downstream slope with a notch.
std::string AdslGraph(int seed)
{
    std::string text = "Y";
    for (int carrier = 0; carrier < 256; ++carrier) {
        int bits = 0;
        if (carrier >= 6 && carrier < 32)
            bits = 8 + (carrier % 3);
        else if (carrier >= 38) {
            bits = 14 - (carrier - 38) * 11 / 218;
            if (carrier >= 110 + seed && carrier < 118 + seed)
                bits -= 5; // a radio interferer
            bits += (carrier * 7 + seed) % 3 - 1;
        }
        AppendField(text, Hex(static_cast<unsigned>(std::max(bits, 0))));
    }
    return text;
}

struct AccessPoint
{
    int channel; // -1 marks an empty entry
    unsigned rssi;
    unsigned mac[6];
    const char* ssid;
};

// The 232-byte access point block as the tester sends it, one hex byte a token.
std::string WlanGraph(const std::vector<AccessPoint>& entries, const char* ssid, int byteCount)
{
    std::vector<unsigned> block(232, 0);
    for (std::size_t k = 0; k < entries.size() && k < 4; ++k) {
        const AccessPoint& ap = entries[k];
        unsigned* entry = block.data() + 48 * k;
        entry[0] = static_cast<unsigned>(ap.channel) & 0xFF;
        if (ap.channel == -1)
            continue;
        entry[1] = ap.rssi;
        for (int i = 0; i < 6; ++i)
            entry[2 + i] = ap.mac[i];
        for (int i = 0; ap.ssid[i] && i < 40; ++i)
            entry[8 + i] = static_cast<unsigned char>(ap.ssid[i]);
    }
    for (int i = 0; ssid[i] && i < 40; ++i)
        block[192 + static_cast<std::size_t>(i)] = static_cast<unsigned char>(ssid[i]);
    std::string text = "Y";
    for (int i = 0; i < byteCount; ++i)
        AppendField(text, Hex(block[static_cast<std::size_t>(i)]));
    return text;
}

// hops: {t1, t2, t3, address}; an address of 0 is "no router answered".
std::string TraceRoute(int hopCount, int seed)
{
    std::string text = "Y:" + std::to_string(hopCount);
    for (int hop = 0; hop < hopCount; ++hop) {
        const bool lost = seed > 0 && hop % 7 == 5;
        for (int probe = 0; probe < 3; ++probe) {
            const int time = lost ? 9999 : 2 + hop * 6 + probe * 3 + (hop * seed) % 5;
            AppendField(text, std::to_string(time));
        }
        AppendField(text, lost ? std::string("00000000")
                               : HexAddress(hop == 0 ? 192u : 61u, hop == 0 ? 168u : 74u,
                                            static_cast<unsigned>(hop),
                                            static_cast<unsigned>(1 + hop * 3)));
    }
    return text;
}

std::string Ping(int status, int tx, int rx, int maxTime, int minTime, int avgTime, unsigned host,
                 int mode)
{
    const int loss = tx > 0 ? (tx - rx) * 100 / tx : 0;
    return "Y:" + std::to_string(status) + ":" + std::to_string(tx) + ":" + std::to_string(rx) +
           ":" + std::to_string(loss) + ":" + std::to_string(maxTime) + ":" +
           std::to_string(minTime) + ":" + std::to_string(avgTime) + ":" +
           HexAddress(192, 168, 0, host) + ":" + HexAddress(192, 168, 0, 1) + ":" +
           HexAddress(211, 228, 245, 1) + ":" + std::to_string(mode);
}

TestRecord NoData()
{
    TestRecord record;
    record.m_RateFrame.m_strRaw = "N";
    record.m_Graph.m_strRaw = "N";
    record.m_Ping.m_strRaw = "N";
    record.m_TraceRoute.m_strRaw = "N";
    return record;
}

TestRecord ShortAdsl(int slot)
{
    TestRecord record;
    record.m_RateFrame.m_strRaw = "Y:4:2:" + std::to_string(320 + slot * 32) + ":" +
                                  std::to_string(2048 + slot * 128) +
                                  ":64:72:9.5:7.0:31.5:52.0:11.5:18.0:0:1:0:0:0:0:0:0:0:0:0:0:0:0:"
                                  "0:0:Slot " +
                                  std::to_string(slot);
    record.m_Graph.m_strRaw = AdslGraph(slot);
    record.m_Ping.m_strRaw = Ping(0, 4, 4, 31, 12, 18, 20 + static_cast<unsigned>(slot), 7);
    record.m_TraceRoute.m_strRaw = TraceRoute(4, 0);
    return record;
}

} // namespace

TestRecord SampleAdslRecord()
{
    TestRecord record;
    record.m_RateFrame.m_strRaw =
        "Y:2:1:800:8000:85:95:12.5:8.0:22.5:40.0:12.0:19.5:3:10:0:4:1a:0:0:0:0:0:0:1:0:0:0:0:"
        "Kim Apt 301";
    record.m_Graph.m_strRaw = AdslGraph(0);
    record.m_Ping.m_strRaw = Ping(0, 4, 4, 20, 1, 9, 2, 3);
    record.m_TraceRoute.m_strRaw = TraceRoute(8, 0);
    return record;
}

TestRecord SampleVdslRecord()
{
    TestRecord record;
    record.m_RateFrame.m_strRaw =
        "Y:5:2:42:22:0:0:12.3:15.1:0:0:11.5:13.2:5:7:12:3:0:0:0:0:0:0:0:0:0:0:0:0:VDSL Lee Bldg B";
    record.m_Graph.m_strRaw = "N";
    record.m_Ping.m_strRaw = Ping(0, 4, 3, 48, 11, 26, 5, 7);
    record.m_TraceRoute.m_strRaw = TraceRoute(6, 0);
    return record;
}

TestRecord SampleWlanRecord()
{
    TestRecord record;
    // NIC MAC 00:11:22:33:44:55 and AP MAC 00:a0:c5:12:34:56 as two 24-bit halves each.
    record.m_RateFrame.m_strRaw = "Y:6:3:4:0:6:3:25.0:0:0:0:62.0:0:" + std::to_string(0x001122) +
                                  ":" + std::to_string(0x334455) + ":" + std::to_string(0x00A0C5) +
                                  ":" + std::to_string(0x123456) +
                                  ":C0A80001:0:0:0:0:0:0:0:0:0:0:0:Cafe hotspot";
    record.m_Graph.m_strRaw =
        WlanGraph({{6, 58, {0x00, 0xa0, 0xc5, 0x12, 0x34, 0x56}, "NESPOT"},
                   {11, 71, {0x00, 0x1b, 0x2c, 0x3d, 0x4e, 0x5f}, "HomeNet-5"},
                   {-1, 0, {}, ""},
                   {1, 80, {0x02, 0x00, 0x5e, 0x10, 0x20, 0x30}, "Office-AP"}},
                  "NESPOT", 232);
    record.m_Ping.m_strRaw = Ping(0, 4, 4, 14, 2, 6, 10, 1);
    record.m_TraceRoute.m_strRaw = TraceRoute(5, 0);
    return record;
}

RecordTable BuiltInSampleSet()
{
    RecordTable table;
    for (int slot = 1; slot <= kDbCount; ++slot)
        table[static_cast<std::size_t>(slot)] = NoData();
    table[1] = SampleAdslRecord();
    table[2] = SampleVdslRecord();
    table[3] = SampleWlanRecord();

    TestRecord& errors = table[4];
    errors.m_RateFrame.m_strRaw =
        "Y:1:2:640:6144:92:88:6.5:4.0:28.5:45.5:12.5:20.0:127:4388:56:20731:ff:3:1:0:1:0:0:0:1:0:"
        "0:1:Park Villa 1203";
    errors.m_Graph.m_strRaw = AdslGraph(9);
    errors.m_Ping.m_strRaw = Ping(0, 10, 9, 250, 5, 64, 33, 4);
    errors.m_TraceRoute.m_strRaw = TraceRoute(30, 3);

    TestRecord& failed = table[6];
    failed.m_RateFrame.m_strRaw =
        "Y:3:1:256:1536:40:55:3.0:2.5:35.0:58.5:10.0:17.0:12:40:3:9:0:0:0:0:0:0:0:0:0:0:0:0:"
        "Failed ping";
    failed.m_Graph.m_strRaw = "N" + AdslGraph(4).substr(1);
    failed.m_Ping.m_strRaw = "Y:1:999:0";
    failed.m_TraceRoute.m_strRaw = "Y:0";

    TestRecord& none = table[7];
    none.m_RateFrame.m_strRaw = "Y:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:No line";
    none.m_Graph.m_strRaw = "N";
    none.m_Ping.m_strRaw = Ping(2, 0, 0, 0, 0, 0, 0, 0);
    none.m_TraceRoute.m_strRaw = "N:0";

    TestRecord& shortWlan = table[8];
    shortWlan = SampleWlanRecord();
    shortWlan.m_RateFrame.m_strRaw = "Y:6:4:2:0:11:1:8.5:0:0:0:81.0:0:" + std::to_string(0x0a0b0c) +
                                     ":" + std::to_string(0x0d0e0f) + ":" +
                                     std::to_string(0x001b2c) + ":" + std::to_string(0x3d4e5f) +
                                     ":0A000001:0:0:0:0:0:0:0:0:0:0:0:Lobby";
    shortWlan.m_Graph.m_strRaw =
        WlanGraph({{11, 71, {0x00, 0x1b, 0x2c, 0x3d, 0x4e, 0x5f}, "HomeNet-5"}}, "HomeNet-5", 48);

    for (int slot : {10, 15, 20})
        table[static_cast<std::size_t>(slot)] = ShortAdsl(slot);
    return table;
}

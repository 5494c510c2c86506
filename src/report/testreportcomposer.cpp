#include "report/testreportcomposer.h"

#include "records/testrecord.h"
#include "report/easyreport.h"
#include "report/reportcolumns.h"
#include "report/reportformats.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kPageHeaderText = "Tested by LMX-4410";
constexpr std::string_view kDhcpMode = "Dynamic Using DHCP";

// One table row: the texts go to columns 1, 2, ... in order (column 0 holds
// only the section title), then the row ends.
void Row(CEasyReport& report, std::initializer_list<std::string_view> cells)
{
    int column = 1;
    for (std::string_view cell : cells)
        report.WriteCell(column++, cell);
    report.NextRow();
}

// An empty row between sections.
void Gap(CEasyReport& report)
{
    report.NextRow();
}

void Begin(CEasyReport& report, std::string_view title)
{
    report.SetPageHeaderText(kPageHeaderText);
    report.SetReportTitle(title);
    report.BeginReport();
}

void WriteGeneralSection(const TestRecord& record, CEasyReport& report)
{
    report.SetDataColumns(kGeneralColumns);
    Gap(report);
    Row(report, {"User Information", record.m_RateFrame.m_strUserInfo});
}

void WritePingAddressRows(const PingSection& ping, CEasyReport& report)
{
    Row(report, {"Source IP", ping.m_strSourceIP});
    Row(report, {"Gateway IP", ping.m_strGatewayIP});
    Row(report, {"Destination IP", ping.m_strDestIP});
}

void WritePingCountRows(const PingSection& ping, CEasyReport& report)
{
    Row(report, {"Tx #", FormatInt(ping.m_nTxCount)});
    Row(report, {"Rx #", FormatInt(ping.m_nRxCount)});
    Row(report, {"Loss Rate", FormatInt(ping.m_nLossRate), "[%]"});
    Row(report, {"Max", FormatPingTime(ping.m_nMaxTime), "[ms]"});
    Row(report, {"Min", FormatPingTime(ping.m_nMinTime), "[ms]"});
    Row(report, {"Average", FormatPingTime(ping.m_nAvgTime), "[ms]"});
}

// The ping table of the DSL layouts, whose "Protocol" row differs.
void WriteDslPingSection(const PingSection& ping, std::string_view protocol, CEasyReport& report)
{
    report.SetDataColumns(kPingColumns);
    WritePingAddressRows(ping, report);
    Row(report, {"Protocol", protocol});
    WritePingCountRows(ping, report);
}

void ComposeAdsl(const TestRecord& record, CEasyReport& report)
{
    const RateFrameSection& rf = record.m_RateFrame;
    Begin(report, "ADSL TEST Report");
    WriteGeneralSection(record, report);

    report.SetDataColumns(kModeColumns);
    Gap(report);
    Row(report, {"Operation Mode", rf.m_strOperationMode});
    Row(report, {"Transfer Mode", rf.m_strTransferMode});
    Gap(report);

    report.SetDataColumns(kRateColumns);
    Row(report, {"Link Rate", FormatInt(rf.m_nDownRate), FormatInt(rf.m_nUpRate), "[Kbps]"});
    Row(report, {"MAX", FormatInt(rf.m_nDownMaxRate), FormatInt(rf.m_nUpMaxRate), "[Kbps]"});
    Row(report, {"Capacity", FormatInt(rf.m_nDownCapacity), FormatInt(rf.m_nUpCapacity), "[%]"});
    Row(report, {"Margin", FormatReal(rf.m_dDownMargin), FormatReal(rf.m_dUpMargin), "[dB]"});
    Row(report, {"Attenuation", FormatReal(rf.m_dDownAttenuation), FormatReal(rf.m_dUpAttenuation),
                 "[dB]"});
    Row(report, {"Power", FormatReal(rf.m_dDownPower), FormatReal(rf.m_dUpPower), "[dBm]"});
    Gap(report);

    report.SetDataColumns(kAdslFrameColumns);
    Row(report, {"CRC", FormatInt(rf.m_nNearCRC), FormatInt(rf.m_nFarCRC)});
    Row(report, {"FEC", FormatInt(rf.m_nNearFEC), FormatInt(rf.m_nFarFEC)});
    Row(report, {"HEC", FormatInt(rf.m_nNearHEC), FormatInt(rf.m_nFarHEC)});
    Row(report, {"LOM", FormatYesNo(rf.m_nNearLOM), FormatYesNo(rf.m_nFarLOM)});
    Row(report, {"LOC", FormatYesNo(rf.m_nNearLOC), FormatYesNo(rf.m_nFarLOC)});
    Row(report, {"LOP", FormatYesNo(rf.m_nNearLOP), FormatYesNo(rf.m_nFarLOP)});
    Row(report, {"LOF", FormatYesNo(rf.m_nNearLOF), FormatYesNo(rf.m_nFarLOF)});
    Row(report, {"LOS", FormatYesNo(rf.m_nNearLOS), FormatYesNo(rf.m_nFarLOS)});
    Gap(report);

    WriteDslPingSection(record.m_Ping, record.m_Ping.m_strProtocol, report);
    Gap(report);

    // An empty cell writes the heading; the chart then takes the row under it.
    report.SetDataColumns(kGraphColumns);
    report.WriteCell(0, "");
    if (record.m_Graph.m_bValid != 0)
        report.AddChart(
            std::span(record.m_Graph.m_anValue).subspan(1, GraphSection::kCarrierCount));

    ComposeTraceRoutePage(record, report);
    report.EndReport();
}

void ComposeVdsl(const TestRecord& record, CEasyReport& report)
{
    const RateFrameSection& rf = record.m_RateFrame;
    Begin(report, "VDSL TEST Report");
    WriteGeneralSection(record, report);

    report.SetDataColumns(kModeColumns);
    Gap(report);
    Row(report, {"Operation Mode", rf.m_strOperationMode});
    Row(report, {"Link Status", VdslLinkStatusText(rf.m_nUpCapacity)});
    Gap(report);

    report.SetDataColumns(kRateColumns);
    Row(report,
        {"Link Rate", VdslLinkRateText(rf.m_nDownRate), VdslLinkRateText(rf.m_nUpRate), "[Mbps]"});
    Row(report, {"SNR", FormatReal(rf.m_dDownMargin), FormatReal(rf.m_dUpMargin), "[dB]"});
    Row(report,
        {"Tx PSD", FormatMinusReal(rf.m_dDownPower), FormatMinusReal(rf.m_dUpPower), "[dBm]"});
    Gap(report);

    report.SetDataColumns(kVdslFrameColumns);
    Row(report, {"IBS", FormatInt(rf.m_nNearCRC), FormatInt(rf.m_nFarCRC)});
    Row(report, {"RSE", FormatInt(rf.m_nNearFEC), FormatInt(rf.m_nFarFEC)});
    Gap(report);

    WriteDslPingSection(record.m_Ping, kDhcpMode, report);

    ComposeTraceRoutePage(record, report);
    report.NextRow();
    report.WriteCell(0, "");
    report.EndReport();
}

void WriteApListRow(const GraphSection& graph, int entry, CEasyReport& report)
{
    const auto k = static_cast<std::size_t>(entry);
    if (graph.m_abApValid[k] == 0) {
        Row(report, {ApLabel(entry), ".", ".", "."});
        return;
    }
    Row(report, {ApLabel(entry), FormatApSsid(graph.m_astrApSsid[k], graph.m_anApChannel[k]),
                 FormatApRssi(graph.m_anApRssi[k]), graph.m_astrApMac[k]});
}

void ComposeWlan(TestRecord& record, CEasyReport& report)
{
    const RateFrameSection& rf = record.m_RateFrame;
    const PingSection& ping = record.m_Ping;
    Begin(report, "WLAN TEST Report");
    WriteGeneralSection(record, report);

    report.SetDataColumns(kModeColumns);
    Gap(report);
    Row(report, {"Operation Mode", rf.m_strOperationMode});
    Gap(report);

    report.SetDataColumns(kApInfoColumns);
    // The graph section of a WLAN test carries the access point block.
    record.m_Graph.ParseApList();
    Row(report, {"SSID", record.m_Graph.m_strSsid});
    Row(report, {"AP [MAC]", FormatMac(rf.m_nFarFEC, rf.m_nNearFEC)});
    Row(report, {"NIC [MAC]", FormatMac(rf.m_nFarCRC, rf.m_nNearCRC)});
    Gap(report);

    // Only the cells the rows name: the third column of this table is blank
    // except for the signal icon.
    report.SetDataColumns(kWlanRateColumns);
    report.WriteCell(1, "Link Rate");
    report.WriteCell(2, WlanLinkRateText(rf.m_nUpRate));
    report.WriteCell(4, "[Mbps]");
    report.NextRow();
    Row(report, {"Channel", FormatInt(rf.m_nUpCapacity)});
    report.WriteCell(1, "SNR");
    report.WriteCell(2, FormatReal(rf.m_dUpMargin));
    report.WriteCell(4, "[dB]");
    report.NextRow();
    report.WriteCell(1, "Signal Level");
    report.WriteCell(2, FormatMinusReal(rf.m_dUpPower));
    report.AddAnt(3, rf.m_nDownCapacity);
    report.WriteCell(4, "[dBm]");
    report.NextRow();
    Gap(report);

    report.SetDataColumns(kApListColumns);
    for (int entry = 0; entry < GraphSection::kApCount; ++entry)
        WriteApListRow(record.m_Graph, entry, report);
    Gap(report);

    report.SetDataColumns(kPingColumns);
    WritePingAddressRows(ping, report);
    Row(report, {"DHCP Server IP", rf.m_strDhcpServerIP});
    Row(report, {"Protocol  802.1x", ping.m_strResult});
    Row(report, {"Protocol DHCP", kDhcpMode});
    WritePingCountRows(ping, report);

    ComposeTraceRoutePage(record, report);
    report.NextRow();
    report.WriteCell(0, "");
    report.EndReport();
}

std::string HopAddressText(const TraceRouteSection& trace, std::size_t hop)
{
    for (int time : trace.m_anHopTime[hop]) {
        if (time != TraceRouteSection::kNoReply)
            return trace.m_astrHopIP[hop];
    }
    return "Request Time Out";
}

} // namespace

void ComposeReport(TestRecord& record, CEasyReport& report)
{
    switch (record.m_RateFrame.m_nLineType) {
    case LINE_NONE:
    case LINE_ADSL: ComposeAdsl(record, report); break;
    case LINE_VDSL: ComposeVdsl(record, report); break;
    case LINE_WLAN: ComposeWlan(record, report); break;
    default:
        // Nothing to show; a report composed before must not linger either.
        report.ClearReport();
        break;
    }
}

void ComposeTraceRoutePage(const TestRecord& record, CEasyReport& report)
{
    const TraceRouteSection& trace = record.m_TraceRoute;
    report.EjectPage(false);
    // An empty cell in the columns still in force.
    report.NextRow();
    report.WriteCell(0, "");

    report.SetDataColumns(kTraceRouteColumns);
    Row(report, {"Source IP", record.m_Ping.m_strSourceIP});
    Row(report, {"Target IP", record.m_Ping.m_strDestIP});
    // The count reads as sent, even when it exceeds the hops the record holds.
    Row(report, {"Hop Count", trace.m_nHopCount == 0 ? "No Data" : FormatInt(trace.m_nHopCount)});
    Gap(report);
    if (trace.m_nHopCount == 0)
        return;

    report.SetDataColumns(kHopListColumns);
    // Only the stored hops are listed, however many the tester counted.
    for (int hop = 0; hop < trace.StoredHopCount(); ++hop) {
        const auto h = static_cast<std::size_t>(hop);
        report.WriteCell(0, FormatInt(hop + 1));
        Row(report, {FormatHopTime(trace.m_anHopTime[h][0]), FormatHopTime(trace.m_anHopTime[h][1]),
                     FormatHopTime(trace.m_anHopTime[h][2]), HopAddressText(trace, h)});
    }
}

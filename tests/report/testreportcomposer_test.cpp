// The three test report layouts and the trace route page, on fixed metrics.

#include "report/ant.h"
#include "report/chart.h"
#include "report/testreportcomposer.h"
#include "reporttestsupport.h"
#include "simulator/sampleset.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

TestRecord Sample(int lineType)
{
    TestRecord record = lineType == LINE_VDSL   ? SampleVdslRecord()
                        : lineType == LINE_WLAN ? SampleWlanRecord()
                                                : SampleAdslRecord();
    record.ParseAll();
    return record;
}

class ComposerTest : public testing::Test
{
protected:
    const CEasyReport& Compose(TestRecord record)
    {
        m_Record = std::move(record);
        ComposeReport(m_Record, m_Fixed.report);
        return m_Fixed.report;
    }

    TestRecord m_Record;
    FixedReport m_Fixed;
};

struct RowCase
{
    int lineType;
    Strings row; // starting with its label
};

class LayoutRowTest : public ComposerTest, public testing::WithParamInterface<RowCase>
{
};

TEST_P(LayoutRowTest, ShowsTheRowOnPageOne)
{
    const CEasyReport& report = Compose(Sample(GetParam().lineType));
    EXPECT_EQ(RowFrom(report, 0, GetParam().row.front()), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LayoutRowTest,
    testing::Values(RowCase{LINE_ADSL, {"User Information", "Kim Apt 301"}},
                    RowCase{LINE_ADSL, {"Link Rate", "8000", "800", "[Kbps]"}},
                    RowCase{LINE_ADSL, {"Margin", "8.0", "12.5", "[dB]"}},
                    RowCase{LINE_ADSL, {"LOP", "[YES]", "[ NO]"}},
                    RowCase{LINE_ADSL, {"Protocol", "PPPoE Dynamic"}},
                    RowCase{LINE_ADSL, {"Min", "<= 10", "[ms]"}},
                    RowCase{LINE_VDSL, {"Link Status", "Link Full Band"}},
                    RowCase{LINE_VDSL, {"Link Rate", "18.75", " 9.38", "[Mbps]"}},
                    RowCase{LINE_VDSL, {"Tx PSD", "- 13.2", "- 11.5", "[dBm]"}},
                    RowCase{LINE_VDSL, {"Protocol", "Dynamic Using DHCP"}},
                    RowCase{LINE_WLAN, {"SSID", "NESPOT"}},
                    RowCase{LINE_WLAN, {"AP [MAC]", "00:a0:c5:12:34:56"}},
                    RowCase{LINE_WLAN, {"Link Rate", "11", "[Mbps]"}},
                    RowCase{LINE_WLAN, {"Signal Level", "- 62.0", "[dBm]"}},
                    RowCase{LINE_WLAN,
                            {"AP-2nd", "HomeNet-5 [11]", "- 71 [dBm]", "00:1b:2c:3d:4e:5f"}},
                    RowCase{LINE_WLAN, {"AP-3rd", ".", ".", "."}},
                    RowCase{LINE_WLAN, {"Protocol  802.1x", "Success"}},
                    RowCase{LINE_WLAN, {"Protocol DHCP", "Dynamic Using DHCP"}}));

// Column stops of a section's heading row, in characters of the cell font.
struct StopsCase
{
    int lineType;
    int page;
    std::string title;
    std::vector<int> stops;
};

class ColumnStopsTest : public ComposerTest, public testing::WithParamInterface<StopsCase>
{
};

TEST_P(ColumnStopsTest, HeadingRowFollowsTheTable)
{
    const CEasyReport& report = Compose(Sample(GetParam().lineType));
    const CTextBox* title = FindBox(report, GetParam().page, GetParam().title);
    ASSERT_NE(title, nullptr);
    std::vector<int> stops;
    for (const auto& element : report.PageElements(GetParam().page)) {
        const CTextBox* box = AsTextBox(element);
        if (box && box->FontIndex() == 1 && box->Rect().top == title->Rect().top)
            stops.push_back((box->Rect().left - 64) / kCharWidth);
    }
    EXPECT_EQ(stops, GetParam().stops);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ColumnStopsTest,
    testing::Values(StopsCase{LINE_ADSL, 0, "General Information", {0, 24, 44, 76}},
                    StopsCase{LINE_ADSL, 0, "Rate Information", {0, 24, 44, 60, 76}},
                    StopsCase{LINE_ADSL, 0, "Ping Information", {0, 24, 44, 76}},
                    StopsCase{LINE_ADSL, 0, "Graph Information", {0, 24, 44, 60, 76}},
                    StopsCase{LINE_VDSL, 0, "Frame Information", {0, 24, 44, 60, 76}},
                    StopsCase{LINE_WLAN, 0, "AP Information", {0, 24, 44, 64, 80}},
                    StopsCase{LINE_WLAN, 0, "AP List Information", {0, 24, 44, 60, 76}},
                    StopsCase{LINE_ADSL, 1, "Trace Route Information", {0, 24, 44, 60, 76}},
                    StopsCase{LINE_ADSL, 1, "Hop List ", {0, 24, 40, 56, 72}}));

TEST_F(ComposerTest, PageOneEndsWhereEachLayoutsRowsAddUp)
{
    const CEasyReport& adsl = Compose(Sample(LINE_ADSL));
    const CChart* chart = nullptr;
    for (const auto& element : adsl.PageElements(0))
        chart = chart ? chart : dynamic_cast<const CChart*>(element.get());
    ASSERT_NE(chart, nullptr);
    // 33 rows and 6 heading rows, straight under "Graph Information".
    EXPECT_EQ(chart->Rect().top, kFirstRowY + 33 * kRow + 6 * kHeadingLine);
    EXPECT_EQ(chart->Rect().top, FindBox(adsl, 0, "Graph Information")->Rect().bottom);
    EXPECT_EQ(chart->Values(), std::vector<int>(m_Record.m_Graph.m_anValue.begin() + 1,
                                                m_Record.m_Graph.m_anValue.end()));
    // The last ping row is the last row before the trace route page.
    EXPECT_EQ(FindBox(Compose(Sample(LINE_VDSL)), 0, "Average")->Rect().top,
              kFirstRowY + 22 * kRow + 5 * kHeadingLine);
    EXPECT_EQ(FindBox(Compose(Sample(LINE_WLAN)), 0, "Average")->Rect().top,
              kFirstRowY + 30 * kRow + 6 * kHeadingLine);
}

TEST_F(ComposerTest, LineTypeChoosesTheLayout)
{
    const std::pair<int, std::string> cases[] = {{0, "ADSL TEST Report"},
                                                 {1, "ADSL TEST Report"},
                                                 {2, "VDSL TEST Report"},
                                                 {3, "WLAN TEST Report"},
                                                 {4, ""},
                                                 {-1, ""}};
    for (const auto& [lineType, title] : cases) {
        Compose(Sample(LINE_ADSL)); // a report composed before must not linger
        TestRecord record = Sample(LINE_ADSL);
        record.m_RateFrame.m_nLineType = lineType;
        const CEasyReport& report = Compose(record);
        ASSERT_EQ(report.GetPageCount(), title.empty() ? 0 : 2) << "line type " << lineType;
        if (!title.empty()) {
            EXPECT_EQ(PageTexts(report, 0)[0] + "|" + PageTexts(report, 0)[1],
                      title + "|Tested by LMX-4410");
        }
    }
}

TEST_F(ComposerTest, InvalidGraphLeavesTheHeadingAlone)
{
    TestRecord record = Sample(LINE_ADSL);
    record.m_Graph.m_bValid = 0;
    const CEasyReport& report = Compose(record);
    EXPECT_NE(FindBox(report, 0, "Graph Information"), nullptr);
    for (const auto& element : report.PageElements(0))
        EXPECT_STRNE(element->ClassName(), "CChart");
}

TEST_F(ComposerTest, WlanReparsesTheAccessPointsAndPlacesTheSignalIcon)
{
    TestRecord record = Sample(LINE_WLAN);
    record.m_Graph.m_strSsid = "stale";
    record.m_Graph.m_abApValid.fill(0);
    const CEasyReport& report = Compose(record);
    EXPECT_EQ(m_Record.m_Graph.m_strSsid, "NESPOT");
    EXPECT_EQ(RowFrom(report, 0, "AP-1st")[1], "NESPOT [6]");

    // Cell, icon, cell: the icon sits in column 3 of the "Signal Level" row.
    const auto page = report.PageElements(0);
    const CTextBox* label = FindBox(report, 0, "Signal Level");
    std::size_t at = 0;
    while (page[at].get() != label)
        ++at;
    const auto* ant = dynamic_cast<const CAnt*>(page[at + 2].get());
    ASSERT_NE(ant, nullptr);
    EXPECT_EQ(ant->Bars(), m_Record.m_RateFrame.m_nDownCapacity);
    EXPECT_EQ(ant->Rect().left, 64 + 60 * kCharWidth);
    EXPECT_EQ(ant->Rect().top, label->Rect().top);
    EXPECT_EQ(AsTextBox(page[at + 3])->Text(), "[dBm]");
}

TEST_F(ComposerTest, TraceRouteStartsPageTwo)
{
    TestRecord record = Sample(LINE_ADSL);
    record.m_Ping.m_strSourceIP = "10.0.0.2";
    record.m_Ping.m_strDestIP = "10.9.9.9";
    TraceRouteSection& trace = record.m_TraceRoute;
    trace.m_nHopCount = 2;
    trace.m_anHopTime[0] = {5, 250, 9999};
    trace.m_astrHopIP[0] = "10.0.0.1";
    trace.m_anHopTime[1] = {9999, 9999, 9999};
    trace.m_astrHopIP[1] = "Request time out";
    const CEasyReport& report = Compose(record);
    const Strings expected = {"Tested by LMX-4410",
                              report.GetDateText(),
                              "Trace Route Information",
                              "Item",
                              "Value",
                              "Source IP",
                              "10.0.0.2",
                              "Target IP",
                              "10.9.9.9",
                              "Hop Count",
                              "2",
                              "Hop List ",
                              "Time1",
                              "Time2",
                              "Time3",
                              "IP Address",
                              "1",
                              "< 10 msec",
                              "250 msec",
                              "*",
                              "10.0.0.1",
                              "2",
                              "*",
                              "*",
                              "*",
                              "Request Time Out"};
    EXPECT_EQ(PageTexts(report, 1), expected);
    EXPECT_EQ(FindBox(report, 1, "1")->Format(), kFormatCentre);
    // A blank row under the page header, then the heading.
    EXPECT_EQ(FindBox(report, 1, "Item")->Rect().top, kLaterFirstRowY + kRow);
}

class HopCountTest : public ComposerTest,
                     public testing::WithParamInterface<std::tuple<int, std::string, int>>
{
};

TEST_P(HopCountTest, ShowsTheCountAsSentAndListsOnlyStoredHops)
{
    const auto& [hopCount, shown, rows] = GetParam();
    TestRecord record = Sample(LINE_ADSL);
    record.m_TraceRoute.m_nHopCount = hopCount;
    const CEasyReport& report = Compose(record);
    ASSERT_EQ(report.GetPageCount(), 2);
    EXPECT_EQ(RowFrom(report, 1, "Hop Count"), (Strings{"Hop Count", shown}));
    int hopRows = 0;
    for (const auto& element : report.PageElements(1)) {
        const CTextBox* box = AsTextBox(element);
        hopRows += box && box->FontIndex() == 2 && box->Format() == kFormatCentre;
    }
    EXPECT_EQ(hopRows, rows);
    EXPECT_EQ(FindBox(report, 1, "Hop List ") != nullptr, rows > 0);
}

INSTANTIATE_TEST_SUITE_P(Counts, HopCountTest,
                         testing::Values(std::tuple(0, "No Data", 0), std::tuple(3, "3", 3),
                                         std::tuple(30, "30", 30), std::tuple(31, "31", 30),
                                         std::tuple(1000, "1000", 30), std::tuple(-1, "-1", 30)));

} // namespace

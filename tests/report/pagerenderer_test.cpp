// Pages painted with the real fonts: what lands where the layout says, and
// records with any field values rendering without harm.

#include "report/chart.h"
#include "report/hline.h"
#include "report/pagerenderer.h"
#include "report/reportpdf.h"
#include "report/testreportcomposer.h"
#include "reporttestsupport.h"
#include "simulator/sampleset.h"

#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <optional>

namespace {

// At 254 dpi one pixel is one report unit.
constexpr int kUnitDpi = 254;

int DarkPixels(const QImage& image, const QRect& area)
{
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

// Whether a 2-unit line runs along y from x0 to x1 (one row either side allowed).
bool HasRule(const QImage& image, int y, int x0, int x1)
{
    for (int x = x0; x < x1; ++x) {
        if (DarkPixels(image, QRect(x, y - 1, 1, 3)) == 0)
            return false;
    }
    return true;
}

class RenderTest : public testing::Test
{
protected:
    CEasyReport& Compose(TestRecord record, int lineType = -2)
    {
        m_Record = std::move(record);
        m_Record.ParseAll();
        if (lineType != -2)
            m_Record.m_RateFrame.m_nLineType = lineType;
        ComposeReport(m_Record, m_Report);
        return m_Report;
    }

    TestRecord m_Record;
    CSilentReportHost m_Host;
    CEasyReport m_Report{m_Host};
};

TEST_F(RenderTest, ChartAndRulesLandWhereTheLayoutPutsThem)
{
    CEasyReport& report = Compose(SampleAdslRecord());
    const QImage image = RenderPageImage(report, 0, kUnitDpi);
    ASSERT_EQ(image.size(), QSize(2159, 2794));
    int rules = 0;
    int charts = 0;
    for (const auto& element : report.PageElements(0)) {
        const ReportRect& r = element->Rect();
        if (dynamic_cast<const CHline*>(element.get())) {
            ++rules;
            EXPECT_TRUE(HasRule(image, r.top, r.left + 2, r.right - 2)) << "rule at " << r.top;
            EXPECT_EQ(DarkPixels(image, QRect(r.left, r.top - 5, r.right - r.left, 2)), 0);
        } else if (dynamic_cast<const CChart*>(element.get())) {
            ++charts;
            EXPECT_TRUE(HasRule(image, r.top, r.left + 2, r.right - 2));
            EXPECT_TRUE(HasRule(image, r.bottom, r.left + 2, r.right - 2));
            // Grid and profile inside the frame, nothing right of it.
            EXPECT_GT(DarkPixels(image, QRect(r.left + 3, r.top + 3, r.right - r.left - 6, 314)),
                      1000);
            EXPECT_EQ(DarkPixels(image, QRect(r.right + 3, r.top, 60, 320)), 0);
        }
    }
    EXPECT_EQ(rules, 2);
    EXPECT_EQ(charts, 1);
    // Nothing in the left, top and right margins.
    EXPECT_EQ(DarkPixels(image, QRect(0, 0, 60, 2794)), 0);
    EXPECT_EQ(DarkPixels(image, QRect(0, 0, 2159, 48)), 0);
    EXPECT_EQ(DarkPixels(image, QRect(2036, 0, 123, 2794)), 0);
}

TEST_F(RenderTest, TooWideTextIsClippedAtItsColumn)
{
    TestRecord record = SampleAdslRecord();
    record.m_RateFrame.m_strRaw.replace(record.m_RateFrame.m_strRaw.rfind(':') + 1,
                                        std::string::npos, std::string(255, 'W'));
    CEasyReport& report = Compose(record);
    const CTextBox* cell = FindBox(report, 0, std::string(255, 'W'));
    ASSERT_NE(cell, nullptr);
    const QImage image = RenderPageImage(report, 0, kUnitDpi);
    const ReportRect& r = cell->Rect();
    EXPECT_GT(DarkPixels(image, QRect(r.right - 40, r.top, 40, r.bottom - r.top)), 100);
    EXPECT_EQ(DarkPixels(image, QRect(r.right + 1, r.top, 2032 - r.right, r.bottom - r.top)), 0);
}

TEST_F(RenderTest, EachPageIsAWhiteSheetOfItsOwn)
{
    for (const int lineType : {int{LINE_VDSL}, 9}) {
        CEasyReport& report = Compose(SampleVdslRecord(), lineType);
        for (const int page : {0, 1}) {
            const QImage sheet = RenderPageImage(report, page, kUnitDpi);
            EXPECT_EQ(qGray(sheet.pixel(5, 5)), 255);
            EXPECT_EQ(qGray(sheet.pixel(2150, 2790)), 255);
            // A report without pages shows blank sheets.
            EXPECT_EQ(DarkPixels(sheet, sheet.rect()) == 0, lineType != LINE_VDSL) << page;
        }
        // Page 2 starts with its page header's rule at the top of its own sheet.
        EXPECT_EQ(HasRule(RenderPageImage(report, 1, kUnitDpi), 141, 70, 2000),
                  lineType == LINE_VDSL);
    }
    // A page the report does not have stays blank rather than repeating another.
    const QImage missing = RenderPageImage(m_Report, 5, 50);
    EXPECT_EQ(DarkPixels(missing, missing.rect()), 0);
}

std::string AllBytes()
{
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

class OddRecordTest : public RenderTest,
                      public testing::WithParamInterface<std::function<void(TestRecord&)>>
{
};

TEST_P(OddRecordTest, ComposesAndRendersEveryPage)
{
    for (int lineType : {LINE_NONE, LINE_ADSL, LINE_VDSL, LINE_WLAN}) {
        TestRecord record = lineType == LINE_WLAN ? SampleWlanRecord() : SampleAdslRecord();
        record.ParseAll();
        record.m_RateFrame.m_nLineType = lineType;
        GetParam()(record);
        m_Record = record;
        ComposeReport(m_Record, m_Report);
        ASSERT_GE(m_Report.GetPageCount(), 2) << "line type " << lineType;
        for (int page = 0; page < m_Report.GetPageCount(); ++page)
            EXPECT_FALSE(RenderPageImage(m_Report, page, 30).isNull());
    }
    QTemporaryDir dir;
    EXPECT_TRUE(WriteReportPdf(m_Report, dir.filePath("odd.pdf")));
}

INSTANTIATE_TEST_SUITE_P(Values, OddRecordTest,
                         testing::Values(
                             [](TestRecord& r) { // negative counts, bars and rate codes
                                 r.m_Ping.m_nTxCount = -1;
                                 r.m_Ping.m_nMaxTime = INT_MIN;
                                 r.m_RateFrame.m_nDownCapacity = -5;
                                 r.m_RateFrame.m_nUpRate = -3;
                                 r.m_RateFrame.m_nDownRate = INT_MIN;
                             },
                             [](TestRecord& r) { // huge rates, reals, bars and carrier values
                                 r.m_RateFrame.m_nDownRate = INT_MAX;
                                 r.m_RateFrame.m_nUpRate = INT_MAX;
                                 r.m_RateFrame.m_nDownCapacity = INT_MAX;
                                 r.m_RateFrame.m_dDownMargin = 1e308;
                                 r.m_RateFrame.m_dUpPower = -1e308;
                                 r.m_Graph.m_bValid = 1;
                                 r.m_Graph.m_anValue.fill(INT_MAX);
                                 r.m_Graph.m_anValue[7] = INT_MIN;
                             },
                             [](TestRecord& r) { // 30 hops without reply
                                 r.m_TraceRoute.m_nHopCount = 30;
                                 r.m_TraceRoute.m_astrHopIP.fill("Request time out");
                                 for (auto& times : r.m_TraceRoute.m_anHopTime)
                                     times = {9999, 9999, 9999};
                             },
                             [](TestRecord& r) { r.m_TraceRoute.m_nHopCount = -1; },
                             [](TestRecord& r) { r.m_TraceRoute.m_nHopCount = 1000; },
                             [](TestRecord& r) { // long texts and every byte value
                                 r.m_RateFrame.m_strUserInfo = std::string(255, '\xE9');
                                 r.m_Ping.m_strProtocol = AllBytes();
                                 r.m_Graph.m_strRaw = "Y:" + AllBytes();
                                 r.m_TraceRoute.m_astrHopIP[0] = AllBytes() + "\n\n\n";
                             }));

} // namespace

// A printer that cannot reach the sheet's edges: the page stays where the
// report put it while its area fits into what the printer prints, and is
// moved, or shrunk only when it must, so that none of it is cut off.
TEST(PrintPlacementTest, ThePageStaysOnTheSheetUnlessThePrinterCannotReachIt)
{
    const QRectF sheet(0, 0, CEasyReport::kPageWidth, CEasyReport::kPageHeight);
    const QRectF area(
        CEasyReport::kLeftMargin, CEasyReport::kTopMargin,
        CEasyReport::kPageWidth - CEasyReport::kLeftMargin - CEasyReport::kRightMargin,
        CEasyReport::kPageHeight - CEasyReport::kTopMargin - CEasyReport::kBottomMargin);
    struct Case
    {
        const char* pszName;
        QMarginsF unprintable; // report units
        // Where the page goes when it need not shrink; a shrunk one is only
        // checked to fit.
        std::optional<QTransform> moved;
    };
    const Case cases[] = {
        {"the whole sheet", {}, QTransform()},
        {"a laser printer's 4.2 mm", {42, 42, 42, 42}, QTransform()},
        {"a deep top edge", {0, 70, 0, 0}, QTransform::fromTranslate(0, 70 - 51)},
        {"a deep bottom edge", {30, 30, 30, 70}, QTransform::fromTranslate(0, 2724 - 2743)},
        {"an old inkjet's 12 mm bottom edge", {30, 30, 30, 120}, std::nullopt},
        {"far too wide edges", {300, 300, 300, 300}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        const QRectF printable = sheet.marginsRemoved(c.unprintable);
        const QTransform placement = PrintPlacement(printable);
        const QRectF placed = placement.mapRect(area);
        EXPECT_TRUE(printable.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(placed))
            << placed.left() << " " << placed.top() << " " << placed.right() << " "
            << placed.bottom();
        if (c.moved)
            EXPECT_EQ(placement, *c.moved);
        else
            EXPECT_LT(placement.m11(), 1.0);
    }
}

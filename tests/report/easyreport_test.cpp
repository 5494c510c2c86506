// The layout arithmetic of the report engine, on fixed font metrics.

#include "report/ant.h"
#include "report/chart.h"
#include "report/pagenum.h"
#include "reporttestsupport.h"

#include <QDate>
#include <QPainter>
#include <QPicture>

#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr int kRight = 2032;
constexpr ColumnDef kThreeColumns[] = {{"Title", 24, 0}, {"Item", 20, 1}, {"", 32, 3}};
constexpr ColumnDef kNextColumns[] = {{"Next", 24, 0}, {"Column", 20, 7}};

using Placed = std::tuple<std::string, std::array<int, 4>, std::string>;

std::vector<Placed> Describe(const CEasyReport& report, int page)
{
    std::vector<Placed> placed;
    for (const auto& element : report.PageElements(page)) {
        const ReportRect& r = element->Rect();
        const CTextBox* box = AsTextBox(element);
        placed.emplace_back(element->ClassName(), std::array{r.left, r.top, r.right, r.bottom},
                            box ? box->Text() : "");
    }
    return placed;
}

template <typename Element> const Element* Find(const CEasyReport& report, int page)
{
    for (const auto& element : report.PageElements(page)) {
        if (const auto* found = dynamic_cast<const Element*>(element.get()))
            return found;
    }
    return nullptr;
}

class EasyReportTest : public testing::Test
{
protected:
    CEasyReport& report() { return m_Fixed.report; }
    void Rows(int count)
    {
        for (int i = 0; i < count; ++i)
            report().NextRow();
    }

    FixedReport m_Fixed;
};

TEST_F(EasyReportTest, BandsOfTheFirstAndLaterPages)
{
    report().SetReportTitle("VDSL TEST Report");
    report().SetPageHeaderText("Tested by LMX-4410");
    report().BeginReport();
    EXPECT_EQ(report().GetCurrentY(), kFirstRowY);
    report().EjectPage(false);
    EXPECT_EQ(report().GetCurrentY(), kLaterFirstRowY);
    report().EndReport();

    // The date of composition, not of the test.
    const QDate today = QDate::currentDate();
    const std::string date =
        QString::asprintf("Date: %2d/%2d/%4d", today.month(), today.day(), today.year())
            .toStdString();
    const int h = kHeadingLine;
    const std::vector<Placed> footer = {{"CHline", {64, 2653, kRight, 2653}, ""},
                                        {"CPageNum", {64, 2663, kRight, 2663 + h}, ""}};
    std::vector<Placed> first = {{"CTextBox", {64, 51, kRight, 251}, "VDSL TEST Report"},
                                 {"CTextBox", {64, 251, kRight, 251 + h}, "Tested by LMX-4410"},
                                 {"CTextBox", {1540, 251, kRight, 251 + h}, date},
                                 {"CHline", {64, 341, kRight, 351}, ""}};
    std::vector<Placed> second = {{"CTextBox", {64, 51, kRight, 51 + h}, "Tested by LMX-4410"},
                                  {"CTextBox", {1540, 51, kRight, 51 + h}, date},
                                  {"CHline", {64, 141, kRight, 151}, ""}};
    first.insert(first.end(), footer.begin(), footer.end());
    second.insert(second.end(), footer.begin(), footer.end());
    ASSERT_EQ(report().GetPageCount(), 2);
    EXPECT_EQ(Describe(report(), 0), first);
    EXPECT_EQ(Describe(report(), 1), second);
    const CTextBox* title = AsTextBox(report().PageElements(0)[0]);
    EXPECT_EQ(std::pair(title->FontIndex(), title->Format()), std::pair(0, kFormatCentre));
}

TEST_F(EasyReportTest, ColumnsAndTheHeadingRowTheFirstCellWrites)
{
    constexpr ColumnDef kTall[] = {{"Title", 24, 0}, {"Two\nlines", 20, 1}, {"", 32, 3}};
    report().BeginReport();
    report().SetDataColumns(kTall);
    const int stops[] = {64, 64 + 24 * kCharWidth, 64 + 44 * kCharWidth, 64 + 76 * kCharWidth};
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(report().GetCellRect(c), (ReportRect{stops[c], 351, stops[c + 1], 351 + kRow}));
    EXPECT_EQ(report().GetCellRect(3), ReportRect{});
    report().WriteCell(5, "outside the table");
    report().WriteCell(2, "x");
    report().WriteCell(1, "y");
    report().EndReport();

    // Three heading boxes two heading lines high (the empty one too), then
    // the cells under them; alignment 3 is right.
    const int cellTop = 351 + 2 * kHeadingLine;
    const std::vector<Placed> expected = {
        {"CTextBox", {stops[0], 351, stops[1], cellTop}, "Title"},
        {"CTextBox", {stops[1], 351, stops[2], cellTop}, "Two\nlines"},
        {"CTextBox", {stops[2], 351, stops[3], cellTop}, ""},
        {"CTextBox", {stops[2], cellTop, stops[3], cellTop + kRow}, "x"},
        {"CTextBox", {stops[1], cellTop, stops[2], cellTop + kRow}, "y"}};
    const std::vector<Placed> page = Describe(report(), 0);
    EXPECT_EQ(std::vector<Placed>(page.begin() + 4, page.end() - 2), expected);
    const auto& elements = report().PageElements(0);
    EXPECT_EQ(AsTextBox(elements[5])->Format(), kFormatCentre);
    EXPECT_EQ(AsTextBox(elements[7])->Format(), kFormatRight);
    EXPECT_EQ(AsTextBox(elements[7])->FontIndex(), 2);
}

// NextRow ejects as soon as a further row would reach into the footer band:
// rows land on 403 + 40 n, and 2603 is the last y that still takes one.
class NextRowEjectTest : public EasyReportTest, public testing::WithParamInterface<int>
{
};

TEST_P(NextRowEjectTest, NoRowIsCutByTheFooter)
{
    report().BeginReport();
    report().SetDataColumns(kThreeColumns);
    report().WriteCell(0, ""); // heading of 52: y = 403
    Rows(GetParam());
    report().WriteCell(1, "after");
    report().EndReport();
    const bool ejected = GetParam() == 56;
    ASSERT_EQ(report().GetPageCount(), ejected ? 2 : 1);
    const CTextBox* after = FindBox(report(), ejected ? 1 : 0, "after");
    ASSERT_NE(after, nullptr);
    // Continued in the same columns, without repeating the heading.
    EXPECT_EQ(after->Rect().top, ejected ? kLaterFirstRowY : 2603);
    EXPECT_EQ(FindBox(report(), 1, "Title"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Boundary, NextRowEjectTest, testing::Values(55, 56));

// A pending heading moves to a new page with its first row when both do not
// fit above the footer band (y + 52 + 40 > 2643).
TEST_F(EasyReportTest, HeadingMovesWithItsFirstRow)
{
    for (const auto& [rows, pages] : {std::pair{53, 1}, std::pair{54, 2}}) {
        report().BeginReport();
        report().SetDataColumns(kThreeColumns);
        report().WriteCell(0, "");
        Rows(rows);
        report().SetDataColumns(kNextColumns);
        report().WriteCell(1, "first");
        report().EndReport();
        ASSERT_EQ(report().GetPageCount(), pages) << rows << " rows";
        const CTextBox* heading = FindBox(report(), pages - 1, "Next");
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(FindBox(report(), pages - 1, "first")->Rect().top, heading->Rect().bottom);
        EXPECT_EQ(heading->Rect().top == kLaterFirstRowY, pages == 2);
    }
}

TEST_F(EasyReportTest, ChartAndIconArePlacedWithoutPageEndTest)
{
    report().BeginReport();
    report().SetDataColumns(kThreeColumns);
    report().WriteCell(0, "");
    Rows(55);
    const int y = report().GetCurrentY();
    report().AddAnt(1, 4);
    EXPECT_EQ(report().GetCurrentY(), y);
    report().AddChart(std::vector<int>{1, 2, 3});
    EXPECT_EQ(report().GetCurrentY(), y + kGapLine + 320);
    report().EndReport();

    ASSERT_EQ(report().GetPageCount(), 1);
    const auto* chart = Find<CChart>(report(), 0);
    EXPECT_EQ(chart->Rect(), (ReportRect{64, y, 1968, y + 320}));
    EXPECT_EQ(chart->Values(), (std::vector<int>{1, 2, 3}));
    const auto* ant = Find<CAnt>(report(), 0);
    EXPECT_EQ(ant->Rect(), (ReportRect{64 + 24 * kCharWidth, y, 64 + 44 * kCharWidth, y + kRow}));
    EXPECT_EQ(ant->Bars(), 4);
}

// A picture records each drawn text line as UTF-16.
bool DrawsText(const CEasyReport& report, const QString& text)
{
    QPicture picture;
    QPainter painter(&picture);
    report.DrawCurrentPage(painter);
    painter.end();
    QByteArray utf16;
    for (const QChar c : text)
        utf16.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode()));
    return QByteArray(picture.data(), picture.size()).contains(utf16);
}

TEST_F(EasyReportTest, PageNumberIsFormedWhenDrawn)
{
    report().BeginReport();
    report().EjectPage(false);
    report().EndReport();
    for (int page : {1, 0}) {
        ASSERT_TRUE(report().SetCurrentPage(page));
        EXPECT_TRUE(DrawsText(report(), QString("Page: %1 of 2").arg(page + 1)));
    }
    for (int page : {-1, 2}) {
        EXPECT_FALSE(report().SetCurrentPage(page));
        EXPECT_TRUE(report().PageElements(page).empty());
    }
    EXPECT_EQ(report().GetCurrentPage(), 0);
}

TEST(ReportFonts, SizesWeightsSlantsAndMeasuredMetrics)
{
    CountingHost host;
    CEasyReport report(host);
    EXPECT_EQ(report.GetFont(0), nullptr); // none before BeginReport
    report.BeginReport();
    const std::tuple<int, bool, bool> expected[] = {
        {70, true, true}, {35, true, true}, {35, false, false}, {35, false, false}};
    for (int i = 0; i < 4; ++i) {
        const QFont* font = report.GetFont(i);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(std::tuple(font->pixelSize(), font->bold(), font->italic()), expected[i]) << i;
    }
    EXPECT_EQ(report.GetFont(4), nullptr);
    // A row is a little more than the 35-unit font; the widest table (96
    // characters) still ends inside the right margin.
    const ReportFontMetrics cell = report.GetFontMetrics(2);
    EXPECT_GE(cell.lineHeight, 36);
    EXPECT_LE(cell.lineHeight, 45);
    EXPECT_GE(cell.aveCharWidth, 14);
    EXPECT_LE(64 + 96 * cell.aveCharWidth, kRight);
}

TEST(ReportHostNotice, ThePrinterIsCheckedOncePerComposition)
{
    CountingHost host;
    CEasyReport report(host, std::make_unique<FixedFontMeasure>());
    for (int composition = 1; composition <= 2; ++composition) {
        report.BeginReport();
        report.EjectPage(false);
        report.EndReport();
        EXPECT_EQ(host.Checks(), composition);
    }
}

} // namespace

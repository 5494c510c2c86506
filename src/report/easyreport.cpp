#include "report/easyreport.h"

#include "report/ant.h"
#include "report/chart.h"
#include "report/hline.h"
#include "report/outlinefontmeasure.h"
#include "report/pagenum.h"
#include "report/reporthost.h"
#include "report/textbox.h"

#include <QDate>
#include <QPainter>

#include <algorithm>
#include <cstdio>

namespace {

struct FontStyle
{
    int points;
    QFont::Weight weight;
    bool italic;
};

constexpr FontStyle kFontStyles[CEasyReport::kFontCount] = {
    {20, QFont::Bold, true},
    {10, QFont::Bold, true},
    {10, QFont::Normal, false},
    {10, QFont::Normal, false},
};

constexpr int kPointsPerInch = 72;
constexpr int kUnitsPerInch = 254;
// Rules sit 1 mm inside the header and footer bands.
constexpr int kRuleInset = 10;
constexpr int kPageNumberOffset = 20;

QFont MakeReportFont(const FontStyle& style)
{
    QFont font;
    // Liberation Sans has Arial's metrics; naming it keeps the result the
    // same where no font alias maps Arial to it.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    // Sized in report units so the font scales with the painter's transform
    // like every other coordinate, whatever the device's resolution.
    font.setPixelSize(style.points * kUnitsPerInch / kPointsPerInch);
    font.setWeight(style.weight);
    font.setItalic(style.italic);
    // Unhinted and unkerned glyphs advance the same at every scale, so a text
    // that fits its column on screen fits it on paper too.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

TextFormat FormatForAlignment(int alignment)
{
    switch (alignment) {
    case 1: return kFormatCentre;
    case 2:
    case 3: return kFormatRight;
    default: return kFormatLeft;
    }
}

std::string DateText(const QDate& date)
{
    char text[64];
    std::snprintf(text, sizeof text, "Date: %2d/%2d/%4d", date.month(), date.day(), date.year());
    return text;
}

} // namespace

CEasyReport::CEasyReport(CReportHost& host)
    : CEasyReport(host, std::make_unique<COutlineFontMeasure>())
{
}

CEasyReport::CEasyReport(CReportHost& host, std::unique_ptr<const CFontMeasure> measure)
    : m_rHost(host), m_pMeasure(std::move(measure)),
      m_Pen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
{
}

CEasyReport::~CEasyReport() = default;

template <typename Element, typename... Args> void CEasyReport::Add(Args&&... args)
{
    m_apElements.push_back(std::make_unique<Element>(*this, std::forward<Args>(args)...));
}

void CEasyReport::ClearReport()
{
    m_apElements.clear();
    for (auto& font : m_aFonts)
        font.reset();
    m_anPageEnds.clear();
    m_nCurrentPage = 0;
}

void CEasyReport::BeginReport()
{
    ClearReport();
    m_strDate = DateText(m_rHost.Today());
    // The layout never depends on the printer (see reporthost.h); only the
    // user's notice does.
    m_rHost.CheckDefaultPrinter();
    SetupFonts();

    m_nY = kTopMargin;
    WriteReportHeader({kLeftMargin, m_nY, kPageWidth - kRightMargin, m_nY + kReportHeaderHeight});
    m_nY += kReportHeaderHeight;
    WritePageHeader(PageHeaderBand());
    m_nY += kPageHeaderHeight;
}

void CEasyReport::SetupFonts()
{
    for (std::size_t i = 0; i < m_aFonts.size(); ++i) {
        m_aFonts[i] = MakeReportFont(kFontStyles[i]);
        m_aMetrics[i] = m_pMeasure->Measure(static_cast<int>(i), *m_aFonts[i]);
    }
}

ReportRect CEasyReport::PageHeaderBand() const
{
    return {kLeftMargin, m_nY, kPageWidth - kRightMargin, m_nY + kPageHeaderHeight};
}

void CEasyReport::WriteReportHeader(ReportRect band)
{
    Add<CTextBox>(band, kTitleFont, m_strReportTitle, kFormatCentre);
}

void CEasyReport::WritePageHeader(ReportRect band)
{
    const int textBottom = band.top + LineHeight(kHeadingFont);
    Add<CTextBox>(ReportRect{band.left, band.top, band.right, textBottom}, kHeadingFont,
                  m_strPageHeader, kFormatLeft);
    // The date takes the last quarter of the band.
    const int dateLeft = band.right - (band.right - band.left) / 4;
    Add<CTextBox>(ReportRect{dateLeft, band.top, band.right, textBottom}, kHeadingFont, m_strDate,
                  kFormatLeft);
    Add<CHline>(ReportRect{band.left, band.bottom - kRuleInset, band.right, band.bottom});
}

void CEasyReport::WritePageFooter(ReportRect band)
{
    const int ruleY = band.top + kRuleInset;
    Add<CHline>(ReportRect{band.left, ruleY, band.right, ruleY});
    const int numberTop = band.top + kPageNumberOffset;
    Add<CPageNum>(
        ReportRect{band.left, numberTop, band.right, numberTop + LineHeight(kHeadingFont)},
        kHeadingFont);
}

void CEasyReport::SetDataColumns(std::span<const ColumnDef> columns)
{
    m_aColumns.assign(columns.begin(), columns.end());
    const int charWidth = m_aMetrics[kCellFont].aveCharWidth;
    m_anColumnStops.assign(1, kLeftMargin);
    int headingLines = 1;
    for (const ColumnDef& column : m_aColumns) {
        m_anColumnStops.push_back(m_anColumnStops.back() + column.width * charWidth);
        const auto breaks = std::count(column.heading.begin(), column.heading.end(), '\n');
        headingLines = std::max(headingLines, 1 + static_cast<int>(breaks));
    }
    m_nHeadingHeight = headingLines * LineHeight(kHeadingFont);
    m_bHeadingPending = true;
}

bool CEasyReport::IsColumn(int column) const
{
    return column >= 0 && static_cast<std::size_t>(column) < m_aColumns.size();
}

ReportRect CEasyReport::GetCellRect(int column) const
{
    if (!IsColumn(column))
        return {};
    const auto c = static_cast<std::size_t>(column);
    return {m_anColumnStops[c], m_nY, m_anColumnStops[c + 1], m_nY + LineHeight(kCellFont)};
}

void CEasyReport::WriteCell(int column, std::string_view text)
{
    if (!IsColumn(column))
        return;
    if (m_bHeadingPending) {
        // The heading moves to a new page together with its first row.
        const int rowsBottom = m_nY + m_nHeadingHeight + LineHeight(kCellFont);
        if (rowsBottom > kPageHeight - kPageFooterHeight - kBottomMargin)
            EjectPage(false);
        WriteTableHeading();
    }
    const auto c = static_cast<std::size_t>(column);
    Add<CTextBox>(GetCellRect(column), kCellFont, std::string(text),
                  FormatForAlignment(m_aColumns[c].alignment));
}

void CEasyReport::WriteTableHeading()
{
    m_bHeadingPending = false;
    for (std::size_t i = 0; i < m_aColumns.size(); ++i) {
        const ReportRect box{m_anColumnStops[i], m_nY, m_anColumnStops[i + 1],
                             m_nY + m_nHeadingHeight};
        Add<CTextBox>(box, kHeadingFont, std::string(m_aColumns[i].heading),
                      FormatForAlignment(m_aColumns[i].alignment));
    }
    m_nY += m_nHeadingHeight;
}

void CEasyReport::NextRow()
{
    m_nY += LineHeight(kCellFont);
    // Never let a further row reach into the page footer band.
    if (m_nY + kPageFooterHeight + LineHeight(kCellFont) > kPageHeight - kBottomMargin)
        EjectPage(false);
}

void CEasyReport::EjectPage(bool lastPage)
{
    const int footerTop = kPageHeight - kBottomMargin - kPageFooterHeight;
    WritePageFooter(
        {kLeftMargin, footerTop, kPageWidth - kRightMargin, kPageHeight - kBottomMargin});
    m_anPageEnds.push_back(m_apElements.size());
    m_nY = kTopMargin;
    if (!lastPage) {
        WritePageHeader(PageHeaderBand());
        m_nY += kPageHeaderHeight;
    }
}

void CEasyReport::AddChart(std::span<const int> values)
{
    // The chart ends short of the right margin by the width of the left one.
    const ReportRect box{kLeftMargin, m_nY, kPageWidth - kRightMargin - kLeftMargin,
                         m_nY + kChartHeight};
    Add<CChart>(box, std::vector<int>(values.begin(), values.end()));
    m_nY += LineHeight(kGapFont) + kChartHeight;
}

void CEasyReport::AddAnt(int column, int bars)
{
    if (IsColumn(column))
        Add<CAnt>(GetCellRect(column), bars);
}

void CEasyReport::EndReport()
{
    EjectPage(true);
    m_nCurrentPage = 0;
}

bool CEasyReport::SetCurrentPage(int page)
{
    if (page < 0 || page >= GetPageCount())
        return false;
    m_nCurrentPage = page;
    return true;
}

void CEasyReport::DrawCurrentPage(QPainter& painter) const
{
    for (const auto& element : PageElements(m_nCurrentPage))
        element->Draw(painter);
}

const QFont* CEasyReport::GetFont(int index) const
{
    if (index < 0 || index >= kFontCount)
        return nullptr;
    const auto& font = m_aFonts[static_cast<std::size_t>(index)];
    return font ? &*font : nullptr;
}

ReportFontMetrics CEasyReport::GetFontMetrics(int index) const
{
    if (index < 0 || index >= kFontCount)
        return {};
    return m_aMetrics[static_cast<std::size_t>(index)];
}

std::span<const std::unique_ptr<CElement>> CEasyReport::PageElements(int page) const
{
    if (page < 0 || page >= GetPageCount())
        return {};
    const auto p = static_cast<std::size_t>(page);
    const std::size_t first = p == 0 ? 0 : m_anPageEnds[p - 1];
    return std::span(m_apElements).subspan(first, m_anPageEnds[p] - first);
}

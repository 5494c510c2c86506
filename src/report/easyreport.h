#pragma once

#include "report/columndef.h"
#include "report/element.h"
#include "report/fontmeasure.h"

#include <QFont>
#include <QPen>

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CReportHost;
class QPainter;

// A small page-layout engine. A report is composed once (BeginReport, tables
// of cells, charts and icons, EndReport) into a list of positioned elements
// split into US-Letter pages; any page can then be drawn onto any painter as
// often as needed.
//
// Report units are 0.1 mm, x to the right and y downward from the top-left
// corner of the sheet. A painter that draws a page must map report units to
// its device (see pagerenderer.h).
class CEasyReport
{
public:
    static constexpr int kPageWidth = 2159;  // 8.5 in
    static constexpr int kPageHeight = 2794; // 11 in
    static constexpr int kTopMargin = 51;
    static constexpr int kBottomMargin = 51;
    static constexpr int kLeftMargin = 64;
    static constexpr int kRightMargin = 127;
    // Band under the top margin of page 1, holding the report title.
    static constexpr int kReportHeaderHeight = 200;
    static constexpr int kPageHeaderHeight = 100;
    static constexpr int kPageFooterHeight = 100;
    static constexpr int kChartHeight = 320;

    static constexpr int kFontCount = 4;
    static constexpr int kTitleFont = 0;   // 20 pt bold italic
    static constexpr int kHeadingFont = 1; // 10 pt bold italic: headings, page header, page number
    static constexpr int kCellFont = 2;    // 10 pt: cells; sets column widths and row height
    static constexpr int kGapFont = 3;     // 10 pt: its line is the gap left below a chart

    // Measures its fonts with COutlineFontMeasure.
    explicit CEasyReport(CReportHost& host);
    CEasyReport(CReportHost& host, std::unique_ptr<const CFontMeasure> measure);
    ~CEasyReport();
    CEasyReport(const CEasyReport&) = delete;
    CEasyReport& operator=(const CEasyReport&) = delete;

    void SetReportTitle(std::string_view title) { m_strReportTitle = title; }
    void SetPageHeaderText(std::string_view text) { m_strPageHeader = text; }

    // Composing, in this order: BeginReport; any sequence of SetDataColumns,
    // WriteCell, NextRow, AddAnt, AddChart and EjectPage(false); EndReport.
    void BeginReport();
    // The heading row of the new columns is written by the next WriteCell.
    void SetDataColumns(std::span<const ColumnDef> columns);
    // A cell in the current row; y does not move. Columns outside the current
    // table are ignored.
    void WriteCell(int column, std::string_view text);
    void WriteTableHeading();
    void NextRow();
    void EjectPage(bool lastPage);
    // The carrier graph at the current y, full width; never ejects a page.
    void AddChart(std::span<const int> values);
    // The signal icon in a cell of the current row.
    void AddAnt(int column, int bars);
    void EndReport();
    // Forgets all elements and pages; the column definition stays.
    void ClearReport();

    // Drawing.
    int GetPageCount() const { return static_cast<int>(m_anPageEnds.size()); }
    int GetCurrentPage() const { return m_nCurrentPage; }
    // Accepts only pages the report has; returns whether it did.
    bool SetCurrentPage(int page);
    void DrawCurrentPage(QPainter& painter) const;

    // Layout state.
    // Font 0..3, or none for any other index or before BeginReport.
    const QFont* GetFont(int index) const;
    ReportFontMetrics GetFontMetrics(int index) const;
    // Column `column` of the current row; empty for a column outside the table.
    ReportRect GetCellRect(int column) const;
    int GetCurrentY() const { return m_nY; }
    const QPen& GetPen() const { return m_Pen; }
    const std::string& GetDateText() const { return m_strDate; }
    // The elements of one page in creation order; none for a page not in the report.
    std::span<const std::unique_ptr<CElement>> PageElements(int page) const;

private:
    void SetupFonts();
    void WriteReportHeader(ReportRect band);
    void WritePageHeader(ReportRect band);
    void WritePageFooter(ReportRect band);
    ReportRect PageHeaderBand() const;
    int LineHeight(int font) const { return m_aMetrics[static_cast<std::size_t>(font)].lineHeight; }
    bool IsColumn(int column) const;
    template <typename Element, typename... Args> void Add(Args&&... args);

    CReportHost& m_rHost;
    std::unique_ptr<const CFontMeasure> m_pMeasure;
    std::array<std::optional<QFont>, kFontCount> m_aFonts;
    std::array<ReportFontMetrics, kFontCount> m_aMetrics{};
    QPen m_Pen;
    int m_nCurrentPage = 0;
    int m_nY = kTopMargin;
    std::vector<std::unique_ptr<CElement>> m_apElements;
    // Entry p: the number of elements on pages 0..p together.
    std::vector<std::size_t> m_anPageEnds;
    // x of each column's left edge, then the right edge of the last column.
    std::vector<int> m_anColumnStops;
    std::vector<ColumnDef> m_aColumns;
    bool m_bHeadingPending = false;
    int m_nHeadingHeight = 0;
    std::string m_strReportTitle = "ADSL TEST Report";
    std::string m_strPageHeader;
    std::string m_strDate;
};

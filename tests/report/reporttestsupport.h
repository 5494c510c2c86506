#pragma once

// Shared by the report tests: fixed font metrics, a host that counts its
// messages, and views of a composed report that are easy to assert on.

#include "report/easyreport.h"
#include "report/reporthost.h"
#include "report/textbox.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

// Every font has its own line height, so a layout that takes the wrong
// font's line somewhere lands on a different y.
class FixedFontMeasure final : public CFontMeasure
{
public:
    static constexpr std::array<ReportFontMetrics, 4> kMetrics = {
        ReportFontMetrics{40, 80}, ReportFontMetrics{21, 52}, ReportFontMetrics{20, 40},
        ReportFontMetrics{19, 45}};

    ReportFontMetrics Measure(int index, const QFont&) const override
    {
        return kMetrics[static_cast<std::size_t>(index)];
    }
};

inline constexpr int kHeadingLine = FixedFontMeasure::kMetrics[1].lineHeight;
inline constexpr int kRow = FixedFontMeasure::kMetrics[2].lineHeight;
inline constexpr int kGapLine = FixedFontMeasure::kMetrics[3].lineHeight;
inline constexpr int kCharWidth = FixedFontMeasure::kMetrics[2].aveCharWidth;
inline constexpr int kFirstRowY = 351;      // page 1, under title and page header
inline constexpr int kLaterFirstRowY = 151; // every later page

class CountingHost final : public CReportHost
{
public:
    void CheckDefaultPrinter() override { ++m_nChecks; }
    int Checks() const { return m_nChecks; }

private:
    int m_nChecks = 0;
};

struct FixedReport
{
    CountingHost host;
    CEasyReport report{host, std::make_unique<FixedFontMeasure>()};
};

inline const CTextBox* AsTextBox(const std::unique_ptr<CElement>& element)
{
    return dynamic_cast<const CTextBox*>(element.get());
}

// Texts of a page's boxes in creation order, empty ones left out.
inline std::vector<std::string> PageTexts(const CEasyReport& report, int page)
{
    std::vector<std::string> texts;
    for (const auto& element : report.PageElements(page)) {
        if (const CTextBox* box = AsTextBox(element); box && !box->Text().empty())
            texts.push_back(box->Text());
    }
    return texts;
}

inline const CTextBox* FindBox(const CEasyReport& report, int page, const std::string& text)
{
    for (const auto& element : report.PageElements(page)) {
        if (const CTextBox* box = AsTextBox(element); box && box->Text() == text)
            return box;
    }
    return nullptr;
}

// The non-empty texts of the row that starts with `label`, left to right.
inline std::vector<std::string> RowFrom(const CEasyReport& report, int page,
                                        const std::string& label)
{
    const CTextBox* first = FindBox(report, page, label);
    std::vector<const CTextBox*> row;
    for (const auto& element : report.PageElements(page)) {
        const CTextBox* box = AsTextBox(element);
        if (first && box && !box->Text().empty() && box->Rect().top == first->Rect().top &&
            box->Rect().left >= first->Rect().left)
            row.push_back(box);
    }
    std::stable_sort(row.begin(), row.end(), [](const CTextBox* a, const CTextBox* b) {
        return a->Rect().left < b->Rect().left;
    });
    std::vector<std::string> texts;
    for (const CTextBox* box : row)
        texts.push_back(box->Text());
    return texts;
}

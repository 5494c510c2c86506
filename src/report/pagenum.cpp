#include "report/pagenum.h"

#include "report/easyreport.h"

#include <cstdio>

CPageNum::CPageNum(const CEasyReport& report, ReportRect rect, int fontIndex)
    : CTextBox(report, rect, fontIndex, std::string(), kFormatCentre)
{
}

void CPageNum::Draw(QPainter& painter) const
{
    PaintText(painter, PageText(Report().GetCurrentPage() + 1, Report().GetPageCount()));
}

std::string CPageNum::PageText(int pageNumber, int pageCount)
{
    char text[48];
    std::snprintf(text, sizeof text, "Page: %d of %d", pageNumber, pageCount);
    return text;
}

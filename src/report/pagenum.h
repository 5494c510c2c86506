#pragma once

#include "report/textbox.h"

#include <string>

// The page number in a page footer. Its text is formed when it is drawn, so it
// always counts the pages of the finished report.
class CPageNum : public CTextBox
{
public:
    CPageNum(const CEasyReport& report, ReportRect rect, int fontIndex);

    const char* ClassName() const override { return "CPageNum"; }
    void Draw(QPainter& painter) const override;

    // "Page: 1 of 2" for the first page of two.
    static std::string PageText(int pageNumber, int pageCount);
};

#pragma once

#include "reporthost.h"

// The report host of the program: it asks the system for its default
// printer and tells the user when there is none.
class CGuiReportHost final : public CReportHost
{
public:
    bool HasDefaultPrinter() const override;
    void ReportNoDefaultPrinter() override;
};

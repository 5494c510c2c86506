#pragma once

#include <QDate>

// What composing a report needs of the program around it. The GUI answers
// from the system's printer list and shows its message box; command-line
// tools and tests pass a host of their own.
//
// A report used to be measured against the default printer, or against the
// screen when there was none. Here the layout is always measured at the
// report's own 0.1 mm scale, independent of any device, so the view, the
// printout and a PDF show the very same lines and columns whatever printer
// or screen is attached. The printer only decides whether the user is told
// that none was found.
class CReportHost
{
public:
    virtual ~CReportHost() = default;

    // Called once per composition: the user is told (message
    // kMsgNoDefaultPrinter) when the system has no default printer, now or
    // once the report is on screen. Composition goes on either way.
    virtual void CheckDefaultPrinter() = 0;
    // The date the report is dated with. Tests fix it, so that composed
    // layouts and rendered pages can be compared with stored ones.
    virtual QDate Today() const { return QDate::currentDate(); }
};

// Resource id of the "no default printer" message.
inline constexpr int kMsgNoDefaultPrinter = 58230;

// A host for headless use: it asks for no printer and tells nobody.
class CSilentReportHost final : public CReportHost
{
public:
    void CheckDefaultPrinter() override {}
};

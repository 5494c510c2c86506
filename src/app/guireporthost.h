#pragma once

#include "report/reporthost.h"

#include <QObject>

#include <functional>

// The report host of the program: it tells the user when the system has no
// default printer. Asking the print system can take tens of milliseconds
// and the report does not depend on the answer, so the question waits until
// the report is on screen.
class CGuiReportHost final : public QObject, public CReportHost
{
    Q_OBJECT

public:
    // How long a check waits after the composition that asked for it.
    static constexpr int kCheckDelayMs = 250;

    using PrinterLookup = std::function<bool()>;
    // hasDefaultPrinter asks the system; tests pass their own.
    explicit CGuiReportHost(PrinterLookup hasDefaultPrinter = SystemHasDefaultPrinter);

    void CheckDefaultPrinter() override;

private:
    static bool SystemHasDefaultPrinter();

    PrinterLookup m_hasDefaultPrinter;
};

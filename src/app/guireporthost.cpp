#include "app/guireporthost.h"

#include "framework/messagebox.h"

#include <QPrinterInfo>
#include <QTimer>

#include <utility>

CGuiReportHost::CGuiReportHost(PrinterLookup hasDefaultPrinter)
    : m_hasDefaultPrinter(std::move(hasDefaultPrinter))
{
}

void CGuiReportHost::CheckDefaultPrinter()
{
    QTimer::singleShot(kCheckDelayMs, this, [this] {
        if (!m_hasDefaultPrinter())
            AfxMessageBox(kMsgNoDefaultPrinter, QMessageBox::Ok, QMessageBox::Information);
    });
}

bool CGuiReportHost::SystemHasDefaultPrinter()
{
    return !QPrinterInfo::defaultPrinter().isNull();
}

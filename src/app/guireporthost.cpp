#include "guireporthost.h"

#include "messagebox.h"

#include <QPrinterInfo>

bool CGuiReportHost::HasDefaultPrinter() const
{
    return !QPrinterInfo::defaultPrinter().isNull();
}

void CGuiReportHost::ReportNoDefaultPrinter()
{
    AfxMessageBox(kMsgNoDefaultPrinter, QMessageBox::Ok, QMessageBox::Information);
}

#pragma once

#include <QRectF>

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

// What a print job covers, in page numbers as the user sees them (from 1):
// the pages the print dialog offers, those chosen, and the one printing now.
struct CPrintInfo
{
    int m_nMinPage = 1;
    int m_nMaxPage = 1;
    int m_nFromPage = 1;
    int m_nToPage = 1;
    int m_nCurPage = 1;
    // The part of the sheet the device prints, in 0.1 mm from the sheet's
    // top-left corner: all of it, less what a printer cannot reach.
    QRectF m_rcDraw;
};

using PrintPageFunction = std::function<void(QPainter&, CPrintInfo&)>;

// Prints the chosen pages that are also offered, each on a sheet of its
// own, on a printer, a print preview or a PDF writer alike. printPage gets
// m_nCurPage set and a painter in 0.1 mm units with (0, 0) at the sheet's
// top-left corner (a printer is set to address the whole sheet), y downward.
// False when the device cannot be started or finished, or no page is left
// to print.
bool RunPrintLoop(QPagedPaintDevice& device, CPrintInfo& info, const PrintPageFunction& printPage);

// Gives `to` the printer, output file and page layout of `from` (printers
// cannot be copied).
void CopyPrinterSetup(const QPrinter& from, QPrinter& to);

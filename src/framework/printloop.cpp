#include "framework/printloop.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

constexpr double kUnitsPerInch = 254.0; // 0.1 mm

} // namespace

void CopyPrinterSetup(const QPrinter& from, QPrinter& to)
{
    // A file name switches the output format itself: the format comes after it.
    to.setOutputFileName(from.outputFileName());
    to.setOutputFormat(from.outputFormat());
    if (from.outputFormat() == QPrinter::NativeFormat)
        to.setPrinterName(from.printerName());
    to.setPageLayout(from.pageLayout());
}

bool RunPrintLoop(QPagedPaintDevice& device, CPrintInfo& info, const PrintPageFunction& printPage)
{
    const int nFirst = std::max(info.m_nFromPage, info.m_nMinPage);
    const int nLast = std::min(info.m_nToPage, info.m_nMaxPage);
    if (nFirst > nLast)
        return false;
    if (auto* pPrinter = dynamic_cast<QPrinter*>(&device))
        pPrinter->setFullPage(true);
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    constexpr double kUnitsPerMillimetre = 10.0;
    const QRectF sheet = layout.fullRect(QPageLayout::Millimeter);
    info.m_rcDraw = QRectF(QPointF(0, 0), sheet.size() * kUnitsPerMillimetre)
                        .marginsRemoved(layout.minimumMargins() * kUnitsPerMillimetre);

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (int nPage = nFirst; nPage <= nLast; ++nPage) {
        if (nPage > nFirst && !device.newPage()) {
            painter.end();
            return false;
        }
        painter.save();
        painter.scale(device.logicalDpiX() / kUnitsPerInch, device.logicalDpiY() / kUnitsPerInch);
        info.m_nCurPage = nPage;
        printPage(painter, info);
        painter.restore();
    }
    return painter.end();
}

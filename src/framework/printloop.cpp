#include "printloop.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

constexpr double kUnitsPerInch = 254.0; // 0.1 mm

} // namespace

bool RunPrintLoop(QPagedPaintDevice& device, CPrintInfo& info, const PrintPageFunction& printPage)
{
    const int nFirst = std::max(info.m_nFromPage, info.m_nMinPage);
    const int nLast = std::min(info.m_nToPage, info.m_nMaxPage);
    if (nFirst > nLast)
        return false;
    if (auto* pPrinter = dynamic_cast<QPrinter*>(&device))
        pPrinter->setFullPage(true);

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

#include "report/ant.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int kTriangleWidth = 16;
constexpr int kFirstBarOffset = 14;
constexpr int kBarSpacing = 8;
constexpr int kStepsInHeight = 8;

} // namespace

CAnt::CAnt(const CEasyReport& report, ReportRect rect, int bars)
    : CElement(report, rect), m_nBars(bars)
{
}

int CAnt::DrawnBars() const
{
    // The count comes straight from the tester; a huge one must not turn into
    // millions of lines far outside the cell.
    const int room = (Rect().right - Rect().left - kFirstBarOffset) / kBarSpacing;
    return std::clamp(m_nBars, 0, std::max(room, 0));
}

void CAnt::Draw(QPainter& painter) const
{
    const ReportRect& r = Rect();
    const int height = r.bottom - r.top;
    const int x = r.left;
    const int mastX = x + kTriangleWidth / 2;

    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    const QPointF triangle[] = {QPointF(x, r.top), QPointF(x + kTriangleWidth, r.top),
                                QPointF(mastX, r.top + height / 2), QPointF(x, r.top)};
    painter.drawPolyline(triangle, 4);
    painter.drawLine(QPointF(mastX, r.top), QPointF(mastX, r.bottom));

    const int step = height / kStepsInHeight;
    for (int k = 1; k <= DrawnBars(); ++k) {
        const int barX = x + kFirstBarOffset + kBarSpacing * k;
        painter.drawLine(QPointF(barX, r.bottom), QPointF(barX, r.bottom - k * step));
    }
    painter.restore();
}

#include "report/chart.h"

#include "report/easyreport.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

// Values are not clamped to the frame, but a point millions of units off the
// sheet looks the same as one a few sheets off, and it keeps the coordinates
// within what the rasteriser handles.
constexpr double kFarOffSheet = 1.0e6;

} // namespace

CChart::CChart(const CEasyReport& report, ReportRect rect, std::vector<int> values)
    : CElement(report, rect), m_anValues(std::move(values))
{
}

void CChart::Draw(QPainter& painter) const
{
    const ReportRect& r = Rect();
    // Whole report units per division, as the grid has always been spaced.
    const double yStep = (r.bottom - r.top) / kVerticalDivisions;

    painter.save();
    // A fresh drawing context fills with white; the profile's fill also hides
    // the grid beneath the curve.
    painter.setBrush(Qt::white);
    painter.setPen(Report().GetPen());
    painter.drawRect(r.ToRectF());
    DrawGrid(painter, yStep);
    if (!m_anValues.empty()) {
        painter.setPen(Report().GetPen());
        painter.drawPolygon(Profile(yStep));
    }
    painter.restore();
}

void CChart::DrawGrid(QPainter& painter, double yStep) const
{
    const ReportRect& r = Rect();
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    for (int i = 0; i < kVerticalDivisions; ++i) {
        const double y = std::trunc(r.bottom - i * yStep);
        painter.drawLine(QPointF(r.left, y), QPointF(r.right, y));
    }
    const double xStep = static_cast<double>(r.right - r.left) / kHorizontalDivisions;
    for (int i = 0; i < kHorizontalDivisions; i += kVerticalDivisions) {
        const double x = std::trunc(r.left + (i + 0.5) * xStep);
        painter.drawLine(QPointF(x, r.top), QPointF(x, r.bottom));
    }
}

QPolygonF CChart::Profile(double yStep) const
{
    const ReportRect& r = Rect();
    const double xStep = static_cast<double>(r.right - r.left) / kHorizontalDivisions;
    const double valueWidth = std::trunc(xStep);
    const double halfStep = std::trunc(xStep * 0.5);

    QPolygonF profile;
    profile.reserve(static_cast<qsizetype>(m_anValues.size()) + 2);
    profile << QPointF(r.left, r.bottom);
    double x = r.left;
    for (std::size_t i = 0; i < m_anValues.size(); ++i) {
        x = r.left + static_cast<double>(i) * valueWidth + halfStep;
        const double rise =
            std::clamp(std::trunc(m_anValues[i] * yStep), -kFarOffSheet, kFarOffSheet);
        profile << QPointF(x, r.bottom - rise);
    }
    profile << QPointF(x, r.bottom);
    return profile;
}

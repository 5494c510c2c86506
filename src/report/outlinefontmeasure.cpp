#include "report/outlinefontmeasure.h"

#include <QFontMetricsF>

#include <cmath>

namespace {

int Units(double value)
{
    return static_cast<int>(std::lround(value));
}

} // namespace

ReportFontMetrics COutlineFontMeasure::Measure(int /*index*/, const QFont& font) const
{
    const QFontMetricsF metrics(font);
    ReportFontMetrics result;
    result.aveCharWidth = Units(metrics.averageCharWidth());
    result.lineHeight =
        Units(metrics.ascent()) + Units(metrics.descent()) + Units(metrics.leading());
    return result;
}

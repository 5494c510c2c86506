#include "workspace/graphzoom.h"

#include <algorithm>
#include <cmath>

CGraphZoom::CGraphZoom(GraphRange fullX, GraphRange fullY, double dMinSpanX, double dMinSpanY)
    : m_fullX(fullX), m_fullY(fullY), m_dMinSpanX(std::min(dMinSpanX, fullX.Span())),
      m_dMinSpanY(std::min(dMinSpanY, fullY.Span())), m_x(fullX), m_y(fullY)
{
}

void CGraphZoom::ZoomX(double dFactor, double dCenterX)
{
    if (!(dFactor > 0.0) || !std::isfinite(dCenterX))
        return;
    const double center = std::clamp(dCenterX, m_x.m_dMin, m_x.m_dMax);
    m_x = Fit({center - (center - m_x.m_dMin) * dFactor, center + (m_x.m_dMax - center) * dFactor},
              m_fullX, m_dMinSpanX);
}

void CGraphZoom::ZoomTo(GraphRange x, GraphRange y)
{
    m_x = Fit(x, m_fullX, m_dMinSpanX);
    m_y = Fit(y, m_fullY, m_dMinSpanY);
}

void CGraphZoom::Reset()
{
    m_x = m_fullX;
    m_y = m_fullY;
}

GraphRange CGraphZoom::Fit(GraphRange range, const GraphRange& full, double dMinSpan)
{
    if (!std::isfinite(range.m_dMin) || !std::isfinite(range.m_dMax))
        return full;
    if (range.m_dMin > range.m_dMax)
        std::swap(range.m_dMin, range.m_dMax);
    // A range narrower than the smallest span grows around its middle.
    if (range.Span() < dMinSpan) {
        const double middle = (range.m_dMin + range.m_dMax) / 2.0;
        range = {middle - dMinSpan / 2.0, middle + dMinSpan / 2.0};
    }
    if (range.Span() >= full.Span())
        return full;
    // Slid back inside rather than cut, so the span the user chose is kept.
    if (range.m_dMin < full.m_dMin)
        range = {full.m_dMin, full.m_dMin + range.Span()};
    if (range.m_dMax > full.m_dMax)
        range = {full.m_dMax - range.Span(), full.m_dMax};
    return range;
}

double NiceTickInterval(double dSpan, int nMaxTicks)
{
    if (!(dSpan > 0.0) || !std::isfinite(dSpan) || nMaxTicks < 1)
        return 1.0;
    const double rough = dSpan / nMaxTicks;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double step : {1.0, 2.0, 5.0}) {
        if (step * power >= rough)
            return step * power;
    }
    return 10.0 * power;
}

double NiceCeiling(double dValue, int nMaxTicks)
{
    if (!(dValue > 0.0) || !std::isfinite(dValue))
        return 1.0;
    const double interval = NiceTickInterval(dValue, nMaxTicks);
    return std::ceil(dValue / interval) * interval;
}

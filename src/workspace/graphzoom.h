#pragma once

// An interval of chart values along one axis.
struct GraphRange
{
    double m_dMin = 0.0;
    double m_dMax = 1.0;

    double Span() const { return m_dMax - m_dMin; }
    bool operator==(const GraphRange&) const = default;
};

// What part of a chart is on view. Every range stays inside the full range of
// its axis and never narrows below its axis's smallest span, so no sequence of
// wheel turns or drags can lose the curve or divide by a zero span.
class CGraphZoom
{
public:
    CGraphZoom() = default;
    CGraphZoom(GraphRange fullX, GraphRange fullY, double dMinSpanX, double dMinSpanY);

    const GraphRange& X() const { return m_x; }
    const GraphRange& Y() const { return m_y; }
    const GraphRange& FullX() const { return m_fullX; }
    const GraphRange& FullY() const { return m_fullY; }
    bool IsZoomed() const { return m_x != m_fullX || m_y != m_fullY; }

    // Scales the x range by dFactor (below 1 zooms in) so that dCenterX stays
    // where it is on screen; y is left alone.
    void ZoomX(double dFactor, double dCenterX);
    // Shows the rectangle a rubber band spanned (its corners in any order).
    void ZoomTo(GraphRange x, GraphRange y);
    void Reset();

private:
    static GraphRange Fit(GraphRange range, const GraphRange& full, double dMinSpan);

    GraphRange m_fullX;
    GraphRange m_fullY;
    double m_dMinSpanX = 1.0;
    double m_dMinSpanY = 1.0;
    GraphRange m_x;
    GraphRange m_y;
};

// A tick step of 1, 2 or 5 times a power of ten that puts at most nMaxTicks
// steps across dSpan (1 for an empty span).
double NiceTickInterval(double dSpan, int nMaxTicks);
// dValue rounded up to a multiple of its nice tick interval: the top of an
// axis that shows dValue and ends on a round label (1 for nothing to show).
double NiceCeiling(double dValue, int nMaxTicks);

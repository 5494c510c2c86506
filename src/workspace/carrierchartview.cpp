#include "workspace/carrierchartview.h"

#include <QAreaSeries>
#include <QContextMenuEvent>
#include <QLineSeries>
#include <QMouseEvent>
#include <QRubberBand>
#include <QValueAxis>
#include <QWheelEvent>

#include <cmath>

namespace {

constexpr double kLastCarrier = GraphSection::kCarrierCount - 1;
// The narrowest views: eight carriers, five value units (values are whole
// numbers, so no tick would fall between two labels).
constexpr double kMinSpanX = 8.0;
constexpr double kMinSpanY = 5.0;
constexpr int kMaxTicksX = 8;
constexpr int kMaxTicksY = 8;
// Room above the highest value, so the curve never runs along the frame.
constexpr double kHeadroom = 1.05;
constexpr double kWheelStepFactor = 0.8;
constexpr double kKeyStepFactor = 0.5;
constexpr double kWheelNotch = 120.0;
// A press that moves less than this is a click, not a rubber band.
constexpr int kMinBandPixels = 4;

// The plot area is white in every theme (the tester's own screen shows the
// graph dark on light), so the curve and grid colours are fixed to read on it.
const QColor kPlotBackground(Qt::white);
const QColor kCurveFill(66, 133, 214);
const QColor kCurveLine(24, 78, 150);
const QColor kGridLine(214, 214, 214);

void ApplyTicks(QValueAxis* pAxis, const GraphRange& range, int nMaxTicks)
{
    // The axis lays its ticks out at every change: a new range under the old
    // interval (or the reverse) could ask for billions of ticks on the way,
    // so the ticks are counted, not spaced, until both are set.
    pAxis->setTickType(QValueAxis::TicksFixed);
    pAxis->setRange(range.m_dMin, range.m_dMax);
    pAxis->setTickAnchor(0.0);
    pAxis->setTickInterval(std::max(1.0, NiceTickInterval(range.Span(), nMaxTicks)));
    pAxis->setTickType(QValueAxis::TicksDynamic);
}

} // namespace

CCarrierChartView::CCarrierChartView(QWidget* pParent) : QChartView(pParent)
{
    auto* pChart = new QChart;
    pChart->legend()->hide();
    pChart->setAnimationOptions(QChart::NoAnimation);
    pChart->setBackgroundRoundness(0);
    pChart->setMargins(QMargins(6, 6, 12, 6));
    pChart->setPlotAreaBackgroundVisible(true);
    pChart->setPlotAreaBackgroundBrush(kPlotBackground);

    // The area series does not own its curve; the view does.
    m_pCurve = new QLineSeries(this);
    m_pArea = new QAreaSeries(m_pCurve);
    m_pArea->setPointsVisible(false);
    pChart->addSeries(m_pArea);

    m_pAxisX = new QValueAxis;
    m_pAxisY = new QValueAxis;
    for (QValueAxis* pAxis : {m_pAxisX, m_pAxisY}) {
        pAxis->setLabelFormat(QStringLiteral("%.0f"));
        pAxis->setMinorTickCount(0);
    }
    pChart->addAxis(m_pAxisX, Qt::AlignBottom);
    pChart->addAxis(m_pAxisY, Qt::AlignLeft);
    m_pArea->attachAxis(m_pAxisX);
    m_pArea->attachAxis(m_pAxisY);

    // The view lets go of the chart it was born with but does not delete it.
    QChart* pBornWith = chart();
    setChart(pChart);
    delete pBornWith;
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    m_pRubberBand = new QRubberBand(QRubberBand::Rectangle, viewport());
    ApplyColours();
    SetCarriers(CarrierArray{});
}

void CCarrierChartView::SetCarriers(const CarrierArray& anCarrier)
{
    m_pCurve->replace(CarrierPoints(anCarrier));
    m_zoom = CGraphZoom({0.0, kLastCarrier},
                        {0.0, NiceCeiling(HighestCarrierValue(anCarrier) * kHeadroom, kMaxTicksY)},
                        kMinSpanX, kMinSpanY);
    ApplyZoom();
}

void CCarrierChartView::SetCurveLabel(const QString& strLabel)
{
    m_pArea->setName(strLabel);
}

void CCarrierChartView::ZoomIn()
{
    m_zoom.ZoomX(kKeyStepFactor, (m_zoom.X().m_dMin + m_zoom.X().m_dMax) / 2.0);
    ApplyZoom();
}

void CCarrierChartView::ZoomOut()
{
    m_zoom.ZoomX(1.0 / kKeyStepFactor, (m_zoom.X().m_dMin + m_zoom.X().m_dMax) / 2.0);
    ApplyZoom();
}

void CCarrierChartView::ResetZoom()
{
    m_zoom.Reset();
    ApplyZoom();
}

void CCarrierChartView::ZoomTo(GraphRange x, GraphRange y)
{
    m_zoom.ZoomTo(x, y);
    ApplyZoom();
}

std::optional<int> CCarrierChartView::CarrierUnder(QPoint viewportPos) const
{
    if (!InPlotArea(viewportPos))
        return std::nullopt;
    return CarrierAt(ValueAt(viewportPos).x());
}

void CCarrierChartView::mousePressEvent(QMouseEvent* pEvent)
{
    const QPoint pos = pEvent->position().toPoint();
    if (pEvent->button() == Qt::LeftButton && InPlotArea(pos)) {
        m_bandOrigin = pos;
        m_pRubberBand->setGeometry(QRect(pos, QSize()));
        m_pRubberBand->show();
        pEvent->accept();
        return;
    }
    QChartView::mousePressEvent(pEvent);
}

void CCarrierChartView::mouseMoveEvent(QMouseEvent* pEvent)
{
    const QPoint pos = pEvent->position().toPoint();
    if (m_pRubberBand->isVisible()) {
        const QRect plot = mapFromScene(chart()->mapToScene(chart()->plotArea())).boundingRect();
        m_pRubberBand->setGeometry(QRect(m_bandOrigin, pos).normalized().intersected(plot));
    }
    Hover(CarrierUnder(pos).value_or(-1));
    QChartView::mouseMoveEvent(pEvent);
}

void CCarrierChartView::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton || !m_pRubberBand->isVisible()) {
        QChartView::mouseReleaseEvent(pEvent);
        return;
    }
    m_pRubberBand->hide();
    const QRect band = m_pRubberBand->geometry();
    if (band.width() >= kMinBandPixels && band.height() >= kMinBandPixels) {
        const QPointF topLeft = ValueAt(band.topLeft());
        const QPointF bottomRight = ValueAt(band.bottomRight());
        ZoomTo({topLeft.x(), bottomRight.x()}, {bottomRight.y(), topLeft.y()});
    }
    pEvent->accept();
}

void CCarrierChartView::wheelEvent(QWheelEvent* pEvent)
{
    const double notches = pEvent->angleDelta().y() / kWheelNotch;
    if (notches == 0.0) {
        pEvent->ignore();
        return;
    }
    const QPoint pos = pEvent->position().toPoint();
    m_zoom.ZoomX(std::pow(kWheelStepFactor, notches), ValueAt(pos).x());
    ApplyZoom();
    Hover(CarrierUnder(pos).value_or(-1));
    pEvent->accept();
}

void CCarrierChartView::contextMenuEvent(QContextMenuEvent* pEvent)
{
    emit contextMenuWanted(pEvent->globalPos());
    pEvent->accept();
}

void CCarrierChartView::leaveEvent(QEvent* pEvent)
{
    Hover(-1);
    QChartView::leaveEvent(pEvent);
}

void CCarrierChartView::changeEvent(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::PaletteChange)
        ApplyColours();
    QChartView::changeEvent(pEvent);
}

QPointF CCarrierChartView::ValueAt(QPoint viewportPos) const
{
    return chart()->mapToValue(chart()->mapFromScene(mapToScene(viewportPos)), m_pArea);
}

bool CCarrierChartView::InPlotArea(QPoint viewportPos) const
{
    return chart()->plotArea().contains(chart()->mapFromScene(mapToScene(viewportPos)));
}

void CCarrierChartView::ApplyZoom()
{
    ApplyTicks(m_pAxisX, m_zoom.X(), kMaxTicksX);
    ApplyTicks(m_pAxisY, m_zoom.Y(), kMaxTicksY);
}

void CCarrierChartView::ApplyColours()
{
    // Around the plot area the chart follows the window's palette, so the
    // axis labels stay readable in a dark theme.
    const QPalette& colours = palette();
    chart()->setBackgroundBrush(colours.color(QPalette::Window));
    chart()->setBackgroundPen(Qt::NoPen);
    for (QValueAxis* pAxis : {m_pAxisX, m_pAxisY}) {
        pAxis->setLabelsColor(colours.color(QPalette::WindowText));
        pAxis->setLinePenColor(colours.color(QPalette::Mid));
        pAxis->setGridLineColor(kGridLine);
    }
    m_pArea->setColor(kCurveFill);
    m_pArea->setBorderColor(kCurveLine);
    setBackgroundBrush(colours.color(QPalette::Window));
}

void CCarrierChartView::Hover(int nCarrier)
{
    if (nCarrier == m_nHovered)
        return;
    m_nHovered = nCarrier;
    emit carrierHovered(nCarrier);
}

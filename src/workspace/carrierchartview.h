#pragma once

#include "workspace/carrierdata.h"
#include "workspace/graphzoom.h"

#include <QChartView>

class QAreaSeries;
class QLineSeries;
class QRubberBand;
class QValueAxis;

// The chart of the carrier graph window: the carrier values as a filled
// curve on a white plot area, zoomed with the wheel (x, around the mouse) or
// a dragged rectangle. It reports the carrier under the mouse and asks its
// owner for the context menu.
class CCarrierChartView : public QChartView
{
    Q_OBJECT

public:
    explicit CCarrierChartView(QWidget* pParent = nullptr);

    // Plots the values and shows all of them.
    void SetCarriers(const CarrierArray& anCarrier);
    void SetCurveLabel(const QString& strLabel);

    const CGraphZoom& Zoom() const { return m_zoom; }
    // Zooming from the keyboard keeps the middle of the view in place.
    void ZoomIn();
    void ZoomOut();
    void ResetZoom();
    // Shows the given ranges as if a rubber band had spanned them.
    void ZoomTo(GraphRange x, GraphRange y);

    // The carrier at a position of the viewport; none outside the plot area.
    std::optional<int> CarrierUnder(QPoint viewportPos) const;

    QLineSeries* Curve() const { return m_pCurve; }
    QAreaSeries* Area() const { return m_pArea; }
    QValueAxis* AxisX() const { return m_pAxisX; }
    QValueAxis* AxisY() const { return m_pAxisY; }

signals:
    // -1 when the mouse is on no carrier.
    void carrierHovered(int nCarrier);
    void contextMenuWanted(QPoint globalPos);

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void wheelEvent(QWheelEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void leaveEvent(QEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;

private:
    QPointF ValueAt(QPoint viewportPos) const;
    bool InPlotArea(QPoint viewportPos) const;
    void ApplyZoom();
    void ApplyColours();
    void Hover(int nCarrier);

    QLineSeries* m_pCurve = nullptr;
    QAreaSeries* m_pArea = nullptr;
    QValueAxis* m_pAxisX = nullptr;
    QValueAxis* m_pAxisY = nullptr;
    CGraphZoom m_zoom;
    QRubberBand* m_pRubberBand = nullptr;
    QPoint m_bandOrigin;
    int m_nHovered = -1;
};

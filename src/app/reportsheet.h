#pragma once

#include "app/pageimagecache.h"

#include <QColor>
#include <QSizeF>
#include <QWidget>

#include <functional>

// The report view's scrolled canvas: the two pages of a report one below the
// other, white on a grey desk, at a given number of window pixels per report
// unit. The drawing of a page itself is the view's; the sheet keeps the
// pages drawn at its scale, so a paint copies what shows.
class CReportSheet : public QWidget
{
    Q_OBJECT

public:
    using DrawFunction = CPageImageCache::DrawPage;

    // A neutral grey that sets white pages off in a light and a dark theme.
    static inline const QColor kDeskColour{0x80, 0x80, 0x80};

    CReportSheet(DrawFunction draw, QWidget* pParent = nullptr);

    // Pixels per report unit, x and y; the sheet takes the size it needs.
    void SetScale(QSizeF scale);
    QSizeF Scale() const { return m_scale; }
    // Where a report point shows in the sheet, and back.
    QPointF ToSheet(QPointF reportPoint) const;
    QPointF ToReport(QPointF sheetPoint) const;
    const CPageImageCache& PageImages() const { return m_pages; }

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    // Page nPage's place on the sheet, on whole device pixels.
    QRect PageRect(int nPage) const;
    void PaintPage(QPainter& painter, int nPage, const QRect& exposed);

    CPageImageCache m_pages;
    DrawFunction m_draw;
    QSizeF m_scale{1, 1};
};

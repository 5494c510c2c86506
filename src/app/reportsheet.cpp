#include "reportsheet.h"

#include "easyreport.h"
#include "reportzoom.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>
#include <utility>

namespace {

constexpr int kSheetsShown = 2;
constexpr int kShadowOffset = 3;
// Window pixels of desk shown between the pages, over their blank margins.
constexpr int kPageGap = 4;
const QColor kShadowColour(0, 0, 0, 70);

} // namespace

CReportSheet::CReportSheet(DrawFunction draw, QWidget* pParent)
    : QWidget(pParent), m_draw(std::move(draw))
{
    // Every pixel is painted, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CReportSheet::SetScale(QSizeF scale)
{
    m_scale = scale;
    setFixedSize(CReportZoom::SheetSize(scale));
    update();
}

QPointF CReportSheet::ToSheet(QPointF reportPoint) const
{
    return {CReportZoom::kDeskMargin + reportPoint.x() * m_scale.width(),
            CReportZoom::kDeskMargin + reportPoint.y() * m_scale.height()};
}

QPointF CReportSheet::ToReport(QPointF sheetPoint) const
{
    return {(sheetPoint.x() - CReportZoom::kDeskMargin) / m_scale.width(),
            (sheetPoint.y() - CReportZoom::kDeskMargin) / m_scale.height()};
}

void CReportSheet::paintEvent(QPaintEvent* pEvent)
{
    QPainter painter(this);
    painter.fillRect(pEvent->rect(), kDeskColour);

    const QRectF pages(ToSheet({0, 0}),
                       ToSheet({CEasyReport::kPageWidth, kSheetsShown * CEasyReport::kPageHeight}));
    painter.fillRect(pages.translated(kShadowOffset, kShadowOffset), kShadowColour);
    if (pEvent->rect().intersects(pages.toAlignedRect())) {
        painter.save();
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.translate(CReportZoom::kDeskMargin, CReportZoom::kDeskMargin);
        painter.scale(m_scale.width(), m_scale.height());
        m_draw(painter);
        painter.restore();
    }
    // The pages meet in their blank margins; a strip of desk shows where.
    const double nBreak = ToSheet({0, CEasyReport::kPageHeight}).y();
    painter.fillRect(
        QRectF(pages.left(), nBreak - kPageGap / 2.0, pages.width() + kShadowOffset, kPageGap),
        kDeskColour);
}

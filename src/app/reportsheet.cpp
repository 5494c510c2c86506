#include "app/reportsheet.h"

#include "app/reportzoom.h"
#include "report/easyreport.h"

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
    : QWidget(pParent), m_pages(draw), m_draw(std::move(draw))
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

QRect CReportSheet::PageRect(int nPage) const
{
    const QPointF corner = ToSheet({0, static_cast<double>(nPage) * CEasyReport::kPageHeight});
    const QSizeF size =
        QSizeF(CPageImageCache::PageSize(m_scale * devicePixelRatioF())) / devicePixelRatioF();
    return QRectF(QPointF(std::round(corner.x()), std::round(corner.y())), size).toAlignedRect();
}

void CReportSheet::paintEvent(QPaintEvent* pEvent)
{
    QPainter painter(this);
    const QRect both = PageRect(0).united(PageRect(kSheetsShown - 1));
    // The pages are opaque: the desk and their shadow are filled around them
    // only, so each pixel is written once.
    painter.setClipRegion(pEvent->region().subtracted(QRegion(both)));
    painter.fillRect(pEvent->rect(), kDeskColour);
    painter.fillRect(both.translated(kShadowOffset, kShadowOffset), kShadowColour);
    painter.setClipping(false);
    for (int nPage = 0; nPage < kSheetsShown; ++nPage) {
        const QRect exposed = pEvent->rect().intersected(PageRect(nPage));
        if (!exposed.isEmpty())
            PaintPage(painter, nPage, exposed);
    }
    // The pages meet in their blank margins; a strip of desk shows where.
    const double nBreak = PageRect(1).top();
    painter.fillRect(
        QRectF(both.left(), nBreak - kPageGap / 2.0, both.width() + kShadowOffset, kPageGap),
        kDeskColour);
}

// A copy of the kept page's exposed part; a page too large to keep is drawn,
// clipped to what shows.
void CReportSheet::PaintPage(QPainter& painter, int nPage, const QRect& exposed)
{
    const qreal nRatio = devicePixelRatioF();
    const QRect page = PageRect(nPage);
    const QImage& image = m_pages.Page(nPage, m_scale * nRatio);
    if (!image.isNull()) {
        const QRectF source(QPointF(exposed.topLeft() - page.topLeft()) * nRatio,
                            QSizeF(exposed.size()) * nRatio);
        painter.drawImage(QRectF(exposed), image, source);
        return;
    }
    painter.save();
    painter.setClipRect(exposed);
    painter.fillRect(page, Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(page.topLeft());
    painter.scale(m_scale.width(), m_scale.height());
    m_draw(nPage, painter);
    painter.restore();
}

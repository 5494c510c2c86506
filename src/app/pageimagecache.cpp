#include "app/pageimagecache.h"

#include "report/easyreport.h"

#include <QPainter>

#include <cmath>
#include <utility>

CPageImageCache::CPageImageCache(DrawPage draw) : m_draw(std::move(draw)) {}

QSize CPageImageCache::PageSize(QSizeF devicePixelsPerUnit)
{
    return {static_cast<int>(std::ceil(CEasyReport::kPageWidth * devicePixelsPerUnit.width())),
            static_cast<int>(std::ceil(CEasyReport::kPageHeight * devicePixelsPerUnit.height()))};
}

const QImage& CPageImageCache::Page(int nPage, QSizeF devicePixelsPerUnit)
{
    static const QImage none;
    if (nPage < 0 || nPage >= kPages)
        return none;
    QImage& image = m_aPages[static_cast<std::size_t>(nPage)];
    QSizeF& scale = m_aScales[static_cast<std::size_t>(nPage)];
    if (!image.isNull() && scale == devicePixelsPerUnit)
        return image;
    const QSize size = PageSize(devicePixelsPerUnit);
    image = QImage();
    scale = devicePixelsPerUnit;
    if (qint64{size.width()} * size.height() > kMaxPixelsKept)
        return image;
    image = QImage(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(devicePixelsPerUnit.width(), devicePixelsPerUnit.height());
    m_draw(nPage, painter);
    ++m_nDrawn;
    return image;
}

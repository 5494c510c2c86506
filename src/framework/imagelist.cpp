#include "framework/imagelist.h"

#include "framework/langpack.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>

CImageList::CImageList(int nWidth, int nHeight) : m_size(nWidth, nHeight) {}

CImageList CImageList::FromStrip(int nStripId, int nImageWidth)
{
    const CLangPack& pack = AfxGetResourceHandle();
    CImageList images(nImageWidth, nImageWidth);
    const int nCount = pack.StripImageCount(nStripId);
    for (int nImage = 0; nImage < nCount; ++nImage)
        images.m_icons.append(pack.StripImage(nStripId, nImage));
    return images;
}

int CImageList::Add(const QIcon& icon)
{
    if (icon.isNull())
        return -1;
    m_icons.append(icon);
    return GetImageCount() - 1;
}

QIcon CImageList::GetIcon(int nImage) const
{
    return nImage >= 0 && nImage < GetImageCount() ? m_icons[nImage] : QIcon();
}

QList<qreal> CImageList::PictureScales(qreal nDevicePixelRatio)
{
    QList<qreal> scales{1.0, 2.0};
    if (!scales.contains(nDevicePixelRatio) && nDevicePixelRatio > 0)
        scales.append(nDevicePixelRatio);
    return scales;
}

bool CImageList::Draw(QPainter* pPainter, int nImage, QPoint topLeft, QSize visible,
                      const std::optional<QColor>& blend) const
{
    const QIcon icon = GetIcon(nImage);
    if (icon.isNull() || m_size.isEmpty())
        return false;
    const qreal nRatio = pPainter->device() ? pPainter->device()->devicePixelRatioF() : 1.0;
    QPixmap pixmap = icon.pixmap(m_size, nRatio);
    if (blend) {
        QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter tint(&image);
        tint.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        QColor half = *blend;
        half.setAlphaF(0.5f);
        tint.fillRect(image.rect(), half);
        tint.end();
        pixmap = QPixmap::fromImage(image);
    }
    pPainter->save();
    pPainter->setClipRect(QRect(topLeft, visible.boundedTo(m_size)), Qt::IntersectClip);
    pPainter->drawPixmap(QRect(topLeft, m_size), pixmap);
    pPainter->restore();
    return true;
}

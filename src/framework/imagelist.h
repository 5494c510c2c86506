#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPoint>
#include <QSize>

#include <optional>

class QPainter;

// A list of same-size pictures addressed by index, as list and tree rows and
// header items show them. Pictures are icons, so they stay sharp at any
// device pixel ratio.
class CImageList
{
public:
    CImageList() = default;
    CImageList(int nWidth, int nHeight);

    // The pictures of an image strip of the resource pack, in strip order. A
    // picture the strip lacks stays a null entry, so the indexes after it keep
    // their meaning.
    static CImageList FromStrip(int nStripId, int nImageWidth);

    // The index of the new picture; -1 for a null icon, which is not added.
    int Add(const QIcon& icon);
    int GetImageCount() const { return static_cast<int>(m_icons.size()); }
    QSize GetImageSize() const { return m_size; }
    // Null when there is no such picture.
    QIcon GetIcon(int nImage) const;

    // Draws picture nImage in its own size with its top-left corner at
    // topLeft, showing only the part of it within visible. With a blend
    // colour, half of that colour is mixed into the picture (the look of a
    // selected row). False when there is no such picture.
    bool Draw(QPainter* pPainter, int nImage, QPoint topLeft, QSize visible,
              const std::optional<QColor>& blend = std::nullopt) const;

    // The device pixel ratios worth rendering a picture for: 1, 2 and the
    // one it is shown at now.
    static QList<qreal> PictureScales(qreal nDevicePixelRatio);

private:
    QSize m_size;
    QList<QIcon> m_icons;
};

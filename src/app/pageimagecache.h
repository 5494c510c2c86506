#pragma once

#include <QImage>
#include <QSizeF>

#include <array>
#include <functional>

class QPainter;

// The pages of a report drawn once at a scale and kept as images, so that a
// paint of the report view only copies the part that shows. The images are
// drawn again when the scale changes (a zoom, a screen of another pixel
// density); a view shows one report all its life, so another report comes
// with a cache of its own. Pages too large to keep (a high zoom) are not
// kept: their paints draw the page themselves. Printing and PDF export
// never use the images: they draw the pages as vectors.
class CPageImageCache
{
public:
    // Draws page nPage (0-based) onto a painter in report units.
    using DrawPage = std::function<void(int nPage, QPainter& painter)>;

    static constexpr int kPages = 2;
    // Beyond this many pixels a page is drawn for each paint instead.
    static constexpr qint64 kMaxPixelsKept = 8'000'000;

    explicit CPageImageCache(DrawPage draw);

    // Page nPage, white, at devicePixelsPerUnit; a null image when the page
    // would be larger than what is kept.
    const QImage& Page(int nPage, QSizeF devicePixelsPerUnit);
    // Device pixels of a page at that scale.
    static QSize PageSize(QSizeF devicePixelsPerUnit);
    // How often a page was drawn into an image (for the view's tests).
    int DrawnCount() const { return m_nDrawn; }

private:
    DrawPage m_draw;
    std::array<QImage, kPages> m_aPages;
    std::array<QSizeF, kPages> m_aScales;
    int m_nDrawn = 0;
};

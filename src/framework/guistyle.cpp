#include "framework/guistyle.h"

#include "framework/deferredicon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

enum class Glyph
{
    Close,
    Float,
    MoreRight,
    MoreDown
};

// A glyph drawn at whatever size is asked, in the text colour of the
// palette of the widget it is for.
class CGlyphIconEngine final : public QIconEngine
{
public:
    CGlyphIconEngine(Glyph glyph, QPalette palette) : m_glyph(glyph), m_palette(std::move(palette))
    {
    }

    void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const QColor colour = m_palette.color(
            mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active, QPalette::WindowText);
        const qreal nSide = std::min(rect.width(), rect.height());
        const QRectF box(rect.center().x() + 0.5 - nSide / 2, rect.center().y() + 0.5 - nSide / 2,
                         nSide, nSide);
        const qreal nInset = nSide * 0.25;
        const QRectF inner = box.adjusted(nInset, nInset, -nInset, -nInset);
        QPen pen(colour, std::max<qreal>(1.0, nSide / 12.0));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::MiterJoin);
        pPainter->save();
        pPainter->setRenderHint(QPainter::Antialiasing);
        pPainter->setPen(pen);
        pPainter->setBrush(Qt::NoBrush);
        switch (m_glyph) {
        case Glyph::Close:
            pPainter->drawLine(inner.topLeft(), inner.bottomRight());
            pPainter->drawLine(inner.topRight(), inner.bottomLeft());
            break;
        case Glyph::Float: {
            // Two windows, the front one lower left.
            const qreal nStep = inner.width() / 3;
            const QRectF back = inner.adjusted(nStep, 0, 0, -nStep);
            const QRectF front = inner.adjusted(0, nStep, -nStep, 0);
            QPainterPath behind;
            behind.addRect(back);
            QPainterPath before;
            before.addRect(front);
            pPainter->drawPath(behind.subtracted(before));
            pPainter->drawRect(front);
            break;
        }
        case Glyph::MoreRight:
        case Glyph::MoreDown: DrawChevrons(*pPainter, inner, m_glyph == Glyph::MoreDown); break;
        }
        pPainter->restore();
    }

    // In device pixels: QIcon asks for the size times the screen's ratio.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, pixmap.rect(), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new CGlyphIconEngine(m_glyph, m_palette); }
    QString key() const override { return QStringLiteral("lmxglyph"); }

private:
    // Two chevrons, as in "more of this over there".
    static void DrawChevrons(QPainter& painter, const QRectF& inner, bool bDown)
    {
        const qreal nHalf = inner.width() / 2;
        for (const qreal nOffset : {0.0, nHalf}) {
            if (bDown) {
                const qreal y = inner.top() + nOffset;
                painter.drawPolyline(QPolygonF{
                    {inner.left(), y}, {inner.center().x(), y + nHalf}, {inner.right(), y}});
            } else {
                const qreal x = inner.left() + nOffset;
                painter.drawPolyline(QPolygonF{
                    {x, inner.top()}, {x + nHalf, inner.center().y()}, {x, inner.bottom()}});
            }
        }
    }

    Glyph m_glyph;
    QPalette m_palette;
};

} // namespace

QIcon CGuiStyle::standardIcon(StandardPixmap pixmap, const QStyleOption* pOption,
                              const QWidget* pWidget) const
{
    const auto glyph = [&](Glyph shape) {
        const QPalette palette = pOption   ? pOption->palette
                                 : pWidget ? pWidget->palette()
                                           : QApplication::palette();
        return QIcon(new CGlyphIconEngine(shape, palette));
    };
    switch (pixmap) {
    case SP_TitleBarCloseButton:
    case SP_DockWidgetCloseButton:
    case SP_TabCloseButton: return glyph(Glyph::Close);
    case SP_TitleBarNormalButton: return glyph(Glyph::Float);
    case SP_ToolBarHorizontalExtensionButton: return glyph(Glyph::MoreRight);
    case SP_ToolBarVerticalExtensionButton: return glyph(Glyph::MoreDown);
    case SP_TitleBarMenuButton:
        // A window's own icon stands there; until it has one, the program's.
        if (!QApplication::windowIcon().isNull())
            return QApplication::windowIcon();
        break;
    default: break;
    }
    // Widgets ask for icons they may never show (a document window for its
    // system menu's); the system style's is made when first drawn. An
    // option is only good during the call: an icon asked with one is made now.
    if (pOption)
        return QProxyStyle::standardIcon(pixmap, pOption, pWidget);
    return DeferredIcon(
        [pBase = QPointer<QStyle>(baseStyle()), pixmap, pOwner = QPointer<const QWidget>(pWidget)] {
            return pBase ? pBase->standardIcon(pixmap, nullptr, pOwner.data()) : QIcon();
        });
}

void InstallGuiStyle()
{
    if (qobject_cast<CGuiStyle*>(QApplication::style()))
        return;
    // Over a fresh copy of the style in use (one chosen with -style too); the
    // application deletes the style it replaces.
    QApplication::setStyle(new CGuiStyle(QStyleFactory::create(QApplication::style()->name())));
}

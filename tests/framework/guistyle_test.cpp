// The toolkit's style: the bar buttons' glyphs, and the system style's
// icons made only when drawn.

#include "framework/guistyle.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QStyleFactory>
#include <QStyleOption>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The most opaque colour drawn, and whether the corners stayed clear.
struct Ink
{
    QColor colour;
    bool bClearCorners = false;
};

Ink InkOf(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    Ink ink;
    int nMostOpaque = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() > nMostOpaque) {
                nMostOpaque = pixel.alpha();
                ink.colour = pixel;
            }
        }
    }
    const int nRight = image.width() - 1, nBottom = image.height() - 1;
    ink.bClearCorners =
        image.pixelColor(0, 0).alpha() == 0 && image.pixelColor(nRight, 0).alpha() == 0 &&
        image.pixelColor(0, nBottom).alpha() == 0 && image.pixelColor(nRight, nBottom).alpha() == 0;
    return ink;
}

TEST(GuiStyle, BarButtonsAreGlyphsInTheTextColourOfTheirPalette)
{
    CGuiStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
    QStyleOption option;
    option.palette.setColor(QPalette::Active, QPalette::WindowText, QColor(200, 30, 30));
    option.palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(30, 30, 200));
    for (const QStyle::StandardPixmap button :
         {QStyle::SP_TitleBarCloseButton, QStyle::SP_DockWidgetCloseButton,
          QStyle::SP_TabCloseButton, QStyle::SP_TitleBarNormalButton,
          QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        SCOPED_TRACE(button);
        const QIcon icon = style.standardIcon(button, &option);
        for (const qreal nRatio : {1.0, 2.0}) {
            const QPixmap pixmap = icon.pixmap(QSize(16, 16), nRatio);
            EXPECT_EQ(pixmap.size(), QSize(16, 16) * nRatio);
            const Ink ink = InkOf(pixmap.toImage());
            EXPECT_EQ(ink.colour.rgb(), QColor(200, 30, 30).rgb());
            EXPECT_TRUE(ink.bClearCorners);
        }
        const Ink disabled = InkOf(icon.pixmap(QSize(16, 16), QIcon::Disabled).toImage());
        EXPECT_EQ(disabled.colour.rgb(), QColor(30, 30, 200).rgb());
    }
    // Each button its own glyph.
    const QImage close = style.standardIcon(QStyle::SP_TitleBarCloseButton).pixmap(16).toImage();
    const QImage restore = style.standardIcon(QStyle::SP_TitleBarNormalButton).pixmap(16).toImage();
    EXPECT_NE(close, restore);
}

TEST(GuiStyle, OtherIconsAreTheSystemStylesMadeWhenFirstDrawn)
{
    std::unique_ptr<QStyle> pSystem(QStyleFactory::create(QStringLiteral("Fusion")));
    CGuiStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const QStyle::StandardPixmap picture :
         {QStyle::SP_MessageBoxWarning, QStyle::SP_DirOpenIcon, QStyle::SP_TitleBarMinButton}) {
        SCOPED_TRACE(picture);
        const QIcon icon = style.standardIcon(picture);
        EXPECT_FALSE(icon.isNull());
        EXPECT_EQ(icon.pixmap(32).toImage(), pSystem->standardIcon(picture).pixmap(32).toImage());
    }
}

TEST(GuiStyle, InstalledOnceOverTheStyleInUse)
{
    const QString strBefore = QApplication::style()->name();
    InstallGuiStyle();
    QStyle* pInstalled = QApplication::style();
    ASSERT_NE(qobject_cast<CGuiStyle*>(pInstalled), nullptr);
    EXPECT_EQ(static_cast<QProxyStyle*>(pInstalled)->baseStyle()->name(), strBefore);
    InstallGuiStyle();
    EXPECT_EQ(QApplication::style(), pInstalled);
}

} // namespace

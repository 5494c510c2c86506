// Icons made when first drawn: any icon, and the pack's SVG pictures.

#include "framework/deferredicon.h"
#include "framework/svgicon.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(DeferredIcon, IsMadeOnceWhenFirstDrawn)
{
    int nMade = 0;
    const QIcon icon = DeferredIcon([&] {
        ++nMade;
        QPixmap pixmap(8, 8);
        pixmap.fill(Qt::green);
        return QIcon(pixmap);
    });
    EXPECT_FALSE(icon.isNull());
    const QIcon copy = icon;
    EXPECT_EQ(nMade, 0);
    EXPECT_EQ(copy.pixmap(8).toImage().pixelColor(4, 4), QColor(Qt::green));
    icon.pixmap(8);
    EXPECT_EQ(nMade, 1);
}

class SvgFileIconTest : public testing::Test
{
protected:
    // A red picture twice as wide as it is high.
    QString WidePicture()
    {
        const QString strPath = m_folder.filePath(QStringLiteral("wide.svg"));
        QFile file(strPath);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="10">)"
                   R"(<rect width="20" height="10" fill="#ff0000"/></svg>)");
        return strPath;
    }

    QTemporaryDir m_folder;
};

TEST_F(SvgFileIconTest, DrawsEachSizeInItsShapeAndGreysWhenDisabled)
{
    const QIcon icon = SvgFileIcon(WidePicture());
    EXPECT_EQ(icon.actualSize(QSize(16, 16)), QSize(16, 8));
    for (const qreal nRatio : {1.0, 2.0}) {
        const QImage image = icon.pixmap(QSize(16, 16), nRatio).toImage();
        EXPECT_EQ(image.size(), QSize(16, 8) * nRatio) << nRatio;
        EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::red)) << nRatio;
    }
    const QColor greyed = icon.pixmap(16, QIcon::Disabled).toImage().pixelColor(2, 2);
    EXPECT_NE(greyed, QColor(Qt::red));
    EXPECT_LT(greyed.saturation(), 64);
}

TEST_F(SvgFileIconTest, AMissingPictureDrawsNothingAndIsNullOnceLookedFor)
{
    const QIcon missing = SvgFileIcon(m_folder.filePath(QStringLiteral("missing.svg")));
    EXPECT_FALSE(missing.isNull());
    EXPECT_TRUE(missing.pixmap(16).isNull());
    EXPECT_TRUE(missing.isNull());
    EXPECT_TRUE(SvgFileIcon(QString()).isNull());
}

} // namespace

#include "KelvoResources.h"
#include "SvgSampling.h"

#include <QFile>
#include <QSvgRenderer>

#include <gtest/gtest.h>

using kelvo::resources::applicationIconPath;
using kelvo::resources::kToolImageSize;
using kelvo::resources::toolImagePath;

namespace {

constexpr QSize kIconSize{kToolImageSize, kToolImageSize};

int transparentPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) == 0;
    return count;
}

// Dominant channel of a pixel, roughly: enough to tell a flag's colours apart.
bool looksGreen(QRgb p) { return qGreen(p) > 100 && qRed(p) < 80 && qBlue(p) < 120; }
bool looksRed(QRgb p) { return qRed(p) > 150 && qGreen(p) < 80 && qBlue(p) < 80; }
bool looksWhite(QRgb p) { return qRed(p) > 230 && qGreen(p) > 230 && qBlue(p) > 230; }
bool looksNavy(QRgb p) { return qBlue(p) > 60 && qRed(p) < 40 && qGreen(p) < 60; }

}  // namespace

TEST(ToolImages, ShownIndicesHaveValid24By24PicturesOnATransparentGround)
{
    for (int index : {1, 2, 16, 17}) {
        const QString path = toolImagePath(index);
        SCOPED_TRACE(path.toStdString());
        ASSERT_TRUE(QFile::exists(path));
        QSvgRenderer renderer(path);
        ASSERT_TRUE(renderer.isValid());
        EXPECT_EQ(renderer.defaultSize(), kIconSize);
        const QImage image = renderSvg(path, kIconSize);
        const int clear = transparentPixels(image);
        EXPECT_GT(clear, 0) << "background must be transparent";
        EXPECT_LT(clear, image.width() * image.height() / 2) << "icon mostly empty";
    }
}

TEST(ToolImages, IndicesThatAreNeverShownHaveNoPicture)
{
    for (int index : {-1, 0, 3, 15, 18})
        EXPECT_TRUE(toolImagePath(index).isEmpty()) << index;
    EXPECT_NE(toolImagePath(16), toolImagePath(17));
}

TEST(ToolImages, ItalianFlagIsGreenWhiteRedFromLeft)
{
    const QImage flag = renderSvg(toolImagePath(16), kIconSize);
    const int y = kToolImageSize / 2;
    EXPECT_TRUE(looksGreen(flag.pixel(4, y)));
    EXPECT_TRUE(looksWhite(flag.pixel(12, y)));
    EXPECT_TRUE(looksRed(flag.pixel(20, y)));
}

TEST(ToolImages, BritishFlagHasARedCrossOnNavy)
{
    const QImage flag = renderSvg(toolImagePath(17), kIconSize);
    const int mid = kToolImageSize / 2;
    EXPECT_TRUE(looksRed(flag.pixel(mid, mid)));
    EXPECT_TRUE(looksRed(flag.pixel(2, mid)));
    EXPECT_TRUE(looksRed(flag.pixel(mid, 6)));
    // Navy fields between the arms of the saltire and the cross, in opposite corners.
    EXPECT_TRUE(looksNavy(flag.pixel(8, 4)));
    EXPECT_TRUE(looksNavy(flag.pixel(15, 19)));
}

TEST(ApplicationIcon, IsASquareValidPicture)
{
    const QString path = applicationIconPath();
    ASSERT_TRUE(QFile::exists(path));
    QSvgRenderer renderer(path);
    ASSERT_TRUE(renderer.isValid());
    const QSize size = renderer.defaultSize();
    EXPECT_EQ(size.width(), size.height());
    EXPECT_GE(size.width(), 32);
    // The monitor's screen shows the colour bars: white at the left, black at the right.
    const QImage image = renderSvg(path, QSize(64, 64));
    EXPECT_GT(transparentPixels(image), 0);
    EXPECT_TRUE(looksWhite(image.pixel(12, 20)));
    EXPECT_TRUE(looksRed(image.pixel(41, 20)));
    EXPECT_EQ(qGray(image.pixel(52, 20)), 0);
}

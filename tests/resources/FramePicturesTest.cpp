#include "KelvoResources.h"
#include "SvgSampling.h"

#include <QFile>
#include <QRectF>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

using kelvo::resources::frameThumbnailPath;
using kelvo::resources::kFrameCount;
using kelvo::resources::kFrameHeight;
using kelvo::resources::kFrameWidth;

namespace {

constexpr QSize kFrameSize{kFrameWidth, kFrameHeight};

// Rows of the three bands of a thumbnail with a text or black band at top and bottom.
constexpr int kTopEnd = 9;
constexpr int kBottomStart = 41;
constexpr int kMiddleRow = 25;

QImage frameImage(int frame)
{
    return renderSvg(frameThumbnailPath(frame), kFrameSize);
}

// Colours at the centres of `count` equal vertical bars across the width, on row y.
std::vector<QRgb> barsOnRow(const QImage& image, int y, int count)
{
    std::vector<QRgb> seen;
    for (int i = 0; i < count; ++i) {
        const int x = static_cast<int>((i + 0.5) * image.width() / count);
        seen.push_back(image.pixel(x, y) | 0xff000000u);
    }
    return seen;
}

std::vector<QRgb> expectedBars(int cycles)
{
    std::vector<QRgb> bars;
    for (int c = 0; c < cycles; ++c)
        bars.insert(bars.end(), barColours().begin(), barColours().end());
    return bars;
}

struct TextSpan {
    bool onlyBlackAndWhite = true;
    int firstWhite = -1;  // leftmost column holding a white pixel, -1 when none
    int lastWhite = -1;
};

TextSpan textSpan(const QImage& image, QRect area)
{
    TextSpan span;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y) | 0xff000000u;
            if (p == qRgb(255, 255, 255)) {
                span.firstWhite = span.firstWhite < 0 ? x : std::min(span.firstWhite, x);
                span.lastWhite = std::max(span.lastWhite, x);
            } else if (p != qRgb(0, 0, 0)) {
                span.onlyBlackAndWhite = false;
            }
        }
    return span;
}

QRect rows(int top, int endExclusive)
{
    return QRect(0, top, kFrameWidth, endExclusive - top);
}

enum class Band { BlackBand, SlidingText, CallSign, Bars, DoubledBars, Grid, FineGrid };

void expectTextBand(const QImage& image, QRect area, Band kind)
{
    const TextSpan span = textSpan(image, area);
    EXPECT_TRUE(span.onlyBlackAndWhite) << "text is white on black";
    if (kind == Band::BlackBand) {
        EXPECT_EQ(span.firstWhite, -1) << "a black band carries no text";
        return;
    }
    ASSERT_GE(span.firstWhite, 0) << "no text drawn";
    if (kind == Band::SlidingText) {
        // The sliding text runs across the whole screen, off its right edge.
        EXPECT_LE(span.firstWhite, 4);
        EXPECT_GE(span.lastWhite, kFrameWidth - 4);
    } else {
        // The call sign is six characters, centred.
        const int middle = (span.firstWhite + span.lastWhite) / 2;
        EXPECT_NEAR(middle, kFrameWidth / 2, 2);
        EXPECT_LT(span.lastWhite - span.firstWhite, kFrameWidth * 2 / 3);
    }
}

void expectGrid(const QImage& image, QRect area, int columns, int gridRows)
{
    for (int r = 0; r < gridRows; ++r)
        for (int c = 0; c < columns; ++c) {
            const int x = static_cast<int>(area.left() + (c + 0.5) * area.width() / columns);
            const int y = static_cast<int>(area.top() + (r + 0.5) * area.height() / gridRows);
            EXPECT_EQ(image.pixel(x, y) | 0xff000000u, barColours()[(c + r) % 8])
                << "grid cell row " << r << " column " << c;
        }
}

void expectPictureBand(const QImage& image, QRect area, Band kind)
{
    switch (kind) {
    case Band::Bars:
        EXPECT_EQ(barsOnRow(image, kMiddleRow, 8), expectedBars(1));
        break;
    case Band::DoubledBars:
        EXPECT_EQ(barsOnRow(image, kMiddleRow, 16), expectedBars(2));
        break;
    case Band::Grid:
        expectGrid(image, area, 8, 6);
        break;
    case Band::FineGrid:
        expectGrid(image, area, 16, 8);
        break;
    default:
        FAIL() << "not a picture band";
    }
}

struct StackedFrame {
    int frame;
    Band top;
    Band middle;
    Band bottom;
};

// The thumbnails with a band above and below the picture, as the device lays them out.
constexpr std::array<StackedFrame, 12> kStackedFrames{{
    {4, Band::SlidingText, Band::Bars, Band::CallSign},
    {5, Band::CallSign, Band::Bars, Band::SlidingText},
    {6, Band::BlackBand, Band::Bars, Band::SlidingText},
    {7, Band::BlackBand, Band::Bars, Band::CallSign},
    {8, Band::SlidingText, Band::Grid, Band::CallSign},
    {9, Band::CallSign, Band::Grid, Band::SlidingText},
    {10, Band::SlidingText, Band::DoubledBars, Band::CallSign},
    {11, Band::CallSign, Band::DoubledBars, Band::SlidingText},
    {12, Band::SlidingText, Band::FineGrid, Band::CallSign},
    {13, Band::CallSign, Band::FineGrid, Band::SlidingText},
    {14, Band::BlackBand, Band::DoubledBars, Band::SlidingText},
    {15, Band::BlackBand, Band::DoubledBars, Band::CallSign},
}};

}  // namespace

TEST(FrameThumbnails, EveryFrameIsAValid66By50Picture)
{
    for (int frame = 0; frame < kFrameCount; ++frame) {
        const QString path = frameThumbnailPath(frame);
        SCOPED_TRACE(path.toStdString());
        ASSERT_TRUE(QFile::exists(path)) << "compiled in without any initialisation call";
        QSvgRenderer renderer(path);
        ASSERT_TRUE(renderer.isValid());
        EXPECT_EQ(renderer.defaultSize(), kFrameSize);
        EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, kFrameWidth, kFrameHeight));
    }
}

TEST(FrameThumbnails, EveryFrameIsOpaqueAtItsSizeAndScaledUp)
{
    // Scaled sizes stand for high-DPI screens, where band seams fall between pixels.
    for (const QSize size : {kFrameSize, kFrameSize * 1.5, kFrameSize * 2}) {
        for (int frame = 0; frame < kFrameCount; ++frame) {
            SCOPED_TRACE(frame);
            EXPECT_TRUE(isOpaque(renderSvg(frameThumbnailPath(frame), size)))
                << size.width() << "x" << size.height();
        }
    }
}

TEST(FrameThumbnails, PathsExistOnlyForTheSixteenFrames)
{
    EXPECT_EQ(frameThumbnailPath(0), QStringLiteral(":/frames/frame00.svg"));
    EXPECT_EQ(frameThumbnailPath(15), QStringLiteral(":/frames/frame15.svg"));
    EXPECT_TRUE(frameThumbnailPath(-1).isEmpty());
    EXPECT_TRUE(frameThumbnailPath(kFrameCount).isEmpty());
}

TEST(FrameThumbnails, FullScreenBarsRunWhiteToBlackFromTopToBottom)
{
    const QImage image = frameImage(3);
    for (int y : {1, kMiddleRow, kFrameHeight - 2}) {
        SCOPED_TRACE(y);
        EXPECT_EQ(barsOnRow(image, y, 8), expectedBars(1));
    }
}

TEST(FrameThumbnails, CallSignBoxSitsInTheTopOfTheBars)
{
    for (int frame : {0, 1}) {
        SCOPED_TRACE(frame);
        const QImage image = frameImage(frame);
        // Bars show left and right of the box, and below it.
        EXPECT_EQ(image.pixel(2, 2) | 0xff000000u, barColours()[0]);
        EXPECT_EQ(image.pixel(kFrameWidth - 12, 2) | 0xff000000u, barColours()[6]);
        EXPECT_EQ(barsOnRow(image, kTopEnd + 2, 8), expectedBars(1));
        expectTextBand(image, QRect(14, 0, kFrameWidth - 28, kTopEnd), Band::CallSign);
    }
}

TEST(FrameThumbnails, BarsReachTheBottomOnlyWithoutSlidingText)
{
    EXPECT_EQ(barsOnRow(frameImage(1), kFrameHeight - 2, 8), expectedBars(1));
    expectTextBand(frameImage(0), rows(kBottomStart, kFrameHeight), Band::SlidingText);
}

TEST(FrameThumbnails, ThreeQuarterBarsHaveSlidingTextBelow)
{
    const QImage image = frameImage(2);
    EXPECT_EQ(barsOnRow(image, 1, 8), expectedBars(1));
    EXPECT_EQ(barsOnRow(image, kFrameHeight * 3 / 4 - 1, 8), expectedBars(1));
    expectTextBand(image, rows(kFrameHeight * 3 / 4 + 1, kFrameHeight), Band::SlidingText);
}

TEST(FrameThumbnails, StackedFramesShowTheirBandsInOrder)
{
    for (const StackedFrame& f : kStackedFrames) {
        SCOPED_TRACE(f.frame);
        const QImage image = frameImage(f.frame);
        expectTextBand(image, rows(0, kTopEnd), f.top);
        expectPictureBand(image, rows(kTopEnd, kBottomStart), f.middle);
        expectTextBand(image, rows(kBottomStart, kFrameHeight), f.bottom);
    }
}

TEST(FrameThumbnails, EachGridRowIsTheRowAboveShiftedOneSquareLeft)
{
    struct GridShape { int frame; int columns; int rows; };
    for (const GridShape g : {GridShape{8, 8, 6}, GridShape{9, 8, 6}, GridShape{12, 16, 8},
                              GridShape{13, 16, 8}}) {
        SCOPED_TRACE(g.frame);
        const QImage image = frameImage(g.frame);
        const QRect area = rows(kTopEnd, kBottomStart);
        auto cell = [&](int r, int c) {
            return image.pixel(static_cast<int>((c + 0.5) * area.width() / g.columns),
                               static_cast<int>(area.top() + (r + 0.5) * area.height() / g.rows));
        };
        for (int r = 1; r < g.rows; ++r)
            for (int c = 0; c + 1 < g.columns; ++c)
                EXPECT_EQ(cell(r, c), cell(r - 1, c + 1)) << "row " << r << " column " << c;
        // Diagonal and not constant: neighbours in a row differ.
        EXPECT_NE(cell(0, 0), cell(0, 1));
    }
}

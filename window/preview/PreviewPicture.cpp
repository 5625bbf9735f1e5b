#include "PreviewPicture.h"

#include "DotFont.h"
#include "FrameBands.h"

#include <QColor>
#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace preview {

namespace {

// The bars' own colours, left to right: full-intensity primaries, not the device's palette.
const std::array<QColor, 8> kBarColours = {
    QColor(0xFF, 0xFF, 0xFF), QColor(0xFF, 0xFF, 0x00), QColor(0x00, 0xFF, 0xFF), QColor(0x00, 0xFF, 0x00),
    QColor(0xFF, 0x00, 0xFF), QColor(0xFF, 0x00, 0x00), QColor(0x00, 0x00, 0xFF), QColor(0x00, 0x00, 0x00)};

// A character dot, in units, by character height (small, medium, normal, big): each size is
// plainly taller than the one before.
constexpr std::array<int, 4> kDotSizes = {2, 3, 4, 5};
// Units the sliding text moves in a step, by speed (slow, normal, high).
constexpr std::array<int, 3> kUnitsPerStep = {1, 2, 4};

constexpr int kCellColumns = kGlyphColumns + 1;  // a blank column between characters
constexpr int kBandRows = kGlyphRows + 2;        // a blank row of dots above and below
constexpr int kBoxCharacters = int(firmware::kFixedTextLength);
constexpr int kBoxMargin = 2;                    // dots beside the call sign in its box

int DotSize(int height)
{
    return kDotSizes[std::size_t(height & 3)];
}

int TextWidth(std::string_view text, int dot)
{
    return int(text.size()) * kCellColumns * dot;
}

// Letters stay readable on every background: dark on the light ones.
QColor LetterColour(int backgroundCode)
{
    return (backgroundCode & 7) >= 4 ? QColor(Qt::black) : QColor(Qt::white);
}

QColor Background(int code)
{
    const firmware::RgbColour rgb = firmware::ColourOfCode(code);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

int FloorDiv(std::int64_t a, std::int64_t b)
{
    return int(a >= 0 ? a / b : -((-a + b - 1) / b));
}

// Picture units to device pixels; neighbouring shapes share their edges exactly.
class Mapping {
public:
    explicit Mapping(const QRect& picture) : picture_(picture) {}

    int X(int units) const { return picture_.left() + FloorDiv(std::int64_t(units) * picture_.width(), kUnitsWide); }
    int Y(int units) const { return picture_.top() + FloorDiv(std::int64_t(units) * picture_.height(), kUnitsHigh); }
    QRect Rect(int left, int top, int right, int bottom) const
    {
        return QRect(QPoint(X(left), Y(top)), QPoint(X(right) - 1, Y(bottom) - 1));
    }

private:
    QRect picture_;
};

// Text in dots of `dot` units from (left, top), cut to `clip`.
struct Lettering {
    const Mapping& map;
    QRect clip;
    int dot;
    QColor colour;
};

void DrawText(QPainter& painter, const Lettering& lettering, std::string_view text, int left, int top)
{
    const int cell = kCellColumns * lettering.dot;
    QVarLengthArray<QRect, 512> runs;
    const int first = left < 0 ? -left / cell : 0;
    const int last = std::min(int(text.size()), FloorDiv(kUnitsWide - left, cell) + 1);
    for (int index = first; index < last; ++index) {
        const Glyph& glyph = glyphOf(static_cast<unsigned char>(text[std::size_t(index)]));
        const int x = left + index * cell;
        for (int row = 0; row < kGlyphRows; ++row) {
            const int y = top + row * lettering.dot;
            for (int column = 0; column < kGlyphColumns;) {
                if ((glyph[std::size_t(row)] & (0x10 >> column)) == 0) {
                    ++column;
                    continue;
                }
                const int start = column;
                while (column < kGlyphColumns && (glyph[std::size_t(row)] & (0x10 >> column)) != 0)
                    ++column;
                const QRect run = lettering.map.Rect(x + start * lettering.dot, y, x + column * lettering.dot,
                                                     y + lettering.dot);
                runs.append(run.intersected(lettering.clip));
            }
        }
    }
    // In one call: a text has hundreds of runs of dots.
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(lettering.colour);
    painter.drawRects(runs.constData(), int(runs.size()));
    painter.restore();
}

// Squares of the bar colours, each row one square further left than the row above.
void DrawPattern(QPainter& painter, const QRect& band, Pattern pattern)
{
    const PatternShape shape = shapeOf(pattern);
    for (int row = 0; row < shape.rows; ++row) {
        const int top = band.top() + band.height() * row / shape.rows;
        const int bottom = band.top() + band.height() * (row + 1) / shape.rows;
        for (int column = 0; column < shape.columns; ++column) {
            const int left = band.left() + band.width() * column / shape.columns;
            const int right = band.left() + band.width() * (column + 1) / shape.columns;
            painter.fillRect(QRect(left, top, right - left, bottom - top),
                             kBarColours[std::size_t((column + row) % int(kBarColours.size()))]);
        }
    }
}

// The call sign centred across the picture, its characters' top row of dots one dot below
// `top`.
void DrawCallSign(QPainter& painter, const Mapping& map, const QRect& clip, int top,
                  const firmware::GeneratorSettings& settings)
{
    const int dot = DotSize(settings.fixedHeight);
    const int width = TextWidth(settings.fixedText, dot) - dot;
    DrawText(painter, {map, clip, dot, LetterColour(settings.fixedColour)}, settings.fixedText,
             (kUnitsWide - width) / 2, top + dot);
}

// A box as wide as the longest call sign, set into the top of the band below `top`.
void DrawCallSignBox(QPainter& painter, const Mapping& map, int top, const firmware::GeneratorSettings& settings)
{
    const int dot = DotSize(settings.fixedHeight);
    const int width = (kBoxCharacters * kCellColumns - 1 + 2 * kBoxMargin) * dot;
    const int left = (kUnitsWide - width) / 2;
    const QRect box = map.Rect(left, top, left + width, top + kBandRows * dot);
    painter.fillRect(box, Background(settings.fixedColour));
    DrawCallSign(painter, map, box, top, settings);
}

int BandHeight(const Band& band, const firmware::GeneratorSettings& settings)
{
    switch (band.kind) {
    case BandKind::SlidingText:
        return kBandRows * DotSize(settings.slidingHeight);
    case BandKind::CallSign:
        return kBandRows * DotSize(settings.fixedHeight);
    case BandKind::Pattern:
    case BandKind::Black:
        break;
    }
    return band.height;
}

}  // namespace

void PreviewPicture::SetSettings(const firmware::GeneratorSettings& settings)
{
    settings_ = settings;
}

QRect PreviewPicture::FourByThree(const QRect& area)
{
    QSize size = area.size();
    if (std::int64_t(size.width()) * kUnitsHigh > std::int64_t(size.height()) * kUnitsWide)
        size.setWidth(int(std::int64_t(size.height()) * kUnitsWide / kUnitsHigh));
    else
        size.setHeight(int(std::int64_t(size.width()) * kUnitsHigh / kUnitsWide));
    QRect picture(QPoint(0, 0), size);
    picture.moveCenter(area.center());
    return picture;
}

bool PreviewPicture::Moves() const
{
    const std::span<const Band> bands = frameBands(settings_.frame);
    return !settings_.slidingText.empty() && std::any_of(bands.begin(), bands.end(), [](const Band& band) {
        return band.kind == BandKind::SlidingText;
    });
}

int PreviewPicture::SlidingTextLeft(int step) const
{
    const std::int64_t travel = std::int64_t(step) * kUnitsPerStep[std::size_t(std::clamp(settings_.speed, 0, 2))];
    const int course = kUnitsWide + TextWidth(settings_.slidingText, DotSize(settings_.slidingHeight));
    return kUnitsWide - int(travel % course);
}

void PreviewPicture::Draw(QPainter& painter, const QRect& area, int step) const
{
    const Mapping map(FourByThree(area));

    const std::span<const Band> bands = frameBands(settings_.frame);
    int rest = kUnitsHigh;
    for (const Band& band : bands)
        rest -= BandHeight(band, settings_);

    int top = 0;
    for (const Band& band : bands) {
        const int height = BandHeight(band, settings_) > 0 ? BandHeight(band, settings_) : rest;
        const QRect rect = map.Rect(0, top, kUnitsWide, top + height);
        switch (band.kind) {
        case BandKind::Pattern:
            DrawPattern(painter, rect, band.pattern);
            break;
        case BandKind::Black:
            painter.fillRect(rect, QColor(Qt::black));
            break;
        case BandKind::SlidingText: {
            painter.fillRect(rect, Background(settings_.slidingColour));
            const int dot = DotSize(settings_.slidingHeight);
            DrawText(painter, {map, rect, dot, LetterColour(settings_.slidingColour)}, settings_.slidingText,
                     SlidingTextLeft(step), top + dot);
            break;
        }
        case BandKind::CallSign:
            painter.fillRect(rect, Background(settings_.fixedColour));
            DrawCallSign(painter, map, rect, top, settings_);
            break;
        }
        if (band.callSignBox)
            DrawCallSignBox(painter, map, top, settings_);
        top += height;
    }
}

}  // namespace preview

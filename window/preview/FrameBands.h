#pragma once

// What the generator puts on the screen for each of its sixteen frames, as data: the
// horizontal bands of the picture from top to bottom. Heights are in picture units of a
// screen 384 units wide and 288 high (4:3).

#include <cstddef>
#include <span>

namespace preview {

inline constexpr int kUnitsWide = 384;
inline constexpr int kUnitsHigh = 288;

// Squares of the bar colours: each row the bar sequence shifted one square to the left
// against the row above, so that the colours run diagonally.
enum class Pattern { Bars, DoubledBars, Grid, FineGrid };

struct PatternShape {
    int columns;
    int rows;
};

enum class BandKind {
    Pattern,      // a pattern of the bar colours
    Black,        // nothing but black
    SlidingText,  // the sliding text on its background colour, as high as its characters
    CallSign,     // the call sign on its background colour, as high as its characters
};

struct Band {
    BandKind kind;
    int height = 0;  // fixed height in units; 0 for a text band or for the band taking the rest
    Pattern pattern = Pattern::Bars;
    bool callSignBox = false;  // the call sign in a box set into the top of this band
};

std::span<const Band> frameBands(int frame);  // frame 0..15 (low four bits used)
PatternShape shapeOf(Pattern pattern);

}  // namespace preview

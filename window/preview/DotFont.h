#pragma once

// The generator's lettering as the preview draws it: characters of 5 by 7 dots, like a
// character generator's, for the codes 32 to 127 that the device shows.

#include <array>
#include <cstdint>

namespace preview {

inline constexpr int kGlyphColumns = 5;
inline constexpr int kGlyphRows = 7;

// One row of dots per byte, top row first; bit 4 is the leftmost dot.
using Glyph = std::array<std::uint8_t, kGlyphRows>;

// The glyph of a character code; codes outside 32..127 show as a full stop, as the
// device's texts do.
const Glyph& glyphOf(unsigned char code);

}  // namespace preview

#pragma once

// Texts of the preview window and of what it tells a screen reader about the picture, one
// column per language. Texts with %1 and %2 take the pieces named beside them.

#include "Messages.h"

#include <cstddef>
#include <string_view>

namespace i18n {

enum class PreviewText : std::size_t {
    WindowTitle,
    Note,          // the line under the picture
    PictureName,   // the picture's accessible name
    FrameNumber,   // %1: the frame's number as the hints count (1 to 16)
    Bars,
    DoubledBars,
    Grid,
    FineGrid,
    BlackBand,
    SlidingText,   // %1: the background colour's name
    CallSign,      // %1: the call sign, %2: the background colour's name
    CallSignBox,   // as CallSign, in a box set into the bars
    EmptyCallSign, // stands for a call sign of no characters
    AtTop,
    AtBottom,
    Count
};

std::string_view previewText(Language language, PreviewText id);

}  // namespace i18n

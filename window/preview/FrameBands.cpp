#include "FrameBands.h"

#include <array>

namespace preview {

namespace {

constexpr int kBlackBandHeight = 36;
constexpr int kThreeQuarters = kUnitsHigh * 3 / 4;

struct FrameLayout {
    std::array<Band, 3> bands;
    std::size_t count;
};

constexpr Band kSliding{BandKind::SlidingText};
constexpr Band kCallSign{BandKind::CallSign};
constexpr Band kBlack{BandKind::Black, kBlackBandHeight};
constexpr Band kRestBlack{BandKind::Black};

constexpr Band Rest(Pattern pattern)
{
    return {BandKind::Pattern, 0, pattern};
}

constexpr std::array<FrameLayout, 16> kFrames{{
    {{Band{BandKind::Pattern, 0, Pattern::Bars, true}, kSliding}, 2},
    {{Band{BandKind::Pattern, 0, Pattern::Bars, true}}, 1},
    {{Band{BandKind::Pattern, kThreeQuarters, Pattern::Bars}, kSliding, kRestBlack}, 3},
    {{Rest(Pattern::Bars)}, 1},
    {{kSliding, Rest(Pattern::Bars), kCallSign}, 3},
    {{kCallSign, Rest(Pattern::Bars), kSliding}, 3},
    {{kBlack, Rest(Pattern::Bars), kSliding}, 3},
    {{kBlack, Rest(Pattern::Bars), kCallSign}, 3},
    {{kSliding, Rest(Pattern::Grid), kCallSign}, 3},
    {{kCallSign, Rest(Pattern::Grid), kSliding}, 3},
    {{kSliding, Rest(Pattern::DoubledBars), kCallSign}, 3},
    {{kCallSign, Rest(Pattern::DoubledBars), kSliding}, 3},
    {{kSliding, Rest(Pattern::FineGrid), kCallSign}, 3},
    {{kCallSign, Rest(Pattern::FineGrid), kSliding}, 3},
    {{kBlack, Rest(Pattern::DoubledBars), kSliding}, 3},
    {{kBlack, Rest(Pattern::DoubledBars), kCallSign}, 3},
}};

}  // namespace

std::span<const Band> frameBands(int frame)
{
    const FrameLayout& layout = kFrames[std::size_t(frame & 0x0F)];
    return std::span(layout.bands).first(layout.count);
}

PatternShape shapeOf(Pattern pattern)
{
    switch (pattern) {
    case Pattern::Bars:
        return {8, 1};
    case Pattern::DoubledBars:
        return {16, 1};
    case Pattern::Grid:
        return {8, 6};
    case Pattern::FineGrid:
        return {16, 8};
    }
    return {8, 1};
}

}  // namespace preview

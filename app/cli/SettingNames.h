#pragma once

// The words the command line uses for the coded settings, indexed by their codes. They are
// the same in every language: scripts and the JSON output rely on them.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace cli {

using Names = std::span<const std::string_view>;

inline constexpr std::array<std::string_view, 8> kColourNames{"black", "navy", "red", "fuchsia",
                                                              "lime", "aqua", "yellow", "white"};
inline constexpr std::array<std::string_view, 4> kHeightNames{"small", "medium", "normal", "big"};
inline constexpr std::array<std::string_view, 3> kSpeedNames{"slow", "normal", "high"};

// The name of a code; a code out of range is clamped into it.
std::string_view NameOf(Names names, int code);

// The code of a name, in any letter case.
std::optional<int> CodeOf(Names names, std::string_view name);

// "black, navy, ..., white"
std::string Listed(Names names);

}  // namespace cli

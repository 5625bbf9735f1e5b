#pragma once

// The settings as the show command prints them: one line each for people, or one JSON object
// for scripts. Both use the option names of the set command as keys, so that what one prints
// the other takes.

#include "FirmwareFormat.h"

#include <string>
#include <string_view>

namespace cli {

std::string PlainText(const firmware::GeneratorSettings& settings);
std::string Json(const firmware::GeneratorSettings& settings);

// A JSON string literal of device text: quotes, backslashes and control characters escaped;
// codes above 126 as \u escapes of the same code, so the output is ASCII whatever the bytes.
std::string JsonString(std::string_view text);

}  // namespace cli

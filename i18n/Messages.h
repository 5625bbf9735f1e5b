#pragma once

// Texts the window picks by the current language each time it shows them
// (message boxes and status-panel notices). The control captions are the
// caption table's.

#include <cstddef>
#include <string>
#include <string_view>

namespace i18n {

enum class Language : std::size_t { Italian = 0, English = 1 };
inline constexpr std::size_t kLanguageCount = 2;

enum class Message : std::size_t {
    NotOpenedNotice,     // status panel when a file cannot be opened or saved
    RejectedFilePrompt,  // status panel after a file that is not valid
    InvalidFileCaption,  // caption of the error box for a file that is not valid
    WarningCaption,      // caption of the refused-character warning
    ReadOnlyTarget,      // save dialog: %1 is a file nobody may write
    MissingFolder,       // save dialog: %1 is a folder that does not exist
    Count
};

std::string_view message(Language language, Message id);

// Text of the error box for a file that is not valid, built around the file's name; the
// box breaks its line with line feed and carriage return, a terminal with a line feed.
std::string invalidFileText(Language language, std::string_view fileName, std::string_view lineBreak = "\x0A\x0D");

// Text of the warning for a refused character; subject is "Enter" for 13,
// empty for NUL, else the character itself (UTF-8).
std::string refusedCharacterText(Language language, char32_t character);

// The name of a colour code (0..7) as a screen reader speaks it; empty for any other
// number.
std::string_view colourName(Language language, int code);

// Codes 8 and 32..127 pass; everything else is refused.
bool characterPasses(char32_t character);

}  // namespace i18n

#include "Messages.h"

#include <array>

namespace i18n {

namespace {

// One column per language, in the order of Language.
using Column = std::array<std::string_view, kLanguageCount>;

constexpr std::array<Column, static_cast<std::size_t>(Message::Count)> kMessages{{
    // NotOpenedNotice: the character after the e is the grave accent.
    {"NESSUN File e` stato APERTO", "NO File has been OPENED"},
    // RejectedFilePrompt
    {"Cliccare sull' icona di sinistra per aprire il file",
     "Click on the left icon to open the file"},
    // InvalidFileCaption
    {"ERRORE !", "ERROR !"},
    // WarningCaption
    {"ATTENZIONE", "WARNING"},
    // ReadOnlyTarget
    {"%1 è protetto da scrittura.\nScegliere un altro nome.", "%1 is write-protected.\nChoose another name."},
    // MissingFolder
    {"La cartella %1 non esiste.\nScegliere una cartella esistente.",
     "The folder %1 does not exist.\nChoose an existing folder."},
}};

// Pieces of the composed texts.
enum class Piece : std::size_t {
    InvalidFileLead,
    InvalidFileTail,
    WarningPrefix,
    WarningSuffix,
    Count
};

constexpr std::array<Column, static_cast<std::size_t>(Piece::Count)> kPieces{{
    // InvalidFileLead: the file name follows at once.
    {"Il FILE ", "The FILE "},
    // InvalidFileTail: after the line break.
    {"NON contiene dati VALIDI !!!", "does NOT contain VALID Data !!!"},
    // WarningPrefix: each ends with an apostrophe and a blank.
    {"Il carattere: ' ", "The character ' "},
    // WarningSuffix: byte for byte as users have always seen it, with its uneven
    // line breaks and the gaps and slips of its character list.
    {" '  NON E' CONSENTITO !!!"
     "\x0A\x0D\x0A\x0D\x0A\x0D"
     "I caratteri CONSENTITI SONO:"
     "\x0A\x0D\x0A\x0D"
     "(SPACE)!#$%&')(*+,-./0123456789:;<>=?"
     "\x0D\x0A\x0A\x0D"
     "@ABCDEFGHIJKLMNOPQRSTUVWXYZ][\\^_"
     "\x0A\x0D\x0D\x0A"
     "`abcdefghijklmnopqrstuvwxyx}{|~",
     " '  IS NOT ALLOWED !!!"
     "\x0A\x0D\x0A\x0D\x0A\x0D"
     "The ALLOWED Characters ARE:"
     "\x0A\x0D\x0A\x0D"
     "(SPACE)!#$%&')(*+,-./0123456789:;<>=?"
     "\x0A\x0D\x0D\x0A"
     "@ABCDEFGHIJKLMNOPQRSTUVWXYZ][\\^_"
     "\x0A\x0D\x0D\x0A"
     "`abcdefghijklmnopqrstuvwxyx}{|~"},
}};

// By colour code; the Italian words are those of the palette's own panels.
constexpr std::array<Column, 8> kColourNames{{
    {"Nero", "Black"},
    {"Blu", "Blue"},
    {"Rosso", "Red"},
    {"Viola", "Magenta"},
    {"Verde", "Green"},
    {"Azzurro", "Cyan"},
    {"Giallo", "Yellow"},
    {"Bianco", "White"},
}};

std::string_view piece(Language language, Piece id)
{
    return kPieces[static_cast<std::size_t>(id)][static_cast<std::size_t>(language)];
}

constexpr char32_t kReplacementCharacter = 0xFFFD;

// A character the edit delivered, as UTF-8; a value that is no Unicode scalar
// (a lone surrogate, or beyond U+10FFFF) becomes the replacement character.
std::string utf8(char32_t c)
{
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        c = kReplacementCharacter;
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string subject(char32_t character)
{
    if (character == U'\r')
        return "Enter";
    if (character == U'\0')
        return {};
    return utf8(character);
}

}  // namespace

std::string_view message(Language language, Message id)
{
    return kMessages[static_cast<std::size_t>(id)][static_cast<std::size_t>(language)];
}

std::string invalidFileText(Language language, std::string_view fileName, std::string_view lineBreak)
{
    std::string text(piece(language, Piece::InvalidFileLead));
    text += fileName;
    text += lineBreak;
    text += piece(language, Piece::InvalidFileTail);
    return text;
}

std::string refusedCharacterText(Language language, char32_t character)
{
    std::string text(piece(language, Piece::WarningPrefix));
    text += subject(character);
    text += piece(language, Piece::WarningSuffix);
    return text;
}

std::string_view colourName(Language language, int code)
{
    if (code < 0 || code >= int(kColourNames.size()))
        return {};
    return kColourNames[std::size_t(code)][static_cast<std::size_t>(language)];
}

bool characterPasses(char32_t character)
{
    return character == U'\b' || (character >= U' ' && character <= 127);
}

}  // namespace i18n

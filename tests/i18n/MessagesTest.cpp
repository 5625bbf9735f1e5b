#include "CaptionTable.h"
#include "Messages.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using i18n::Language;
using i18n::Message;
using namespace std::string_literals;
using namespace std::string_view_literals;

namespace {

constexpr std::string_view kItalianPrefix = "Il carattere: ' ";
constexpr std::string_view kEnglishPrefix = "The character ' ";

std::string_view prefixOf(Language language)
{
    return language == Language::Italian ? kItalianPrefix : kEnglishPrefix;
}

// The suffix as the warning for a NUL shows it: prefix and suffix with nothing between.
std::string suffixOf(Language language)
{
    const std::string text = i18n::refusedCharacterText(language, U'\0');
    const std::string_view prefix = prefixOf(language);
    EXPECT_EQ(text.substr(0, prefix.size()), prefix);
    return text.substr(prefix.size());
}

struct Split {
    std::vector<std::string> lines;   // text between line breaks
    std::vector<std::string> breaks;  // each run of CR and LF bytes
};

Split splitOnLineBreaks(const std::string& text)
{
    Split split{{""}, {}};
    bool inBreak = false;
    for (char c : text) {
        const bool breakByte = c == '\x0A' || c == '\x0D';
        if (breakByte && !inBreak)
            split.breaks.emplace_back();
        if (!breakByte && inBreak)
            split.lines.emplace_back();
        (breakByte ? split.breaks.back() : split.lines.back()) += c;
        inBreak = breakByte;
    }
    return split;
}

const i18n::CaptionRow& statusPromptRow()
{
    for (const i18n::CaptionRow& row : i18n::captionRows())
        if (row.property == i18n::Property::StatusPrompt)
            return row;
    throw std::logic_error("no status prompt row");
}

}  // namespace

TEST(StatusTexts, NotOpenedNoticeHasTheGraveAccentAfterTheE)
{
    EXPECT_EQ(i18n::message(Language::Italian, Message::NotOpenedNotice),
              "NESSUN File e\x60 stato APERTO"sv);
    EXPECT_EQ(i18n::message(Language::English, Message::NotOpenedNotice),
              "NO File has been OPENED"sv);
}

TEST(StatusTexts, RejectedFilePromptDiffersFromTheSwitchPromptOnlyInEnglish)
{
    const i18n::CaptionRow& row = statusPromptRow();
    EXPECT_EQ(i18n::message(Language::Italian, Message::RejectedFilePrompt),
              "Cliccare sull' icona di sinistra per aprire il file"sv);
    EXPECT_EQ(i18n::message(Language::Italian, Message::RejectedFilePrompt), row.text[0]);
    EXPECT_EQ(i18n::message(Language::English, Message::RejectedFilePrompt),
              "Click on the left icon to open the file"sv);
    EXPECT_EQ(row.text[1], "Click on left icon to open the file"sv);
}

TEST(StatusTexts, UnknownIdsGiveNoText)
{
    EXPECT_TRUE(i18n::message(Language::English, Message::Count).empty());
    EXPECT_TRUE(i18n::message(static_cast<Language>(i18n::kLanguageCount),
                              Message::WarningCaption).empty());
    EXPECT_TRUE(i18n::invalidFileText(static_cast<Language>(7), "a.hex").empty());
    EXPECT_TRUE(i18n::refusedCharacterText(static_cast<Language>(7), U'\r').empty());
}

TEST(InvalidFileBox, TextWrapsTheNameWithLineFeedBeforeCarriageReturn)
{
    const std::string name = "/home/ik0xyz/Barre Kelvo/test-\xC3\xA8.hex";
    EXPECT_EQ(i18n::invalidFileText(Language::Italian, name),
              "Il FILE " + name + "\x0A\x0D" + "NON contiene dati VALIDI !!!");
    EXPECT_EQ(i18n::invalidFileText(Language::English, name),
              "The FILE " + name + "\x0A\x0D" + "does NOT contain VALID Data !!!");
}

TEST(InvalidFileBox, EmptyNameStillGivesBothLines)
{
    EXPECT_EQ(i18n::invalidFileText(Language::English, ""),
              "The FILE \x0A\x0D" "does NOT contain VALID Data !!!"s);
}

TEST(InvalidFileBox, CaptionsPerLanguage)
{
    EXPECT_EQ(i18n::message(Language::Italian, Message::InvalidFileCaption), "ERRORE !"sv);
    EXPECT_EQ(i18n::message(Language::English, Message::InvalidFileCaption), "ERROR !"sv);
}

TEST(RefusedCharacterWarning, CaptionsPerLanguage)
{
    EXPECT_EQ(i18n::message(Language::Italian, Message::WarningCaption), "ATTENZIONE"sv);
    EXPECT_EQ(i18n::message(Language::English, Message::WarningCaption), "WARNING"sv);
}

TEST(RefusedCharacterWarning, SuffixesHaveTheirExactLengths)
{
    EXPECT_EQ(suffixOf(Language::Italian).size(), 171u);
    EXPECT_EQ(suffixOf(Language::English).size(), 167u);
}

TEST(RefusedCharacterWarning, LineBreakSequencesStandBetweenTheFivePieces)
{
    const Split italian = splitOnLineBreaks(suffixOf(Language::Italian));
    EXPECT_EQ(italian.breaks,
              (std::vector<std::string>{"\x0A\x0D\x0A\x0D\x0A\x0D", "\x0A\x0D\x0A\x0D",
                                        "\x0D\x0A\x0A\x0D", "\x0A\x0D\x0D\x0A"}));
    ASSERT_EQ(italian.lines.size(), 5u);
    EXPECT_EQ(italian.lines[0], " '  NON E' CONSENTITO !!!");
    EXPECT_EQ(italian.lines[1], "I caratteri CONSENTITI SONO:");

    const Split english = splitOnLineBreaks(suffixOf(Language::English));
    // The third break differs from the Italian one.
    EXPECT_EQ(english.breaks,
              (std::vector<std::string>{"\x0A\x0D\x0A\x0D\x0A\x0D", "\x0A\x0D\x0A\x0D",
                                        "\x0A\x0D\x0D\x0A", "\x0A\x0D\x0D\x0A"}));
    ASSERT_EQ(english.lines.size(), 5u);
    EXPECT_EQ(english.lines[0], " '  IS NOT ALLOWED !!!");
    EXPECT_EQ(english.lines[1], "The ALLOWED Characters ARE:");

    // The character list is the same in both languages, slips included: no double
    // quote, "yx" for "yz", a single backslash.
    for (std::size_t i = 2; i < 5; ++i)
        EXPECT_EQ(italian.lines[i], english.lines[i]) << i;
    EXPECT_EQ(italian.lines[2], "(SPACE)!#$%&')(*+,-./0123456789:;<>=?");
    EXPECT_EQ(italian.lines[3], "@ABCDEFGHIJKLMNOPQRSTUVWXYZ][\\^_");
    EXPECT_EQ(italian.lines[4], "\x60" "abcdefghijklmnopqrstuvwxyx}{|~");
    EXPECT_EQ(italian.lines[4].size(), 31u);
}

TEST(RefusedCharacterWarning, EnterReadsEnterBetweenTheApostrophes)
{
    for (Language language : {Language::Italian, Language::English}) {
        const std::string text = i18n::refusedCharacterText(language, U'\r');
        EXPECT_EQ(text, std::string(prefixOf(language)) + "Enter" + suffixOf(language));
    }
    constexpr std::string_view opening = "Il carattere: ' Enter '  NON E' CONSENTITO !!!";
    EXPECT_EQ(i18n::refusedCharacterText(Language::Italian, U'\r').substr(0, opening.size()),
              opening);
}

TEST(RefusedCharacterWarning, NulHasAnEmptySubject)
{
    const std::string text = i18n::refusedCharacterText(Language::English, U'\0');
    EXPECT_EQ(text.find('\0'), std::string::npos);
    EXPECT_EQ(text.size(), kEnglishPrefix.size() + 167u);
}

TEST(RefusedCharacterWarning, OtherCharactersStandForThemselves)
{
    struct Case { char32_t character; std::string bytes; };
    const std::vector<Case> cases{
        {U'\x1B', "\x1B"},                 // Escape, raw
        {U'\x16', "\x16"},                 // Ctrl+V, raw
        {U'\t', "\t"},                     // a tab is no line break
        {U'\n', "\n"},                     // Ctrl+J stays a single raw byte
        {U'\u00E8', "\xC3\xA8"},           // e grave, as UTF-8
        {U'\u20AC', "\xE2\x82\xAC"},       // euro sign
        {U'\U0001F4FA', "\xF0\x9F\x93\xBA"},  // television, outside the BMP
        {U'\xFF', "\xC3\xBF"},             // y diaeresis
    };
    for (const Case& c : cases) {
        const std::string text = i18n::refusedCharacterText(Language::English, c.character);
        EXPECT_EQ(text, std::string(kEnglishPrefix) + c.bytes + suffixOf(Language::English))
            << static_cast<unsigned>(c.character);
    }
}

TEST(RefusedCharacterWarning, ValuesThatAreNoCharacterShowTheReplacementCharacter)
{
    const std::string replacement = "\xEF\xBF\xBD";
    for (char32_t value :
         {char32_t{0xD800}, char32_t{0xDFFF}, char32_t{0x110000}, char32_t{0xFFFFFFFF}}) {
        EXPECT_EQ(i18n::refusedCharacterText(Language::Italian, value),
                  std::string(kItalianPrefix) + replacement + suffixOf(Language::Italian))
            << std::hex << static_cast<unsigned long>(value);
    }
}

TEST(CharacterFilter, BackspaceAndPrintableAsciiPass)
{
    for (char32_t c : {U'\b', U' ', U'!', U'"', U'z', U'~', char32_t{127}})
        EXPECT_TRUE(i18n::characterPasses(c)) << static_cast<unsigned>(c);
}

TEST(CharacterFilter, ControlCharactersAndEverythingAbove127AreRefused)
{
    // 0x108 and 0x120 would pass if the code were cut to its low byte.
    for (char32_t c : {char32_t{0}, char32_t{1}, char32_t{7}, char32_t{9}, char32_t{13},
                       char32_t{22}, char32_t{27}, char32_t{31}, char32_t{128}, char32_t{160},
                       char32_t{0xE8}, char32_t{0xFF}, char32_t{0x108}, char32_t{0x120},
                       char32_t{0x20AC}, char32_t{0x1F4FA}, char32_t{0xFFFFFFFF}})
        EXPECT_FALSE(i18n::characterPasses(c)) << static_cast<unsigned long>(c);
}

TEST(CharacterFilter, ExactlyTheCodes8And32To127PassBelow256)
{
    int passing = 0;
    for (char32_t c = 0; c < 256; ++c)
        passing += i18n::characterPasses(c);
    EXPECT_EQ(passing, 1 + 96);
}

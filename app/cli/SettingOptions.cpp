#include "SettingOptions.h"

#include "ArgumentText.h"
#include "SettingNames.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace cli {

namespace {

using firmware::GeneratorSettings;
using i18n::CommandLineText;

struct TextOption {
    const char* name;
    CommandLineText description;
    std::string GeneratorSettings::*field;
    std::size_t maxLength;
};
constexpr std::array<TextOption, 2> kTextOptions{{
    {"text", CommandLineText::TextOption, &GeneratorSettings::slidingText, firmware::kSlidingTextLength},
    {"call", CommandLineText::CallOption, &GeneratorSettings::fixedText, firmware::kFixedTextLength},
}};

struct NamedOption {
    const char* name;
    CommandLineText description;
    int GeneratorSettings::*field;
    Names names;
    const char* valueName;
};
constexpr std::array<NamedOption, 5> kNamedOptions{{
    {"text-colour", CommandLineText::TextColourOption, &GeneratorSettings::slidingColour, kColourNames, "COLOUR"},
    {"call-colour", CommandLineText::CallColourOption, &GeneratorSettings::fixedColour, kColourNames, "COLOUR"},
    {"text-height", CommandLineText::TextHeightOption, &GeneratorSettings::slidingHeight, kHeightNames, "HEIGHT"},
    {"call-height", CommandLineText::CallHeightOption, &GeneratorSettings::fixedHeight, kHeightNames, "HEIGHT"},
    {"speed", CommandLineText::SpeedOption, &GeneratorSettings::speed, kSpeedNames, "SPEED"},
}};

constexpr const char* kFrameOption = "frame";
constexpr int kFrameCount = 16;

std::string Hex(const char* format, unsigned value)
{
    std::array<char, 12> text{};
    std::snprintf(text.data(), text.size(), format, value);
    return text.data();
}

// A value as the error shows it: control characters as \x escapes, so that none reaches the
// terminal; the rest as typed.
std::string Shown(std::string_view value)
{
    std::string shown;
    for (const char c : value) {
        const auto code = static_cast<unsigned char>(c);
        shown += code < 0x20 || code == 0x7F ? Hex("\\x%02X", code) : std::string(1, c);
    }
    return shown;
}

// How many bytes the UTF-8 sequence that begins with `lead` has; 0 where none begins with it.
std::size_t SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    return lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
}

// The character that starts at `at`, named for the error: as typed with its code point, by its
// code point alone where it is a control character, or as a \x escape of a byte that begins no
// character in UTF-8.
std::string CharacterAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = SequenceLength(lead);
    bool complete = length > 0 && at + length <= text.size();
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; complete && i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        complete = (next & 0xC0) == 0x80;
        code = (code << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 5> kSmallest{0, 0, 0x80, 0x800, 0x10000};
    if (!complete || code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return Hex("\\x%02X", lead);
    const std::string point = Hex("U+%04X", unsigned(code));
    return code < 0xA0 ? point : "'" + std::string(text.substr(at, length)) + "' (" + point + ")";
}

std::string CheckedText(const TextOption& option, const std::string& value, const Console& console)
{
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto code = static_cast<unsigned char>(value[i]);
        if (code < 32 || code > 127)
            throw Failure{kUsageError,
                          console.text(CommandLineText::RefusedCharacter, {option.name, CharacterAt(value, i)}), {}};
    }
    if (value.size() > option.maxLength) {
        const std::string length = std::to_string(value.size()), most = std::to_string(option.maxLength);
        throw Failure{kUsageError, console.text(CommandLineText::TooLong, {option.name, length, most}), {}};
    }
    return value;
}

int CheckedFrame(const std::string& value, const Console& console)
{
    int number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc{} || end != value.data() + value.size() || number < 1 || number > kFrameCount)
        throw Failure{kUsageError, console.text(CommandLineText::NotAFrame, {kFrameOption, Shown(value)}), {}};
    return number - 1;
}

int CheckedCode(const NamedOption& option, const std::string& value, const Console& console)
{
    if (const std::optional<int> code = CodeOf(option.names, value))
        return *code;
    const std::string accepted = Listed(option.names);
    throw Failure{kUsageError, console.text(CommandLineText::NotAName, {option.name, Shown(value), accepted}), {}};
}

std::optional<std::string> ValueOf(const QCommandLineParser& parser, const char* option)
{
    if (!parser.isSet(QLatin1StringView(option)))
        return std::nullopt;
    return ToBytes(parser.value(QLatin1StringView(option)));
}

QString Help(const Console& console, CommandLineText id, std::string_view accepted = {})
{
    return QString::fromStdString(console.text(id, {accepted}));
}

}  // namespace

void AddSettingOptions(QCommandLineParser& parser, const Console& console)
{
    const QString number = QStringLiteral("N");
    parser.addOption({QLatin1StringView(kFrameOption), Help(console, CommandLineText::FrameOption), number});
    for (const TextOption& option : kTextOptions)
        parser.addOption({QLatin1StringView(option.name), Help(console, option.description), QStringLiteral("TEXT")});
    for (const NamedOption& option : kNamedOptions) {
        parser.addOption({QLatin1StringView(option.name), Help(console, option.description, Listed(option.names)),
                          QLatin1StringView(option.valueName)});
    }
}

SettingChanges SettingChanges::FromOptions(const QCommandLineParser& parser, const Console& console)
{
    SettingChanges changes;
    if (const std::optional<std::string> value = ValueOf(parser, kFrameOption))
        changes.frame_ = CheckedFrame(*value, console);
    for (const TextOption& option : kTextOptions) {
        const std::optional<std::string> value = ValueOf(parser, option.name);
        changes.texts_.push_back(value ? std::optional(CheckedText(option, *value, console)) : std::nullopt);
    }
    for (const NamedOption& option : kNamedOptions) {
        const std::optional<std::string> value = ValueOf(parser, option.name);
        changes.codes_.push_back(value ? std::optional(CheckedCode(option, *value, console)) : std::nullopt);
    }
    return changes;
}

GeneratorSettings SettingChanges::appliedTo(GeneratorSettings settings) const
{
    settings.frame = frame_.value_or(settings.frame);
    for (std::size_t row = 0; row < kTextOptions.size(); ++row)
        settings.*kTextOptions[row].field = texts_[row].value_or(settings.*kTextOptions[row].field);
    for (std::size_t row = 0; row < kNamedOptions.size(); ++row)
        settings.*kNamedOptions[row].field = codes_[row].value_or(settings.*kNamedOptions[row].field);
    return settings;
}

}  // namespace cli

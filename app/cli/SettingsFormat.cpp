#include "SettingsFormat.h"

#include "SettingNames.h"

#include <array>
#include <cstdio>

namespace cli {

namespace {

using Field = std::pair<std::string_view, std::string>;  // key, value as written

// In the order of the window's groups: frames, sliding text, call sign, then the styles.
std::array<Field, 8> Fields(const firmware::GeneratorSettings& settings, bool json)
{
    const auto text = [json](const std::string& value) { return json ? JsonString(value) : value; };
    const auto name = [json](Names names, int code) {
        const std::string word(NameOf(names, code));
        return json ? '"' + word + '"' : word;
    };
    return {{
        {"frame", std::to_string((settings.frame & 0x0F) + 1)},
        {"text", text(settings.slidingText)},
        {"call", text(settings.fixedText)},
        {"text-colour", name(kColourNames, settings.slidingColour)},
        {"call-colour", name(kColourNames, settings.fixedColour)},
        {"text-height", name(kHeightNames, settings.slidingHeight)},
        {"call-height", name(kHeightNames, settings.fixedHeight)},
        {"speed", name(kSpeedNames, settings.speed)},
    }};
}

}  // namespace

std::string PlainText(const firmware::GeneratorSettings& settings)
{
    std::string out;
    for (const auto& [key, value] : Fields(settings, false)) {
        out.append(key).append(":");
        out.append(13 - key.size(), ' ').append(value).append("\n");
    }
    return out;
}

std::string Json(const firmware::GeneratorSettings& settings)
{
    std::string out = "{";
    for (const auto& [key, value] : Fields(settings, true))
        out.append(out.size() > 1 ? ",\n  \"" : "\n  \"").append(key).append("\": ").append(value);
    return out + "\n}\n";
}

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.append(1, '\\').append(1, c);
        } else if (code < 0x20 || code > 0x7E) {
            std::array<char, 7> escape{};
            std::snprintf(escape.data(), escape.size(), "\\u%04x", code);
            out += escape.data();
        } else {
            out += c;
        }
    }
    return out + '"';
}

}  // namespace cli

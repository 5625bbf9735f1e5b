#include "SettingNames.h"

#include <algorithm>
#include <cctype>

namespace cli {

std::string_view NameOf(Names names, int code)
{
    return names[std::size_t(std::clamp(code, 0, int(names.size()) - 1))];
}

std::optional<int> CodeOf(Names names, std::string_view name)
{
    const auto sameLetters = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    for (std::size_t code = 0; code < names.size(); ++code) {
        if (std::ranges::equal(names[code], name, sameLetters))
            return int(code);
    }
    return std::nullopt;
}

std::string Listed(Names names)
{
    std::string list;
    for (const std::string_view name : names)
        list.append(list.empty() ? "" : ", ").append(name);
    return list;
}

}  // namespace cli

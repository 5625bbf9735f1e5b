#include "LocaleLanguage.h"

#include <cstdlib>
#include <string_view>

namespace i18n {

Language LocaleLanguage()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0')
            continue;
        const std::string_view locale(value);
        // "it", "it_IT.UTF-8", "it_CH@euro": the language is the part before '_', '.' or '@'.
        const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
        return language == "it" ? Language::Italian : Language::English;
    }
    return Language::English;
}

}  // namespace i18n

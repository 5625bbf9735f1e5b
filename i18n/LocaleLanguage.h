#pragma once

#include "Messages.h"

namespace i18n {

// Italian where the locale's language for messages is Italian, English otherwise. Read from
// the variables themselves, in the C library's order (LC_ALL, LC_MESSAGES, LANG), so that it
// holds whether or not that locale is installed.
Language LocaleLanguage();

}  // namespace i18n

#pragma once

#include "Messages.h"

class QLineEdit;

// The rule on typed characters that the window's keyPress handler applies to both text
// fields: Backspace and the codes 32..127 pass and make the field editable again; any
// other character makes the field read-only (so it is not inserted) and is shown back to
// the user in the warning box, in the given language, before the handler returns.
void applyTextEntryRule(QLineEdit &field, char32_t character, i18n::Language language);

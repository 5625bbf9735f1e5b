#include "TextEntryRule.h"

#include "PlainMessage.h"

#include <QLineEdit>
#include <QString>

#include <string>

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text);
}

void showRefusal(QWidget *parent, char32_t character, i18n::Language language)
{
    ShowPlainMessage(parent, QMessageBox::Warning, fromUtf8(i18n::message(language, i18n::Message::WarningCaption)),
                     fromUtf8(i18n::refusedCharacterText(language, character)));
}

}  // namespace

void applyTextEntryRule(QLineEdit &field, char32_t character, i18n::Language language)
{
    if (i18n::characterPasses(character)) {
        field.setReadOnly(false);
        return;
    }
    field.setReadOnly(true);
    showRefusal(field.window(), character, language);
}

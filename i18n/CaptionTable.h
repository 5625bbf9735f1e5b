#pragma once

// The caption sets: every control text that follows the language, one row per
// control property, one column per language, in the order the language switch
// writes them. A third language is a third column.

#include "Messages.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace i18n {

// The property a row writes, named as on the form's components.
enum class Property {
    ImageIndex,    // the tool-bar image list index, as decimal text ("17")
    Checked,       // a menu item's check mark: "true" or "false"
    Hint,          // the tooltip
    Caption,       // the text of a menu item, group box or button; of the window for "Form1"
    Filter,        // file dialog filter, "description|pattern"
    Title,         // file dialog title
    StatusPrompt,  // Panel4's caption, written only while its Tag (the file-name flag) is 0
    TextAndItems,  // drop-down list: text is its placeholder (the edit text with no entry
                   // selected), items its entries in position order
    ReaderName,    // what a screen reader calls the control where its caption does not say
                   // it; written after the caption, whose name it replaces
};

struct CaptionRow {
    std::string_view control;  // the component's objectName; "Form1" is the window itself
    Property property;
    std::array<std::string_view, kLanguageCount> text;
    // Entries of a TextAndItems row; empty for every other row.
    std::array<std::span<const std::string_view>, kLanguageCount> items{};
};

// All rows, in writing order.
std::span<const CaptionRow> captionRows();

}  // namespace i18n

#pragma once

#include "Messages.h"

class QWidget;

// Writes one language's caption set into the window, row by row in the table's order,
// finding each control by its objectName under `form` (the window itself answers to its
// own name). Lists are rebuilt keeping their selected position, held meanwhile in their
// "Tag" property; the status panel takes the prompt only while its "Tag" (the file-name
// flag) is 0. Every caption and hint also becomes the control's accessible name or
// description, so screen readers follow the language too.
void writeCaptionSet(QWidget &form, i18n::Language language);

// The accessible names and descriptions of the form's own start-up texts, which are the
// Italian caption set: written once when the window is built.
void describeStartupTexts(QWidget &form);

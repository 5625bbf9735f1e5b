#pragma once

#include <QString>

// Turns a filter written as "description|pattern" into Qt's "description (pattern)" form.
// A description that already ends with the pattern in brackets (in any letter case) is kept
// as it is, so the user sees exactly the description; Qt then takes the bracketed pattern.
QString QtNameFilter(const QString& descriptionAndPattern);

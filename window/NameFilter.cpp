#include "NameFilter.h"

QString QtNameFilter(const QString& descriptionAndPattern)
{
    const qsizetype bar = descriptionAndPattern.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return descriptionAndPattern;
    const QString description = descriptionAndPattern.left(bar).trimmed();
    const QString pattern = descriptionAndPattern.mid(bar + 1).trimmed();
    const QString bracketed = QLatin1Char('(') + pattern + QLatin1Char(')');
    if (description.endsWith(bracketed, Qt::CaseInsensitive))
        return description;
    return description + QLatin1Char(' ') + bracketed;
}

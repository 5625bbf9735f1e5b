#include "KelvoResources.h"

namespace kelvo::resources {

QString frameThumbnailPath(int frame)
{
    if (frame < 0 || frame >= kFrameCount)
        return {};
    return QStringLiteral(":/frames/frame%1.svg").arg(frame, 2, 10, QLatin1Char('0'));
}

QString toolImagePath(int imageIndex)
{
    switch (imageIndex) {
    case 1:
        return QStringLiteral(":/icons/open.svg");
    case 2:
        return QStringLiteral(":/icons/save.svg");
    case 16:
        return QStringLiteral(":/icons/flag-it.svg");
    case 17:
        return QStringLiteral(":/icons/flag-uk.svg");
    default:
        return {};
    }
}

QString applicationIconPath()
{
    return QStringLiteral(":/icons/kelvo-barre.svg");
}

}  // namespace kelvo::resources

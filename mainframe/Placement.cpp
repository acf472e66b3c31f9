#include "mainframe/Placement.h"

#include "platform/Twips.h"

namespace Placement {

QList<SettingsStore::Entry> entries(const QRect& outer)
{
    const auto text = [](int pixels) { return QString::number(Twips::fromPixels(pixels)); };
    return {
        {QStringLiteral("MainLeft"), text(outer.x())},
        {QStringLiteral("MainTop"), text(outer.y())},
        {QStringLiteral("MainWidth"), text(outer.width())},
        {QStringLiteral("MainHeight"), text(outer.height())},
    };
}

} // namespace Placement

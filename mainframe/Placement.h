#pragma once

#include "platform/SettingsStore.h"

#include <QList>
#include <QRect>

// The four entries that record where the frame last was: its outer left, top, width and
// height in twips, as whole decimal numbers, in the order they are written.
namespace Placement {

QList<SettingsStore::Entry> entries(const QRect& outerGeometryInPixels);

} // namespace Placement

#pragma once

#include <QIcon>
#include <QList>
#include <QSize>

#include <functional>

namespace DeferredIcon {

// An icon whose pictures are made by `load` only when something first asks for one, so
// that icons made at start-up but not yet shown cost nothing. `sizes` are the sizes it
// reports before loading (a window system asks for them when a window is made); left
// empty, asking for the sizes loads the icon.
QIcon make(std::function<QIcon()> load, QList<QSize> sizes = {});

} // namespace DeferredIcon

#pragma once

#include <QString>

#include <functional>

class QMenu;

// The fixed Favourites tree of every browser window.
namespace Favourites {

// Builds the whole tree into menu (the window's "Fa&vourites" menu, mnuFav): 55
// commands in 7 submenus and at the top level, and 4 separators. Items, separators and
// submenus carry their control names as object names. Every command calls navigate with
// its one fixed address and does nothing else; separators and submenu headers call
// nothing.
void buildMenu(QMenu* menu, const std::function<void(const QString& address)>& navigate);

} // namespace Favourites

#pragma once

#include <QString>

#include <functional>

class QMenu;

// The fixed Favourites tree of every browser window.
namespace Favourites {

// Builds the whole tree into menu (the window's "Fa&vourites" menu, mnuFav). Every
// command calls navigate with its one fixed address.
void buildMenu(QMenu* menu, const std::function<void(const QString& address)>& navigate);

} // namespace Favourites

#pragma once

#include <QIcon>
#include <QString>

namespace AppIcon {

// The desktop id of the program: the name of its desktop entry (without ".desktop"),
// its AppStream component and its icon in the hicolor theme.
QString desktopId();

// The window icon, from the program's resources so that it shows the same whether or
// not the program is installed. It holds the sizes a window manager draws in title
// bars, task bars and switchers (16 to 64 pixels); launchers take the larger sizes
// from the installed theme icon named by the desktop entry.
QIcon icon();

// The sizes icon() holds, smallest first.
QList<int> windowSizes();

} // namespace AppIcon

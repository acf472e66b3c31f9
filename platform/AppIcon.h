#pragma once

#include <QIcon>
#include <QString>

namespace AppIcon {

// The desktop id of the program: the name of its desktop entry (without ".desktop"),
// its AppStream component and its icon in the hicolor theme.
QString desktopId();

// The application icon in every size it is drawn in, from the program's resources,
// so that it shows the same whether or not the program is installed.
QIcon icon();

} // namespace AppIcon

#include "platform/AppIcon.h"

// Resources compiled into a static library are only linked in when something
// refers to them; this function is that reference.
static void initAppIconResources()
{
    Q_INIT_RESOURCE(appicon);
}

namespace AppIcon {

QString desktopId()
{
    return QStringLiteral("example.corveluniverse.Calculator");
}

QList<int> windowSizes()
{
    return {16, 22, 24, 32, 48, 64};
}

QIcon icon()
{
    initAppIconResources();
    QIcon icon;
    for (int size : windowSizes())
        icon.addFile(QStringLiteral(":/icons/app/%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace AppIcon

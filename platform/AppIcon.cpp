#include "platform/AppIcon.h"

#include <QPixmap>

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

// Every size is decoded now, because the window system takes them all when the first
// window is made. The larger drawings are left out: at 128 and 256 pixels they cost
// more at start-up than all the rest of the window's pictures. The format is named so
// that Qt reads the PNG itself instead of loading every image plugin to ask it.
QIcon icon()
{
    initAppIconResources();
    QIcon result;
    for (int size : windowSizes())
        result.addPixmap(QPixmap(QStringLiteral(":/icons/app/%1.png").arg(size), "PNG"));
    return result;
}

} // namespace AppIcon

#include "platform/AppIcon.h"

#include "platform/DeferredIcon.h"
#include "platform/Picture.h"

namespace AppIcon {

QString desktopId()
{
    return QStringLiteral("example.corveluniverse.Calculator");
}

QList<int> windowSizes()
{
    return {16, 22, 24, 32, 48, 64};
}

// Only the sizes a window manager draws are held: at 128 and 256 pixels the drawings
// cost more to decode than all the rest of the window's pictures. They are decoded when
// a window first asks for one; the calculator's own window has an icon of its own, so
// the program starts without reading these at all.
QIcon icon()
{
    QList<QSize> sizes;
    for (int size : windowSizes())
        sizes.append(QSize(size, size));
    return DeferredIcon::make(
        [] {
            QIcon icon;
            for (int size : windowSizes())
                icon.addPixmap(Picture::png(QStringLiteral(":/icons/app/%1.png").arg(size)));
            return icon;
        },
        sizes);
}

} // namespace AppIcon

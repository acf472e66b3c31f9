#include "platform/AppIcon.h"

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

QIcon icon()
{
    QIcon icon;
    for (int size : windowSizes())
        icon.addPixmap(Picture::png(QStringLiteral(":/icons/app/%1.png").arg(size)));
    return icon;
}

} // namespace AppIcon

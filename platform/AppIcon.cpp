#include "platform/AppIcon.h"

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
        icon.addFile(QStringLiteral(":/icons/app/%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace AppIcon

#include "platform/AppIcon.h"

#include "platform/Pictures.h"

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
    QStringList pictures;
    for (int size : windowSizes())
        pictures.append(QStringLiteral(":/icons/app/%1").arg(size));
    return Pictures::icon(pictures);
}

} // namespace AppIcon

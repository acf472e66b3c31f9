#include "platform/AppIcon.h"

#include <array>

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

QIcon icon()
{
    initAppIconResources();
    static constexpr std::array sizes{16, 22, 24, 32, 48, 64, 128, 256};
    QIcon result;
    for (int size : sizes)
        result.addFile(QStringLiteral(":/icons/app/%1.png").arg(size), QSize(size, size));
    return result;
}

} // namespace AppIcon

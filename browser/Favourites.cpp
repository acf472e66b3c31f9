#include "browser/Favourites.h"

#include <QMenu>

namespace Favourites {

void buildMenu(QMenu* menu, const std::function<void(const QString& address)>& navigate)
{
    Q_UNUSED(menu);
    Q_UNUSED(navigate);
}

} // namespace Favourites

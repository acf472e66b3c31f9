#include "browser/FixedAddresses.h"

namespace FixedAddresses {

QString home()
{
    return u"http://" % QStringView(RedirectHost) % u"/corveluniverse";
}

QString fanSitePage(const QString& pageName)
{
    return u"http://" % QStringView(PageHost) % u"/band/corveluniverse/" % pageName;
}

QString searchPage()
{
    return fanSitePage(QStringLiteral("search.htm"));
}

} // namespace FixedAddresses

#include "browser/FixedAddresses.h"

#include <iterator>

namespace FixedAddresses {
namespace {

struct Base
{
    Endpoint endpoint;
    const char16_t* host;
    const char16_t* folder;
};

constexpr Base bases[] = {
    {Endpoint::FanSitePage, PageHost, u"/band/corveluniverse/"},
    {Endpoint::FanSiteDownloads, DownloadsHost, u""},
    {Endpoint::HomeRedirect, RedirectHost, u""},
    {Endpoint::SecondRedirect, SecondRedirectHost, u""},
    {Endpoint::Aol, u"www.aol.com", u""},
    {Endpoint::Hotmail, u"www.hotmail.com", u""},
    {Endpoint::MyOwnEmail, u"www.myownemail.com", u""},
    {Endpoint::YahooMail, u"mail.yahoo.com", u""},
    {Endpoint::Altavista, u"www.altavista.com", u""},
    {Endpoint::GoTo, u"www.goto.com", u""},
    {Endpoint::Yahoo, u"www.yahoo.com", u""},
    {Endpoint::MakerWeb, u"www.microsoft.com", u""},
    {Endpoint::MakerWindows, u"windowsupdate.microsoft.com", u""},
};

// The rows are indexed by endpoint: one row per endpoint, in the enum's order.
constexpr bool indexedByEndpoint()
{
    for (std::size_t index = 0; index < std::size(bases); ++index) {
        if (bases[index].endpoint != Endpoint(index))
            return false;
    }
    return std::size(bases) == std::size_t(Endpoint::MakerWindows) + 1;
}
static_assert(indexedByEndpoint());

} // namespace

QString address(Endpoint endpoint, QStringView rest)
{
    const Base& base = bases[std::size_t(endpoint)];
    QString result = QStringLiteral("http://");
    result.append(QStringView(base.host)).append(QStringView(base.folder)).append(rest);
    return result;
}

QString address(Place place)
{
    return address(place.endpoint, place.rest);
}

QString home()
{
    return address(Endpoint::HomeRedirect, u"/corveluniverse");
}

QString fanSitePage(const QString& pageName)
{
    return address(Endpoint::FanSitePage, pageName);
}

QString searchPage()
{
    return fanSitePage(QStringLiteral("search.htm"));
}

} // namespace FixedAddresses

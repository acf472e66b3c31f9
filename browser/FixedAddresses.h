#pragma once

#include <QString>
#include <QStringView>

// Every web address the program knows, in one place. The fan site, its downloads host
// and the two redirect services are fictional and live under the reserved .example
// domain, so that no stranger's server ever receives this program's traffic. The outside
// services are reached on their own home hosts.
namespace FixedAddresses {

// Hosts of the fan site and its services. The two redirect hosts are short because the
// about box shows their addresses one to a line in a narrow designed label.
inline constexpr char16_t RedirectHost[] = u"corvel.example";                // home address's redirect service
inline constexpr char16_t SecondRedirectHost[] = u"fanlinks.example";        // the second redirect service
inline constexpr char16_t PageHost[] = u"www.corveluniverse.example";        // the fan site's pages
inline constexpr char16_t DownloadsHost[] = u"files.corveluniverse.example"; // the fan site's downloads

// Where an address points: a host, and for the fan site's pages also their folder.
enum class Endpoint {
    FanSitePage,      // the fan site's folder /band/corveluniverse/ on its page host
    FanSiteDownloads, // the fan site's downloads host
    HomeRedirect,     // the redirect service of the home address
    SecondRedirect,   // the second redirect service
    Aol,
    Hotmail,
    MyOwnEmail,
    YahooMail,
    Altavista,
    GoTo,
    Yahoo,
    MakerWeb,     // the operating-system maker's main web host
    MakerWindows, // the operating-system maker's Windows host
};

// The complete address: "http://", the endpoint's host and folder, then rest exactly as
// given (a page name, or a path with its query; empty for a bare home address).
QString address(Endpoint endpoint, QStringView rest);

// A fixed address named once and used in more than one window.
struct Place
{
    Endpoint endpoint;
    const char16_t* rest;
};
QString address(Place place);

// Two members' fan sites behind the redirect services, in the Favourites menu and the
// about box.
inline constexpr Place CaddoSite{Endpoint::HomeRedirect, u"/zoroduvirerodo"};
inline constexpr Place EfriWorld{Endpoint::SecondRedirect, u"/vevevuzod"};

// The fan site's home address: a short redirect address.
QString home();
// The fan site's search page.
QString searchPage();
// A page of the fan site's folder /band/corveluniverse/, such as "news.htm".
QString fanSitePage(const QString& pageName);

} // namespace FixedAddresses

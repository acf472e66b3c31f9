#pragma once

#include <QString>

// Every web address the program knows, in one place. The fan site, its downloads host
// and the two redirect services are fictional and live under the reserved .example
// domain, so that no stranger's server ever receives this program's traffic.
namespace FixedAddresses {

// Hosts of the fan site and its services.
inline constexpr char16_t RedirectHost[] = u"go.corvelredirect.example";     // home address's redirect service
inline constexpr char16_t SecondRedirectHost[] = u"hop.fanlinks.example";    // the second redirect service
inline constexpr char16_t PageHost[] = u"www.corveluniverse.example";         // the fan site's pages
inline constexpr char16_t DownloadsHost[] = u"files.corveluniverse.example";  // the fan site's downloads

// The fan site's home address: a short redirect address.
QString home();
// The fan site's search page.
QString searchPage();
// A page of the fan site's folder /band/corveluniverse/, such as "news.htm".
QString fanSitePage(const QString& pageName);

} // namespace FixedAddresses

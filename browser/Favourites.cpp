#include "browser/Favourites.h"

#include "browser/FixedAddresses.h"

#include <QAction>
#include <QHash>
#include <QMenu>

#include <memory>

namespace Favourites {
namespace {

using FixedAddresses::Endpoint;

enum class Kind { Command, Separator, Submenu };

// One item of the tree. parent is the control name of the submenu that holds it, or
// empty for the top level of the Favourites menu; a submenu comes before its items.
struct Entry
{
    Kind kind;
    const char16_t* name;
    const char16_t* caption;
    const char16_t* parent;
    Endpoint endpoint;    // commands only
    const char16_t* rest; // commands only: page name, or path and query
};

constexpr Entry command(const char16_t* name, const char16_t* caption, const char16_t* parent, Endpoint endpoint,
                        const char16_t* rest)
{
    return {Kind::Command, name, caption, parent, endpoint, rest};
}
constexpr Entry command(const char16_t* name, const char16_t* caption, const char16_t* parent,
                        FixedAddresses::Place place)
{
    return command(name, caption, parent, place.endpoint, place.rest);
}
constexpr Entry submenu(const char16_t* name, const char16_t* caption, const char16_t* parent)
{
    return {Kind::Submenu, name, caption, parent, Endpoint::FanSitePage, u""};
}
constexpr Entry separator(const char16_t* name, const char16_t* parent)
{
    return {Kind::Separator, name, u"-", parent, Endpoint::FanSitePage, u""};
}

constexpr auto Page = Endpoint::FanSitePage;
constexpr char16_t Top[] = u"";
constexpr char16_t Mail[] = u"mnuFavMail";
constexpr char16_t Seacrh[] = u"mnuFavSeacrh";
constexpr char16_t Nb[] = u"mnuFavNb";
constexpr char16_t Info[] = u"mnuFavNbInfo";
constexpr char16_t Ly[] = u"mnuFavNbLy";
constexpr char16_t Mul[] = u"mnuFavNbMul";
constexpr char16_t Win[] = u"mnuFavWin";

// The whole tree, in display order.
constexpr Entry entries[] = {
    submenu(Mail, u"Check Email", Top),
    command(u"mnuFavMailA", u"AOL", Mail, Endpoint::Aol, u""),
    command(u"mnuFavMailH", u"Hotmail", Mail, Endpoint::Hotmail, u""),
    command(u"mnuFavMailO", u"My Own Email", Mail, Endpoint::MyOwnEmail, u"/moe4/login/default.cfm"),
    command(u"mnuFavMailY", u"Yahoo", Mail, Endpoint::YahooMail, u""),

    submenu(Seacrh, u"Seacrh Engines", Top),
    command(u"mnuFavSeacrhA", u"Altavista", Seacrh, Endpoint::Altavista, u""),
    command(u"mnuFavSeacrhG", u"GoTo", Seacrh, Endpoint::GoTo, u""),
    command(u"mnuFavSeacrhS", u"Nimbrel", Seacrh, Page, u"search.htm"),
    command(u"mnuFavSeacrhY", u"Yahoo", Seacrh, Endpoint::Yahoo, u""),

    submenu(Nb, u"Nimbrel", Top),
    command(u"mnuFavNbAnimations", u"Animations", Nb, Page, u"animations.htm"),
    command(u"mnuFavNbArticles", u"Articles", Nb, Page, u"articles.htm"),
    command(u"mnuFavNbFocus", u"Artist Focus", Nb, Page, u"afocus.htm"),
    command(u"mnuFavNbDisco", u"Discography", Nb, Page, u"discography.htm"),
    command(u"mnuFavNbDownloads", u"Downloads", Nb, Endpoint::FanSiteDownloads, u"/corveluniversedownloads"),
    command(u"mnuFavNbReleases", u"DVD Realeses", Nb, Page, u"videos1.htm"),
    command(u"mnuFavNbEmails", u"Emails", Nb, Page, u"emails.htm"),
    command(u"mnuFavNbBall", u"Fantasy Ball", Nb, Page, u"lollipop.htm"),
    command(u"mnuFavNbGames", u"Games", Nb, Page, u"games.htm"),
    submenu(Info, u"Information", Nb),
    command(u"mnuFavNbInfoDova", u"Dova", Info, Page, u"dova1.htm"),
    command(u"mnuFavNbInfoFenna", u"Fenna", Info, Page, u"fenna1.htm"),
    command(u"mnuFavNbInfoBrisa", u"Brisa", Info, Page, u"brisa1.htm"),
    command(u"mnuFavNbInfoEfri", u"Efri", Info, Page, u"efri1.htm"),
    separator(u"mnuFavNbInfoBar0", Info),
    command(u"mnuFavNbInfoCaddo", u"Caddo", Info, Page, u"caddo1.htm"),
    command(u"mnuFavNbLinks", u"Links", Nb, Page, u"links.htm"),
    submenu(Ly, u"Lyrics", Nb),
    command(u"mnuFavNbLyLy", u"All Lyrics", Ly, Page, u"new_page_3.htm"),
    separator(u"mnuFavNbLyBar0", Ly),
    command(u"mnuFavNbLyC", u"Corvel", Ly, Page, u"corvel2.htm"),
    command(u"mnuFavNbLyCw", u"Corvel World", Ly, Page, u"corvel_world2.htm"),
    command(u"mnuFavNbLyF", u"Forever", Ly, Page, u"forever.htm"),
    command(u"mnuFavNbLyO", u"Other Songs", Ly, Page, u"singles.htm"),
    separator(u"mnuFavNbLyBar1", Ly),
    command(u"mnuFavNbLyQf", u"Quillfire", Ly, Page, u"quillfire.htm"),
    command(u"mnuFavNbLyHl", u"Harrowlight", Ly, Page, u"harrowlight.htm"),
    command(u"mnuFavNbLyH", u"Hot", Ly, Page, u"hot.htm"),
    command(u"mnuFavNbMag", u"Magazines", Nb, Page, u"magazines.htm"),
    submenu(Mul, u"Multimedia", Nb),
    command(u"mnuFavNbMulMi", u"Midi", Mul, Page, u"midis.htm"),
    command(u"mnuFavNbMulMp", u"Mp3", Mul, Page, u"mp3s.htm"),
    command(u"mnuFavNbMulVd", u"Videos", Mul, Page, u"videos.htm"),
    command(u"mnuFavNbNews", u"News", Nb, Page, u"news.htm"),
    command(u"mnuFavNbPictures", u"Pictures", Nb, Page, u"members.htm"),
    command(u"mnuFavNbPosters", u"Posters", Nb, Page, u"posters.htm"),
    command(u"mnuFavNbProducts", u"Products", Nb, Page, u"products.htm"),
    command(u"mnuFavNbQuizzes", u"Quizzes", Nb, Page, u"quizzes.htm"),
    command(u"mnuFavNbRecords", u"Records", Nb, Page, u"records.htm"),
    command(u"mnuFavNbShopping", u"Shopping", Nb, Page, u"shopping.htm"),
    command(u"mnuFavNbSoftwares", u"Softwares", Nb, Page, u"softwares.htm"),
    command(u"mnuFavNbMovie", u"Corvel World", Nb, Page, u"corvel_world3.htm"),
    command(u"mnuFavNbTours", u"Tours", Nb, Page, u"tours.htm"),
    command(u"mnuFavNbReleases1", u"Video Releases", Nb, Page, u"videos1.htm"),

    submenu(Win, u"Windows", Top),
    command(u"mnuFavWin1", u"Customize Links", Win, Endpoint::MakerWeb, u"/isapi/redir.dll?prd=ie&pver=5.0&ar=CLinks"),
    command(u"mnuFavWin2", u"Microsoft", Win, Endpoint::MakerWeb,
            u"/isapi/redir.dll?prd=windows98&clcid=&pver=4.10&ar=Microsoft"),
    command(u"mnuFavWin3", u"Windows", Win, Endpoint::MakerWeb, u"/isapi/redir.dll?prd=ie&ar=windows"),
    command(u"mnuFavWin4", u"Update", Win, Endpoint::MakerWindows,
            u"/isapi/redir.dll?prd=windowsupdate&clcid=&pver=&ar=WindowsUpdate"),

    separator(u"mnuFavBar0", Top),
    command(u"mnuFavEfri", u"Efri World", Top, FixedAddresses::EfriWorld),
    command(u"mnuFavCaddo", u"Caddo", Top, FixedAddresses::CaddoSite),
    command(u"mnuFavBrisa", u"World Of Brisa", Top, Page, u"brisasolo.htm"),
    command(u"mnuFavFenna", u"Fenna Uncoverd", Top, Page, u"fennasolo.htm"),
    command(u"mnuFavDova", u"Dova Palace", Top, Page, u"dovasolo.htm"),
};

} // namespace

void buildMenu(QMenu* menu, const std::function<void(const QString& address)>& navigate)
{
    // Every command of this tree shares the one handler of its window.
    const auto handler = std::make_shared<const std::function<void(const QString&)>>(navigate);
    QHash<QString, QMenu*> submenus;
    submenus.insert(QString(), menu);

    for (const Entry& entry : entries) {
        QMenu* holder = submenus.value(QString::fromUtf16(entry.parent));
        Q_ASSERT(holder); // a submenu is listed before its items
        const QString name = QString::fromUtf16(entry.name);
        switch (entry.kind) {
        case Kind::Submenu: {
            QMenu* sub = holder->addMenu(QString::fromUtf16(entry.caption));
            sub->setObjectName(name);
            sub->menuAction()->setObjectName(name);
            submenus.insert(name, sub);
            break;
        }
        case Kind::Separator:
            holder->addSeparator()->setObjectName(name);
            break;
        case Kind::Command: {
            QAction* item = holder->addAction(QString::fromUtf16(entry.caption));
            item->setObjectName(name);
            const QString address = FixedAddresses::address(entry.endpoint, entry.rest);
            QObject::connect(item, &QAction::triggered, item, [handler, address] {
                if (*handler)
                    (*handler)(address);
            });
            break;
        }
        }
    }
}

} // namespace Favourites

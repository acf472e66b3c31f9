#include "browser/Favourites.h"

#include <QMenu>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

using Command = std::pair<QString, QString>; // caption path, address it opens

// Every command of the tree in menu order, with the address it must open, written out
// in full so that any change to the product's table shows here.
const QList<Command> expected = {
    {u"Check Email/AOL"_s, u"http://www.aol.com"_s},
    {u"Check Email/Hotmail"_s, u"http://www.hotmail.com"_s},
    {u"Check Email/My Own Email"_s, u"http://www.myownemail.com/moe4/login/default.cfm"_s},
    {u"Check Email/Yahoo"_s, u"http://mail.yahoo.com"_s},
    {u"Seacrh Engines/Altavista"_s, u"http://www.altavista.com"_s},
    {u"Seacrh Engines/GoTo"_s, u"http://www.goto.com"_s},
    {u"Seacrh Engines/Nimbrel"_s, u"http://www.corveluniverse.example/band/corveluniverse/search.htm"_s},
    {u"Seacrh Engines/Yahoo"_s, u"http://www.yahoo.com"_s},
    {u"Nimbrel/Animations"_s, u"http://www.corveluniverse.example/band/corveluniverse/animations.htm"_s},
    {u"Nimbrel/Articles"_s, u"http://www.corveluniverse.example/band/corveluniverse/articles.htm"_s},
    {u"Nimbrel/Artist Focus"_s, u"http://www.corveluniverse.example/band/corveluniverse/afocus.htm"_s},
    {u"Nimbrel/Discography"_s, u"http://www.corveluniverse.example/band/corveluniverse/discography.htm"_s},
    {u"Nimbrel/Downloads"_s, u"http://files.corveluniverse.example/corveluniversedownloads"_s},
    {u"Nimbrel/DVD Realeses"_s, u"http://www.corveluniverse.example/band/corveluniverse/videos1.htm"_s},
    {u"Nimbrel/Emails"_s, u"http://www.corveluniverse.example/band/corveluniverse/emails.htm"_s},
    {u"Nimbrel/Fantasy Ball"_s, u"http://www.corveluniverse.example/band/corveluniverse/lollipop.htm"_s},
    {u"Nimbrel/Games"_s, u"http://www.corveluniverse.example/band/corveluniverse/games.htm"_s},
    {u"Nimbrel/Information/Dova"_s, u"http://www.corveluniverse.example/band/corveluniverse/dova1.htm"_s},
    {u"Nimbrel/Information/Fenna"_s, u"http://www.corveluniverse.example/band/corveluniverse/fenna1.htm"_s},
    {u"Nimbrel/Information/Brisa"_s, u"http://www.corveluniverse.example/band/corveluniverse/brisa1.htm"_s},
    {u"Nimbrel/Information/Efri"_s, u"http://www.corveluniverse.example/band/corveluniverse/efri1.htm"_s},
    {u"Nimbrel/Information/Caddo"_s, u"http://www.corveluniverse.example/band/corveluniverse/caddo1.htm"_s},
    {u"Nimbrel/Links"_s, u"http://www.corveluniverse.example/band/corveluniverse/links.htm"_s},
    {u"Nimbrel/Lyrics/All Lyrics"_s, u"http://www.corveluniverse.example/band/corveluniverse/new_page_3.htm"_s},
    {u"Nimbrel/Lyrics/Corvel"_s, u"http://www.corveluniverse.example/band/corveluniverse/corvel2.htm"_s},
    {u"Nimbrel/Lyrics/Corvel World"_s, u"http://www.corveluniverse.example/band/corveluniverse/corvel_world2.htm"_s},
    {u"Nimbrel/Lyrics/Forever"_s, u"http://www.corveluniverse.example/band/corveluniverse/forever.htm"_s},
    {u"Nimbrel/Lyrics/Other Songs"_s, u"http://www.corveluniverse.example/band/corveluniverse/singles.htm"_s},
    {u"Nimbrel/Lyrics/Quillfire"_s, u"http://www.corveluniverse.example/band/corveluniverse/quillfire.htm"_s},
    {u"Nimbrel/Lyrics/Harrowlight"_s, u"http://www.corveluniverse.example/band/corveluniverse/harrowlight.htm"_s},
    {u"Nimbrel/Lyrics/Hot"_s, u"http://www.corveluniverse.example/band/corveluniverse/hot.htm"_s},
    {u"Nimbrel/Magazines"_s, u"http://www.corveluniverse.example/band/corveluniverse/magazines.htm"_s},
    {u"Nimbrel/Multimedia/Midi"_s, u"http://www.corveluniverse.example/band/corveluniverse/midis.htm"_s},
    {u"Nimbrel/Multimedia/Mp3"_s, u"http://www.corveluniverse.example/band/corveluniverse/mp3s.htm"_s},
    {u"Nimbrel/Multimedia/Videos"_s, u"http://www.corveluniverse.example/band/corveluniverse/videos.htm"_s},
    {u"Nimbrel/News"_s, u"http://www.corveluniverse.example/band/corveluniverse/news.htm"_s},
    {u"Nimbrel/Pictures"_s, u"http://www.corveluniverse.example/band/corveluniverse/members.htm"_s},
    {u"Nimbrel/Posters"_s, u"http://www.corveluniverse.example/band/corveluniverse/posters.htm"_s},
    {u"Nimbrel/Products"_s, u"http://www.corveluniverse.example/band/corveluniverse/products.htm"_s},
    {u"Nimbrel/Quizzes"_s, u"http://www.corveluniverse.example/band/corveluniverse/quizzes.htm"_s},
    {u"Nimbrel/Records"_s, u"http://www.corveluniverse.example/band/corveluniverse/records.htm"_s},
    {u"Nimbrel/Shopping"_s, u"http://www.corveluniverse.example/band/corveluniverse/shopping.htm"_s},
    {u"Nimbrel/Softwares"_s, u"http://www.corveluniverse.example/band/corveluniverse/softwares.htm"_s},
    {u"Nimbrel/Corvel World"_s, u"http://www.corveluniverse.example/band/corveluniverse/corvel_world3.htm"_s},
    {u"Nimbrel/Tours"_s, u"http://www.corveluniverse.example/band/corveluniverse/tours.htm"_s},
    {u"Nimbrel/Video Releases"_s, u"http://www.corveluniverse.example/band/corveluniverse/videos1.htm"_s},
    {u"Windows/Customize Links"_s, u"http://www.microsoft.com/isapi/redir.dll?prd=ie&pver=5.0&ar=CLinks"_s},
    {u"Windows/Microsoft"_s, u"http://www.microsoft.com/isapi/redir.dll?prd=windows98&clcid=&pver=4.10&ar=Microsoft"_s},
    {u"Windows/Windows"_s, u"http://www.microsoft.com/isapi/redir.dll?prd=ie&ar=windows"_s},
    {u"Windows/Update"_s,
     u"http://windowsupdate.microsoft.com/isapi/redir.dll?prd=windowsupdate&clcid=&pver=&ar=WindowsUpdate"_s},
    {u"Efri World"_s, u"http://fanlinks.example/vevevuzod"_s},
    {u"Caddo"_s, u"http://corvel.example/zoroduvirerodo"_s},
    {u"World Of Brisa"_s, u"http://www.corveluniverse.example/band/corveluniverse/brisasolo.htm"_s},
    {u"Fenna Uncoverd"_s, u"http://www.corveluniverse.example/band/corveluniverse/fennasolo.htm"_s},
    {u"Dova Palace"_s, u"http://www.corveluniverse.example/band/corveluniverse/dovasolo.htm"_s},
};

// A Favourites menu whose handler records what it opens, every item triggered depth
// first: commands as (caption path, what it opened); separators and submenu headers
// that open anything go to wrongly.
struct Tree
{
    QMenu menu;
    QStringList opened, wrongly;
    QList<Command> commands;

    Tree()
    {
        Favourites::buildMenu(&menu, [this](const QString& address) { opened.append(address); });
        walk(&menu, QString());
        opened.clear();
    }
    void walk(QMenu* at, const QString& path)
    {
        for (QAction* item : at->actions()) {
            const QString caption = path.isEmpty() ? item->text() : path % u'/' % item->text();
            opened.clear();
            item->trigger();
            if (!item->isSeparator() && !item->menu())
                commands.append({caption, opened.join(u", ")});
            else if (!opened.isEmpty())
                wrongly.append(caption);
            if (item->menu())
                walk(item->menu(), caption);
        }
    }
};

} // namespace

class tst_Favourites : public QObject
{
    Q_OBJECT
private slots:
    void everyCommandOpensItsAddress()
    {
        Tree tree;
        QCOMPARE(tree.commands, expected);
        QCOMPARE(tree.wrongly, QStringList());
    }

    void eachMenuCallsOnlyItsOwnHandler()
    {
        auto first = std::make_unique<Tree>();
        Tree second;
        QAction* news = second.menu.findChild<QAction*>(u"mnuFavNbNews"_s);
        news->trigger();
        QCOMPARE(first->opened.size(), 0);
        // A window that has gone takes its tree along; the other window's tree still works.
        first.reset();
        news->trigger();
        QCOMPARE(second.opened.size(), 2);
    }
};

QTEST_MAIN(tst_Favourites)
#include "tst_favourites.moc"

#include "browser/Favourites.h"

#include <QMenu>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A Favourites menu whose handler records what it opens, every item triggered depth
// first. The tree's shape lists each menu's items: a number for so many commands in a
// row, "-" for a separator, and a submenu's caption with its own items in brackets.
struct Tree
{
    QMenu menu;
    QStringList opened;
    QHash<QString, QString> addresses; // caption path: what its command opened
    QStringList wrongly;               // separators and submenus that opened anything

    Tree()
    {
        Favourites::buildMenu(&menu, [this](const QString& address) { opened.append(address); });
    }
    QString walk(QMenu* at = nullptr, const QString& path = {})
    {
        QStringList shape;
        int commands = 0;
        for (QAction* item : (at ? at : &menu)->actions()) {
            const QString caption = path.isEmpty() ? item->text() : path % u'/' % item->text();
            opened.clear();
            item->trigger();
            if (!item->menu() && !item->isSeparator()) {
                addresses.insert(caption, opened.join(u", "));
                ++commands;
                continue;
            }
            if (!opened.isEmpty())
                wrongly << caption;
            if (commands)
                shape << QString::number(std::exchange(commands, 0));
            shape << (item->menu() ? item->text() % u'[' % walk(item->menu(), caption) % u']' : u"-"_s);
        }
        if (commands)
            shape << QString::number(commands);
        opened.clear();
        return shape.join(u' ');
    }
};

} // namespace

class tst_Favourites : public QObject
{
    Q_OBJECT
private slots:
    void treeHasItsShape()
    {
        Tree tree;
        QCOMPARE(tree.walk(),
                 u"Check Email[4] Seacrh Engines[4] Nimbrel[9 Information[4 - 1] 1 Lyrics[1 - 4 - 3] 1 "
                 u"Multimedia[3] 11] Windows[4] - 5"_s);
        QCOMPARE(tree.wrongly, QStringList());
        QVERIFY(!tree.addresses.values().contains(QString()));
    }

    // One command per kind of address the table builds.
    void commandOpensItsAddress_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("address");
        QTest::newRow("page of the fan site")
            << u"Nimbrel/Lyrics/All Lyrics"_s
            << u"http://www.corveluniverse.example/band/corveluniverse/new_page_3.htm"_s;
        QTest::newRow("the fan site's downloads host")
            << u"Nimbrel/Downloads"_s << u"http://files.corveluniverse.example/corveluniversedownloads"_s;
        QTest::newRow("outside home page") << u"Check Email/AOL"_s << u"http://www.aol.com"_s;
        QTest::newRow("outside page with a query kept as written")
            << u"Windows/Update"_s
            << u"http://windowsupdate.microsoft.com/isapi/redir.dll?prd=windowsupdate&clcid=&pver=&ar=WindowsUpdate"_s;
        QTest::newRow("member's site behind the home redirect service")
            << u"Caddo"_s << u"http://corvel.example/zoroduvirerodo"_s;
        QTest::newRow("member's site behind the second redirect service")
            << u"Efri World"_s << u"http://fanlinks.example/vevevuzod"_s;
    }
    void commandOpensItsAddress()
    {
        QFETCH(QString, command);
        QFETCH(QString, address);
        Tree tree;
        tree.walk();
        QCOMPARE(tree.addresses.value(command), address);
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

#include "browser/Favourites.h"

#include <QMenu>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A Favourites menu built with a handler that records what it is asked to open, walked
// depth first: every item is triggered, commands are kept as "caption path -> what it
// opened", separators and submenu headers are counted and must open nothing.
struct Tree
{
    QMenu menu;
    QStringList opened, commands, names;
    int separatorsAndSubmenus = 0;

    Tree()
    {
        Favourites::buildMenu(&menu, [this](const QString& address) { opened.append(address); });
        walk(&menu, QString());
        opened.clear();
    }
    void walk(QMenu* at, const QString& path)
    {
        const auto items = at->actions();
        for (QAction* item : items) {
            const QString caption = path.isEmpty() ? item->text() : path % u'/' % item->text();
            QVERIFY2(item->shortcut().isEmpty() && !caption.contains(u'&'), qPrintable(caption));
            names.append(item->objectName());
            opened.clear();
            item->trigger();
            if (!item->isSeparator() && !item->menu()) {
                commands.append(caption % u" -> " % opened.join(u", "));
                continue;
            }
            QVERIFY2(opened.isEmpty(), qPrintable(caption));
            ++separatorsAndSubmenus;
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
    void treeShape()
    {
        Tree tree;
        QCOMPARE(tree.commands.size(), 55);
        QCOMPARE(tree.separatorsAndSubmenus, 4 + 7);
        const qsizetype items = tree.names.size();
        tree.names.removeDuplicates();
        QCOMPARE(tree.names.size(), items); // every control name is used once
        // Items keep their table order: the top level as displayed.
        QStringList top;
        for (QAction* item : tree.menu.actions())
            top.append(item->isSeparator() ? u"-"_s : item->text());
        QCOMPARE(top.join(u'|'), u"Check Email|Seacrh Engines|Nimbrel|Windows|-|Efri World|Caddo|World Of Brisa|"
                                 "Fenna Uncoverd|Dova Palace"_s);
    }

    // One command for every way an address is put together, and the look-alike captions.
    void commandOpensItsAddress_data()
    {
        QTest::addColumn<QString>("command");
        const QString page = u" -> http://www.corveluniverse.example/band/corveluniverse/"_s;
        QTest::newRow("a bare host stays bare") << u"Check Email/AOL -> http://www.aol.com"_s;
        QTest::newRow("a host with a path") << u"Check Email/My Own Email -> http://www.myownemail.com/moe4/login/default.cfm"_s;
        QTest::newRow("a fan-site page") << u"Nimbrel/News"_s + page + u"news.htm";
        QTest::newRow("a page two submenus down") << u"Nimbrel/Lyrics/Corvel World"_s + page + u"corvel_world2.htm";
        QTest::newRow("the same caption higher up opens another page") << u"Nimbrel/Corvel World"_s + page + u"corvel_world3.htm";
        QTest::newRow("the downloads host") << u"Nimbrel/Downloads -> http://files.corveluniverse.example/corveluniversedownloads"_s;
        QTest::newRow("a query with empty values kept") << u"Windows/Update -> http://windowsupdate.microsoft.com/isapi/"
                                                           "redir.dll?prd=windowsupdate&clcid=&pver=&ar=WindowsUpdate"_s;
        QTest::newRow("Caddo in Information is not the Caddo site") << u"Nimbrel/Information/Caddo"_s + page + u"caddo1.htm";
        QTest::newRow("the second redirect service") << u"Efri World -> http://hop.fanlinks.example/vevevuzod"_s;
    }
    void commandOpensItsAddress()
    {
        QFETCH(QString, command);
        Tree tree;
        QVERIFY2(tree.commands.contains(command), qPrintable(tree.commands.join(u'\n')));
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

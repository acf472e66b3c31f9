#include "browser/Favourites.h"

#include <QMenu>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A Favourites menu whose handler records what it opens, every item triggered depth
// first: commands kept as "caption path -> what it opened"; separators and submenu
// headers must open nothing.
struct Tree
{
    QMenu menu;
    QStringList opened, commands;

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
                commands.append(caption % u" -> " % opened.join(u", "));
            else if (!opened.isEmpty())
                commands.append(caption % u" opened " % opened.join(u", "));
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
    // One command for every way an address is put together, and a look-alike caption; the
    // window's commands are checked against this tree end to end in tst_browser_webengine.
    void commandOpensItsAddress_data()
    {
        QTest::addColumn<QString>("command");
        const QString page = u" -> http://www.corveluniverse.example/band/corveluniverse/"_s;
        QTest::newRow("a bare host stays bare") << u"Check Email/AOL -> http://www.aol.com"_s;
        QTest::newRow("a page two submenus down") << u"Nimbrel/Lyrics/Corvel World"_s + page + u"corvel_world2.htm";
        QTest::newRow("a query with empty values kept") << u"Windows/Update -> http://windowsupdate.microsoft.com/isapi/"
                                                           "redir.dll?prd=windowsupdate&clcid=&pver=&ar=WindowsUpdate"_s;
        QTest::newRow("Caddo in Information is not the Caddo site") << u"Nimbrel/Information/Caddo"_s + page + u"caddo1.htm";
    }
    void commandOpensItsAddress()
    {
        QFETCH(QString, command);
        Tree tree;
        QVERIFY2(tree.commands.contains(command), qPrintable(tree.commands.join(u'\n')));
        QVERIFY2(!tree.commands.join(u'\n').contains(u" opened "), qPrintable(tree.commands.join(u'\n')));
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

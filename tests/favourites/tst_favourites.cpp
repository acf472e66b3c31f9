#include "ExpectedFavourites.h"

#include "browser/Favourites.h"

#include <QMenu>
#include <QTest>

#include <memory>

namespace {

// A Favourites menu built with a handler that records what it is asked to open.
struct RecordedMenu
{
    std::unique_ptr<QMenu> menu = std::make_unique<QMenu>();
    std::shared_ptr<QStringList> opened = std::make_shared<QStringList>();
    RecordedMenu()
    {
        Favourites::buildMenu(menu.get(), [list = opened](const QString& address) { list->append(address); });
    }
};

// Triggers every item below menu, depth first: commands are described as
// "name path -> what it opened", separators and submenu headers only counted, and
// these must open nothing.
void walk(QMenu* menu, const QString& path, QStringList* opened, QStringList* commands, int* others)
{
    const auto items = menu->actions();
    for (QAction* item : items) {
        const QString caption = path.isEmpty() ? item->text() : path % u'/' % item->text();
        QVERIFY2(item->shortcut().isEmpty(), qPrintable(caption));
        opened->clear();
        item->trigger();
        if (!item->isSeparator() && !item->menu()) {
            commands->append(item->objectName() % u' ' % caption % u" -> " % opened->join(u", "));
            continue;
        }
        QVERIFY2(opened->isEmpty(), qPrintable(caption));
        ++*others;
        if (item->menu())
            walk(item->menu(), caption, opened, commands, others);
    }
}

} // namespace

class tst_Favourites : public QObject
{
    Q_OBJECT
private slots:
    void treeOpensExactlyTheFixedAddresses()
    {
        RecordedMenu favourites;
        QStringList commands, expected;
        int separatorsAndSubmenus = 0;
        walk(favourites.menu.get(), QString(), favourites.opened.get(), &commands, &separatorsAndSubmenus);
        for (const ExpectedCommand& command : expectedCommands())
            expected.append(command.name % u' ' % command.path % u" -> " % command.address);
        QCOMPARE(commands, expected); // order, place, caption and address of all 55
        QCOMPARE(separatorsAndSubmenus, 4 + 7);
    }

    void eachMenuCallsOnlyItsOwnHandler()
    {
        auto first = std::make_unique<RecordedMenu>();
        RecordedMenu second;
        QAction* news = second.menu->findChild<QAction*>(u"mnuFavNbNews"_s);
        news->trigger();
        QCOMPARE(first->opened->size(), 0);
        // A window that has gone takes its tree along; the other window's tree still works.
        first.reset();
        news->trigger();
        QCOMPARE(second.opened->size(), 2);
    }
};

QTEST_MAIN(tst_Favourites)
#include "tst_favourites.moc"

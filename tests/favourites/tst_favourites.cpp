#include "ExpectedFavourites.h"
#include "MenuWalk.h"

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

// One line per item of menu: "name=caption" for a command, "name=caption >" for a
// submenu header and "name=-" for a separator.
QStringList describe(QMenu* menu)
{
    QStringList lines;
    const auto items = menu->actions();
    for (QAction* item : items) {
        if (item->isSeparator())
            lines.append(item->objectName() % u"=-");
        else if (item->menu())
            lines.append(item->objectName() % u'=' % item->text() % u" >");
        else
            lines.append(item->objectName() % u'=' % item->text());
    }
    return lines;
}

QStringList path(const char16_t* captions)
{
    return QString::fromUtf16(captions).split(u'/');
}

} // namespace

class tst_Favourites : public QObject
{
    Q_OBJECT
private slots:
    void menuOrder_data();
    void menuOrder();
    void commandOpensItsAddress_data();
    void commandOpensItsAddress();
    void treeHoldsExactlyTheFixedItems();
    void separatorsAndHeadersOpenNothing();
    void noAccessKeyOrShortcut();
    void captionsAndTargets_data();
    void captionsAndTargets();
    void eachMenuHasItsOwnHandler();
};

void tst_Favourites::menuOrder_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("top level: four submenus, a separator, five member sites") << QStringList{}
        << QStringList{u"mnuFavMail=Check Email >"_qs, u"mnuFavSeacrh=Seacrh Engines >"_qs,
                       u"mnuFavNb=Nimbrel >"_qs, u"mnuFavWin=Windows >"_qs, u"mnuFavBar0=-"_qs,
                       u"mnuFavEfri=Efri World"_qs, u"mnuFavCaddo=Caddo"_qs,
                       u"mnuFavBrisa=World Of Brisa"_qs, u"mnuFavFenna=Fenna Uncoverd"_qs,
                       u"mnuFavDova=Dova Palace"_qs};
    QTest::newRow("Check Email") << path(u"Check Email")
        << QStringList{u"mnuFavMailA=AOL"_qs, u"mnuFavMailH=Hotmail"_qs,
                       u"mnuFavMailO=My Own Email"_qs, u"mnuFavMailY=Yahoo"_qs};
    QTest::newRow("Seacrh Engines") << path(u"Seacrh Engines")
        << QStringList{u"mnuFavSeacrhA=Altavista"_qs, u"mnuFavSeacrhG=GoTo"_qs,
                       u"mnuFavSeacrhS=Nimbrel"_qs, u"mnuFavSeacrhY=Yahoo"_qs};
    QTest::newRow("Nimbrel: submenus sit between the pages in caption order") << path(u"Nimbrel")
        << QStringList{u"mnuFavNbAnimations=Animations"_qs, u"mnuFavNbArticles=Articles"_qs,
                       u"mnuFavNbFocus=Artist Focus"_qs, u"mnuFavNbDisco=Discography"_qs,
                       u"mnuFavNbDownloads=Downloads"_qs, u"mnuFavNbReleases=DVD Realeses"_qs,
                       u"mnuFavNbEmails=Emails"_qs, u"mnuFavNbBall=Fantasy Ball"_qs,
                       u"mnuFavNbGames=Games"_qs, u"mnuFavNbInfo=Information >"_qs,
                       u"mnuFavNbLinks=Links"_qs, u"mnuFavNbLy=Lyrics >"_qs,
                       u"mnuFavNbMag=Magazines"_qs, u"mnuFavNbMul=Multimedia >"_qs,
                       u"mnuFavNbNews=News"_qs, u"mnuFavNbPictures=Pictures"_qs,
                       u"mnuFavNbPosters=Posters"_qs, u"mnuFavNbProducts=Products"_qs,
                       u"mnuFavNbQuizzes=Quizzes"_qs, u"mnuFavNbRecords=Records"_qs,
                       u"mnuFavNbShopping=Shopping"_qs, u"mnuFavNbSoftwares=Softwares"_qs,
                       u"mnuFavNbMovie=Corvel World"_qs, u"mnuFavNbTours=Tours"_qs,
                       u"mnuFavNbReleases1=Video Releases"_qs};
    QTest::newRow("Information: Caddo below a separator") << path(u"Nimbrel/Information")
        << QStringList{u"mnuFavNbInfoDova=Dova"_qs, u"mnuFavNbInfoFenna=Fenna"_qs,
                       u"mnuFavNbInfoBrisa=Brisa"_qs, u"mnuFavNbInfoEfri=Efri"_qs,
                       u"mnuFavNbInfoBar0=-"_qs, u"mnuFavNbInfoCaddo=Caddo"_qs};
    QTest::newRow("Lyrics: three groups split by two separators") << path(u"Nimbrel/Lyrics")
        << QStringList{u"mnuFavNbLyLy=All Lyrics"_qs, u"mnuFavNbLyBar0=-"_qs,
                       u"mnuFavNbLyC=Corvel"_qs, u"mnuFavNbLyCw=Corvel World"_qs,
                       u"mnuFavNbLyF=Forever"_qs, u"mnuFavNbLyO=Other Songs"_qs,
                       u"mnuFavNbLyBar1=-"_qs, u"mnuFavNbLyQf=Quillfire"_qs,
                       u"mnuFavNbLyHl=Harrowlight"_qs, u"mnuFavNbLyH=Hot"_qs};
    QTest::newRow("Multimedia") << path(u"Nimbrel/Multimedia")
        << QStringList{u"mnuFavNbMulMi=Midi"_qs, u"mnuFavNbMulMp=Mp3"_qs, u"mnuFavNbMulVd=Videos"_qs};
    QTest::newRow("Windows holds an item captioned Windows") << path(u"Windows")
        << QStringList{u"mnuFavWin1=Customize Links"_qs, u"mnuFavWin2=Microsoft"_qs,
                       u"mnuFavWin3=Windows"_qs, u"mnuFavWin4=Update"_qs};
}

void tst_Favourites::menuOrder()
{
    QFETCH(QStringList, captions);
    QFETCH(QStringList, expected);

    RecordedMenu favourites;
    QMenu* menu = favourites.menu.get();
    if (!captions.isEmpty()) {
        QAction* header = itemAt(menu, captions);
        QVERIFY(header);
        menu = header->menu();
        QVERIFY(menu);
        // The submenu itself answers to its control name, as its header item does.
        QCOMPARE(menu->objectName(), header->objectName());
    }
    QCOMPARE(describe(menu), expected);
}

void tst_Favourites::commandOpensItsAddress_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    const auto commands = expectedCommands();
    for (const ExpectedCommand& command : commands) {
        QTest::addRow("%s opens %s", qPrintable(command.name), qPrintable(command.address))
            << command.captions << command.name << command.address;
    }
}

void tst_Favourites::commandOpensItsAddress()
{
    QFETCH(QStringList, captions);
    QFETCH(QString, name);
    QFETCH(QString, address);

    RecordedMenu favourites;
    QAction* item = itemAt(favourites.menu.get(), captions);
    QVERIFY(item);
    QCOMPARE(item->objectName(), name);
    QVERIFY(!item->menu());
    item->trigger();
    QCOMPARE(*favourites.opened, QStringList{address});
}

void tst_Favourites::treeHoldsExactlyTheFixedItems()
{
    RecordedMenu favourites;
    int commands = 0, separators = 0, submenus = 0;
    QStringList names;
    const auto items = allItems(favourites.menu.get());
    for (QAction* item : items) {
        names.append(item->objectName());
        if (item->isSeparator())
            ++separators;
        else if (item->menu())
            ++submenus;
        else
            ++commands;
    }
    QCOMPARE(commands, 55);
    QCOMPARE(separators, 4);
    QCOMPARE(submenus, 7);
    names.removeDuplicates();
    QCOMPARE(names.size(), items.size()); // every control name is used once
}

void tst_Favourites::separatorsAndHeadersOpenNothing()
{
    RecordedMenu favourites;
    const auto items = allItems(favourites.menu.get());
    int tried = 0;
    for (QAction* item : items) {
        if (!item->isSeparator() && !item->menu())
            continue;
        item->trigger();
        item->activate(QAction::Hover);
        ++tried;
    }
    QCOMPARE(tried, 11);
    QCOMPARE(*favourites.opened, QStringList{});
}

void tst_Favourites::noAccessKeyOrShortcut()
{
    RecordedMenu favourites;
    const auto items = allItems(favourites.menu.get());
    for (QAction* item : items) {
        QVERIFY2(!item->text().contains(u'&'), qPrintable(item->objectName()));
        QVERIFY2(item->shortcut().isEmpty(), qPrintable(item->objectName()));
    }
}

void tst_Favourites::captionsAndTargets_data()
{
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<bool>("samePage");

    QTest::newRow("DVD Realeses and Video Releases open the same page")
        << path(u"Nimbrel/DVD Realeses") << path(u"Nimbrel/Video Releases") << true;
    QTest::newRow("the two Yahoo items open different hosts")
        << path(u"Check Email/Yahoo") << path(u"Seacrh Engines/Yahoo") << false;
    QTest::newRow("the two Corvel World items open different pages")
        << path(u"Nimbrel/Lyrics/Corvel World") << path(u"Nimbrel/Corvel World") << false;
    QTest::newRow("the two Caddo items open different sites")
        << path(u"Nimbrel/Information/Caddo") << path(u"Caddo") << false;
    QTest::newRow("the Nimbrel search item is not the Nimbrel submenu")
        << path(u"Seacrh Engines/Nimbrel") << path(u"Nimbrel/News") << false;
}

void tst_Favourites::captionsAndTargets()
{
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(bool, samePage);

    RecordedMenu favourites;
    QAction* one = itemAt(favourites.menu.get(), first);
    QAction* other = itemAt(favourites.menu.get(), second);
    QVERIFY(one && other);
    QVERIFY(one != other);
    one->trigger();
    other->trigger();
    QCOMPARE(favourites.opened->size(), 2);
    QCOMPARE(favourites.opened->at(0) == favourites.opened->at(1), samePage);
}

void tst_Favourites::eachMenuHasItsOwnHandler()
{
    auto first = std::make_unique<RecordedMenu>();
    RecordedMenu second;
    const QStringList news = path(u"Nimbrel/News");

    itemAt(second.menu.get(), news)->trigger();
    QCOMPARE(first->opened->size(), 0);
    QCOMPARE(second.opened->size(), 1);

    // A window that has gone takes its tree along; the other window's tree still works.
    first.reset();
    itemAt(second.menu.get(), news)->trigger();
    QCOMPARE(second.opened->size(), 2);
}

QTEST_MAIN(tst_Favourites)
#include "tst_favourites.moc"

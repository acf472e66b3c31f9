#include "browser/BrowserTestSupport.h"

#include "browser/FixedAddresses.h"
#include "mainframe/StatusPanels.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QStringList menuBarCaptions(frmMain* frame)
{
    QStringList captions;
    const auto actions = frame->menuBar()->actions();
    for (const QAction* action : actions)
        captions.append(action->text());
    return captions;
}

QStringList storedPlacement()
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Calculator"));
    settings.beginGroup(QStringLiteral("Settings"));
    QStringList values;
    for (const char* key : {"MainLeft", "MainTop", "MainWidth", "MainHeight"})
        values.append(settings.value(QString::fromLatin1(key), QStringLiteral("unset")).toString());
    return values;
}

void storePlacement(const QStringList& values)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Calculator"));
    settings.beginGroup(QStringLiteral("Settings"));
    const char* keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
    for (int i = 0; i < 4; ++i)
        settings.setValue(QString::fromLatin1(keys[i]), values.at(i));
}

QStringList inTwips(const QRect& r)
{
    return {QString::number(r.x() * 15), QString::number(r.y() * 15), QString::number(r.width() * 15),
            QString::number(r.height() * 15)};
}

} // namespace

class tst_frmMain : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installScriptedViews(); }
    void cleanup() { closeFrame(); }

    void firstBrowserWindowOpensTheFrame();
    void menuBarShowsTheCurrentWindowsMenus();
    void menusStayWhileAnotherWindowIsActive();
    void newWindowFromTheFrameMenu();
    void placementIsWrittenOnClose_data();
    void placementIsWrittenOnClose();
    void minimisedFrameWritesNothing();
    void failedWriteIsReportedAndTheFrameCloses();
    void closingTheFrameClosesItsBrowserWindows();
    void freshFrameAfterClose();
    void statusBarPanels();
    void shortTimeLeavesOutSeconds_data();
    void shortTimeLeavesOutSeconds();
    void minuteTimerAimsAtTheNextMinute_data();
    void minuteTimerAimsAtTheNextMinute();
};

void tst_frmMain::firstBrowserWindowOpensTheFrame()
{
    QVERIFY(!frmMain::current());
    frmBrowser* window = showBrowser(FixedAddresses::home());
    frmMain* frame = frmMain::current();
    QVERIFY(frame && frame->isVisible());
    QCOMPARE(frame->windowTitle(), QStringLiteral("Corvel Explorer"));
    QCOMPARE(frame->mdiArea()->subWindowList().size(), 1);
    QCOMPARE(frame->mdiArea()->subWindowList().first()->widget(), window);
    QVERIFY(!frame->windowIcon().isNull());
}

void tst_frmMain::menuBarShowsTheCurrentWindowsMenus()
{
    frmBrowser* first = showBrowser(QString());
    frmBrowser* second = showBrowser(QString());
    frmMain* frame = frmMain::current();
    const QStringList browserMenus{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("Fa&vourites")};

    QCOMPARE(menuBarCaptions(frame), browserMenus);
    QCOMPARE(frame->menuBar()->actions().first(), second->menus().first()->menuAction());

    frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->parentWidget()));
    QCOMPARE(frame->menuBar()->actions().first(), first->menus().first()->menuAction());

    first->mnuFileExit_Click();
    QTRY_COMPARE(frame->menuBar()->actions().first(), second->menus().first()->menuAction());
    second->mnuFileExit_Click();
    // The last window gone, the frame stays and shows its own menu.
    QTRY_COMPARE(menuBarCaptions(frame), QStringList{QStringLiteral("File")});
    QVERIFY(frame->isVisible());
}

void tst_frmMain::menusStayWhileAnotherWindowIsActive()
{
    frmBrowser* window = showBrowser(QString());
    frmMain* frame = frmMain::current();
    QVERIFY(QTest::qWaitForWindowActive(frame));

    QWidget calculator; // another top-level window takes the activation
    calculator.show();
    calculator.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&calculator));
    QCoreApplication::processEvents();
    QCOMPARE(frame->menuBar()->actions().first(), window->menus().first()->menuAction());

    calculator.close(); // the frame is independent of it
    QVERIFY(frame->isVisible());
}

void tst_frmMain::newWindowFromTheFrameMenu()
{
    showBrowser(QString())->mnuFileExit_Click();
    frmMain* frame = frmMain::current();
    QTRY_VERIFY(frame->mdiArea()->subWindowList().isEmpty());
    auto* item = frame->findChild<QAction*>(QStringLiteral("mnuViewWebBrowser"));
    QCOMPARE(item->text(), QStringLiteral("New Window"));
    item->trigger();
    item->trigger();
    QCOMPARE(frame->mdiArea()->subWindowList().size(), 2);
    for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList())
        QCOMPARE(viewOf(qobject_cast<frmBrowser*>(sub->widget()))->calls,
                 QStringList{u"Navigate " % FixedAddresses::home()});
}

void tst_frmMain::placementIsWrittenOnClose_data()
{
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("maximised");
    QTest::addColumn<bool>("throughExit");

    QTest::newRow("normal frame writes its bounds") << QRect(100, 120, 424, 330) << false << false;
    QTest::newRow("frame off the left and top writes negative edges") << QRect(-20, -7, 400, 300) << false << false;
    QTest::newRow("maximised frame writes its maximised bounds") << QRect(100, 120, 424, 330) << true << false;
    QTest::newRow("Exit writes as the close box does") << QRect(30, 40, 500, 350) << false << true;
}

void tst_frmMain::placementIsWrittenOnClose()
{
    QFETCH(QRect, geometry);
    QFETCH(bool, maximised);
    QFETCH(bool, throughExit);

    storePlacement({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    if (throughExit)
        showBrowser(QString())->mnuFileExit_Click();
    else
        showBrowser(QString());
    QPointer<frmMain> frame = frmMain::current();
    frame->setGeometry(geometry);
    if (maximised) {
        frame->showMaximized();
        QTRY_VERIFY(frame->frameGeometry() != geometry);
    }
    QCoreApplication::processEvents();
    const QRect expected = frame->frameGeometry(); // the outer frame, not the client area

    if (throughExit) {
        QTRY_VERIFY(frame->mdiArea()->subWindowList().isEmpty());
        frame->findChild<QAction*>(QStringLiteral("mnuFileExit2"))->trigger();
    } else {
        frame->close();
    }
    QTRY_VERIFY(frame.isNull());

    QCOMPARE(storedPlacement(), inTwips(expected));
    if (geometry.x() < 0)
        QVERIFY(storedPlacement().at(0).startsWith(u'-') && storedPlacement().at(1).startsWith(u'-'));
    QVERIFY(QFile::exists(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                          + QStringLiteral("/Calculator.conf")));
    QVERIFY(reportedErrors().isEmpty());
}

void tst_frmMain::minimisedFrameWritesNothing()
{
    const QStringList earlier{QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"), QStringLiteral("40")};
    storePlacement(earlier);
    showBrowser(QString());
    QPointer<frmMain> frame = frmMain::current();
    frame->showMinimized();
    QTRY_VERIFY(frame->windowState() & Qt::WindowMinimized);
    frame->close();
    QTRY_VERIFY(frame.isNull());
    QCOMPARE(storedPlacement(), earlier);
}

void tst_frmMain::failedWriteIsReportedAndTheFrameCloses()
{
    // A settings folder that cannot be made: its parent is a plain file.
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker.fileName() + QStringLiteral("/config"));

    showBrowser(QString());
    QPointer<frmMain> frame = frmMain::current();
    frame->close();
    QTRY_VERIFY(frame.isNull());
    QCOMPARE(reportedErrors().size(), 1);
    QVERIFY(reportedErrors().first().contains(QStringLiteral("could not be written")));

    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

void tst_frmMain::closingTheFrameClosesItsBrowserWindows()
{
    QPointer<frmBrowser> first = showBrowser(QString());
    QPointer<frmBrowser> second = showBrowser(QString());
    QPointer<frmMain> frame = frmMain::current();
    frame->close();
    QTRY_VERIFY(frame.isNull());
    QVERIFY(first.isNull() && second.isNull());
    QVERIFY(scriptedViews().views.isEmpty());
}

void tst_frmMain::freshFrameAfterClose()
{
    showBrowser(QString());
    QPointer<frmMain> old = frmMain::current();
    const QRect designed = old->geometry();
    old->setGeometry(50, 60, 700, 500);
    old->close();
    QTRY_VERIFY(old.isNull());

    showBrowser(QString());
    frmMain* fresh = frmMain::current();
    QVERIFY(fresh);
    QCOMPARE(fresh->geometry(), designed);
    QCOMPARE(fresh->mdiArea()->subWindowList().size(), 1);
}

void tst_frmMain::statusBarPanels()
{
    showBrowser(QString());
    frmMain* frame = frmMain::current();
    auto panel = [frame](int n) { return frame->findChild<QLabel*>(QStringLiteral("sbStatusPanel%1").arg(n)); };
    QCOMPARE(panel(1)->text(), QStringLiteral("Status"));
    QCOMPARE(panel(1)->toolTip(), QStringLiteral("Current Status"));
    QCOMPARE(panel(2)->toolTip(), QStringLiteral("Date"));
    QCOMPARE(panel(3)->toolTip(), QStringLiteral("Currnt Time"));

    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    // The panels may have been filled a minute boundary earlier.
    const QStringList dates{locale.toString(now.date(), QLocale::ShortFormat),
                            locale.toString(now.addSecs(-60).date(), QLocale::ShortFormat)};
    const QStringList times{StatusPanels::shortTime(locale, now.time()),
                            StatusPanels::shortTime(locale, now.addSecs(-60).time())};
    QVERIFY2(dates.contains(panel(2)->text()), qPrintable(panel(2)->text()));
    QVERIFY2(times.contains(panel(3)->text()), qPrintable(panel(3)->text()));
    QCOMPARE(panel(2)->width(), 96);
    QCOMPARE(panel(3)->width(), 96);
}

void tst_frmMain::shortTimeLeavesOutSeconds_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("24-hour format with seconds drops them") << "C" << "05:11";
    QTest::newRow("12-hour format keeps its day period") << "en_US" << "5:11 AM";
    QTest::newRow("format without seconds is unchanged") << "de_DE" << "05:11";
}

void tst_frmMain::shortTimeLeavesOutSeconds()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    const QString shown = StatusPanels::shortTime(QLocale(locale), QTime(5, 11, 21));
    QCOMPARE(QString(shown).replace(u' ', u' '), text);
}

void tst_frmMain::minuteTimerAimsAtTheNextMinute_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<int>("wait");
    QTest::newRow("on a boundary waits a whole minute") << QTime(12, 0) << 60'000;
    QTest::newRow("last millisecond of a minute waits one") << QTime(12, 34, 59, 999) << 1;
    QTest::newRow("mid-minute waits for the rest") << QTime(23, 59, 30, 250) << 29'750;
}

void tst_frmMain::minuteTimerAimsAtTheNextMinute()
{
    QFETCH(QTime, now);
    QFETCH(int, wait);
    QCOMPARE(StatusPanels::msecsToNextMinute(now), wait);
}

QTEST_MAIN(tst_frmMain)
#include "tst_frmmain.moc"

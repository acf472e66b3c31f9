#include "browser/BrowserTestSupport.h"

#include "mainframe/Cascade.h"
#include "mainframe/StatusPanels.h"
#include "mainframe/frmMain.h"
#include "platform/ToolWindowPlacement.h"

#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>

namespace {

const QString toHome = u"Navigate http://corvel.example/corveluniverse"_s;

// Reads the four placement entries, or first writes values into them.
QStringList placement(const QStringList& values = {})
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, u"Calculator"_s);
    QStringList stored;
    for (const QString& key : {u"MainLeft"_s, u"MainTop"_s, u"MainWidth"_s, u"MainHeight"_s}) {
        if (!values.isEmpty())
            settings.setValue(u"Settings/"_s + key, values.at(stored.size()));
        stored.append(settings.value(u"Settings/"_s + key).toString());
    }
    return stored;
}

QAction* firstMenu(frmMain* frame)
{
    return frame->menuBar()->actions().value(0);
}

frmBrowser* browserAt(int index)
{
    return qobject_cast<frmBrowser*>(
        frmMain::current()->mdiArea()->subWindowList(QMdiArea::CreationOrder).value(index)->widget());
}

} // namespace

class tst_frmMain : public QObject
{
    Q_OBJECT
    QRect m_designed; // the first frame's bounds

private slots:
    void initTestCase()
    {
        installScriptedViews();
        frmMain::openBrowserWindow();
        m_designed = frmMain::current()->normalGeometry();
        closeWindows();
    }
    void cleanup() { closeWindows(); }

    void menuBarFollowsTheCurrentBrowserWindow()
    {
        frmBrowser* first = frmMain::openBrowserWindow();
        frmMain* frame = frmMain::current();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        // The page holds the focus at once, and Ctrl+N there opens a second window on the home page.
        QTRY_COMPARE(focused(), first->brwWebBrowser()->widget()->focusProxy());
        press(Qt::CTRL | Qt::Key_N);
        QCOMPARE(frame->mdiArea()->subWindowList().size(), 2);
        auto* second = browserAt(1);
        QTRY_COMPARE(focused(), second->brwWebBrowser()->widget()->focusProxy());
        QCOMPARE(viewOf(second)->calls, QStringList{toHome});
        QCOMPARE(viewOf(first)->calls, QStringList{toHome});
        QCOMPARE(firstMenu(frame), second->menus().first()->menuAction());
        frame->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->parentWidget()));
        QCOMPARE(firstMenu(frame), first->menus().first()->menuAction());

        // Another top-level window (the calculator) taking the activation changes nothing.
        QWidget calculator;
        calculator.show();
        calculator.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&calculator));
        QCoreApplication::processEvents();
        QCOMPARE(firstMenu(frame), first->menus().first()->menuAction());

        first->findChild<QAction*>(u"mnuFileExit"_s)->trigger();
        QTRY_COMPARE(firstMenu(frame), second->menus().first()->menuAction());
        second->mnuFileExit_Click();
        // The last window gone, the frame stays and shows its own menu, which opens more.
        QTRY_COMPARE(firstMenu(frame)->text(), u"File"_s);
        QVERIFY(frame->isVisible());
        frame->findChild<QAction*>(u"mnuViewWebBrowser"_s)->trigger();
        QCOMPARE(viewOf(browserAt(0))->calls, QStringList{toHome});
    }

    // Windows open at their designed size where the area allows, each cascaded from the
    // one before, none exactly over another.
    void browserWindowsCascade()
    {
        // The first window opens before the frame has its maximised size, and grows with it.
        QWidget* first = frmMain::openBrowserWindow(); // not in QTRY_COMPARE: it would open more
        QTRY_COMPARE(first->size(), QSize(506, 342));
        frmMain::openBrowserWindow();
        frmMain::openBrowserWindow();
        const QList<QMdiSubWindow*> subs = frmMain::current()->mdiArea()->subWindowList(QMdiArea::CreationOrder);
        QCOMPARE(subs.at(0)->pos(), QPoint(0, 0));
        const QPoint step = subs.at(1)->pos() - subs.at(0)->pos();
        QVERIFY(step.x() > 0 && step.x() == step.y());
        QCOMPARE(subs.at(2)->pos(), subs.at(1)->pos() + step);
    }

    // A window manager may drop the maximised state asked for before the frame is mapped:
    // its first report of another state gets the request again, and only the first.
    void frameStaysMaximisedWhenTheFirstRequestIsDropped()
    {
        frmMain::openBrowserWindow();
        QWindow* frame = frmMain::current()->windowHandle();
        frame->setWindowStates(Qt::WindowNoState);
        QCoreApplication::processEvents(); // the window manager's report arrives
        QTRY_VERIFY(frmMain::current()->isMaximized());
        frame->setWindowStates(Qt::WindowNoState);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QVERIFY(!frmMain::current()->isMaximized());
    }

    // Where the area runs out; the first place and the plain step are browserWindowsCascade's.
    void cascadePlaces_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<QPoint>>("taken"); // the previous window last
        QTest::addColumn<QPoint>("expected");
        const QSize area(300, 200);
        QTest::newRow("a step that exactly reaches the far corner is kept")
            << QSize(100, 100) << QList<QPoint>{{180, 80}} << QPoint(200, 100);
        QTest::newRow("back to the corner when the step would not fit")
            << QSize(100, 100) << QList<QPoint>{{180, 100}} << QPoint(0, 0);
        QTest::newRow("a taken corner is passed by to the right")
            << QSize(100, 100) << QList<QPoint>{{0, 0}, {20, 0}, {180, 100}} << QPoint(40, 0);
        QTest::newRow("a full row goes a step down")
            << QSize(250, 100) << QList<QPoint>{{0, 0}, {20, 0}, {40, 0}, {40, 100}} << QPoint(0, 20);
        QTest::newRow("a window as large as the area opens at the corner")
            << area << QList<QPoint>{{0, 0}} << QPoint(0, 0);
    }
    void cascadePlaces()
    {
        QFETCH(QSize, size);
        QFETCH(QList<QPoint>, taken);
        QFETCH(QPoint, expected);
        const auto previous = taken.isEmpty() ? std::nullopt : std::optional(taken.last());
        QCOMPARE(Cascade::place(QSize(300, 200), size, previous, taken, 20), expected);
    }

    // The downloads window: at the bottom right of the frame's client area and the screen,
    // whichever is smaller, shrunk to fit; 4 on each side and 20 above for the decorations.
    void toolWindowPlaces()
    {
        const QRect screen(0, 0, 640, 400);
        const QMargins decorations(4, 20, 4, 4);
        QCOMPARE(ToolWindowPlacement::place({100, 50, 640, 600}, screen, {360, 220}, decorations),
                 QRect(276, 176, 360, 220));
        QCOMPARE(ToolWindowPlacement::place({10, 250, 300, 100}, screen, {360, 220}, decorations),
                 QRect(14, 270, 292, 76));
    }

    void missingWebViewOpensNoWindow()
    {
        scriptedViews().broken = true;
        QVERIFY(!frmMain::openBrowserWindow());
        QCOMPARE(reportedErrors().size(), 1);
        QVERIFY(!frmMain::current());
    }

    // Rows close the frame in turn; each next frame starts at its designed bounds again.
    void placementIsWrittenOnClose_data()
    {
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("state"); // Qt::WindowState
        QTest::addColumn<bool>("throughExit");
        QTest::newRow("normal frame writes its outer bounds") << QRect(100, 120, 424, 330) << 0 << false;
        QTest::newRow("frame off the left and top writes negative edges") << QRect(-20, -7, 400, 300) << 0 << false;
        QTest::newRow("maximised frame writes its maximised bounds")
            << QRect(100, 120, 424, 330) << int(Qt::WindowMaximized) << false;
        QTest::newRow("Exit writes as the close box does") << QRect(30, 40, 500, 350) << 0 << true;
        QTest::newRow("minimised frame writes nothing") << QRect(30, 40, 500, 350) << int(Qt::WindowMinimized) << false;
    }
    void placementIsWrittenOnClose()
    {
        QFETCH(QRect, geometry);
        QFETCH(int, state);
        QFETCH(bool, throughExit);
        const QStringList earlier = placement({u"1"_s, u"2"_s, u"3"_s, u"4"_s});
        QPointer<frmBrowser> window = frmMain::openBrowserWindow();
        QPointer<frmMain> frame = frmMain::current();
        QCOMPARE(frame->normalGeometry(), m_designed);
        frame->setWindowState(Qt::WindowNoState);
        frame->setGeometry(geometry);
        frame->setWindowState(Qt::WindowState(state));
        QTRY_VERIFY(state == 0 || frame->windowState() == state);
        QCoreApplication::processEvents();
        const QRect r = frame->frameGeometry();
        if (throughExit) {
            window->mnuFileExit_Click();
            QTRY_VERIFY(frame->mdiArea()->subWindowList().isEmpty());
            frame->findChild<QAction*>(u"mnuFileExit2"_s)->trigger();
        } else {
            frame->close();
        }
        QTRY_VERIFY(frame.isNull() && window.isNull()); // the frame takes its windows along
        QVERIFY(scriptedViews().views.isEmpty());
        const QStringList twips{QString::number(r.x() * 15), QString::number(r.y() * 15),
                                QString::number(r.width() * 15), QString::number(r.height() * 15)};
        QCOMPARE(placement(), state == Qt::WindowMinimized ? earlier : twips);
        QVERIFY(reportedErrors().isEmpty());
    }

    void failedWriteIsReportedAndTheFrameCloses()
    {
        // A settings folder that cannot be made: its parent is a plain file.
        QTemporaryDir dir;
        QFile blocker(dir.filePath(u"file"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker.fileName() + u"/config"_s));
        frmMain::openBrowserWindow();
        QPointer<frmMain> frame = frmMain::current();
        frame->close();
        QTRY_VERIFY(frame.isNull());
        qputenv("XDG_CONFIG_HOME", config);
        QCOMPARE(reportedErrors().size(), 1);
        QVERIFY(reportedErrors().first().contains(u"could not be written"_s));
    }

    void statusPanelsShowTodayAndTheTime()
    {
        frmMain::openBrowserWindow();
        auto panel = [](int n) { return frmMain::current()->findChild<QLabel*>(u"sbStatusPanel%1"_s.arg(n))->text(); };
        // Filled at most a minute ago; the timer then aims at the next minute boundary.
        const QDateTime now = QDateTime::currentDateTime(), before = now.addSecs(-60);
        QVERIFY(panel(2) == QLocale().toString(now.date(), QLocale::ShortFormat)
                || panel(2) == QLocale().toString(before.date(), QLocale::ShortFormat));
        QVERIFY(panel(3) == StatusPanels::shortTime({}, now.time())
                || panel(3) == StatusPanels::shortTime({}, before.time()));
        QCOMPARE(StatusPanels::msecsToNextMinute(QTime(12, 0)), 60'000);
        QCOMPARE(StatusPanels::msecsToNextMinute(QTime(23, 59, 30, 250)), 29'750);
        // Seconds left out; a 12-hour locale keeps its day period.
        QCOMPARE(StatusPanels::shortTime(QLocale(u"C"_s), QTime(5, 11, 21)), u"05:11"_s);
        QCOMPARE(StatusPanels::shortTime(QLocale(u"en_US"_s), QTime(5, 11, 21)).replace(u'\u202f', u' '), u"5:11 AM"_s);
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmmain.moc"

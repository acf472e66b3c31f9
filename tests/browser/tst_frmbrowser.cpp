#include "BrowserTestSupport.h"

#include "browser/FixedAddresses.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>

namespace {

QComboBox* addressBox(frmBrowser* window)
{
    return window->findChild<QComboBox*>(u"cboAddress"_s);
}
QTimer* busyTimer(frmBrowser* window)
{
    return window->findChild<QTimer*>(u"timTimer"_s);
}

QStringList listEntries(frmBrowser* window)
{
    QStringList entries;
    for (int i = 0; i < addressBox(window)->count(); ++i)
        entries.append(addressBox(window)->itemText(i));
    return entries;
}

enum Trigger { Load, Enter, ListSelection, Toolbar, Favourite };

QWidget* page(frmBrowser* window)
{
    return window->brwWebBrowser()->widget();
}
bool inPage(frmBrowser* window)
{
    return focused() && (focused() == page(window) || page(window)->isAncestorOf(focused()));
}
bool inAddressBox(frmBrowser* window)
{
    return focused() && (focused() == addressBox(window) || addressBox(window)->isAncestorOf(focused()));
}

} // namespace

class tst_frmBrowser : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installScriptedViews(); }
    void cleanup() { closeWindows(); }

    // What reaches the view, whether the busy poll runs, and which refusals are skipped
    // silently and which are unexpected errors. History moves are in the real-engine test.
    void navigation_data()
    {
        QTest::addColumn<int>("trigger");
        QTest::addColumn<QString>("text"); // start address, typed text, toolbar key or favourite
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("polls");
        QTest::addColumn<bool>("reported");
        const auto row
            = [](const char* name, Trigger trigger, const QString& text, bool refused, const QString& call, bool polls,
                 bool reported) { QTest::newRow(name) << +trigger << text << refused << call << polls << reported; };
        const QString a = u"http://a.example/"_s, toA = u"Navigate http://a.example/"_s;
        const QString toMail = u"Navigate http://www.aol.com"_s, x = u"http://x.example/"_s;
        row("load navigates to the starting address", Load, a, false, toA, true, false);
        row("load without a starting address does nothing", Load, {}, false, {}, false, false);
        row("refused start navigation is skipped silently", Load, a, true, toA, true, false);
        row("refused Enter is skipped silently", Enter, x, true, u"Navigate " % x, true, false);
        row("picking a list entry navigates to it", ListSelection, {}, false, toA, true, false);
        row("refused list selection is an unexpected error", ListSelection, {}, true, toA, true, true);
        row("Back on the first page is skipped silently", Toolbar, u"Back"_s, true, u"GoBack"_s, true, false);
        row("Stop stops and switches the poll off", Toolbar, u"Stop"_s, false, u"Stop"_s, false, false);
        row("refused Home is skipped silently", Toolbar, u"Home"_s, true, u"Navigate " % FixedAddresses::home(), true,
            false);
        row("Search opens the search page", Toolbar, u"Search"_s, false, u"Navigate " % FixedAddresses::searchPage(),
            true, false);
        row("a favourite leaves a running poll running", Favourite, u"mnuFavMailA"_s, false, toMail, true, false);
        row("refused favourite is an unexpected error", Favourite, u"mnuFavMailA"_s, true, toMail, true, true);
    }
    void navigation()
    {
        QFETCH(int, trigger);
        QFETCH(QString, text);
        QFETCH(bool, refused);
        QFETCH(QString, call);
        QFETCH(bool, polls);
        QFETCH(bool, reported);
        std::unique_ptr<frmBrowser> created = frmBrowser::create();
        ScriptedWebView* view = viewOf(created.get());
        if (refused && trigger == Load)
            view->refuse(call.section(u' ', 0, 0), u"no way"_s);
        created->setStartingAddress(trigger == Load ? text : u"http://a.example/"_s);
        created->setAttribute(Qt::WA_DeleteOnClose);
        created->show();
        frmBrowser* window = created.release();
        QVERIFY(QTest::qWaitForWindowActive(window));
        if (trigger != Load) {
            view->completeNavigation(u"http://b.example/"_s, u"B"_s); // the list: b, a
            view->completeDownload();
            if (trigger != Favourite) // a favourite meets the poll of the page still running
                busyTimer(window)->stop();
            view->calls.clear();
            view->busy = true; // a page still loading
            view->locationName = u"Half loaded"_s;
            if (refused)
                view->refuse(call.section(u' ', 0, 0), u"no way"_s);
        }
        if (trigger == Enter) {
            clickOn(addressBox(window));
            press(QKeySequence::SelectAll);
            typeKeys(text);
            press(Qt::Key_Return);
        } else if (trigger == ListSelection) {
            clickOn(addressBox(window));
            press(Qt::Key_Down);
        } else if (trigger == Toolbar) {
            auto* bar = window->findChild<QToolBar*>(u"tbToolBar"_s);
            for (QAction* action : bar->actions())
                if (action->data().toString() == text)
                    clickOn(bar->widgetForAction(action));
        } else if (trigger == Favourite) {
            window->findChild<QAction*>(text)->trigger();
        }
        QCOMPARE(view->calls, call.isEmpty() ? QStringList() : QStringList{call});
        QCOMPARE(busyTimer(window)->isActive(), polls);
        QCOMPARE(reportedErrors(), reported ? QStringList{u"no way"_s} : QStringList());
        if (trigger == Load)
            QCOMPARE(listEntries(window), text.isEmpty() ? QStringList() : QStringList{text});
        else if (trigger == Enter) // the list changes only when the view reports a page
            QCOMPARE(listEntries(window), (QStringList{u"http://b.example/"_s, u"http://a.example/"_s}));
        if (call == u"Stop")
            QCOMPARE(window->windowTitle(), u"Half loaded"_s);
    }

    // The address box as a person uses it: only Enter and a pick from the list navigate,
    // whatever the typed text matches, and Enter sends the text exactly as typed.
    void addressBoxNavigatesOnEnterOrPickOnly_data()
    {
        QTest::addColumn<QKeySequence>("focusKeys");     // empty: a click into the box
        QTest::addColumn<QString>("typed");              // replaces the box's text; empty: typing nothing
        QTest::addColumn<QList<QKeySequence>>("finish"); // empty sequence: a click into the page
        QTest::addColumn<QString>("sent");               // empty: nothing navigates
        const QString a = u"http://a.example/"_s;
        const QKeySequence clickPage;
        const QKeySequence click;
        QTest::newRow("Return sends the text as typed: untrimmed, no scheme added")
            << click << u" www.example.com "_s << QList<QKeySequence>{Qt::Key_Return} << u" www.example.com "_s;
        QTest::newRow("Enter on a typed lower list entry sends it once")
            << click << a << QList<QKeySequence>{Qt::Key_Return} << a;
        QTest::newRow("Enter keeps the letter case of a list entry typed differently")
            << click << u"HTTP://A.EXAMPLE/"_s << QList<QKeySequence>{Qt::Key_Return} << u"HTTP://A.EXAMPLE/"_s;
        QTest::newRow("a click into the page after a typed list entry does not navigate")
            << click << a << QList<QKeySequence>{clickPage} << QString();
        QTest::newRow("a pick from the opened list navigates once")
            << QKeySequence(Qt::CTRL | Qt::Key_L) << QString()
            << QList<QKeySequence>{QKeySequence(Qt::ALT | Qt::Key_Down), Qt::Key_Down, Qt::Key_Return} << a;
    }
    void addressBoxNavigatesOnEnterOrPickOnly()
    {
        QFETCH(QKeySequence, focusKeys);
        QFETCH(QString, typed);
        QFETCH(QList<QKeySequence>, finish);
        QFETCH(QString, sent);
        frmBrowser* window = showBrowser(u"http://a.example/"_s);
        ScriptedWebView* view = viewOf(window);
        view->completeNavigation(u"http://b.example/"_s, u"B"_s); // the list: b, a
        view->completeDownload();
        view->calls.clear();
        QVERIFY(inPage(window)); // the page holds the focus when the window opens
        focusKeys.isEmpty() ? clickOn(addressBox(window)) : press(focusKeys);
        QVERIFY(inAddressBox(window));
        if (!typed.isEmpty()) {
            press(QKeySequence::SelectAll);
            typeKeys(typed);
            QCOMPARE(view->calls, QStringList()); // editing alone does not navigate
        }
        for (const QKeySequence& keys : finish) {
            keys.isEmpty() ? clickOn(page(window)) : press(keys);
            QTest::qWait(keys == QKeySequence(Qt::ALT | Qt::Key_Down) ? 300 : 0); // the list opens
        }
        QTest::qWait(50);
        QCOMPARE(view->calls, sent.isEmpty() ? QStringList() : QStringList{u"Navigate " % sent});
        QCOMPARE(listEntries(window), (QStringList{u"http://b.example/"_s, u"http://a.example/"_s}));
    }

    void addressList_data()
    {
        QTest::addColumn<QStringList>("completions"); // addresses the view reports, in turn
        QTest::addColumn<QStringList>("expected");
        const QString s = u"http://start.example/"_s, b = u"http://b.example/"_s, c = u"http://c.example/"_s;
        QTest::newRow("redirect keeps the start address under the reported one")
            << QStringList{s + u"home.htm"} << QStringList{s + u"home.htm", s};
        QTest::newRow("revisited address moves to the top, listed once")
            << QStringList{s, b, c, b} << QStringList{b, c, s};
        QTest::newRow("an entry further down is the one removed") << QStringList{b, c, s} << QStringList{s, c, b};
        QTest::newRow("addresses differing in case are different entries")
            << QStringList{b + u"Page", b + u"page"} << QStringList{b + u"page", b + u"Page", s};
    }
    void addressList()
    {
        QFETCH(QStringList, completions);
        QFETCH(QStringList, expected);
        frmBrowser* window = showBrowser(u"http://start.example/"_s);
        for (const QString& url : completions)
            viewOf(window)->completeNavigation(url, u"Title of " % url);
        QCOMPARE(listEntries(window), expected);
        QCOMPARE(addressBox(window)->currentText(), expected.first());
        QCOMPARE(window->windowTitle(), u"Title of " % completions.last());
        // The program's own selection of the new top entry never navigates.
        QCOMPARE(viewOf(window)->calls, QStringList{u"Navigate http://start.example/"_s});
    }

    void layout_data()
    {
        QTest::addColumn<QSize>("inner");
        QTest::addColumn<int>("addressWidth");
        QTest::addColumn<QSize>("view");
        // From the design size (address box 499, view 499 x 254) to:
        QTest::newRow("grown window follows") << QSize(800, 600) << 793 << QSize(793, 512);
        QTest::newRow("narrower than the margins keeps the widths") << QSize(5, 300) << 499 << QSize(499, 212);
        QTest::newRow("lower than the panel keeps the height") << QSize(400, 60) << 393 << QSize(393, 254);
        QTest::newRow("exactly the margins gives zero") << QSize(7, 88) << 0 << QSize(0, 0);
    }
    void layout()
    {
        QFETCH(QSize, inner);
        QFETCH(int, addressWidth);
        QFETCH(QSize, view);
        frmBrowser* window = showBrowser(u"http://a.example/"_s);
        // Restored after minimising, the window is laid out for its size again.
        window->showMinimized();
        QCoreApplication::processEvents();
        window->showNormal();
        QCoreApplication::processEvents();
        QCOMPARE(addressBox(window)->width(), window->width() - 7);
        window->resize(506, 342);
        window->resize(inner);
        QCOMPARE(addressBox(window)->geometry(),
                 QRect(QPoint(3, 22), QSize(addressWidth, addressBox(window)->height())));
        QCOMPARE(window->brwWebBrowser()->widget()->geometry(), QRect(QPoint(3, 81), view));
    }

    // The Edit menu acts where the focus is, as its keys do: on the address box, or on
    // the page while the page has the focus.
    void editCommands_data()
    {
        QTest::addColumn<QVariant>("command"); // menu index, or keys pressed
        QTest::addColumn<bool>("fromPage");    // the focus given to the page, else to the address box
        QTest::addColumn<bool>("selected");    // "abc" of "http://abc" selected, else caret at 7
        QTest::addColumn<QString>("clipboardBefore");
        QTest::addColumn<QString>("boxAfter");
        QTest::addColumn<QString>("clipboardAfter");
        QTest::addColumn<QString>("pageCall"); // what reached the page, if anything
        const QVariant cut = 0, paste = 2;
        const auto row
            = [](const char* name, const QVariant& command, bool fromPage, bool selected, const char* clipboardBefore,
                 const char* boxAfter, const char* clipboardAfter, const char* pageCall = "") {
                  QTest::newRow(name) << command << fromPage << selected << QString::fromLatin1(clipboardBefore)
                                      << QString::fromLatin1(boxAfter) << QString::fromLatin1(clipboardAfter)
                                      << QString::fromLatin1(pageCall);
              };
        row("cut moves the selection to the clipboard", cut, false, true, "old", "http://", "abc");
        row("cut with nothing selected keeps the clipboard", cut, false, false, "old", "http://abc", "old");
        row("paste replaces the selection", paste, false, true, "xyz", "http://xyz", "xyz");
        row("paste inserts at the caret", paste, false, false, "xyz/", "http://xyz/abc", "xyz/");
        row("paste without clipboard text deletes the selection", paste, false, true, "", "http://", "");
        row("an unknown index does nothing", 3, false, true, "old", "http://abc", "old");
        row("the menu's paste goes to the page while it has the focus", paste, true, true, "xyz", "http://abc", "xyz",
            "Paste");
        // One shortcut mechanism serves all three keys; Ctrl+C and Ctrl+V in a page are
        // driven with real input in the journeys.
        row("Ctrl+X in the page is the page's own key", QKeySequence(QKeySequence::Cut), true, true, "old",
            "http://abc", "old");
    }
    void editCommands()
    {
        QFETCH(QVariant, command);
        QFETCH(bool, fromPage);
        QFETCH(bool, selected);
        QFETCH(QString, clipboardBefore);
        QFETCH(QString, boxAfter);
        QFETCH(QString, clipboardAfter);
        QFETCH(QString, pageCall);
        frmBrowser* window = showBrowser(QString());
        QLineEdit* edit = addressBox(window)->lineEdit();
        clickOn(addressBox(window));
        press(QKeySequence::SelectAll);
        typeKeys(u"http://abc"_s);
        press(Qt::Key_Left);
        press(Qt::Key_Left);
        press(Qt::Key_Left);
        if (selected)
            press(QKeySequence::SelectEndOfLine);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        if (!clipboardBefore.isEmpty())
            clipboard->setText(clipboardBefore);
        if (fromPage)
            clickOn(page(window));
        QVERIFY(fromPage ? inPage(window) : inAddressBox(window));
        if (command.typeId() == QMetaType::QKeySequence)
            press(command.value<QKeySequence>());
        else if (QAction* item = window->findChild<QAction*>(u"mnuEditItem(%1)"_s.arg(command.toInt())))
            item->trigger();
        else
            window->mnuEditItem_Click(command.toInt());
        QCOMPARE(edit->text(), boxAfter);
        QCOMPARE(clipboard->text(), clipboardAfter);
        QCOMPARE(viewOf(window)->calls, pageCall.isEmpty() ? QStringList() : QStringList{pageCall});
    }

    // The browser keys run what the toolbar and commands run, from the page and from the
    // address box alike. F5 and Alt+Left from the page are driven with real input in the journeys.
    void browserKeys_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<bool>("fromPage");
        QTest::addColumn<bool>("loading");
        QTest::addColumn<QString>("call");       // what reaches the view, if anything
        QTest::addColumn<QString>("focusAfter"); // "page", "box", "address" (all its text selected) or "find"
        QTest::addColumn<double>("zoom");
        const auto row = [](const char* name, QKeySequence keys, bool fromPage, bool loading, const char* call,
                            const char* focusAfter, double zoom = 1.0) {
            QTest::newRow(name) << keys << fromPage << loading << QString::fromLatin1(call)
                                << QString::fromLatin1(focusAfter) << zoom;
        };
        row("Ctrl+R refreshes from the address box", Qt::CTRL | Qt::Key_R, false, false, "Refresh", "box");
        row("Alt+Right goes forward", Qt::ALT | Qt::Key_Right, true, false, "GoForward", "page");
        row("Esc stops a loading page", Qt::Key_Escape, true, true, "Stop", "page");
        row("Esc on a loaded page is the page's", Qt::Key_Escape, true, false, "", "page");
        row("Ctrl+L selects the address", Qt::CTRL | Qt::Key_L, true, false, "", "address");
        row("Alt+D selects the address", Qt::ALT | Qt::Key_D, true, false, "", "address");
        row("F6 selects the address", Qt::Key_F6, true, false, "", "address");
        row("Ctrl+F opens the find bar", Qt::CTRL | Qt::Key_F, true, false, "", "find");
        row("Ctrl+= zooms in as well", Qt::CTRL | Qt::Key_Equal, true, false, "", "page", 1.1);
        row("Ctrl+minus zooms out from the address box", Qt::CTRL | Qt::Key_Minus, false, false, "", "box", 0.9);
    }
    void browserKeys()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(bool, fromPage);
        QFETCH(bool, loading);
        QFETCH(QString, call);
        QFETCH(QString, focusAfter);
        QFETCH(double, zoom);
        frmBrowser* window = showBrowser(u"http://a.example/"_s);
        ScriptedWebView* view = viewOf(window);
        view->completeNavigation(u"http://a.example/"_s, u"A"_s);
        view->completeDownload();
        busyTimer(window)->stop();
        view->calls.clear();
        view->busy = loading;
        fromPage ? clickOn(page(window)) : clickOn(addressBox(window));
        press(keys);
        QCOMPARE(view->calls, call.isEmpty() ? QStringList() : QStringList{call});
        QCOMPARE(view->zoom, zoom);
        if (focusAfter == u"page")
            QVERIFY(inPage(window));
        else if (focusAfter == u"box")
            QVERIFY(inAddressBox(window));
        else if (focusAfter == u"address")
            QVERIFY(inAddressBox(window) && addressBox(window)->lineEdit()->selectedText() == u"http://a.example/");
        else
            QCOMPARE(focused()->accessibleName(), u"Find in page"_s);
        // A key that reached the toolbar's command switched the busy poll on, Stop off.
        QCOMPARE(busyTimer(window)->isActive(), !call.isEmpty() && call != u"Stop");
    }

    void zoomStepsAndResets()
    {
        frmBrowser* window = showBrowser(QString());
        clickOn(page(window));
        QList<double> seen;
        for (int i = 0; i < 20; ++i) {
            press(Qt::CTRL | Qt::Key_Plus);
            seen.append(viewOf(window)->zoom);
        }
        QCOMPARE(seen.mid(0, 3), (QList<double>{1.1, 1.25, 1.5}));
        QCOMPARE(seen.last(), 5.0); // the largest step, kept
        press(Qt::CTRL | Qt::Key_0);
        QCOMPARE(viewOf(window)->zoom, 1.0);
        for (int i = 0; i < 20; ++i)
            press(Qt::CTRL | Qt::Key_Minus);
        QCOMPARE(viewOf(window)->zoom, 0.25);
    }

    void findBarFindsCountsAndCloses()
    {
        frmBrowser* window = showBrowser(QString());
        ScriptedWebView* view = viewOf(window);
        view->matches.insert(u"corvel"_s, 3);
        auto* bar = window->findChild<QFrame*>(u"FindBar"_s);
        // The bar has its own space under the page, within the page's designed area.
        const auto barUnderPage = [&] {
            const QRect designed = page(window)->geometry().united(bar->geometry());
            QCOMPARE(designed, QRect(3, 81, window->width() - 7, window->height() - 88));
            QCOMPARE(bar->geometry().top(), page(window)->geometry().bottom() + 1);
        };
        clickOn(page(window));
        press(QKeySequence::Find);
        barUnderPage();
        typeKeys(u"corvel"_s);
        auto* matches = window->findChild<QLabel*>(u"lblMatches"_s);
        QCOMPARE(matches->text(), u"1 of 3"_s);
        press(Qt::Key_Return);
        QCOMPARE(matches->text(), u"2 of 3"_s);
        press(Qt::SHIFT | Qt::Key_Return);
        press(Qt::SHIFT | Qt::Key_Return);
        QCOMPARE(matches->text(), u"3 of 3"_s);
        press(Qt::Key_Backspace);
        typeKeys(u"x"_s);
        QCOMPARE(matches->text(), u"No matches"_s);
        view->busy = true; // Esc in the find bar closes it, even while the page loads
        press(Qt::Key_Escape);
        QVERIFY(!matches->isVisible());
        QCOMPARE(page(window)->geometry(), QRect(3, 81, window->width() - 7, window->height() - 88));
        QVERIFY(inPage(window));
        QCOMPARE(view->calls.last(), u"findText "_s); // the highlight cleared
        QVERIFY(!view->calls.contains(u"Stop"_s));
        // Opened again, it keeps its text selected and finds it at once.
        press(QKeySequence::Find);
        QCOMPARE(view->calls.last(), u"findText corvex"_s);
        window->resize(window->size() + QSize(40, 30));
        barUnderPage();
    }
};

QTEST_MAIN(tst_frmBrowser)
#include "tst_frmbrowser.moc"

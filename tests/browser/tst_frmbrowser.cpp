#include "BrowserTestSupport.h"

#include "browser/FixedAddresses.h"
#include "browser/openBrowserWindow.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

QComboBox* addressBox(frmBrowser* window)
{
    return window->findChild<QComboBox*>(QStringLiteral("cboAddress"));
}

QTimer* busyTimer(frmBrowser* window)
{
    return window->findChild<QTimer*>(QStringLiteral("timTimer"));
}

QStringList listEntries(frmBrowser* window)
{
    QStringList entries;
    QComboBox* box = addressBox(window);
    for (int i = 0; i < box->count(); ++i)
        entries.append(box->itemText(i));
    return entries;
}

QAction* menuItem(frmBrowser* window, const QString& name)
{
    return window->findChild<QAction*>(name);
}

// A loaded window whose first navigation has completed and whose view is idle.
frmBrowser* settledBrowser(const QString& start)
{
    frmBrowser* window = showBrowser(start);
    ScriptedWebView* view = viewOf(window);
    view->completeNavigation(start, QStringLiteral("Start page"));
    view->completeDownload();
    busyTimer(window)->stop();
    view->calls.clear();
    return window;
}

} // namespace

class tst_frmBrowser : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installScriptedViews(); }
    void cleanup() { closeFrame(); }

    void loadNavigatesToTheStartingAddress();
    void loadWithoutStartingAddressDoesNothing();
    void addressList_data();
    void addressList();
    void enterSendsTheTypedText_data();
    void enterSendsTheTypedText();
    void listSelectionNavigates();
    void busyPollSwitchesItselfOff();
    void toolbar_data();
    void toolbar();
    void refusals_data();
    void refusals();
    void layout_data();
    void layout();
    void minimiseAndRestoreKeepTheLayout();
    void editMenu_data();
    void editMenu();
    void shortcutsReachTheWindow_data();
    void shortcutsReachTheWindow();
    void newWindowAndExit();
    void missingWebViewOpensNoWindow();
};

void tst_frmBrowser::loadNavigatesToTheStartingAddress()
{
    frmBrowser* window = showBrowser(QStringLiteral("http://start.example/a"));
    QVERIFY(window->isVisible());
    QCOMPARE(viewOf(window)->calls, QStringList{QStringLiteral("Navigate http://start.example/a")});
    QCOMPARE(listEntries(window), QStringList{QStringLiteral("http://start.example/a")});
    QCOMPARE(addressBox(window)->currentText(), QStringLiteral("http://start.example/a"));
    QVERIFY(busyTimer(window)->isActive());
    QCOMPARE(busyTimer(window)->interval(), 5);
    QVERIFY(window->brwWebBrowser()->widget()->hasFocus() || !qApp->focusWidget());
}

void tst_frmBrowser::loadWithoutStartingAddressDoesNothing()
{
    frmBrowser* window = showBrowser(QString());
    QVERIFY(viewOf(window)->calls.isEmpty());
    QCOMPARE(addressBox(window)->count(), 0);
    QCOMPARE(addressBox(window)->currentText(), QStringLiteral("Combo1"));
    QVERIFY(!busyTimer(window)->isActive());
}

void tst_frmBrowser::addressList_data()
{
    QTest::addColumn<QStringList>("completions"); // addresses the view reports, in turn
    QTest::addColumn<QStringList>("expected");

    const QString start = QStringLiteral("http://start.example/");
    QTest::newRow("first completion of the start address keeps one entry")
        << QStringList{start} << QStringList{start};
    QTest::newRow("redirect keeps the start address under the reported one")
        << QStringList{QStringLiteral("http://start.example/home.htm")}
        << QStringList{QStringLiteral("http://start.example/home.htm"), start};
    QTest::newRow("revisited address moves to the top, listed once")
        << QStringList{start, QStringLiteral("http://b.example/"), QStringLiteral("http://c.example/"),
                       QStringLiteral("http://b.example/")}
        << QStringList{QStringLiteral("http://b.example/"), QStringLiteral("http://c.example/"), start};
    QTest::newRow("addresses differing in case are different entries")
        << QStringList{QStringLiteral("http://b.example/Page"), QStringLiteral("http://b.example/page")}
        << QStringList{QStringLiteral("http://b.example/page"), QStringLiteral("http://b.example/Page"), start};
    QTest::newRow("an entry further down is the one removed")
        << QStringList{QStringLiteral("http://b.example/"), QStringLiteral("http://c.example/"), start}
        << QStringList{start, QStringLiteral("http://c.example/"), QStringLiteral("http://b.example/")};
}

void tst_frmBrowser::addressList()
{
    QFETCH(QStringList, completions);
    QFETCH(QStringList, expected);

    frmBrowser* window = showBrowser(QStringLiteral("http://start.example/"));
    ScriptedWebView* view = viewOf(window);
    for (const QString& url : completions)
        view->completeNavigation(url, u"Title of " % url);

    QCOMPARE(listEntries(window), expected);
    QCOMPARE(addressBox(window)->currentText(), expected.first());
    QCOMPARE(window->windowTitle(), u"Title of " % completions.last());
    // The program's own selection of the new top entry never navigates.
    QCOMPARE(view->calls, QStringList{QStringLiteral("Navigate http://start.example/")});
}

void tst_frmBrowser::enterSendsTheTypedText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("spaces are not trimmed") << QStringLiteral("  corvel news ");
    QTest::newRow("no scheme is added") << QStringLiteral("www.example.com");
    QTest::newRow("text equal to a list entry navigates once") << QStringLiteral("http://start.example/");
    QTest::newRow("text differing from an entry only in case is sent as typed")
        << QStringLiteral("HTTP://START.EXAMPLE/");
}

void tst_frmBrowser::enterSendsTheTypedText()
{
    QFETCH(QString, typed);
    frmBrowser* window = settledBrowser(QStringLiteral("http://start.example/"));
    QLineEdit* edit = addressBox(window)->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, typed);
    QVERIFY(viewOf(window)->calls.isEmpty()); // editing alone does not navigate
    QTest::keyClick(edit, Qt::Key_Return);

    QCOMPARE(viewOf(window)->calls, QStringList{u"Navigate " % typed});
    QCOMPARE(listEntries(window), QStringList{QStringLiteral("http://start.example/")});
    QCOMPARE(edit->text(), typed);
    QVERIFY(busyTimer(window)->isActive());
}

void tst_frmBrowser::listSelectionNavigates()
{
    frmBrowser* window = settledBrowser(QStringLiteral("http://a.example/"));
    viewOf(window)->completeNavigation(QStringLiteral("http://b.example/"), QStringLiteral("B"));
    QCOMPARE(listEntries(window), (QStringList{QStringLiteral("http://b.example/"), QStringLiteral("http://a.example/")}));

    // The user picks the second entry with the keyboard.
    QTest::keyClick(addressBox(window)->lineEdit(), Qt::Key_Down);
    QCOMPARE(viewOf(window)->calls, QStringList{QStringLiteral("Navigate http://a.example/")});
    QVERIFY(busyTimer(window)->isActive());
}

void tst_frmBrowser::busyPollSwitchesItselfOff()
{
    frmBrowser* window = showBrowser(QStringLiteral("http://a.example/"));
    ScriptedWebView* view = viewOf(window);
    QTimer* timer = busyTimer(window);
    QVERIFY(view->busy && timer->isActive());
    QTRY_COMPARE(window->windowTitle(), QStringLiteral("Working..."));

    view->locationName = QStringLiteral("Page A");
    view->busy = false;
    QTRY_VERIFY(!timer->isActive());
    QCOMPARE(window->windowTitle(), QStringLiteral("Page A"));
    // Switched off, nothing polls: the title stays even when the view turns busy again.
    view->busy = true;
    QTest::qWait(30);
    QCOMPARE(window->windowTitle(), QStringLiteral("Page A"));
}

void tst_frmBrowser::toolbar_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("call");
    QTest::addColumn<bool>("pollsAfterwards");

    QTest::newRow("Back goes back") << 0 << "Back" << "GoBack" << true;
    QTest::newRow("Forward goes forward") << 1 << "Forward" << "GoForward" << true;
    QTest::newRow("Stop stops and switches the poll off") << 2 << "Stop" << "Stop" << false;
    QTest::newRow("Refresh reloads") << 3 << "Refresh" << "Refresh" << true;
    QTest::newRow("Home opens the home address") << 4 << "Home" << QString(u"Navigate " % FixedAddresses::home()) << true;
    QTest::newRow("Search opens the search page")
        << 5 << "Search" << QString(u"Navigate " % FixedAddresses::searchPage()) << true;
}

void tst_frmBrowser::toolbar()
{
    QFETCH(int, position);
    QFETCH(QString, key);
    QFETCH(QString, call);
    QFETCH(bool, pollsAfterwards);

    frmBrowser* window = settledBrowser(QStringLiteral("http://a.example/"));
    ScriptedWebView* view = viewOf(window);
    view->busy = true; // a page still loading
    view->locationName = QStringLiteral("Half loaded");
    window->setWindowTitle(QStringLiteral("Working..."));

    auto* bar = window->findChild<QToolBar*>(QStringLiteral("tbToolBar"));
    QAction* action = bar->actions().at(position);
    QCOMPARE(action->data().toString(), key);
    QCOMPARE(action->toolTip(), key);
    QTest::mouseClick(bar->widgetForAction(action), Qt::LeftButton);

    QCOMPARE(view->calls, QStringList{call});
    QCOMPARE(busyTimer(window)->isActive(), pollsAfterwards);
    if (!pollsAfterwards)
        QCOMPARE(window->windowTitle(), QStringLiteral("Half loaded"));
}

namespace {
enum class Trigger { Load, Enter, ListSelection, Toolbar, BackOnFirstPage, Favourite };

QAction* firstFavourite(QMenu* menu)
{
    const auto actions = menu->actions();
    for (QAction* action : actions) {
        if (action->menu()) {
            if (QAction* inner = firstFavourite(action->menu()))
                return inner;
        } else if (!action->isSeparator()) {
            return action;
        }
    }
    return nullptr;
}
}

void tst_frmBrowser::refusals_data()
{
    QTest::addColumn<int>("trigger");
    QTest::addColumn<QString>("refused");
    QTest::addColumn<bool>("reported");

    QTest::newRow("refused start navigation is skipped silently") << int(Trigger::Load) << "Navigate" << false;
    QTest::newRow("refused Enter navigation is skipped silently") << int(Trigger::Enter) << "Navigate" << false;
    QTest::newRow("refused list selection is an unexpected error") << int(Trigger::ListSelection) << "Navigate" << true;
    QTest::newRow("refused Home is skipped silently") << int(Trigger::Toolbar) << "Navigate" << false;
    QTest::newRow("Back on the first page is skipped silently") << int(Trigger::BackOnFirstPage) << "GoBack" << false;
    QTest::newRow("refused favourite is an unexpected error") << int(Trigger::Favourite) << "Navigate" << true;
}

void tst_frmBrowser::refusals()
{
    QFETCH(int, trigger);
    QFETCH(QString, refused);
    QFETCH(bool, reported);

    scriptedViews().views.clear();
    frmBrowser* window = nullptr;
    if (Trigger(trigger) == Trigger::Load) {
        std::unique_ptr<frmBrowser> fresh = frmBrowser::create();
        viewOf(fresh.get())->refuse(refused, QStringLiteral("no way"));
        fresh->setStartingAddress(QStringLiteral("http://a.example/"));
        fresh->Show();
        window = fresh.release();
        QCOMPARE(listEntries(window), QStringList{QStringLiteral("http://a.example/")});
        QVERIFY(busyTimer(window)->isActive());
    } else {
        window = settledBrowser(QStringLiteral("http://a.example/"));
        viewOf(window)->completeNavigation(QStringLiteral("http://b.example/"), QStringLiteral("B"));
        viewOf(window)->refuse(refused, QStringLiteral("no way"));
        switch (Trigger(trigger)) {
        case Trigger::Enter:
            QTest::keyClick(addressBox(window)->lineEdit(), Qt::Key_Return);
            break;
        case Trigger::ListSelection:
            QTest::keyClick(addressBox(window)->lineEdit(), Qt::Key_Down);
            break;
        case Trigger::Toolbar:
            window->tbToolBar_ButtonClick(QStringLiteral("Home"));
            break;
        case Trigger::Favourite: {
            QAction* favourite = firstFavourite(window->menus().at(2));
            if (!favourite)
                QSKIP("the Favourites menu is empty");
            favourite->trigger();
            QCOMPARE(viewOf(window)->calls.size(), 1);
            QVERIFY(!busyTimer(window)->isActive()); // favourites do not start the poll
            break;
        }
        default:
            window->tbToolBar_ButtonClick(QStringLiteral("Back"));
            // The poll, already on, ends at the next idle tick and puts the title back.
            viewOf(window)->busy = false;
            QTRY_VERIFY(!busyTimer(window)->isActive());
            QCOMPARE(window->windowTitle(), QStringLiteral("B"));
            break;
        }
    }
    QCOMPARE(reportedErrors(), reported ? QStringList{QStringLiteral("no way")} : QStringList{});
    QVERIFY(window->isVisible());
}

void tst_frmBrowser::layout_data()
{
    QTest::addColumn<QSize>("inner");        // pixels
    QTest::addColumn<int>("addressWidth");   // pixels
    QTest::addColumn<QSize>("view");         // pixels

    // From the design size (address box 499, view 499 x 254) to:
    QTest::newRow("design size keeps 50 twips aside and 100 under") << QSize(506, 342) << 499 << QSize(499, 254);
    QTest::newRow("grown window follows") << QSize(800, 600) << 793 << QSize(793, 512);
    QTest::newRow("shrunk window follows") << QSize(300, 200) << 293 << QSize(293, 112);
    QTest::newRow("narrower than the margins keeps the widths") << QSize(5, 300) << 499 << QSize(499, 212);
    QTest::newRow("lower than the panel keeps the height") << QSize(400, 60) << 393 << QSize(393, 254);
    QTest::newRow("zero size keeps everything") << QSize(0, 0) << 499 << QSize(499, 254);
    QTest::newRow("exactly the margins gives zero") << QSize(7, 88) << 0 << QSize(0, 0);
}

void tst_frmBrowser::layout()
{
    QFETCH(QSize, inner);
    QFETCH(int, addressWidth);
    QFETCH(QSize, view);

    frmBrowser* window = showBrowser(QStringLiteral("http://a.example/"));
    window->resize(506, 342);
    window->resize(inner);

    QComboBox* box = addressBox(window);
    QWidget* web = window->brwWebBrowser()->widget();
    QCOMPARE(box->width(), addressWidth);
    QCOMPARE(web->size(), view);
    // Edges the layout never moves: the box's from the load step, the view's designed.
    QCOMPARE(box->pos(), QPoint(3, 22));
    QCOMPARE(web->pos(), QPoint(3, 81));
}

void tst_frmBrowser::minimiseAndRestoreKeepTheLayout()
{
    frmBrowser* window = showBrowser(QStringLiteral("http://a.example/"));
    auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    QVERIFY(sub);
    const QSize box = addressBox(window)->size();
    const QSize view = window->brwWebBrowser()->widget()->size();
    sub->showMinimized();
    QCoreApplication::processEvents();
    sub->showNormal();
    QCoreApplication::processEvents();
    QCOMPARE(addressBox(window)->size(), box);
    QCOMPARE(window->brwWebBrowser()->widget()->size(), view);
}

void tst_frmBrowser::editMenu_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("selectionStart"); // -1: no selection, caret at 7
    QTest::addColumn<QString>("clipboardBefore"); // empty: no text on the clipboard
    QTest::addColumn<QString>("boxAfter");
    QTest::addColumn<QString>("clipboardAfter");

    const QString old = QStringLiteral("old");
    QTest::newRow("cut moves the selection to the clipboard") << 0 << 7 << old << "http://" << "abc";
    QTest::newRow("cut with nothing selected empties the clipboard") << 0 << -1 << old << "http://abc" << "";
    QTest::newRow("copy puts the selection on the clipboard") << 1 << 7 << old << "http://abc" << "abc";
    QTest::newRow("copy with nothing selected empties the clipboard") << 1 << -1 << old << "http://abc" << "";
    QTest::newRow("paste replaces the selection") << 2 << 7 << "xyz" << "http://xyz" << "xyz";
    QTest::newRow("paste inserts at the caret") << 2 << -1 << "xyz/" << "http://xyz/abc" << "xyz/";
    QTest::newRow("paste without clipboard text deletes the selection") << 2 << 7 << "" << "http://" << "";
    QTest::newRow("an unknown index does nothing") << 3 << 7 << old << "http://abc" << "old";
}

void tst_frmBrowser::editMenu()
{
    QFETCH(int, index);
    QFETCH(int, selectionStart);
    QFETCH(QString, clipboardBefore);
    QFETCH(QString, boxAfter);
    QFETCH(QString, clipboardAfter);

    frmBrowser* window = showBrowser(QString());
    QLineEdit* edit = addressBox(window)->lineEdit();
    edit->setText(QStringLiteral("http://abc"));
    if (selectionStart >= 0)
        edit->setSelection(selectionStart, 3);
    else
        edit->setCursorPosition(7);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (!clipboardBefore.isEmpty())
        clipboard->setText(clipboardBefore);

    if (QAction* item = menuItem(window, QStringLiteral("mnuEditItem(%1)").arg(index)))
        item->trigger();
    else
        window->mnuEditItem_Click(index);

    QCOMPARE(edit->text(), boxAfter);
    QCOMPARE(clipboard->text(), clipboardAfter);
    QVERIFY(viewOf(window)->calls.isEmpty());
}

void tst_frmBrowser::shortcutsReachTheWindow_data()
{
    QTest::addColumn<bool>("focusInView");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("boxAfter");
    QTest::addColumn<QString>("clipboardAfter");
    QTest::addColumn<int>("windowsAfter");

    // The box holds "http://abc" with "abc" selected; the clipboard holds "old".
    QTest::newRow("Ctrl+X from the web view cuts from the address box")
        << true << QKeySequence(QKeySequence::Cut) << "http://" << "abc" << 1;
    QTest::newRow("Ctrl+C from the web view copies from the address box")
        << true << QKeySequence(QKeySequence::Copy) << "http://abc" << "abc" << 1;
    QTest::newRow("Ctrl+V from the web view pastes into the address box")
        << true << QKeySequence(QKeySequence::Paste) << "http://old" << "old" << 1;
    QTest::newRow("Ctrl+N from the web view opens a window")
        << true << QKeySequence(Qt::CTRL | Qt::Key_N) << "http://abc" << "old" << 2;
    // The box's own copy would leave "old" there: with nothing selected it does nothing.
    QTest::newRow("Ctrl+C in the address box is the menu's copy, not the box's")
        << false << QKeySequence(QKeySequence::Copy) << "http://abc" << "" << 1;
}

void tst_frmBrowser::shortcutsReachTheWindow()
{
    QFETCH(bool, focusInView);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, boxAfter);
    QFETCH(QString, clipboardAfter);
    QFETCH(int, windowsAfter);

    frmBrowser* window = showBrowser(QString());
    QVERIFY(QTest::qWaitForWindowActive(frmMain::current()));
    QLineEdit* edit = addressBox(window)->lineEdit();
    edit->setText(QStringLiteral("http://abc"));
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    QWidget* target = focusInView ? window->brwWebBrowser()->widget() : edit;
    target->setFocus();
    QTRY_VERIFY(target->hasFocus());
    if (focusInView)
        edit->setSelection(7, 3);

    QTest::keySequence(target, keys);

    QCOMPARE(edit->text(), boxAfter);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboardAfter);
    QCOMPARE(frmMain::current()->mdiArea()->subWindowList().size(), windowsAfter);
}

void tst_frmBrowser::newWindowAndExit()
{
    frmBrowser* first = settledBrowser(QStringLiteral("http://a.example/"));
    viewOf(first)->completeNavigation(QStringLiteral("http://b.example/"), QStringLiteral("B"));
    menuItem(first, QStringLiteral("mnuFileNew"))->trigger();

    QMdiArea* area = frmMain::current()->mdiArea();
    QCOMPARE(area->subWindowList().size(), 2);
    auto* second = qobject_cast<frmBrowser*>(area->subWindowList().last()->widget());
    QVERIFY(second && second != first);
    QCOMPARE(viewOf(second)->calls, QStringList{u"Navigate " % FixedAddresses::home()});
    QVERIFY(viewOf(first)->calls.isEmpty());
    QCOMPARE(listEntries(first).first(), QStringLiteral("http://b.example/"));

    QPointer<frmBrowser> closing = first;
    menuItem(first, QStringLiteral("mnuFileExit"))->trigger();
    QTRY_VERIFY(closing.isNull());
    QCOMPARE(area->subWindowList().size(), 1);
    QCOMPARE(area->subWindowList().first()->widget(), second);
    QVERIFY(frmMain::current()->isVisible());
}

void tst_frmBrowser::missingWebViewOpensNoWindow()
{
    scriptedViews().broken = true;
    openBrowserWindow();
    QCOMPARE(reportedErrors().size(), 1);
    QVERIFY(!frmMain::current());
}

QTEST_MAIN(tst_frmBrowser)
#include "tst_frmbrowser.moc"

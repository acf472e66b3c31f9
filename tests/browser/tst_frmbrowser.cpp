#include "BrowserTestSupport.h"

#include "browser/FixedAddresses.h"
#include "browser/openBrowserWindow.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>

namespace {

QComboBox* addressBox(frmBrowser* window) { return window->findChild<QComboBox*>(u"cboAddress"_s); }
QTimer* busyTimer(frmBrowser* window) { return window->findChild<QTimer*>(u"timTimer"_s); }

QStringList listEntries(frmBrowser* window)
{
    QStringList entries;
    for (int i = 0; i < addressBox(window)->count(); ++i)
        entries.append(addressBox(window)->itemText(i));
    return entries;
}

enum Trigger { Load, Enter, ListSelection, Toolbar, Favourite };

} // namespace

class tst_frmBrowser : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installScriptedViews(); }
    void cleanup() { closeFrame(); }

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
        const QString a = u"http://a.example/"_s;
        QTest::newRow("load navigates to the starting address") << +Load << a << false << u"Navigate " % a << true << false;
        QTest::newRow("load without a starting address does nothing") << +Load << "" << false << "" << false << false;
        QTest::newRow("refused start navigation is skipped silently") << +Load << a << true << u"Navigate " % a << true << false;
        QTest::newRow("Enter sends the text as typed: untrimmed, no scheme added")
            << +Enter << " www.example.com " << false << "Navigate  www.example.com " << true << false;
        QTest::newRow("Enter sends a list entry differing in case as typed")
            << +Enter << "HTTP://A.EXAMPLE/" << false << "Navigate HTTP://A.EXAMPLE/" << true << false;
        QTest::newRow("refused Enter is skipped silently") << +Enter << "http://x.example/" << true << "Navigate http://x.example/" << true << false;
        QTest::newRow("Enter on a lower list entry navigates once") << +Enter << a << false << u"Navigate " % a << true << false;
        QTest::newRow("picking a list entry navigates to it") << +ListSelection << "" << false << u"Navigate " % a << true << false;
        QTest::newRow("refused list selection is an unexpected error") << +ListSelection << "" << true << u"Navigate " % a << true << true;
        QTest::newRow("Back on the first page is skipped silently") << +Toolbar << "Back" << true << "GoBack" << true << false;
        QTest::newRow("Stop stops and switches the poll off") << +Toolbar << "Stop" << false << "Stop" << false << false;
        QTest::newRow("refused Home is skipped silently") << +Toolbar << "Home" << true << u"Navigate " % FixedAddresses::home() << true << false;
        QTest::newRow("Search opens the search page") << +Toolbar << "Search" << false << u"Navigate " % FixedAddresses::searchPage() << true << false;
        QTest::newRow("a favourite leaves a running poll running")
            << +Favourite << "mnuFavMailA" << false << "Navigate http://www.aol.com" << true << false;
        QTest::newRow("refused favourite is an unexpected error")
            << +Favourite << "mnuFavMailA" << true << "Navigate http://www.aol.com" << true << true;
    }
    void navigation()
    {
        QFETCH(int, trigger);
        QFETCH(QString, text);
        QFETCH(bool, refused);
        QFETCH(QString, call);
        QFETCH(bool, polls);
        QFETCH(bool, reported);
        frmBrowser* window = frmBrowser::create().release();
        ScriptedWebView* view = viewOf(window);
        if (refused && trigger == Load)
            view->refuse(call.section(u' ', 0, 0), u"no way"_s);
        window->setStartingAddress(trigger == Load ? text : u"http://a.example/"_s);
        window->Show();
        QLineEdit* edit = addressBox(window)->lineEdit();
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
            edit->clear();
            QTest::keyClicks(edit, text);
            QVERIFY(view->calls.isEmpty()); // editing alone does not navigate
            QTest::keyClick(edit, Qt::Key_Return);
            QCOMPARE(view->calls, QStringList{call});
        } else if (trigger == ListSelection) {
            QTest::keyClick(edit, Qt::Key_Down);
        } else if (trigger == Toolbar) {
            auto* bar = window->findChild<QToolBar*>(u"tbToolBar"_s);
            for (QAction* action : bar->actions())
                if (action->data().toString() == text)
                    QTest::mouseClick(bar->widgetForAction(action), Qt::LeftButton);
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

    void addressList_data()
    {
        QTest::addColumn<QStringList>("completions"); // addresses the view reports, in turn
        QTest::addColumn<QStringList>("expected");
        const QString s = u"http://start.example/"_s, b = u"http://b.example/"_s, c = u"http://c.example/"_s;
        QTest::newRow("redirect keeps the start address under the reported one")
            << QStringList{s + u"home.htm"} << QStringList{s + u"home.htm", s};
        QTest::newRow("revisited address moves to the top, listed once") << QStringList{s, b, c, b} << QStringList{b, c, s};
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
        QTest::newRow("design size keeps 50 twips aside and 100 under") << QSize(506, 342) << 499 << QSize(499, 254);
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
        auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        sub->showMinimized();
        QCoreApplication::processEvents();
        sub->showNormal();
        QCoreApplication::processEvents();
        QCOMPARE(addressBox(window)->width(), window->width() - 7);
        window->resize(506, 342);
        window->resize(inner);
        QCOMPARE(addressBox(window)->geometry(), QRect(QPoint(3, 22), QSize(addressWidth, addressBox(window)->height())));
        QCOMPARE(window->brwWebBrowser()->widget()->geometry(), QRect(QPoint(3, 81), view));
    }

    // The Edit menu and its shortcuts act on the address box, wherever the focus is.
    void editCommands_data()
    {
        QTest::addColumn<QVariant>("command"); // menu index, or keys pressed in the web view
        QTest::addColumn<bool>("inView");      // where the focus is
        QTest::addColumn<bool>("selected");    // "abc" of "http://abc" selected, else caret at 7
        QTest::addColumn<QString>("clipboardBefore");
        QTest::addColumn<QString>("boxAfter");
        QTest::addColumn<QString>("clipboardAfter");
        const QVariant cut = 0, paste = 2;
        QTest::newRow("cut moves the selection to the clipboard") << cut << false << true << "old" << "http://" << "abc";
        QTest::newRow("cut with nothing selected empties the clipboard") << cut << false << false << "old" << "http://abc" << "";
        QTest::newRow("paste replaces the selection") << paste << false << true << "xyz" << "http://xyz" << "xyz";
        QTest::newRow("paste inserts at the caret") << paste << false << false << "xyz/" << "http://xyz/abc" << "xyz/";
        QTest::newRow("paste without clipboard text deletes the selection") << paste << false << true << "" << "http://" << "";
        QTest::newRow("an unknown index does nothing") << QVariant(3) << false << true << "old" << "http://abc" << "old";
        QTest::newRow("Ctrl+X from the web view cuts from the address box")
            << QVariant(QKeySequence(QKeySequence::Cut)) << true << true << "old" << "http://" << "abc";
        QTest::newRow("Ctrl+V from the web view pastes into the address box")
            << QVariant(QKeySequence(QKeySequence::Paste)) << true << true << "old" << "http://old" << "old";
        // The box's own copy would leave "old" there: with nothing selected it does nothing.
        QTest::newRow("Ctrl+C in the address box is the menu's copy, not the box's")
            << QVariant(QKeySequence(QKeySequence::Copy)) << false << false << "old" << "http://abc" << "";
    }
    void editCommands()
    {
        QFETCH(QVariant, command);
        QFETCH(bool, inView);
        QFETCH(bool, selected);
        QFETCH(QString, clipboardBefore);
        QFETCH(QString, boxAfter);
        QFETCH(QString, clipboardAfter);
        frmBrowser* window = showBrowser(QString());
        QVERIFY(QTest::qWaitForWindowActive(frmMain::current()));
        QLineEdit* edit = addressBox(window)->lineEdit();
        edit->setText(u"http://abc"_s);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        if (!clipboardBefore.isEmpty())
            clipboard->setText(clipboardBefore);
        const bool keys = command.typeId() == QMetaType::QKeySequence;
        QWidget* focus = inView ? window->brwWebBrowser()->widget() : edit;
        focus->setFocus();
        QTRY_VERIFY(focus->hasFocus());
        selected ? edit->setSelection(7, 3) : edit->setCursorPosition(7);
        if (keys)
            QTest::keySequence(focus, command.value<QKeySequence>());
        else if (QAction* item = window->findChild<QAction*>(u"mnuEditItem(%1)"_s.arg(command.toInt())))
            item->trigger();
        else
            window->mnuEditItem_Click(command.toInt());
        QCOMPARE(edit->text(), boxAfter);
        QCOMPARE(clipboard->text(), clipboardAfter);
        QVERIFY(viewOf(window)->calls.isEmpty());
    }

    void missingWebViewOpensNoWindow()
    {
        scriptedViews().broken = true;
        openBrowserWindow();
        QCOMPARE(reportedErrors().size(), 1);
        QVERIFY(!frmMain::current());
    }
};

QTEST_MAIN(tst_frmBrowser)
#include "tst_frmbrowser.moc"

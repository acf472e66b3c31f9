// The browser window with the real Qt WebEngine view, every request routed to a
// loopback server that stands as the engine's proxy and records absolute addresses.
#include "browser/Favourites.h"
#include "browser/FixedAddresses.h"
#include "browser/frmBrowser.h"
#include "browser/openBrowserWindow.h"
#include "mainframe/frmMain.h"
#include "platform/UnexpectedError.h"
#include "platform/WebEngineTestMain.h"
#include "support/LoopbackHttpServer.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QToolBar>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

const QString landing = u"http://" % QStringView(FixedAddresses::PageHost) % u"/band/corveluniverse/index.htm";

QStringList g_reported;
void record(const QString& description) { g_reported.append(description); }

// The address as the engine sends it: a bare host gets the path "/"; query kept as is.
QString asSent(const QString& address)
{
    QUrl url(address);
    if (url.path().isEmpty())
        url.setPath(u"/"_s);
    return url.toString(QUrl::FullyEncoded);
}

} // namespace

class tst_BrowserWebEngine : public QObject
{
    Q_OBJECT
    LoopbackHttpServer m_server;
    QPointer<frmBrowser> m_window;
    QStringList m_titles;

    QComboBox* box() const { return m_window->findChild<QComboBox*>(u"cboAddress"_s); }
    QTimer* timer() const { return m_window->findChild<QTimer*>(u"timTimer"_s); }
    bool reached(const QString& address) const { return m_server.urlsTo(QUrl(address).host()).contains(asSent(address)); }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.listen(), qPrintable(m_server.errorString()));
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
        routeWebEngineThrough(m_server);
        UnexpectedError::setReporterForTesting(&record);
        m_server.setResponse(FixedAddresses::home(), LoopbackResponse::redirect(landing));
        m_server.setResponse(landing, LoopbackResponse::page(u"Ardel's Corvel Universe"_s));
        openBrowserWindow();
        m_window = qobject_cast<frmBrowser*>(frmMain::current()->mdiArea()->subWindowList().value(0)->widget());
        connect(m_window, &QWidget::windowTitleChanged, this, [this](const QString& t) { m_titles.append(t); });
        QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), u"Ardel's Corvel Universe"_s, 20000);
        // The start address and, on top, the address the view reports after the redirect.
        QTRY_COMPARE(box()->itemText(0), landing);
        QCOMPARE(box()->itemText(1), FixedAddresses::home());
        QTRY_VERIFY(!timer()->isActive());
    }
    void cleanupTestCase()
    {
        if (QPointer<frmMain> frame = frmMain::current()) {
            frame->close();
            QTRY_VERIFY(frame.isNull());
        }
        QCOMPARE(g_reported, QStringList());
    }

    // Rows run in turn: the list entry picked is the one below the typed address.
    void navigationReachesTheServer_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("title");
        QTest::newRow("Enter requests the typed address") << "Enter" << u"http://a.test/typed.htm"_s << "/typed.htm";
        QTest::newRow("picking a list entry requests it") << "Down" << landing << "Ardel's Corvel Universe";
        QTest::newRow("Home requests the redirect address") << "Home" << FixedAddresses::home() << "Ardel's Corvel Universe";
        QTest::newRow("Search requests the search page") << "Search" << FixedAddresses::searchPage() << "/band/corveluniverse/search.htm";
    }
    void navigationReachesTheServer()
    {
        QFETCH(QString, how);
        QFETCH(QString, address);
        QFETCH(QString, title);
        m_server.clearRequests();
        m_window->setWindowTitle(QString());
        m_titles.clear();
        QLineEdit* edit = box()->lineEdit();
        edit->setFocus();
        if (how == u"Enter")
            edit->setText(address);
        if (how == u"Enter" || how == u"Down")
            QTest::keyClick(edit, how == u"Enter" ? Qt::Key_Return : Qt::Key_Down);
        else
            m_window->tbToolBar_ButtonClick(how);
        QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), title, 15000);
        QCOMPARE(m_titles.value(0), u"Working..."_s);
        QVERIFY(reached(address));
        QTRY_COMPARE(box()->itemText(0), m_window->brwWebBrowser()->LocationURL());
    }

    void copyShortcutFromThePageActsOnTheAddressBox()
    {
        frmMain::current()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmMain::current()));
        box()->lineEdit()->setText(u"http://abc"_s);
        QWidget* view = m_window->brwWebBrowser()->widget();
        QWidget* focus = view->focusProxy() ? view->focusProxy() : view;
        focus->setFocus();
        QTRY_VERIFY(focus->hasFocus());
        box()->lineEdit()->setSelection(7, 3);
        QGuiApplication::clipboard()->setText(u"old"_s);
        QTest::keySequence(focus, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"abc"_s);
    }

    // Each of the window's Favourites commands reaches, exactly, the address that the
    // same command of a separately built tree hands over.
    void everyFavouriteReachesItsAddress()
    {
        QMenu tree;
        QString handed;
        Favourites::buildMenu(&tree, [&handed](const QString& address) { handed = address; });
        int commands = 0;
        for (QAction* command : tree.findChildren<QAction*>()) {
            if (command->isSeparator() || command->menu() || command->objectName().isEmpty())
                continue;
            command->trigger();
            QTRY_VERIFY_WITH_TIMEOUT(!m_window->brwWebBrowser()->Busy() && !timer()->isActive(), 20000);
            m_window->findChild<QAction*>(command->objectName())->trigger();
            QVERIFY2(!timer()->isActive(), qPrintable(command->objectName())); // no busy poll
            QTRY_VERIFY2_WITH_TIMEOUT(reached(handed), qPrintable(handed), 20000);
            ++commands;
        }
        QCOMPARE(commands, 55);
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->brwWebBrowser()->Busy(), 20000);
    }

    void favouriteDuringARunningNavigationGoesToTheSameViewAtOnce()
    {
        // Enter starts the busy poll on a page that never answers; the command then hands
        // its address to the same view at once and leaves the running poll as it was.
        const QString stalled = u"http://stalled.example/slow.htm"_s;
        m_server.setResponse(stalled, LoopbackResponse::neverAnswer());
        box()->lineEdit()->setText(stalled);
        m_window->cboAddress_KeyPress(13);
        QTRY_VERIFY_WITH_TIMEOUT(reached(stalled), 20000);
        m_server.clearRequests();
        m_window->findChild<QAction*>(u"mnuFavNbNews"_s)->trigger();
        QVERIFY(timer()->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!timer()->isActive(), 20000);
        QCOMPARE(QUrl(box()->itemText(0)).path(), u"/band/corveluniverse/news.htm"_s);
        QVERIFY(reached(box()->itemText(0)));
    }
};

WEBENGINE_TEST_MAIN(tst_BrowserWebEngine)
#include "tst_browser_webengine.moc"

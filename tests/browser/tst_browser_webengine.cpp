// The browser window on the real Qt WebEngine, every request routed to a loopback server
// that stands as the engine's proxy and records absolute addresses.
#include "browser/FixedAddresses.h"
#include "platform/WebEngineTestMain.h"
#include "platform/WebViewProvider.h"
#include "support/RealEngine.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDirIterator>
#include <QLabel>
#include <QStandardPaths>
#include <QUrl>

using namespace RealEngine;

namespace {

const QString landing = u"http://"_s % QStringView(FixedAddresses::PageHost) % u"/band/corveluniverse/index.htm";
const char* const handedOffSchemes[] = {"mailto", "calc-custom"};

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
    QStringList m_titles, m_handedOff;

    QComboBox* box() const { return m_window->findChild<QComboBox*>(u"cboAddress"_s); }
    WebView* view() const { return m_window->brwWebBrowser(); }
    bool reached(const QString& address) const
    {
        return m_server.urlsTo(QUrl(address).host()).contains(asSent(address));
    }
    bool settled() const { return RealEngine::settled(m_window); }

public slots:
    // Stands in for the desktop: addresses the engine would hand to another program.
    void open(const QUrl& url) { m_handedOff.append(url.toString()); }

private slots:
    void initTestCase()
    {
        routeThrough(m_server);
        for (const char* scheme : handedOffSchemes)
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
        m_server.setResponse(FixedAddresses::home(), LoopbackResponse::redirect(landing));
        m_server.setResponse(landing, LoopbackResponse::page(u"Ardel's Corvel Universe"_s));
        openWindow(m_window);
        connect(m_window, &QWidget::windowTitleChanged, this, [this](const QString& t) { m_titles.append(t); });
        QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), u"Ardel's Corvel Universe"_s, 20000);
        // The start address and, on top, the address the view reports after the redirect.
        QTRY_COMPARE(box()->itemText(0), landing);
        QCOMPARE(box()->itemText(1), FixedAddresses::home());
        QTRY_VERIFY(settled());
    }
    void cleanupTestCase()
    {
        for (const char* scheme : handedOffSchemes)
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        closeFrame();
    }

    // A view with no page and no history refuses the moves that the engine would ignore,
    // which would leave the window busy for good.
    void freshViewRefusesHistoryMoves()
    {
        QWidget parent;
        const std::unique_ptr<WebView> fresh = WebViewProvider::create(&parent);
        QVERIFY(!fresh->Refresh().ok() && !fresh->GoBack().ok() && !fresh->GoForward().ok());
        QVERIFY(!fresh->Busy());
    }

    // Rows run in turn, each on the history the rows above left.
    void navigationReachesTheServer_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("requested"); // history moves may come from the engine's cache
        const QString typed = u"http://a.test/typed.htm?x=1&empty="_s;
        QTest::newRow("Enter requests the typed address, query kept") << "Enter" << typed << "/typed.htm" << true;
        QTest::newRow("Home requests the redirect address")
            << "Home" << FixedAddresses::home() << "Ardel's Corvel Universe" << true;
        QTest::newRow("Back returns to the typed page") << "Back" << typed << "/typed.htm" << false;
        QTest::newRow("Forward returns to the home page") << "Forward" << landing << "Ardel's Corvel Universe" << false;
        QTest::newRow("Refresh asks the server again") << "Refresh" << landing << "Ardel's Corvel Universe" << true;
    }
    void navigationReachesTheServer()
    {
        QFETCH(QString, how);
        QFETCH(QString, address);
        QFETCH(QString, title);
        QFETCH(bool, requested);
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 15000); // the row above's load has ended
        m_server.clearRequests();
        m_window->setWindowTitle(QString());
        m_titles.clear();
        if (how == u"Enter")
            typeAddress(address);
        else
            m_window->tbToolBar_ButtonClick(how);
        QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), title, 15000);
        QCOMPARE(m_titles.value(0), u"Working..."_s);
        QVERIFY(!requested || reached(address));
        QTRY_COMPARE(box()->itemText(0), view()->LocationURL());
        QVERIFY(requested || view()->LocationURL() == address);
    }

    // Addresses of other programs: mail goes to the mail program when a person asks for
    // it; anything else refused says why in the view.
    void otherProgramsAddresses_data()
    {
        QTest::addColumn<QString>("how"); // "click" on a link, "typed", "script" without a click
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("mailProgram"); // one is set up
        QTest::addColumn<QString>("said");     // the bar's text; empty: no bar, and the address handed off
        const QString mail = u"mailto:someone@a.test"_s;
        QTest::newRow("mail link goes to the mail program") << "click" << mail << true << QString();
        QTest::newRow("typed mail address goes to the mail program") << "typed" << mail << true << QString();
        QTest::newRow("mail link with no mail program says so")
            << "click" << mail << false << u"No mail program is set up to open \u201cmailto:someone@a.test\u201d"_s;
        QTest::newRow("custom scheme link names its scheme")
            << "click" << u"calc-custom://open/thing"_s << true
            << u"Addresses starting with \u201ccalc-custom:\u201d are not opened by this browser"_s;
        QTest::newRow("mail address a script opens without a click")
            << "script" << mail << true
            << u"This page tried to open \u201cmailto:someone@a.test\u201d without a click"_s;
    }
    void otherProgramsAddresses()
    {
        QFETCH(QString, how);
        QFETCH(QString, address);
        QFETCH(bool, mailProgram);
        QFETCH(QString, said);
        const QString links = u"http://a.test/links.htm"_s;
        const QByteArray target = address.toUtf8();
        load(m_server, m_window, links,
             LoopbackResponse::page(u"links"_s,
                                    how == u"script"
                                        ? "<script>setTimeout(() => location = '" + target + "', 50)</script>"
                                        : wholePage("href=\"" + target + '"')),
             u"links"_s);
        m_handedOff.clear();
        if (!mailProgram)
            QDesktopServices::unsetUrlHandler(u"mailto"_s);
        QTest::qWait(300); // let the page lay out before clicking it
        if (how == u"click")
            QTest::mouseClick(viewInput(m_window), Qt::LeftButton, {}, viewInput(m_window)->rect().center());
        else if (how == u"typed")
            typeAddress(address);
        QTRY_VERIFY_WITH_TIMEOUT(!notice(m_window).isEmpty() || !m_handedOff.isEmpty(), 5000);
        QTest::qWait(300); // nothing more comes
        QDesktopServices::setUrlHandler(u"mailto"_s, this, "open");
        QCOMPARE(notice(m_window), said);
        QCOMPARE(m_handedOff, said.isEmpty() ? QStringList{address} : QStringList());
        QCOMPARE(view()->LocationURL(), links);
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 15000);
    }

    void nothingOfTheSessionReachesTheDisk()
    {
        LoopbackResponse stored = LoopbackResponse::page(
            u"stored"_s, "<script>localStorage.setItem('k','v');indexedDB.open('d');</script>");
        stored.headers.emplaceBack("Set-Cookie", "id=1; Max-Age=86400");
        stored.headers.emplaceBack("Cache-Control", "max-age=86400");
        load(m_server, m_window, u"http://a.test/store.htm"_s, stored, u"stored"_s);
        QTest::qWait(500);
        QStringList files; // the engine may leave empty folders; files are what count, but ours
        for (auto where : {QStandardPaths::GenericDataLocation, QStandardPaths::GenericCacheLocation,
                           QStandardPaths::GenericConfigLocation})
            for (QDirIterator it(QStandardPaths::writableLocation(where), QDir::Files | QDir::Hidden,
                                 QDirIterator::Subdirectories);
                 it.hasNext();)
                files.append(it.next());
        files.removeIf(
            [](const QString& path) { return path.contains(u"fontconfig") || path.endsWith(u"/Calculator.conf"); });
        QVERIFY2(files.isEmpty(), qPrintable(files.join(u' ')));
    }

    void findBarCountsMatchesOnThePage()
    {
        load(m_server, m_window, u"http://a.test/find.htm"_s,
             LoopbackResponse::page(u"find"_s, "<p>corvel one, corvel two</p><p>and Corvel three</p>"), u"find"_s);
        clickPage(m_window);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::Find);
        QTest::keyClicks(QApplication::focusWidget(), u"corvel"_s);
        auto* matches = m_window->findChild<QLabel*>(u"lblMatches"_s);
        QTRY_COMPARE_WITH_TIMEOUT(matches->text(), u"1 of 3"_s, 5000);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(matches->text(), u"2 of 3"_s, 5000);
        QTest::keyClicks(QApplication::focusWidget(), u"x"_s);
        QTRY_COMPARE_WITH_TIMEOUT(matches->text(), u"No matches"_s, 5000);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!matches->isVisible());
        QTRY_VERIFY(viewInput(m_window)->hasFocus());

        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_Plus));
        QTRY_COMPARE(view()->zoomFactor(), 1.1);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_0));
        QTRY_COMPARE(view()->zoomFactor(), 1.0);
    }
};

WEBENGINE_TEST_MAIN(tst_BrowserWebEngine)
#include "tst_browser_webengine.moc"

#include "platform/WebViewProvider.h"
#include "platform/WebViewEventLog.h"
#include "platform/WebEngineTestMain.h"
#include "support/LoopbackHttpServer.h"

#include <QDesktopServices>
#include <QDirIterator>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>

#include <unistd.h>

// Records the addresses the desktop would have been asked to open.
class DesktopOpenRecorder : public QObject
{
    Q_OBJECT

public:
    QStringList opened;

public slots:
    void open(const QUrl& url) { opened.append(url.toString()); }
};

// The real web view module on the real engine, every request going to the loopback
// server.
class tst_WebEngineView : public QObject
{
    Q_OBJECT

private:
    static constexpr int LoadTimeoutMs = 30000;

    LoopbackHttpServer m_server;
    QWidget m_window;
    std::unique_ptr<WebView> m_view;
    std::unique_ptr<WebViewEventLog> m_log;
    DesktopOpenRecorder m_desktop;

    static QString page(const char* path) { return u"http://a.test" % QString::fromLatin1(path); }
    // The pages requested from a.test, leaving out the engine's own icon requests.
    QStringList pageRequests() const
    {
        QStringList urls = m_server.urlsTo(u"a.test"_qs);
        urls.removeIf([](const QString& url) { return url.endsWith(u"/favicon.ico"); });
        return urls;
    }

    // Navigates and waits until loading has ended; false when it did not.
    bool loadAndWait(const QString& address)
    {
        m_log->entries.clear();
        if (!m_view->Navigate(address).ok() || !m_view->Busy())
            return false;
        return waitUntilEnded();
    }
    bool waitUntilEnded()
    {
        return QTest::qWaitFor([this] { return !m_view->Busy() && m_log->ended(); }, LoadTimeoutMs);
    }
    void clickMiddleOfPage()
    {
        QWidget* target = m_view->widget()->focusProxy() ? m_view->widget()->focusProxy() : m_view->widget();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.listen(), qPrintable(m_server.errorString()));
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
        routeWebEngineThrough(m_server);
        for (const char* scheme : {"mailto", "calc-custom"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_desktop, "open");
        m_window.resize(480, 360);
        m_window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
    }
    void init()
    {
        QString error;
        m_view = WebViewProvider::create(&m_window, &error);
        QVERIFY2(m_view, qPrintable(error));
        m_view->widget()->setGeometry(m_window.rect());
        m_view->widget()->show();
        m_log = std::make_unique<WebViewEventLog>(m_view.get());
        m_server.clearRequests();
        m_server.clearResponses();
        m_desktop.opened.clear();
    }
    void cleanup()
    {
        m_log.reset();
        m_view.reset();
    }
    void cleanupTestCase()
    {
        for (const char* scheme : {"mailto", "calc-custom"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    void viewIsAChildOfTheGivenParent() { QCOMPARE(m_view->widget()->parentWidget(), &m_window); }

    void navigationCommitsThenEnds_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("ruleFor");
        QTest::addColumn<int>("rule"); // 0 none, 1 redirect to b.test/new, 2 404, 3 drop
        QTest::addColumn<QString>("expectedUrl");
        QTest::addColumn<QString>("expectedTitle");

        QTest::newRow("a page commits its address, then loading ends")
            << page("/band/p.htm?x=1") << QString() << 0 << page("/band/p.htm?x=1") << u"/band/p.htm"_qs;
        QTest::newRow("the address is reported in the view's own form")
            << u"http://a.test"_qs << QString() << 0 << u"http://a.test/"_qs << u"/"_qs;
        QTest::newRow("a redirect commits the final address")
            << page("/old") << page("/old") << 1 << u"http://b.test/new"_qs << u"/new"_qs;
        QTest::newRow("a 404 page commits and ends like any page")
            << page("/missing") << page("/missing") << 2 << page("/missing") << u"Missing"_qs;
    }
    void navigationCommitsThenEnds()
    {
        QFETCH(QString, address);
        QFETCH(QString, ruleFor);
        QFETCH(int, rule);
        QFETCH(QString, expectedUrl);
        QFETCH(QString, expectedTitle);
        if (rule == 1)
            m_server.setResponse(ruleFor, LoopbackResponse::redirect(u"http://b.test/new"_qs));
        else if (rule == 2)
            m_server.setResponse(ruleFor, LoopbackResponse::error(404, u"Missing"_qs));

        QVERIFY(loadAndWait(address));
        QCOMPARE(m_log->entries, QStringList({u"NavigateComplete2 " % expectedUrl, u"DownloadComplete"_qs}));
        QCOMPARE(m_view->LocationURL(), expectedUrl);
        QTRY_COMPARE(m_view->LocationName(), expectedTitle);
        // The engine asks for the bare host's root page.
        QCOMPARE(pageRequests().value(0), address == u"http://a.test" ? u"http://a.test/"_qs : address);
    }

    void failedLoadEndsAndClearsBusy_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("connection dropped without an answer") << int(LoopbackResponse::Kind::Drop);
        QTest::newRow("proxy refuses with 502") << -1;
    }
    void failedLoadEndsAndClearsBusy()
    {
        QFETCH(int, kind);
        LoopbackResponse response = LoopbackResponse::error(502, u"Bad gateway"_qs);
        if (kind >= 0)
            response.kind = LoopbackResponse::Kind(kind);
        m_server.setResponse(page("/broken"), response);
        QVERIFY(loadAndWait(page("/broken")));
        QCOMPARE(m_log->entries.count(u"DownloadComplete"_qs), 1);
        // Chromium shows its error page under the failed address.
        QCOMPARE(m_view->LocationURL(), page("/broken"));
    }

    void lateEndOfAReplacedLoadKeepsTheNewOneBusy()
    {
        m_server.setResponse(page("/slow"), LoopbackResponse::neverAnswer());
        LoopbackResponse late = LoopbackResponse::page(u"late"_qs);
        late.delayMs = 1500;
        m_server.setResponse(page("/late"), late);

        QVERIFY(m_view->Navigate(page("/slow")).ok());
        QTRY_VERIFY_WITH_TIMEOUT(m_server.urlsTo(u"a.test"_qs).contains(page("/slow")), LoadTimeoutMs);
        QVERIFY(m_view->Navigate(page("/late")).ok());
        // Poll as the browser window does: busy without a break until the new page is in.
        while (m_view->LocationName() != u"late") {
            QVERIFY2(m_view->Busy(), qPrintable(m_log->entries.join(u" | ")));
            QTest::qWait(5);
            if (m_log->entries.contains(u"NavigateComplete2 " % page("/late")))
                break;
        }
        QVERIFY(waitUntilEnded());
        QCOMPARE(m_view->LocationURL(), page("/late"));
    }

    void endOfAStoppedLoadDoesNotEndTheNextNavigation()
    {
        // Stop, then a new address straight away (Stop, then Home): whatever the engine
        // reports about the stopped load, the new navigation stays busy until it commits.
        m_server.setResponse(page("/hang"), LoopbackResponse::neverAnswer());
        LoopbackResponse next = LoopbackResponse::page(u"next"_qs);
        next.delayMs = 500;
        m_server.setResponse(page("/next"), next);
        QVERIFY(m_view->Navigate(page("/hang")).ok());
        QTRY_VERIFY_WITH_TIMEOUT(m_server.urlsTo(u"a.test"_qs).contains(page("/hang")), LoadTimeoutMs);

        QVERIFY(m_view->Stop().ok());
        QVERIFY(m_view->Navigate(page("/next")).ok());
        m_log->entries.clear();
        while (!m_log->entries.contains(u"NavigateComplete2 " % page("/next"))) {
            QVERIFY2(m_view->Busy(), qPrintable(m_log->entries.join(u" | ")));
            QTest::qWait(5);
        }
        QVERIFY(waitUntilEnded());
    }

    void stopEndsAPendingLoad()
    {
        m_server.setResponse(page("/hang"), LoopbackResponse::neverAnswer());
        QVERIFY(m_view->Navigate(page("/hang")).ok());
        QTRY_VERIFY_WITH_TIMEOUT(m_server.urlsTo(u"a.test"_qs).contains(page("/hang")), LoadTimeoutMs);
        QVERIFY(m_view->Busy());
        QVERIFY(m_view->Stop().ok());
        QVERIFY(waitUntilEnded());
        QVERIFY(m_view->Stop().ok()); // idle: nothing to stop, nothing breaks
        QVERIFY(!m_view->Busy());
    }

    void historyRequestsWithNothingThereAreRefused()
    {
        const WebViewResult back = m_view->GoBack();
        const WebViewResult forward = m_view->GoForward();
        const WebViewResult refresh = m_view->Refresh();
        QVERIFY(!back.ok() && !forward.ok() && !refresh.ok());
        QVERIFY(!back.error.isEmpty());
        QVERIFY(!m_view->Busy());
        QVERIFY(m_log->entries.isEmpty());
    }

    void historyMovesAndReloadsReportTheirPages()
    {
        QVERIFY(loadAndWait(page("/one")));
        QVERIFY(loadAndWait(page("/two")));

        m_log->entries.clear();
        QVERIFY(m_view->GoBack().ok());
        QVERIFY(m_view->Busy());
        QVERIFY(waitUntilEnded());
        QCOMPARE(m_log->entries, QStringList({u"NavigateComplete2 " % page("/one"), u"DownloadComplete"_qs}));

        m_log->entries.clear();
        QVERIFY(m_view->GoForward().ok());
        QVERIFY(m_view->Busy());
        QVERIFY(waitUntilEnded());
        QCOMPARE(m_view->LocationURL(), page("/two"));

        // A reload keeps the address, and still reports the completed navigation.
        m_log->entries.clear();
        m_server.clearRequests();
        QVERIFY(m_view->Refresh().ok());
        QVERIFY(m_view->Busy());
        QVERIFY(waitUntilEnded());
        QCOMPARE(m_log->entries, QStringList({u"NavigateComplete2 " % page("/two"), u"DownloadComplete"_qs}));
        QCOMPARE(pageRequests(), QStringList{page("/two")});
    }

    void addressesTheEngineWouldHandOffAreRefused_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("mail link") << u"mailto:someone@a.test"_qs;
        QTest::newRow("custom scheme") << u"calc-custom://open/thing"_qs;
        QTest::newRow("script address") << u"javascript:alert(1)"_qs;
        QTest::newRow("empty address") << QString();
    }
    void addressesTheEngineWouldHandOffAreRefused()
    {
        QFETCH(QString, address);
        const WebViewResult result = m_view->Navigate(address);
        QVERIFY(!result.ok());
        QVERIFY(!result.error.isEmpty());
        QVERIFY(!m_view->Busy());
        QTest::qWait(300);
        QVERIFY(m_log->entries.isEmpty());
        QCOMPARE(pageRequests(), QStringList());
        QVERIFY(m_desktop.opened.isEmpty());
    }

    void addressWithoutSchemeIsNotCompleted()
    {
        // Whether the view refuses it or hands it on as typed, nothing is fetched for it
        // and the view does not stay busy.
        (void)m_view->Navigate(u"a.test/page.htm"_qs);
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->Busy(), LoadTimeoutMs);
        QTest::qWait(300);
        QCOMPARE(pageRequests(), QStringList());
        QCOMPARE(m_desktop.opened, QStringList());
    }

    void clickedLinksNeverStartAnotherProgram_data()
    {
        QTest::addColumn<QString>("href");
        QTest::addColumn<bool>("followed");
        // The followed row shows that the click really reaches the link.
        QTest::newRow("web link is followed") << page("/target") << true;
        QTest::newRow("mail link starts nothing") << u"mailto:someone@a.test"_qs << false;
        QTest::newRow("custom scheme link starts nothing") << u"calc-custom://open/thing"_qs << false;
    }
    void clickedLinksNeverStartAnotherProgram()
    {
        QFETCH(QString, href);
        QFETCH(bool, followed);
        const QByteArray link = "<a href=\"" + href.toUtf8()
            + "\" style=\"position:fixed;left:0;top:0;width:100%;height:100%\">link</a>";
        m_server.setResponse(page("/links"), LoopbackResponse::page(u"links"_qs, link));
        QVERIFY(loadAndWait(page("/links")));
        QTRY_COMPARE(m_view->LocationName(), u"links"_qs);
        QTest::qWait(300); // let the page lay out before clicking it

        clickMiddleOfPage();
        if (followed) {
            QTRY_COMPARE_WITH_TIMEOUT(m_view->LocationURL(), page("/target"), LoadTimeoutMs);
        } else {
            QTest::qWait(1500);
            QCOMPARE(m_view->LocationURL(), page("/links"));
        }
        QCOMPARE(m_desktop.opened, QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->Busy(), LoadTimeoutMs);
    }

    void nothingOfTheSessionReachesTheDisk()
    {
        LoopbackResponse cookie = LoopbackResponse::page(
            u"stored"_qs, "<script>localStorage.setItem('k','v');indexedDB.open('d');</script>");
        cookie.headers.emplaceBack("Set-Cookie", "id=1; Max-Age=86400");
        cookie.headers.emplaceBack("Cache-Control", "max-age=86400");
        m_server.setResponse(page("/store"), cookie);
        QVERIFY(loadAndWait(page("/store")));
        QTest::qWait(500);

        QStringList engineFiles;
        for (auto location : {QStandardPaths::GenericDataLocation, QStandardPaths::GenericCacheLocation,
                              QStandardPaths::GenericConfigLocation}) {
            // The engine may leave an empty folder for the profile; files are what count.
            QDirIterator it(QStandardPaths::writableLocation(location), QDir::Files | QDir::Hidden,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                if (!path.contains(u"fontconfig"))
                    engineFiles.append(path);
            }
        }
        QCOMPARE(engineFiles, QStringList());
    }

    void userFlagsAreKeptAndTheSandboxOnlyDroppedForRoot()
    {
        const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        const QByteArray expectedStart = "--disable-gpu --proxy-server=" + m_server.address().toLatin1();
        QVERIFY2(flags.startsWith(expectedStart), flags.constData());
        QCOMPARE(flags.split(' ').contains("--no-sandbox"), geteuid() == 0);
    }
};

WEBENGINE_TEST_MAIN(tst_WebEngineView)
#include "tst_webengineview.moc"

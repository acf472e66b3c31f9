// Every Favourites command, chosen in a real browser window with the real web engine,
// must reach its exact address: all traffic goes to a loopback server standing in as the
// engine's proxy, which records the absolute address of every request.
#include "ExpectedFavourites.h"

#include "browser/frmBrowser.h"
#include "browser/openBrowserWindow.h"
#include "mainframe/frmMain.h"
#include "platform/UnexpectedError.h"
#include "platform/WebEngineTestMain.h"
#include "support/LoopbackHttpServer.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace {

QStringList g_reported;
void record(const QString& description) { g_reported.append(description); }

// The address as the engine sends it: a bare host gets the path "/"; query kept as is.
QString asSent(const QString& address)
{
    QUrl url(address);
    if (url.path().isEmpty())
        url.setPath(QStringLiteral("/"));
    return url.toString(QUrl::FullyEncoded);
}

} // namespace

class tst_FavouritesWebEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.listen(), qPrintable(m_server.errorString()));
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
        routeWebEngineThrough(m_server);
        UnexpectedError::setReporterForTesting(&record);
        openBrowserWindow();
        QVERIFY(frmMain::current());
        m_window = qobject_cast<frmBrowser*>(frmMain::current()->mdiArea()->subWindowList().value(0)->widget());
        QVERIFY(m_window);
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->brwWebBrowser()->Busy(), 30000);
    }

    void cleanupTestCase()
    {
        if (QPointer<frmMain> frame = frmMain::current()) {
            frame->close();
            QTRY_VERIFY(frame.isNull());
        }
        QCOMPARE(g_reported, QStringList());
    }

    void everyCommandReachesItsAddress()
    {
        auto* timer = m_window->findChild<QTimer*>(u"timTimer"_s);
        for (const ExpectedCommand& command : expectedCommands()) {
            const QString host = QUrl(command.address).host();
            const qsizetype before = m_server.urlsTo(host).size();
            QTRY_VERIFY(!timer->isActive());
            m_window->findChild<QAction*>(command.name)->trigger();
            // The command leaves the busy poll alone; only the view's events follow.
            QVERIFY2(!timer->isActive(), qPrintable(command.name));
            // The page itself, exactly; the engine may ask the same host for its icon too.
            QTRY_VERIFY2_WITH_TIMEOUT(m_server.urlsTo(host).mid(before).contains(asSent(command.address)),
                                      qPrintable(command.name % u": " % m_server.urlsTo(host).mid(before).join(u' ')),
                                      20000);
            QTRY_VERIFY_WITH_TIMEOUT(!m_window->brwWebBrowser()->Busy(), 20000);
        }
    }

    void commandDuringARunningNavigationGoesToTheSameViewAtOnce()
    {
        // Enter starts the busy poll on a page that never answers; the command then hands
        // its address to the same view at once and leaves the running poll as it was.
        const QString stalled = u"http://stalled.example/slow.htm"_s;
        m_server.setResponse(stalled, LoopbackResponse::neverAnswer());
        auto* timer = m_window->findChild<QTimer*>(u"timTimer"_s);
        auto* box = m_window->findChild<QComboBox*>(u"cboAddress"_s);
        box->lineEdit()->setText(stalled);
        m_window->cboAddress_KeyPress(13);
        QTRY_VERIFY_WITH_TIMEOUT(m_server.urlsTo(u"stalled.example"_s).contains(stalled), 20000);
        m_window->findChild<QAction*>(u"mnuFavNbNews"_s)->trigger();
        QVERIFY(timer->isActive());
        QString news;
        for (const ExpectedCommand& command : expectedCommands())
            news = command.name == u"mnuFavNbNews" ? command.address : news;
        QTRY_VERIFY_WITH_TIMEOUT(m_server.urlsTo(QUrl(news).host()).contains(news), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), 20000);
        QCOMPARE(QUrl(box->itemText(0)).path(), QUrl(news).path());
    }

private:
    LoopbackHttpServer m_server;
    QPointer<frmBrowser> m_window;
};

WEBENGINE_TEST_MAIN(tst_FavouritesWebEngine)
#include "tst_favourites_webengine.moc"

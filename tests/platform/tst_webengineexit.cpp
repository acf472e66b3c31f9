#include "platform/WebViewProvider.h"
#include "platform/WebEngineTestMain.h"
#include "support/LoopbackHttpServer.h"

#include <QTest>
#include <QWidget>

// Ends the process with a view still open, as the program does when its windows are
// left to the application's end; ctest fails the run on the engine's exit warnings.
class tst_WebEngineExit : public QObject
{
    Q_OBJECT

    LoopbackHttpServer m_server;

private slots:
    void viewLeftOpenAtExit()
    {
        QVERIFY(m_server.listen());
        routeWebEngineThrough(m_server);
        auto* window = new QWidget; // deliberately never deleted
        QString error;
        WebView* view = WebViewProvider::create(window, &error).release();
        QVERIFY2(view, qPrintable(error));
        window->show();
        QVERIFY(view->Navigate(u"http://a.test/exit"_qs).ok());
        QTRY_COMPARE_WITH_TIMEOUT(view->LocationName(), u"/exit"_qs, 30000);
    }
};

WEBENGINE_TEST_MAIN(tst_WebEngineExit)
#include "tst_webengineexit.moc"

#include "platform/WebView.h"
#include "platform/WebViewProvider.h"
#include "support/LoopbackHttpServer.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

// Stands in for the installed program: asks the web view provider for a view as the
// first browser window does, then loads a page through it from a loopback server. The
// exit code says whether the module was found and served the page.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    LoopbackHttpServer server;
    if (!server.listen()) {
        std::fprintf(stderr, "no loopback server: %s\n", qPrintable(server.errorString()));
        return 2;
    }
    routeWebEngineThrough(server);

    QWidget window;
    QString error;
    const std::unique_ptr<WebView> view = WebViewProvider::create(&window, &error);
    if (!view) {
        std::fprintf(stderr, "no web view: %s\n", qPrintable(error));
        return 1;
    }
    window.show();
    // The server titles its pages with their path.
    const QString path = QStringLiteral("/installed");
    const QString address = u"http://layout.test" % path;
    if (const WebViewResult navigated = view->Navigate(address); !navigated.ok()) {
        std::fprintf(stderr, "navigation refused: %s\n", qPrintable(navigated.error));
        return 3;
    }

    bool loaded = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        if (view->LocationName() == path && !view->Busy()) {
            loaded = server.urlsTo(QStringLiteral("layout.test")).contains(address);
            app.quit();
        }
    });
    poll.start(10);
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    app.exec();
    if (!loaded)
        std::fprintf(stderr, "the page did not load through the module\n");
    return loaded ? 0 : 4;
}

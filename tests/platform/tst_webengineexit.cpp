#include "platform/WebView.h"
#include "platform/WebViewProvider.h"
#include "support/LoopbackHttpServer.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

// Ends the program as the calculator does: its event loop returns while a window with a
// web view is still open and never deleted. ctest fails the run on the engine's exit
// warnings or a crash; the exit code says whether the view was made and the page loaded
// at all. tests/packaging installs it as the stand-in for the program.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    LoopbackHttpServer server;
    if (!server.listen())
        return 2;
    routeWebEngineThrough(server);

    auto* window = new QWidget; // deliberately never deleted
    QString error;
    WebView* view = WebViewProvider::create(window, &error).release(); // nor this
    if (!view) {
        std::fprintf(stderr, "no view: %s\n", qPrintable(error));
        return 3;
    }
    window->show();
    if (!view->Navigate(QStringLiteral("http://a.test/exit")).ok())
        return 4;

    bool loaded = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        if (view->LocationName() == u"/exit" && !view->Busy()) {
            loaded = true;
            app.quit();
        }
    });
    poll.start(5);
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    app.exec();
    std::fprintf(stderr, loaded ? "loaded, exiting\n" : "the page never loaded\n");
    return loaded ? 0 : 1;
}

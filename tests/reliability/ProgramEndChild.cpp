// The program's own start (guarded application, calculator window), optionally with a
// browser window on the real engine served by an in-process loopback server; then it
// closes its windows in the order the scenario names and lets the event loop end.
// Prints "closing" just before the first window closes.
#include "browser/FixedAddresses.h"
#include "browser/openBrowserWindow.h"
#include "calculator/Calculator.h"
#include "mainframe/frmMain.h"
#include "platform/GuardedApplication.h"
#include "support/LoopbackHttpServer.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    GuardedApplication app(argc, argv);
    const QString scenario = app.arguments().value(1);

    LoopbackHttpServer server;
    if (!server.listen())
        return 3;
    routeWebEngineThrough(server);
    const bool stalled = scenario.startsWith(u"stalled");
    server.setResponse(FixedAddresses::home(), stalled ? LoopbackResponse::neverAnswer()
                                                       : LoopbackResponse::page(QStringLiteral("Home")));

    auto* calculator = new Calculator;
    calculator->setAttribute(Qt::WA_DeleteOnClose);
    calculator->show();

    const auto closeAll = [&] {
        std::printf("closing\n");
        std::fflush(stdout);
        const bool frameFirst = scenario.endsWith(u"frame-first");
        if (!frameFirst)
            calculator->close();
        if (frmMain* frame = frmMain::current())
            frame->close();
        if (frameFirst)
            calculator->close();
    };

    if (scenario == u"calculator-only") {
        QTimer::singleShot(200, calculator, closeAll);
    } else {
        openBrowserWindow();
        QPointer<QWidget> window = frmMain::current()->mdiArea()->subWindowList().value(0)->widget();
        auto* poll = new QTimer(calculator);
        QObject::connect(poll, &QTimer::timeout, calculator, [&, window, poll] {
            const bool ready = stalled ? !server.urlsTo(QUrl(FixedAddresses::home()).host()).isEmpty()
                                       : (window && window->windowTitle() == u"Home");
            if (ready) {
                poll->stop();
                closeAll();
            }
        });
        poll->start(20);
    }
    return app.exec();
}

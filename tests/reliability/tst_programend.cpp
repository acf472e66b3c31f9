// When the last window closes, the process ends with status 0 within two seconds and no
// web engine helper outlives it. The test runs itself as the program, one scenario a run.
#include "browser/FixedAddresses.h"
#include "calculator/Calculator.h"
#include "mainframe/frmMain.h"
#include "platform/CalculatorApplication.h"
#include "support/LoopbackHttpServer.h"

#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <cstdio>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The program's own start, with a browser window served by an in-process loopback server
// unless the scenario is the calculator alone; prints "closing" once the page is loaded
// (or requested, if it never answers) and closes the windows in the scenario's order.
int runProgram(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    CalculatorApplication app(argc, argv);
    const QString scenario = app.arguments().value(2);
    const bool stalled = scenario.startsWith(u"stalled");
    LoopbackHttpServer server;
    if (!server.listen())
        return 3;
    routeWebEngineThrough(server);
    server.setResponse(FixedAddresses::home(),
                       stalled ? LoopbackResponse::neverAnswer() : LoopbackResponse::page(QStringLiteral("Home")));

    auto* calculator = new Calculator;
    calculator->setAttribute(Qt::WA_DeleteOnClose);
    calculator->show();
    QPointer<QWidget> window;
    if (scenario != u"calculator-only") {
        frmMain::openBrowserWindow();
        window = frmMain::current()->mdiArea()->subWindowList().constFirst()->widget();
    }
    auto* poll = new QTimer(calculator);
    QObject::connect(poll, &QTimer::timeout, calculator, [&, poll] {
        if (stalled ? server.urlsTo(QUrl(FixedAddresses::home()).host()).isEmpty()
                    : window && window->windowTitle() != u"Home")
            return;
        poll->stop();
        std::printf("closing\n");
        std::fflush(stdout);
        const QList<QPointer<QWidget>> order{calculator, frmMain::current()};
        for (const QPointer<QWidget>& shown :
             scenario.endsWith(u"frame-first") ? QList(order.crbegin(), order.crend()) : order)
            if (shown)
                shown->close();
    });
    poll->start(20);
    return app.exec();
}

// Whether a process is left below this test, which is a child subreaper: the program's
// orphans become its children. Those that have already ended are reaped first.
bool processesLeft()
{
    while (::waitpid(-1, nullptr, WNOHANG) > 0) { }
    return !(::waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD);
}

} // namespace

class tst_ProgramEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(::prctl(PR_SET_CHILD_SUBREAPER, 1) == 0); }

    void lastWindowEndsTheProcess_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::newRow("calculator window alone") << "calculator-only";
        QTest::newRow("calculator, then the frame with a loaded page") << "loaded";
        QTest::newRow("the frame with a loaded page, then the calculator") << "loaded-frame-first";
        QTest::newRow("page from a server that never answers") << "stalled";
        QTest::newRow("never-answering page, frame closed first") << "stalled-frame-first";
    }

    void lastWindowEndsTheProcess()
    {
        QFETCH(QString, scenario);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--program"), scenario});
        QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine() || child.state() == QProcess::NotRunning, 40000);
        QCOMPARE(child.readLine().trimmed(), QByteArray("closing"));

        QElapsedTimer clock;
        clock.start();
        QVERIFY2(child.state() == QProcess::NotRunning || child.waitForFinished(5000), "the process did not end");
        QVERIFY(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0);
        QTRY_VERIFY2_WITH_TIMEOUT(!processesLeft(), "an engine helper outlived the program", 2000);
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    }
};

int main(int argc, char* argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--program") == 0)
        return runProgram(argc, argv);
    QCoreApplication app(argc, argv);
    tst_ProgramEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_programend.moc"

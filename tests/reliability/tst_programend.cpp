// When the last window closes, the process ends with status 0 within two seconds and no
// web engine helper outlives it; a signal to end closes it as a person would. The test
// runs itself as the program, one scenario a run.
#include "browser/FixedAddresses.h"
#include "browser/frmBrowser.h"
#include "calculator/Calculator.h"
#include "mainframe/frmMain.h"
#include "platform/CalculatorApplication.h"
#include "support/LoopbackHttpServer.h"

#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

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
    const bool downloading = scenario == u"download" || scenario == u"save-as";
    if (downloading) { // a download that never ends, asked for by the home page itself
        LoopbackResponse endless = LoopbackResponse::file("application/x-endless", QByteArray(1 << 16, 'x'),
                                                          "attachment; filename=\"endless.bin\"");
        endless.kind = LoopbackResponse::Kind::Unfinished;
        server.setResponse(FixedAddresses::home(), endless);
    } else if (scenario == u"leave-prompt") {
        server.setResponse(FixedAddresses::home(),
                           LoopbackResponse::page(u"Home"_s,
                                                  "<script>onbeforeunload=e=>{e.preventDefault();"
                                                  "e.returnValue=''}</script><p style=\"height:100vh\" "
                                                  "onclick=\"document.title='Stay'\">"));
    }

    auto* calculator = new Calculator;
    calculator->setAttribute(Qt::WA_DeleteOnClose);
    calculator->show();
    QPointer<QWidget> window;
    if (scenario != u"calculator-only") {
        frmMain::openBrowserWindow();
        window = frmMain::current()->mdiArea()->subWindowList().constFirst()->widget();
    }
    auto* poll = new QTimer(calculator);
    // Signal scenarios say "ready" once their situation stands and wait for the signal.
    const auto ready = [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const QFileInfoList files = QDir(QDir::homePath() + u"/Downloads"_s).entryInfoList(QDir::Files);
        if (scenario == u"download" && dialog)
            dialog->accept();
        else if (scenario == u"download")
            return !files.isEmpty() && files.constFirst().size() > 0;
        if (scenario == u"save-as")
            return dialog != nullptr;
        auto* browser = qobject_cast<frmBrowser*>(window.data());
        QWidget* view = browser ? browser->brwWebBrowser()->widget() : nullptr;
        QWidget* page = view && view->focusProxy() ? view->focusProxy() : view;
        if (page && browser->brwWebBrowser()->LocationName() == u"Home") { // the page may ask once clicked
            browser->window()->activateWindow();
            QTest::mouseClick(page, Qt::LeftButton, {}, page->rect().center());
        }
        return browser && browser->brwWebBrowser()->LocationName() == u"Stay";
    };
    if (downloading || scenario == u"leave-prompt") {
        QObject::connect(poll, &QTimer::timeout, calculator, [&, poll] {
            if (ready()) {
                poll->stop();
                std::printf("ready\n");
                std::fflush(stdout);
            }
        });
        poll->start(100);
        return app.exec();
    }
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

    void noDisplayIsOneLineAndStatus1()
    {
        int unused = 1000; // a display no server has: no lock file for it
        while (QFile::exists(u"/tmp/.X%1-lock"_s.arg(unused)))
            ++unused;
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        env.insert(u"DISPLAY"_s, u":%1"_s.arg(unused));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {u"--program"_s, u"calculator-only"_s});
        QVERIFY(child.waitForFinished(20000) && child.exitStatus() == QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 1);
        QCOMPARE(child.readAllStandardError(), u"cannot open display :%1\n"_s.arg(unused).toUtf8());
    }

    void signalClosesAsAPersonWould_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QList<int>>("sent");
        QTest::newRow("SIGTERM while a download runs") << "download" << QList<int>{SIGTERM};
        QTest::newRow("SIGINT with the Save As dialog open") << "save-as" << QList<int>{SIGINT};
        QTest::newRow("SIGHUP on a page that asks before it is left") << "leave-prompt" << QList<int>{SIGHUP};
        QTest::newRow("a second signal ends it at once") << "save-as" << QList<int>{SIGTERM, SIGINT};
    }

    void signalClosesAsAPersonWould()
    {
        QFETCH(QString, scenario);
        QFETCH(QList<int>, sent);
        QTemporaryDir home;
        QSettings placement(QSettings::NativeFormat, QSettings::UserScope, u"Calculator"_s);
        placement.clear();
        placement.sync();
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, home.path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {u"--program"_s, scenario});
        QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine() || child.state() == QProcess::NotRunning, 40000);
        QCOMPARE(child.readLine().trimmed(), QByteArray("ready"));
        for (int number : sent)
            ::kill(pid_t(child.processId()), number);
        QVERIFY2(child.waitForFinished(10000), "the process did not end");
        QCOMPARE(child.exitStatus(), sent.size() > 1 ? QProcess::CrashExit : QProcess::NormalExit);
        if (sent.size() > 1)
            return;
        QCOMPARE(child.exitCode(), 0);
        placement.sync();
        QCOMPARE(placement.allKeys().size(), 4);
        QCOMPARE(QDir(home.filePath(u"Downloads"_s)).entryList(QDir::Files | QDir::Hidden), QStringList());
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

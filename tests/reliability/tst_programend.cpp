// When the last window closes, the process ends with status 0 within two seconds and
// no web engine helper process outlives it.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Processes whose parent is this test: orphans of the child land here because the test
// is a child subreaper.
QStringList leftoverChildren()
{
    // Reap orphans that have already ended; the child itself has been waited for.
    while (::waitpid(-1, nullptr, WNOHANG) > 0) {
    }
    QStringList found;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : entries) {
        QFile stat(u"/proc/" % pid % u"/stat"); // "pid (name) state ppid ..."
        const QByteArray fields = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        if (fields.mid(fields.lastIndexOf(')') + 2).split(' ').value(1).toInt() == ::getpid())
            found.append(QString::fromLatin1(fields.left(fields.lastIndexOf(')') + 1)));
    }
    return found;
}

} // namespace

class tst_ProgramEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(::prctl(PR_SET_CHILD_SUBREAPER, 1) == 0); }
    void lastWindowEndsTheProcess_data();
    void lastWindowEndsTheProcess();
};

void tst_ProgramEnd::lastWindowEndsTheProcess_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::newRow("calculator window alone") << "calculator-only";
    QTest::newRow("calculator, then the frame with a loaded page") << "loaded";
    QTest::newRow("the frame with a loaded page, then the calculator") << "loaded-frame-first";
    QTest::newRow("page from a server that never answers") << "stalled";
    QTest::newRow("never-answering page, frame closed first") << "stalled-frame-first";
}

void tst_ProgramEnd::lastWindowEndsTheProcess()
{
    QFETCH(QString, scenario);
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(PROGRAM_END_CHILD), {scenario});
    QVERIFY(child.waitForStarted());
    for (QDeadlineTimer ready(40000); !child.canReadLine() && child.state() == QProcess::Running && !ready.hasExpired();)
        child.waitForReadyRead(100);
    QCOMPARE(child.readLine().trimmed(), QByteArray("closing"));

    QElapsedTimer clock;
    clock.start();
    QVERIFY2(child.waitForFinished(5000), "the process did not end");
    QVERIFY(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0);
    while (!leftoverChildren().isEmpty() && clock.elapsed() < 2000)
        QTest::qWait(20);
    QVERIFY2(leftoverChildren().isEmpty(), qPrintable(leftoverChildren().join(u", ")));
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
}

QTEST_GUILESS_MAIN(tst_ProgramEnd)
#include "tst_programend.moc"

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
    const QString self = QString::number(::getpid());
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : entries) {
        QFile status(u"/proc/" % pid % u"/status");
        if (!status.open(QIODevice::ReadOnly))
            continue;
        QString name;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("Name:"))
                name = QString::fromUtf8(line.mid(5).trimmed());
            if (line.startsWith("PPid:") && QString::fromUtf8(line.mid(5).trimmed()) == self)
                found.append(pid % u' ' % name);
        }
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
    QDeadlineTimer ready(40000);
    while (!child.canReadLine() && child.state() == QProcess::Running && !ready.hasExpired())
        child.waitForReadyRead(100);
    QCOMPARE(child.readLine().trimmed(), QByteArray("closing"));

    QElapsedTimer clock;
    clock.start();
    QVERIFY2(child.waitForFinished(5000), "the process did not end");
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    while (!leftoverChildren().isEmpty() && clock.elapsed() < 2000)
        QTest::qWait(20);
    const qint64 ended = clock.elapsed();
    qInfo("ended %lld ms after the last window began to close", ended);
    QVERIFY2(leftoverChildren().isEmpty(), qPrintable(leftoverChildren().join(u", ")));
    QVERIFY2(ended < 2000, qPrintable(QString::number(ended)));
}

QTEST_GUILESS_MAIN(tst_ProgramEnd)
#include "tst_programend.moc"

// The frame stores its placement when it closes. Whatever goes wrong with the
// configuration folder, the frame still closes, a failure is reported, and the file on
// disk holds either the earlier or the new complete set of entries.
#include "mainframe/Placement.h"
#include "mainframe/frmMain.h"
#include "platform/UnexpectedError.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

bool g_privateMounts = false; // set by main when the test has a mount namespace of its own
QStringList g_reported;
void recordReport(const QString& description) { g_reported.append(description); }

using Entries = QMap<QString, QString>;
const QByteArray oldText = "[Settings]\nMainHeight=6000\nMainLeft=1500\nMainTop=3000\nMainWidth=4500\n";

bool writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// The [Settings] entries of a file's text (or of bare "key=value" lines), read without
// QSettings and its cache: what a later program start would see.
Entries entriesIn(const QByteArray& text)
{
    Entries values;
    bool inGroup = !text.contains('[');
    for (const QByteArray& raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        const qsizetype eq = line.indexOf('=');
        if (line.startsWith('['))
            inGroup = line == "[Settings]";
        else if (inGroup && eq > 0)
            values.insert(QString::fromUtf8(line.left(eq).trimmed()), QString::fromUtf8(line.mid(eq + 1).trimmed()));
    }
    return values;
}

Entries entriesOnDisk(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? entriesIn(file.readAll()) : Entries();
}

} // namespace

enum class Fault { MissingFolder, ReadOnlyFolder, DiskFull, FileIsAFolder };
Q_DECLARE_METATYPE(Fault)

class tst_SettingsFaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { UnexpectedError::setReporterForTesting(&recordReport); }
    void cleanup();
    void frameClosesAndFileStaysWhole_data();
    void frameClosesAndFileStaysWhole();
    void twoProgramsClosingAtOnceLeaveOneWholeSet();

private:
    QString m_mount;
};

void tst_SettingsFaults::cleanup()
{
    if (!m_mount.isEmpty())
        ::umount2(QFile::encodeName(m_mount).constData(), MNT_DETACH);
    m_mount.clear();
    g_reported.clear();
}

void tst_SettingsFaults::frameClosesAndFileStaysWhole_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("fails");
    QTest::newRow("missing configuration folder is made") << Fault::MissingFolder << false;
    QTest::newRow("read-only configuration folder") << Fault::ReadOnlyFolder << true;
    QTest::newRow("disk full") << Fault::DiskFull << true;
    QTest::newRow("a folder where the file should be") << Fault::FileIsAFolder << true;
}

void tst_SettingsFaults::frameClosesAndFileStaysWhole()
{
    QFETCH(Fault, fault);
    QFETCH(bool, fails);
    QTemporaryDir scratch;
    const QString config = scratch.filePath(QStringLiteral("config"));
    const QString fileName = config + QStringLiteral("/Calculator.conf");
    const QByteArray mountPoint = QFile::encodeName(config);
    if (fault == Fault::ReadOnlyFolder || fault == Fault::DiskFull) {
        // Permissions do not stop root; a small or read-only file system does.
        if (!g_privateMounts)
            QSKIP("needs a private mount namespace");
        QVERIFY(QDir().mkpath(config));
        QCOMPARE(::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k"), 0);
        m_mount = config;
        QVERIFY(writeFile(fileName, oldText));
    }
    if (fault == Fault::ReadOnlyFolder)
        QCOMPARE(::mount(nullptr, mountPoint.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    if (fault == Fault::FileIsAFolder)
        QVERIFY(QDir().mkpath(fileName));
    if (fault == Fault::DiskFull) {
        QFile filler(config + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(1024, 'x')) == 1024) {
        }
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);

    frmMain::showChild(new QLabel(QStringLiteral("document")));
    QPointer<frmMain> frame = frmMain::current();
    frame->setGeometry(40, 60, 520, 380);
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    Entries newSet;
    for (const auto& entry : Placement::entries(frame->frameGeometry()))
        newSet.insert(entry.first, entry.second);
    frame->close();
    QTRY_VERIFY(frame.isNull());

    QCOMPARE(g_reported.size(), fails ? 1 : 0);
    QVERIFY(!fails || g_reported.first().contains(QStringLiteral("Calculator.conf")));
    if (fault != Fault::FileIsAFolder)
        QCOMPARE(entriesOnDisk(fileName), fails ? entriesIn(oldText) : newSet);
    for (const QString& name : QDir(config).entryList(QDir::Files)) // no temporary file of a failed write left
        QVERIFY2(name == u"Calculator.conf" || name == u"filler" || name == u"Calculator.conf.lock", qPrintable(name));
}

void tst_SettingsFaults::twoProgramsClosingAtOnceLeaveOneWholeSet()
{
    for (int round = 0; round < 4; ++round) {
        QTemporaryDir scratch;
        const QString config = scratch.filePath(QStringLiteral("config")), go = scratch.filePath(QStringLiteral("go"));
        QVERIFY(QDir().mkpath(config) && writeFile(config + QStringLiteral("/Calculator.conf"), oldText));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        std::vector<std::unique_ptr<QProcess>> writers;
        for (const char* geometry : {"10 20 400 300", "70 90 610 450"}) {
            QProcess& writer = *writers.emplace_back(std::make_unique<QProcess>());
            writer.setProcessEnvironment(env);
            writer.start(QCoreApplication::applicationFilePath(),
                         QStringList(QStringLiteral("--race-writer")) << QString::fromLatin1(geometry).split(u' ') << go);
            QTRY_VERIFY_WITH_TIMEOUT(writer.canReadLine() || writer.state() == QProcess::NotRunning, 20000);
            QCOMPARE(writer.readLine().trimmed(), QByteArray("ready"));
        }
        QVERIFY(writeFile(go, "go\n"));
        QList<Entries> stored;
        for (auto& writer : writers) {
            QVERIFY(writer->waitForFinished(20000));
            QVERIFY2(writer->exitStatus() == QProcess::NormalExit && writer->exitCode() == 0,
                     writer->readAllStandardError().constData());
            stored.append(entriesIn(writer->readAllStandardOutput()));
        }
        QVERIFY(stored.at(0).size() == 4 && stored.at(0) != stored.at(1));
        QVERIFY(stored.contains(entriesOnDisk(config + QStringLiteral("/Calculator.conf"))));
    }
}

// The other side of the race, run as a child: opens the frame at the geometry given,
// waits for the start file, prints the entries it means to store and closes the frame.
int raceWriter(const QStringList& args)
{
    UnexpectedError::setReporterForTesting(&recordReport);
    frmMain::showChild(new QLabel(QStringLiteral("race")));
    frmMain* frame = frmMain::current();
    frame->move(args.at(2).toInt(), args.at(3).toInt());
    frame->resize(args.at(4).toInt(), args.at(5).toInt());
    QCoreApplication::processEvents();
    std::printf("ready\n");
    std::fflush(stdout);
    while (!QFile::exists(args.at(6)))
        QThread::usleep(200);
    for (const auto& entry : Placement::entries(frame->frameGeometry()))
        std::printf("%s=%s\n", entry.first.toUtf8().constData(), entry.second.toUtf8().constData());
    std::fflush(stdout);
    frame->close();
    std::fprintf(stderr, "%s", qPrintable(g_reported.join(u'\n')));
    return g_reported.isEmpty() ? 0 : 1;
}

int main(int argc, char** argv)
{
    if (argc == 7 && qstrcmp(argv[1], "--race-writer") == 0) {
        QApplication app(argc, argv);
        return raceWriter(app.arguments());
    }
    // A mount namespace of our own, made before any thread exists, keeps the test's
    // file systems away from the rest of the machine.
    if (::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0
        && ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0)
        g_privateMounts = true;
    QApplication app(argc, argv);
    tst_SettingsFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsfaults.moc"

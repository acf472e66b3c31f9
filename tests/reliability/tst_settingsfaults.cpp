// Storing the frame's placement where the configuration folder cannot take the file: the
// store fails with a message naming the file, and the earlier file stays as it was. And
// two programs storing at the same moment leave one of the two whole sets, never a mix.
#include "mainframe/Placement.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <array>
#include <cstdio>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The arguments of a child started to store: argv[StoreFlag] is "--store".
enum ChildArgument { StoreFlag = 1, GoFile, Left, Top, Width, Height, ChildArgc };

bool g_privateMounts = false; // set by main when the test has a mount namespace of its own

// Read from disk, not from QSettings' cache: what a later program start would see.
QByteArray contents(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString store(const QRect& frame)
{
    return SettingsStore::save(u"Calculator"_s, u"Settings"_s, Placement::entries(frame));
}

} // namespace

enum class Fault { ReadOnlyFolder, DiskFull, FileIsAFolder };
Q_DECLARE_METATYPE(Fault)

class tst_SettingsFaults : public QObject
{
    Q_OBJECT
private slots:
    void failedStoreIsReportedAndKeepsTheFile_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::newRow("read-only configuration folder") << Fault::ReadOnlyFolder;
        QTest::newRow("disk full") << Fault::DiskFull;
        QTest::newRow("a folder where the file should be") << Fault::FileIsAFolder;
    }

    void failedStoreIsReportedAndKeepsTheFile()
    {
        QFETCH(Fault, fault);
        QTemporaryDir scratch;
        const QString config = scratch.filePath(u"config"_s), fileName = config + u"/Calculator.conf"_s;
        const QByteArray mountPoint = QFile::encodeName(config);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
        if (fault == Fault::ReadOnlyFolder || fault == Fault::DiskFull) {
            // Permissions do not stop root; a small or read-only file system does.
            if (!g_privateMounts)
                QSKIP("needs a private mount namespace");
            QVERIFY(QDir().mkpath(config));
            QCOMPARE(::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k"), 0);
            QVERIFY(store(QRect(100, 200, 300, 400)).isEmpty());
        }
        if (fault == Fault::ReadOnlyFolder)
            QCOMPARE(::mount(nullptr, mountPoint.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
        if (fault == Fault::FileIsAFolder)
            QVERIFY(QDir().mkpath(fileName));
        QFile filler(config + u"/filler"_s);
        if (fault == Fault::DiskFull && filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            while (filler.write(QByteArray(1024, 'x')) == 1024) { }

        const QByteArray before = contents(fileName);
        const QString failure = store(QRect(40, 60, 520, 380));
        QVERIFY2(failure.contains(fileName), qPrintable(failure));
        QCOMPARE(contents(fileName), before);
        for (const QString& name : QDir(config).entryList(QDir::Files)) // no temporary file of a failed write left
            QVERIFY2(name == u"Calculator.conf" || name == u"filler" || name == u"Calculator.conf.lock",
                     qPrintable(name));
        ::umount2(mountPoint.constData(), MNT_DETACH); // the mount goes with the test's namespace if a check failed
    }

    void twoProgramsStoringAtOnceLeaveOneWholeSet()
    {
        const std::array<QRect, 2> frames{QRect(10, 20, 400, 300), QRect(70, 90, 610, 450)};
        for (int round = 0; round < 4; ++round) {
            QTemporaryDir scratch;
            const QString go = scratch.filePath(u"go"_s);
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(u"XDG_CONFIG_HOME"_s, scratch.path());
            std::array<QProcess, 2> writers;
            for (int i = 0; i < 2; ++i) { // both started and waiting, then let go at once
                const QRect& f = frames.at(i);
                writers.at(i).setProcessEnvironment(env);
                writers.at(i).start(QCoreApplication::applicationFilePath(),
                                    {u"--store"_s, go, QString::number(f.x()), QString::number(f.y()),
                                     QString::number(f.width()), QString::number(f.height())});
                QVERIFY(writers.at(i).waitForReadyRead(20000));
            }
            QFile(go).open(QIODevice::WriteOnly);
            for (QProcess& writer : writers) {
                QVERIFY(writer.waitForFinished(20000));
                QCOMPARE(writer.exitCode(), 0);
            }
            QSettings onDisk(scratch.filePath(u"Calculator.conf"_s), QSettings::NativeFormat);
            onDisk.beginGroup(u"Settings"_s);
            QList<SettingsStore::Entry> stored;
            for (const QString& key : onDisk.childKeys())
                stored.append({key, onDisk.value(key).toString()});
            const auto sorted = [](QList<SettingsStore::Entry> entries) {
                std::sort(entries.begin(), entries.end());
                return entries;
            };
            QVERIFY2(sorted(stored) == sorted(Placement::entries(frames[0]))
                         || sorted(stored) == sorted(Placement::entries(frames[1])),
                     contents(scratch.filePath(u"Calculator.conf"_s)).constData());
        }
    }
};

// One side of the race, run as a child: says it is ready, waits for the start file, stores.
int storeWhenLetGo(const QStringList& args)
{
    std::printf("ready\n");
    std::fflush(stdout);
    while (!QFile::exists(args.at(GoFile)))
        QThread::usleep(100);
    const QRect frame(args.at(Left).toInt(), args.at(Top).toInt(), args.at(Width).toInt(), args.at(Height).toInt());
    return store(frame).isEmpty() ? 0 : 1;
}

int main(int argc, char** argv)
{
    if (argc == ChildArgc && qstrcmp(argv[StoreFlag], "--store") == 0) {
        QCoreApplication app(argc, argv);
        return storeWhenLetGo(app.arguments());
    }
    // A mount namespace of our own, made before any thread exists, keeps the test's file
    // systems away from the rest of the machine.
    if (::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0
        && ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0)
        g_privateMounts = true;
    QCoreApplication app(argc, argv);
    tst_SettingsFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsfaults.moc"

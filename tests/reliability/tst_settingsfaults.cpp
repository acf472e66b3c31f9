// The frame stores its placement when it closes. Whatever goes wrong with the
// configuration folder, the frame still closes, a failure is reported, and the file on
// disk holds either the earlier or the new complete set of entries.
#include "reliability/SettingsFile.h"

#include "mainframe/Placement.h"
#include "mainframe/frmMain.h"
#include "platform/UnexpectedError.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

// Set by main when the test runs in a mount namespace of its own, where it may mount
// small or read-only file systems that vanish with the process.
bool g_privateMounts = false;

QStringList& reported()
{
    static QStringList list;
    return list;
}
void recordReport(const QString& description) { reported().append(description); }

QMap<QString, QString> oldSet()
{
    return {{QStringLiteral("MainLeft"), QStringLiteral("1500")},
            {QStringLiteral("MainTop"), QStringLiteral("3000")},
            {QStringLiteral("MainWidth"), QStringLiteral("4500")},
            {QStringLiteral("MainHeight"), QStringLiteral("6000")}};
}

bool writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

bool mountTmpfs(const QString& dir, const char* options)
{
    return ::mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0, options) == 0;
}

QMap<QString, QString> asMap(const QList<SettingsStore::Entry>& entries)
{
    QMap<QString, QString> map;
    for (const auto& entry : entries)
        map.insert(entry.first, entry.second);
    return map;
}

} // namespace

enum class Fault { None, MissingFolder, FolderIsAFile, ReadOnlyFolder, DiskFull, FileIsAFolder };
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
    QStringList m_mounts;
};

void tst_SettingsFaults::cleanup()
{
    if (QPointer<frmMain> frame = frmMain::current()) {
        frame->close();
        QTRY_VERIFY(frame.isNull());
    }
    for (const QString& dir : std::as_const(m_mounts))
        ::umount2(QFile::encodeName(dir).constData(), MNT_DETACH);
    m_mounts.clear();
    reported().clear();
}

void tst_SettingsFaults::frameClosesAndFileStaysWhole_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("fails");
    QTest::newRow("healthy folder with an earlier file") << Fault::None << false;
    QTest::newRow("configuration folder missing") << Fault::MissingFolder << false;
    QTest::newRow("a file where the folder should be") << Fault::FolderIsAFile << true;
    QTest::newRow("read-only configuration folder") << Fault::ReadOnlyFolder << true;
    QTest::newRow("disk full") << Fault::DiskFull << true;
    QTest::newRow("a folder where the file should be") << Fault::FileIsAFolder << true;
}

void tst_SettingsFaults::frameClosesAndFileStaysWhole()
{
    QFETCH(Fault, fault);
    QFETCH(bool, fails);

    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString config = scratch.filePath(QStringLiteral("config"));
    const QString fileName = config + QStringLiteral("/Calculator.conf");
    const QByteArray oldText = settingsText(oldSet()).toUtf8();

    switch (fault) {
    case Fault::None:
        QVERIFY(QDir().mkpath(config));
        QVERIFY(writeFile(fileName, oldText));
        break;
    case Fault::MissingFolder:
        break;
    case Fault::FolderIsAFile:
        QVERIFY(writeFile(config, "not a folder\n"));
        break;
    case Fault::ReadOnlyFolder:
        QVERIFY(QDir().mkpath(config));
        if (g_privateMounts) { // permissions do not stop root; a read-only mount does
            QVERIFY(mountTmpfs(config, "size=64k"));
            m_mounts.append(config);
            QVERIFY(writeFile(fileName, oldText));
            QCOMPARE(::mount(nullptr, QFile::encodeName(config).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                             nullptr),
                     0);
        } else {
            QVERIFY(writeFile(fileName, oldText));
            if (::geteuid() == 0)
                QSKIP("root ignores permissions and no private mount namespace is available");
            QVERIFY(QFile::setPermissions(config, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        break;
    case Fault::DiskFull: {
        if (!g_privateMounts)
            QSKIP("needs a private mount namespace for a small file system");
        QVERIFY(QDir().mkpath(config));
        QVERIFY(mountTmpfs(config, "size=64k"));
        m_mounts.append(config);
        QVERIFY(writeFile(fileName, oldText));
        QFile filler(config + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size()) {
        }
        break;
    }
    case Fault::FileIsAFolder:
        QVERIFY(QDir().mkpath(fileName));
        break;
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);

    frmMain::showChild(new QLabel(QStringLiteral("document")));
    QPointer<frmMain> frame = frmMain::current();
    QVERIFY(frame);
    frame->move(40, 60);
    frame->resize(520, 380);
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    const QMap<QString, QString> newSet = asMap(Placement::entries(frame->frameGeometry()));
    QVERIFY(newSet != oldSet());

    frame->close();
    QTRY_VERIFY(frame.isNull());

    QCOMPARE(reported().size(), fails ? 1 : 0);
    if (fails)
        QVERIFY2(reported().first().contains(QStringLiteral("Calculator.conf")), qPrintable(reported().first()));

    switch (fault) {
    case Fault::FolderIsAFile: {
        QFile file(config);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("not a folder\n"));
        break;
    }
    case Fault::FileIsAFolder:
        QVERIFY(QFileInfo(fileName).isDir());
        break;
    default: {
        const QMap<QString, QString> onDisk = settingsOnDisk(fileName);
        QCOMPARE(onDisk, fails ? oldSet() : newSet);
        // No temporary file of the failed write is left beside it.
        const QStringList left = QDir(config).entryList(QDir::Files);
        for (const QString& name : left)
            QVERIFY2(name == QLatin1String("Calculator.conf") || name == QLatin1String("filler")
                         || name == QLatin1String("Calculator.conf.lock"),
                     qPrintable(name));
    }
    }
    if (fault == Fault::ReadOnlyFolder && !g_privateMounts)
        QFile::setPermissions(config, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void tst_SettingsFaults::twoProgramsClosingAtOnceLeaveOneWholeSet()
{
    for (int round = 0; round < 4; ++round) {
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        const QString config = scratch.filePath(QStringLiteral("config"));
        QVERIFY(QDir().mkpath(config));
        QVERIFY(writeFile(config + QStringLiteral("/Calculator.conf"), settingsText(oldSet()).toUtf8()));
        const QString go = scratch.filePath(QStringLiteral("go"));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        const QList<QStringList> geometries{{QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("400"),
                                             QStringLiteral("300")},
                                            {QStringLiteral("70"), QStringLiteral("90"), QStringLiteral("610"),
                                             QStringLiteral("450")}};
        std::vector<std::unique_ptr<QProcess>> writers;
        for (const QStringList& geometry : geometries) {
            auto writer = std::make_unique<QProcess>();
            writer->setProcessEnvironment(env);
            writer->start(QStringLiteral(RACE_WRITER), QStringList(geometry) << go);
            writers.push_back(std::move(writer));
        }
        for (auto& writer : writers) {
            QDeadlineTimer deadline(20000);
            while (!writer->canReadLine() && !deadline.hasExpired() && writer->state() != QProcess::NotRunning)
                writer->waitForReadyRead(100);
            QCOMPARE(writer->readLine().trimmed(), QByteArray("ready"));
        }
        QVERIFY(writeFile(go, "go\n"));

        QList<QMap<QString, QString>> stored;
        for (auto& writer : writers) {
            QVERIFY(writer->waitForFinished(20000));
            QCOMPARE(writer->exitStatus(), QProcess::NormalExit);
            QVERIFY2(writer->exitCode() == 0, writer->readAllStandardError().constData());
            QMap<QString, QString> set;
            for (const QByteArray& line : writer->readAllStandardOutput().split('\n')) {
                const qsizetype eq = line.indexOf('=');
                if (eq > 0)
                    set.insert(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
            }
            QStringList keys = placementKeys();
            keys.sort();
            QCOMPARE(set.keys(), keys);
            stored.append(set);
        }
        QVERIFY(stored.at(0) != stored.at(1));
        const QMap<QString, QString> onDisk = settingsOnDisk(config + QStringLiteral("/Calculator.conf"));
        QVERIFY2(onDisk == stored.at(0) || onDisk == stored.at(1),
                 qPrintable(settingsText(onDisk)));
    }
}

int main(int argc, char** argv)
{
    // A mount namespace of our own, before any thread exists, keeps the test's small
    // file systems away from the rest of the machine.
    if (::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0
        && ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0)
        g_privateMounts = true;
    QApplication app(argc, argv);
    tst_SettingsFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsfaults.moc"

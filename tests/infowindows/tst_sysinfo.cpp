#include "infowindows/SysInfo.h"
#include "platform/FileQuery.h"
#include "platform/ProgramStart.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Registry;

namespace {

const QString FirstKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString SecondKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString Unavailable = QStringLiteral("System Information Is Unavailable At This Time");

struct RecordingStart : ProgramStart
{
    QStringList started;
    bool succeeds = true;
    bool Shell(const QString& path) override
    {
        started << path;
        return succeeds && !path.isEmpty();
    }
};

struct TableFiles : FileQuery
{
    QStringList normalFiles; // the paths that hold a normal file
    QStringList asked;
    QString Dir(const QString& path) override
    {
        asked << path;
        return normalFiles.contains(path) ? path.section(u'\\', -1) : QString();
    }
};

// A registry that records the access mask asked for, and refuses like a real one would
// for an account that may only read.
struct MaskRecorder : Table
{
    QList<DWORD> masks;
    long RegOpenKeyExA(HKEY root, const QString& subKey, DWORD options, DWORD sam, HKEY* result) override
    {
        masks << sam;
        return Table::RegOpenKeyExA(root, subKey, options, sam, result);
    }
};

QByteArray sz(const char* text, bool terminated = true)
{
    QByteArray bytes(text);
    if (terminated)
        bytes.append('\0');
    return bytes;
}

} // namespace

class tst_SysInfo : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        MaskRecorder registry;
        TableFiles files;
        RecordingStart programs;
        QStringList messages;
        SysInfo sysInfo{registry, files, programs, [this](const QString& m) { messages << m; }};
    };

private slots:
    void launch_data()
    {
        QTest::addColumn<QByteArray>("firstData");
        QTest::addColumn<uint>("firstType");
        QTest::addColumn<QByteArray>("secondData");
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<QString>("started");
        QTest::addColumn<bool>("message");
        const QByteArray none;
        QTest::newRow("first look-up starts its path unchecked")
            << sz("/opt/viewer/run") << uint(REG_SZ) << sz("C:\\Tools") << false << "/opt/viewer/run" << false;
        QTest::newRow("first look-up of another type leaves the path empty")
            << sz("/opt/viewer/run") << uint(REG_EXPAND_SZ) << sz("C:\\Tools") << true << "" << true;
        QTest::newRow("second look-up with the file there")
            << none << 0u << sz("C:\\Tools") << true << "C:\\Tools\\MSINFO32.EXE" << false;
        QTest::newRow("second look-up folder ending in a backslash doubles it")
            << none << 0u << sz("C:\\Tools\\") << true << "C:\\Tools\\\\MSINFO32.EXE" << false;
        QTest::newRow("second look-up without the file")
            << none << 0u << sz("C:\\Tools") << false << QString() << true;
        QTest::newRow("neither look-up") << none << 0u << none << false << QString() << true;
        QTest::newRow("an empty first value falls through to the second")
            << QByteArray() << uint(REG_SZ) << sz("C:\\Tools") << true << "C:\\Tools\\MSINFO32.EXE" << false;
    }
    void launch()
    {
        QFETCH(QByteArray, firstData);
        QFETCH(uint, firstType);
        QFETCH(QByteArray, secondData);
        QFETCH(bool, fileThere);
        QFETCH(QString, started);
        QFETCH(bool, message);
        Fixture f;
        if (firstType != 0)
            f.registry.set(HKEY_LOCAL_MACHINE, FirstKey, QStringLiteral("PATH"), {firstType, firstData});
        if (!secondData.isNull())
            f.registry.set(HKEY_LOCAL_MACHINE, SecondKey, QStringLiteral("MSINFO"), {REG_SZ, secondData});
        if (fileThere)
            f.files.normalFiles << QString::fromUtf8(secondData.chopped(1)) + QStringLiteral("\\MSINFO32.EXE");
        f.sysInfo.StartSysInfo();
        if (started.isNull())
            QVERIFY(f.programs.started.isEmpty());
        else
            QCOMPARE(f.programs.started, QStringList{started});
        QCOMPARE(f.messages, message ? QStringList{Unavailable} : QStringList{});
    }

    void failedStartShowsTheMessage()
    {
        Fixture f;
        f.registry.set(HKEY_LOCAL_MACHINE, FirstKey, QStringLiteral("PATH"), {REG_SZ, sz("/no/such/program")});
        f.programs.succeeds = false;
        f.sysInfo.StartSysInfo();
        QCOMPARE(f.messages, QStringList{Unavailable});
    }

    void keyIsOpenedForReadingOnly()
    {
        // A read-only account is refused anything more than KEY_READ; the launch still works.
        Fixture f;
        f.registry.set(HKEY_LOCAL_MACHINE, FirstKey, QStringLiteral("PATH"), {REG_SZ, sz("/opt/v")});
        f.sysInfo.StartSysInfo();
        QCOMPARE(f.registry.masks, QList<DWORD>{KEY_READ});
        QCOMPARE(f.programs.started, QStringList{QStringLiteral("/opt/v")});
        HKEY key = 0;
        QCOMPARE(f.registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, FirstKey, 0, 0x2003F, &key), ERROR_ACCESS_DENIED);
    }

    void values_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("text");
        QTest::newRow("string with its NUL") << uint(REG_SZ) << sz("abc") << true << "abc";
        QTest::newRow("string without a NUL keeps every byte") << uint(REG_SZ) << sz("abc", false) << true << "abc";
        QTest::newRow("dword is its decimal value") << uint(REG_DWORD) << QByteArray("\x05\x01\x00\x00", 4) << true << "261";
        QTest::newRow("dword with a trailing zero byte") << uint(REG_DWORD) << QByteArray("\x34\x12\x00\x00", 4) << true << "4660";
        QTest::newRow("largest dword") << uint(REG_DWORD) << QByteArray("\xff\xff\xff\xff", 4) << true << "4294967295";
        QTest::newRow("zero bytes is an error") << uint(REG_SZ) << QByteArray("") << false << "";
        QTest::newRow("longest value that fits") << uint(REG_SZ) << QByteArray(1024, 'x') << true << QString(1024, u'x');
        QTest::newRow("too long for the buffer") << uint(REG_SZ) << QByteArray(1025, 'x') << false << "";
        QTest::newRow("other types leave the text as it was") << uint(REG_EXPAND_SZ) << sz("%PATH%") << true << "before";
    }
    void values()
    {
        QFETCH(uint, type);
        QFETCH(QByteArray, data);
        QFETCH(bool, read);
        QFETCH(QString, text);
        Fixture f;
        f.registry.set(HKEY_LOCAL_MACHINE, QStringLiteral("K"), QStringLiteral("V"), {type, data});
        QString value = QStringLiteral("before");
        QCOMPARE(f.sysInfo.GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("K"), QStringLiteral("V"), value), read);
        QCOMPARE(value, text);
    }

    void missingValueOrKeyEmptiesTheText()
    {
        Fixture f;
        f.registry.set(HKEY_LOCAL_MACHINE, QStringLiteral("K"), QStringLiteral("V"), {REG_SZ, sz("x")});
        QString value = QStringLiteral("before");
        QVERIFY(!f.sysInfo.GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("K"), QStringLiteral("W"), value));
        QCOMPARE(value, QString());
        value = QStringLiteral("before");
        QVERIFY(!f.sysInfo.GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("L"), QStringLiteral("V"), value));
        QCOMPARE(value, QString());
    }

    void realFilesAndRealProgramStart()
    {
        // The real adapters: a normal file is found, a hidden one is not, and a real
        // program is started by its path (a script that leaves a marker behind).
        QTemporaryDir dir;
        const QString marker = dir.filePath(QStringLiteral("started"));
        const QString viewer = dir.filePath(QStringLiteral("MSINFO32.EXE"));
        QFile script(viewer);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ntouch \"$(dirname \"$0\")/started\"\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QFile(dir.filePath(QStringLiteral(".hidden"))).open(QIODevice::WriteOnly);

        LocalFileQuery files;
        QCOMPARE(files.Dir(dir.path() + QStringLiteral("\\MSINFO32.EXE")), QStringLiteral("MSINFO32.EXE"));
        QCOMPARE(files.Dir(dir.path() + QStringLiteral("\\.hidden")), QString());
        QCOMPARE(files.Dir(dir.path()), QString());

        Table registry;
        registry.set(HKEY_LOCAL_MACHINE, SecondKey, QStringLiteral("MSINFO"), {REG_SZ, dir.path().toUtf8() + '\0'});
        DetachedProgramStart programs;
        QStringList messages;
        SysInfo sysInfo(registry, files, programs, [&](const QString& m) { messages << m; });
        QString path;
        QVERIFY(sysInfo.GetKeyValue(HKEY_LOCAL_MACHINE, SecondKey, QStringLiteral("MSINFO"), path));
        QVERIFY(programs.Shell(viewer));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
        QVERIFY(!programs.Shell(dir.filePath(QStringLiteral("no-such-program"))));
    }

    void desktopRegistryNamesARealViewerOrNothing()
    {
        Table registry = desktopRegistry();
        HKEY key = 0;
        if (registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, FirstKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return; // no viewer on this machine: the user gets the message
        char buffer[1024];
        DWORD size = sizeof buffer, type = 0;
        QCOMPARE(registry.RegQueryValueExA(key, QStringLiteral("PATH"), 0, &type, buffer, &size), ERROR_SUCCESS);
        QVERIFY(QFileInfo(QString::fromUtf8(buffer, int(size) - 1)).isExecutable());
    }
};

QTEST_GUILESS_MAIN(tst_SysInfo)
#include "tst_sysinfo.moc"

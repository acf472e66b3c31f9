#include "infowindows/SysInfo.h"
#include "platform/FileQuery.h"
#include "platform/ProgramStart.h"
#include "platform/Registry.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using namespace Registry;

Q_DECLARE_METATYPE(Table::Value)

namespace {

const QString FirstKey = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_qs;
const QString SecondKey = u"SOFTWARE\\Microsoft\\Shared Tools Location"_qs;

// What the launch meets: a first value (null: none) of firstType, a second value (null:
// none), whether the viewer file is in the second value's folder, whether starting works.
struct Launch
{
    QByteArray first;
    DWORD firstType = REG_SZ;
    QByteArray second;
    bool fileThere = false, startFails = false;
};

// Records what it is asked for: access masks, and programs started and messages shown
// in the order they happened.
struct Fixture : Table, FileQuery, ProgramStart
{
    QList<DWORD> masks;
    QStringList normalFiles, events;
    bool startFails = false;
    SysInfo sysInfo{*this, *this, *this, [this](const QString& m) { events << m; }};

    long RegOpenKeyExA(HKEY root, const QString& subKey, DWORD options, DWORD sam, HKEY* result) override
    {
        masks << sam;
        return Table::RegOpenKeyExA(root, subKey, options, sam, result);
    }
    QString Dir(const QString& path) override { return normalFiles.contains(path) ? path.section(u'\\', -1) : QString(); }
    bool Shell(const QString& path) override
    {
        events << u"start " + path;
        return !startFails;
    }
};

QByteArray sz(const char* text) { return QByteArray(text, qsizetype(strlen(text)) + 1); }

} // namespace

Q_DECLARE_METATYPE(Launch)

class tst_SysInfo : public QObject
{
    Q_OBJECT

private slots:
    void launch_data()
    {
        QTest::addColumn<Launch>("launch");
        QTest::addColumn<QStringList>("events");
        const QByteArray tools = sz("C:\\Tools");
        const QString viewer = u"start C:\\Tools\\MSINFO32.EXE"_qs, unavailable = u"System Information Is Unavailable At This Time"_qs;
        QTest::newRow("first look-up starts its path unchecked") << Launch{.first = sz("/opt/v"), .second = tools} << QStringList{u"start /opt/v"_qs};
        QTest::newRow("first look-up of another type starts an empty path")
            << Launch{.first = sz("/opt/v"), .firstType = REG_EXPAND_SZ, .second = tools, .fileThere = true, .startFails = true}
            << QStringList{u"start "_qs, unavailable};
        QTest::newRow("second look-up with the file there") << Launch{.second = tools, .fileThere = true} << QStringList{viewer};
        QTest::newRow("second look-up folder ending in a backslash doubles it")
            << Launch{.second = sz("C:\\Tools\\"), .fileThere = true} << QStringList{u"start C:\\Tools\\\\MSINFO32.EXE"_qs};
        QTest::newRow("second look-up without the file") << Launch{.second = tools} << QStringList{unavailable};
        QTest::newRow("neither look-up") << Launch{} << QStringList{unavailable};
        QTest::newRow("an empty first value falls through to the second")
            << Launch{.first = "", .second = tools, .fileThere = true} << QStringList{viewer};
        QTest::newRow("a failed start shows the message") << Launch{.first = sz("/x"), .startFails = true} << QStringList{u"start /x"_qs, unavailable};
    }
    void launch()
    {
        QFETCH(Launch, launch);
        QFETCH(QStringList, events);
        Fixture f;
        if (!launch.first.isNull())
            f.set(HKEY_LOCAL_MACHINE, FirstKey, u"PATH"_qs, {launch.firstType, launch.first});
        if (!launch.second.isNull())
            f.set(HKEY_LOCAL_MACHINE, SecondKey, u"MSINFO"_qs, {REG_SZ, launch.second});
        if (launch.fileThere)
            f.normalFiles << QString::fromUtf8(launch.second.chopped(1)) + u"\\MSINFO32.EXE";
        f.startFails = launch.startFails;
        f.sysInfo.StartSysInfo();
        QCOMPARE(f.events, events);
        // Read-only access is all the launch asks for, and all a read-only account gets.
        QCOMPARE(f.masks, QList<DWORD>(f.masks.size(), KEY_READ));
        HKEY key = 0;
        QCOMPARE(f.RegOpenKeyExA(HKEY_LOCAL_MACHINE, FirstKey, 0, 0x2003F, &key), ERROR_ACCESS_DENIED);
    }

    // A value stored under K\V, read as asked; the text was "before".
    void values_data()
    {
        QTest::addColumn<Table::Value>("stored");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("read"); // null: the read fails
        const QString kv = u"K\\V"_qs;
        QTest::newRow("string with its NUL") << Table::Value{REG_SZ, sz("abc")} << kv << "abc";
        QTest::newRow("string without a NUL keeps every byte") << Table::Value{REG_SZ, "abc"} << kv << "abc";
        QTest::newRow("dword is its decimal value") << Table::Value{REG_DWORD, QByteArray("\x05\x01\x00\x00", 4)} << kv << "261";
        QTest::newRow("largest dword") << Table::Value{REG_DWORD, "\xff\xff\xff\xff"} << kv << "4294967295";
        QTest::newRow("zero bytes is an error") << Table::Value{REG_SZ, ""} << kv << QString();
        QTest::newRow("longest value that fits") << Table::Value{REG_SZ, QByteArray(1024, 'x')} << kv << QString(1024, u'x');
        QTest::newRow("too long for the buffer") << Table::Value{REG_SZ, QByteArray(1025, 'x')} << kv << QString();
        QTest::newRow("other types leave the text as it was") << Table::Value{REG_EXPAND_SZ, sz("%PATH%")} << kv << "before";
        QTest::newRow("a missing value empties the text") << Table::Value{REG_SZ, sz("x")} << u"K\\W"_qs << QString();
        QTest::newRow("a missing key empties the text") << Table::Value{REG_SZ, sz("x")} << u"L\\V"_qs << QString();
    }
    void values()
    {
        QFETCH(Table::Value, stored);
        QFETCH(QString, asked);
        QFETCH(QString, read);
        Fixture f;
        f.set(HKEY_LOCAL_MACHINE, u"K"_qs, u"V"_qs, stored);
        QString value = u"before"_qs;
        QCOMPARE(f.sysInfo.GetKeyValue(HKEY_LOCAL_MACHINE, asked.section(u'\\', 0, 0), asked.section(u'\\', 1), value), !read.isNull());
        QCOMPARE(value, read.isNull() ? QString() : read);
    }

    // The real parts end to end: the desktop's registry names the viewer found on PATH
    // (here a script that leaves a marker behind), which is started by its path. A normal
    // file is found, a hidden one or a folder is not.
    void launchWithTheRealAdapters()
    {
        QTemporaryDir dir;
        QFile script(dir.filePath(u"hardinfo"_qs));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ntouch \"$(dirname \"$0\")/started\"\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("PATH", QFile::encodeName(dir.path()) + ':' + qgetenv("PATH"));
        Table registry = desktopRegistry();
        LocalFileQuery files;
        DetachedProgramStart programs;
        QStringList messages;
        SysInfo(registry, files, programs, [&](const QString& m) { messages << m; }).StartSysInfo();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath(u"started"_qs)), 10000);
        QVERIFY(messages.isEmpty());
        QVERIFY(!programs.Shell(dir.filePath(u"no-such-program"_qs)));
        QFile(dir.filePath(u".hidden"_qs)).open(QIODevice::WriteOnly);
        QCOMPARE(files.Dir(dir.path() + u"\\hardinfo"), u"hardinfo"_qs);
        QCOMPARE(files.Dir(dir.path() + u"\\.hidden"), QString());
        QCOMPARE(files.Dir(dir.path()), QString());
    }
};

QTEST_GUILESS_MAIN(tst_SysInfo)
#include "tst_sysinfo.moc"

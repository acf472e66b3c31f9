#include "infowindows/SysInfo.h"
#include "infowindows/frmAbout.h"
#include "infowindows/frmAbout1.h"
#include "platform/FileQuery.h"
#include "platform/ProgramStart.h"
#include "platform/Registry.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using namespace Registry;

namespace {

// What the viewer's launch meets: the first look-up's value (null: none) of firstType, the
// second's folder (null: none), whether the viewer file is in it, whether starting works.
struct Launch
{
    QByteArray first;
    DWORD firstType = REG_SZ;
    QByteArray second;
    bool fileThere = false, startFails = false;
};

// Meets the launch as a Launch says, recording the programs started, the messages shown
// and any key opened for more than reading, in order.
struct Fixture : Table, FileQuery, ProgramStart
{
    Launch launch;
    QStringList events;

    long RegOpenKeyExA(HKEY root, const QString& subKey, DWORD options, DWORD sam, HKEY* result) override
    {
        if (sam != KEY_READ) // more than reading fails for a read-only account
            events << u"opened for more than reading"_qs;
        return Table::RegOpenKeyExA(root, subKey, options, sam, result);
    }
    QString Dir(const QString& path) override
    {
        return launch.fileThere && path == QString::fromUtf8(launch.second.chopped(1)) + u"\\MSINFO32.EXE"
            ? u"MSINFO32.EXE"_qs
            : QString();
    }
    bool Shell(const QString& path) override
    {
        events << u"start " + path;
        return !launch.startFails;
    }
};

QByteArray sz(const char* text)
{
    return QByteArray(text, qsizetype(strlen(text)) + 1);
}

} // namespace

Q_DECLARE_METATYPE(Launch)

class tst_SysInfo : public QObject
{
    Q_OBJECT

private slots:
    // The viewer's launch, and the first value's reading (strings, dwords, the 1024-byte buffer).
    void launch_data()
    {
        QTest::addColumn<Launch>("launch");
        QTest::addColumn<QStringList>("events");
        const QByteArray tools = sz("C:\\Tools");
        const QString viewer = u"start C:\\Tools\\MSINFO32.EXE"_qs,
                      unavailable = u"System Information Is Unavailable At This Time"_qs;
        QTest::newRow("first value is started unchecked")
            << Launch{.first = sz("/opt/v"), .second = tools} << QStringList{u"start /opt/v"_qs};
        QTest::newRow("dword is its unsigned little-endian value")
            << Launch{.first = QByteArray("\x05\x01\x00\x80", 4), .firstType = REG_DWORD}
            << QStringList{u"start 2147483909"_qs};
        QTest::newRow("longest value that fits, without a NUL, keeps every byte")
            << Launch{.first = QByteArray(1024, 'x')} << QStringList{u"start " + QString(1024, u'x')};
        QTest::newRow("too long for the buffer falls through")
            << Launch{.first = QByteArray(1025, 'x'), .second = tools, .fileThere = true} << QStringList{viewer};
        QTest::newRow("empty first value falls through")
            << Launch{.first = "", .second = tools, .fileThere = true} << QStringList{viewer};
        QTest::newRow("another type starts an empty path, whose failure shows the message")
            << Launch{.first = sz("/opt/v"),
                      .firstType = REG_EXPAND_SZ,
                      .second = tools,
                      .fileThere = true,
                      .startFails = true}
            << QStringList{u"start "_qs, unavailable};
        QTest::newRow("second folder ending in a backslash doubles it")
            << Launch{.second = sz("C:\\Tools\\"), .fileThere = true}
            << QStringList{u"start C:\\Tools\\\\MSINFO32.EXE"_qs};
        QTest::newRow("second look-up without the file") << Launch{.second = tools} << QStringList{unavailable};
        QTest::newRow("neither look-up") << Launch{} << QStringList{unavailable};
    }
    void launch()
    {
        QFETCH(Launch, launch);
        QFETCH(QStringList, events);
        Fixture f;
        f.launch = launch;
        if (!launch.first.isNull())
            f.set(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_qs, u"PATH"_qs,
                  {launch.firstType, launch.first});
        if (!launch.second.isNull())
            f.set(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Shared Tools Location"_qs, u"MSINFO"_qs,
                  {REG_SZ, launch.second});
        SysInfo(f, f, f, [&f](const QString& m) { f.events << m; }).StartSysInfo();
        QCOMPARE(f.events, events);
    }

    // The help and about boxes start the viewer when a person clicks System Information:
    // the real parts end to end, the desktop's registry naming the viewer found on PATH
    // (here a script that leaves a marker), started by its path.
    void buttonStartsTheViewer_data()
    {
        QTest::addColumn<bool>("about");
        QTest::addColumn<QString>("shown"); // a line the box shows
        QTest::newRow("help box") << false << u"System Information"_qs;
        QTest::newRow("about box") << true
                                   << u"For problems or comments regarding this contact email "
                                      u"ardel@corveluniverse.example"_qs;
    }
    void buttonStartsTheViewer()
    {
        QFETCH(bool, about);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        QFile script(dir.filePath(u"hardinfo"_qs));
        QVERIFY(script.open(QIODevice::WriteOnly) && script.write("#!/bin/sh\ntouch \"$0.started\"\n") > 0);
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        qputenv("PATH", QFile::encodeName(dir.path()) + ':' + qgetenv("PATH"));
        const std::unique_ptr<QDialog> box(about ? static_cast<QDialog*>(new frmAbout) : new frmAbout1);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        QStringList texts;
        for (const QAbstractButton* button : box->findChildren<QAbstractButton*>())
            texts << button->text();
        for (const QLabel* label : box->findChildren<QLabel*>())
            texts << label->text();
        QVERIFY2(texts.contains(shown), qPrintable(texts.join(u'|')));
        const auto* button = box->findChild<QPushButton*>(u"cmdSysInfo"_qs);
        const QPoint centre = button->mapTo(box.get(), button->rect().center());
        QWidget* under = box->childAt(centre);
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(box.get(), centre));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(script.fileName() + u".started"), 10000);
        // The real adapters: a failed start fails; a file is found, a folder is not.
        QVERIFY(!DetachedProgramStart().Shell(dir.filePath(u"no-such-program"_qs)));
        LocalFileQuery files;
        QCOMPARE(files.Dir(dir.path() + u"\\hardinfo"), u"hardinfo"_qs);
        QCOMPARE(files.Dir(dir.path()), QString());
    }
};

QTEST_MAIN(tst_SysInfo)
#include "tst_sysinfo.moc"

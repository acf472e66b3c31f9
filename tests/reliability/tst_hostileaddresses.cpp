// Hostile text typed into the address box of a browser window on the real web engine,
// every request routed to a loopback server. None may crash or hang the window, start
// another program or raise an error box; afterwards the window still loads a page.
#include "browser/FixedAddresses.h"
#include "browser/frmBrowser.h"
#include "browser/openBrowserWindow.h"
#include "mainframe/frmMain.h"
#include "platform/UnexpectedError.h"
#include "platform/WebEngineTestMain.h"
#include "support/LoopbackHttpServer.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

namespace {

QStringList g_reported;
void record(const QString& description) { g_reported.append(description); }

const QString pageHost = QString::fromUtf16(FixedAddresses::PageHost);

// Programs a browser might hand an address to; each stand-in leaves a mark if started.
const char* const launchers[] = {"xdg-open", "xdg-email", "gio", "sensible-browser", "x-www-browser",
                                 "gnome-open", "kde-open", "exo-open", "mailto"};

} // namespace

class tst_HostileAddresses : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void typedAddressIsHandledSafely_data();
    void typedAddressIsHandledSafely();
    void stopEndsALoadThatNeverAnswers();

private:
    QTemporaryDir m_scratch;
    LoopbackHttpServer m_server;
    QPointer<frmBrowser> m_window;
    QStringList m_titles;
};

void tst_HostileAddresses::initTestCase()
{
    QVERIFY(m_scratch.isValid());
    const QString bin = m_scratch.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    for (const char* name : launchers) {
        QFile script(bin % u'/' % QLatin1String(name));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$0 $*\" >> \"" + QFile::encodeName(m_scratch.filePath(QStringLiteral("started")))
                     + "\"\n");
        script.close();
        QVERIFY(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    }
    qputenv("PATH", QFile::encodeName(bin) + ':' + qgetenv("PATH"));
    qputenv("BROWSER", QFile::encodeName(bin + QStringLiteral("/x-www-browser")));

    QVERIFY2(m_server.listen(), qPrintable(m_server.errorString()));
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    routeWebEngineThrough(m_server);
    UnexpectedError::setReporterForTesting(&record);
    const QString first = u"http://" % pageHost % u"/first.htm";
    m_server.setResponse(first, LoopbackResponse::page(QStringLiteral("First page")));

    openBrowserWindow();
    auto* sub = frmMain::current()->mdiArea()->subWindowList().value(0);
    QVERIFY(sub);
    m_window = qobject_cast<frmBrowser*>(sub->widget());
    connect(m_window, &QWidget::windowTitleChanged, this, [this](const QString& t) { m_titles.append(t); });
    m_window->brwWebBrowser()->Navigate(first);
    QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), QStringLiteral("First page"), 20000);
}

void tst_HostileAddresses::cleanupTestCase()
{
    if (QPointer<frmMain> frame = frmMain::current()) {
        frame->close();
        QTRY_VERIFY(frame.isNull());
    }
}

void tst_HostileAddresses::typedAddressIsHandledSafely_data()
{
    const QString secret = m_scratch.filePath(QStringLiteral("secret.txt"));
    QFile file(secret);
    if (file.open(QIODevice::WriteOnly))
        file.write("secret\n");

    QTest::addColumn<QString>("typed");
    QTest::newRow("script address") << QStringLiteral("javascript:document.title='script ran'");
    QTest::newRow("script address in capitals") << QStringLiteral("JaVaScRiPt:document.title='script ran'");
    QTest::newRow("data page that runs script")
        << QStringLiteral("data:text/html,<title>data</title><script>document.title='data page script'</script>");
    QTest::newRow("data page that jumps to a local file")
        << (u"data:text/html,<script>location='file://" % secret % u"'</script>");
    QTest::newRow("local file path") << secret;
    QTest::newRow("local file address") << (u"file://" % secret);
    QTest::newRow("local folder address") << QStringLiteral("file:///");
    QTest::newRow("mail address") << QStringLiteral("mailto:someone@example.invalid?subject=hi");
    QTest::newRow("custom scheme") << QStringLiteral("corvel-launch://run?cmd=xterm");
    QTest::newRow("another custom scheme") << QStringLiteral("ms-settings:network");
    QTest::newRow("100000-character address")
        << (u"http://" % pageHost % u"/" % QString(100000, QLatin1Char('a')));
    QTest::newRow("100000 characters without a scheme") << QString(100000, QLatin1Char('%'));
    QTest::newRow("control characters")
        << (u"http://" % pageHost % QStringLiteral("/a\x01\x02\x1b[31m\tb\r\nc\x7f"));
    QTest::newRow("nul character") << (u"http://" % pageHost % u"/a" % QChar(0) % u"b");
    QTest::newRow("invalid UTF-8") << (u"http://" % pageHost % u"/" % QString::fromUtf8("\xff\xfe\xc3\x28\xed\xa0\x80"));
    QTest::newRow("lone surrogate") << (u"http://" % pageHost % u"/" % QChar(0xD800) % u"x");
    QTest::newRow("only spaces") << QStringLiteral("   ");
    QTest::newRow("view-source of a local file") << (u"view-source:file://" % secret);
    QTest::newRow("engine's internal pages") << QStringLiteral("chrome://gpuclean");
}

void tst_HostileAddresses::typedAddressIsHandledSafely()
{
    QFETCH(QString, typed);
    QVERIFY(m_window);
    m_titles.clear();
    g_reported.clear();

    QLineEdit* edit = m_window->findChild<QComboBox*>(QStringLiteral("cboAddress"))->lineEdit();
    edit->setFocus();
    edit->setText(typed);
    QTest::keyClick(edit, Qt::Key_Return);

    // The window settles: its busy poll ends.
    auto* timer = m_window->findChild<QTimer*>(QStringLiteral("timTimer"));
    QTRY_VERIFY2_WITH_TIMEOUT(!timer->isActive(), qPrintable(u"busy " % QString::number(m_window->brwWebBrowser()->Busy()) % u" title " % m_window->windowTitle() % u" titles " % m_titles.join(u'|')), 15000);
    QTest::qWait(300);

    // It still loads an ordinary page.
    const QString after = u"http://" % pageHost % u"/after.htm";
    m_window->brwWebBrowser()->Navigate(after);
    QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), QStringLiteral("/after.htm"), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), 15000);

    QVERIFY2(!QFile::exists(m_scratch.filePath(QStringLiteral("started"))), "another program was started");
    QVERIFY2(g_reported.isEmpty(), qPrintable(g_reported.join(u'\n')));
    // Script typed as an address never runs inside the page that was showing.
    QVERIFY2(!m_titles.contains(QStringLiteral("script ran")), qPrintable(m_titles.join(u'|')));
}

void tst_HostileAddresses::stopEndsALoadThatNeverAnswers()
{
    const QString stalled = u"http://" % pageHost % u"/never.htm";
    m_server.setResponse(stalled, LoopbackResponse::neverAnswer());
    auto* timer = m_window->findChild<QTimer*>(QStringLiteral("timTimer"));
    QLineEdit* edit = m_window->findChild<QComboBox*>(QStringLiteral("cboAddress"))->lineEdit();
    edit->setFocus();
    edit->setText(stalled);
    QTest::keyClick(edit, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(m_server.urlsTo(pageHost).contains(stalled), 15000);
    QTRY_COMPARE(m_window->windowTitle(), QStringLiteral("Working..."));
    QVERIFY(timer->isActive());

    m_window->tbToolBar_ButtonClick(QStringLiteral("Stop"));
    QVERIFY(!timer->isActive());
    QTest::qWait(300);
    QVERIFY(!timer->isActive());
    QVERIFY(!m_window->brwWebBrowser()->Busy());
    QVERIFY(m_window->windowTitle() != u"Working...");
    QVERIFY2(g_reported.isEmpty(), qPrintable(g_reported.join(u'\n')));
}

WEBENGINE_TEST_MAIN(tst_HostileAddresses)
#include "tst_hostileaddresses.moc"

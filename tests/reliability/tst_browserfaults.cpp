// Faults of the network and of the engine's own processes, and hostile typed addresses,
// met by the real browser window in the real frame on the real web engine, all traffic
// through a loopback proxy. Each must end with the window settled (busy poll off, a page
// title, not "Working..."), able to load a page again, with no error box and no other
// program started.
#include "browser/FixedAddresses.h"
#include "browser/frmBrowser.h"
#include "browser/openBrowserWindow.h"
#include "mainframe/frmMain.h"
#include "platform/UnexpectedError.h"
#include "platform/WebEngineTestMain.h"
#include "support/LoopbackHttpServer.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <unistd.h>

Q_DECLARE_METATYPE(LoopbackResponse)

namespace {

QStringList g_reported;
void record(const QString& description) { g_reported.append(description); }

const QString pageHost = QString::fromUtf16(FixedAddresses::PageHost);
QString pageUrl(const QString& path) { return u"http://" % pageHost % path; }

// Programs a browser might hand an address to; each stand-in leaves a mark if started.
const char* const launchers[] = {"xdg-open", "xdg-email", "gio", "sensible-browser", "x-www-browser",
                                 "gnome-open", "kde-open", "exo-open", "mailto"};

// Engine helpers started by this process, by kind ("--type=..."). Renderers are forked by
// a zygote and keep its command line, so a helper's own children count as renderers.
QMultiMap<QString, int> engineHelpers()
{
    QHash<int, QPair<int, QByteArray>> processes; // pid: parent, kind
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : entries) {
        QFile stat(u"/proc/" % pid % u"/stat"), cmdline(u"/proc/" % pid % u"/cmdline");
        if (!stat.open(QIODevice::ReadOnly) || !cmdline.open(QIODevice::ReadOnly))
            continue;
        const QByteArray fields = stat.readAll(), command = cmdline.readAll();
        const qsizetype type = command.indexOf("--type=");
        processes.insert(pid.toInt(), {fields.mid(fields.lastIndexOf(')') + 2).split(' ').value(1).toInt(),
                                       type < 0 ? QByteArray() : command.mid(type + 7).split('\0').first()});
    }
    QMultiMap<QString, int> helpers;
    for (auto it = processes.cbegin(); it != processes.cend(); ++it) {
        const auto parent = processes.value(it->first);
        if (it->first == ::getpid() && !it->second.isEmpty())
            helpers.insert(QString::fromLatin1(it->second), it.key());
        else if (parent.first == ::getpid() && !parent.second.isEmpty())
            helpers.insert(QStringLiteral("renderer"), it.key());
    }
    return helpers;
}

// Our own written memory: unlike PSS it does not move when another process maps or
// unmaps the same libraries, so it measures what these windows leave behind.
qint64 privateDirtyKiB()
{
    QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
    if (!rollup.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : rollup.readAll().split('\n'))
        if (line.startsWith("Private_Dirty:"))
            return line.mid(14).trimmed().split(' ').first().toLongLong();
    return -1;
}

} // namespace

class tst_BrowserFaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { g_reported.clear(); m_titles.clear(); }
    void cleanup();
    void typedAddressIsHandledSafely_data();
    void typedAddressIsHandledSafely();
    void faultyServerEndsTheLoad_data();
    void faultyServerEndsTheLoad();
    void killedRendererRecoversOnRefresh_data();
    void killedRendererRecoversOnRefresh();
    void windowChurnLeavesNothingBehind();

private:
    frmBrowser* openWindow();
    QTimer* poll() const { return m_window->findChild<QTimer*>(QStringLiteral("timTimer")); }
    void type(const QString& address);
    void loadsAgain(const QString& path);
    void served(const QString& url) { QTRY_VERIFY_WITH_TIMEOUT(m_server.urlsTo(pageHost).contains(url), 15000); }

    QTemporaryDir m_scratch;
    LoopbackHttpServer m_server;
    QPointer<frmBrowser> m_window;
    QStringList m_titles;
};

void tst_BrowserFaults::initTestCase()
{
    const QString bin = m_scratch.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    for (const char* name : launchers) {
        QFile script(bin % u'/' % QLatin1String(name));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$0 $*\" >> " + QFile::encodeName(m_scratch.filePath(QStringLiteral("started"))));
        QVERIFY(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    qputenv("PATH", QFile::encodeName(bin) + ':' + qgetenv("PATH"));
    qputenv("BROWSER", QFile::encodeName(bin + QStringLiteral("/x-www-browser")));
    QFile secret(m_scratch.filePath(QStringLiteral("secret.txt")));
    QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("secret\n") > 0);

    QVERIFY2(m_server.listen(), qPrintable(m_server.errorString()));
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    routeWebEngineThrough(m_server);
    UnexpectedError::setReporterForTesting(&record);
    m_window = openWindow();
    QVERIFY(m_window);
    connect(m_window, &QWidget::windowTitleChanged, this, [this](const QString& t) { m_titles.append(t); });
    loadsAgain(QStringLiteral("/first.htm"));
}

void tst_BrowserFaults::cleanup()
{
    QVERIFY2(g_reported.isEmpty(), qPrintable(g_reported.join(u'\n')));
    QVERIFY2(!QFile::exists(m_scratch.filePath(QStringLiteral("started"))), "another program was started");
}

frmBrowser* tst_BrowserFaults::openWindow()
{
    openBrowserWindow();
    const QList<QMdiSubWindow*> subs = frmMain::current()->mdiArea()->subWindowList();
    return subs.isEmpty() ? nullptr : qobject_cast<frmBrowser*>(subs.last()->widget());
}

void tst_BrowserFaults::type(const QString& address)
{
    QLineEdit* edit = m_window->findChild<QComboBox*>(QStringLiteral("cboAddress"))->lineEdit();
    edit->setFocus();
    edit->setText(address);
    QTest::keyClick(edit, Qt::Key_Return);
}

// A healthy page typed into the box loads: its title, its address on top, the poll off.
void tst_BrowserFaults::loadsAgain(const QString& path)
{
    m_server.setResponse(pageUrl(path), LoopbackResponse::page(u"Healthy " % path));
    type(pageUrl(path));
    QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), QString(u"Healthy " % path), 45000);
    QTRY_VERIFY_WITH_TIMEOUT(!poll()->isActive(), 5000);
    QCOMPARE(m_window->findChild<QComboBox*>(QStringLiteral("cboAddress"))->itemText(0), pageUrl(path));
}

void tst_BrowserFaults::typedAddressIsHandledSafely_data()
{
    const QString secret = m_scratch.filePath(QStringLiteral("secret.txt"));
    QTest::addColumn<QString>("typed");
    QTest::newRow("script address") << QStringLiteral("javascript:document.title='script ran'");
    QTest::newRow("script address in capitals") << QStringLiteral("JaVaScRiPt:document.title='script ran'");
    QTest::newRow("data page that runs script")
        << QStringLiteral("data:text/html,<title>data</title><script>document.title='data page script'</script>");
    QTest::newRow("data page that jumps to a local file")
        << (u"data:text/html,<script>location='file://" % secret % u"'</script>");
    QTest::newRow("local file path") << secret;
    QTest::newRow("local file address") << (u"file://" % secret);
    QTest::newRow("view-source of a local file") << (u"view-source:file://" % secret);
    QTest::newRow("mail address") << QStringLiteral("mailto:someone@example.invalid?subject=hi");
    QTest::newRow("custom scheme") << QStringLiteral("corvel-launch://run?cmd=xterm");
    QTest::newRow("engine's internal pages") << QStringLiteral("chrome://gpuclean");
    QTest::newRow("100000-character address") << pageUrl(u'/' % QString(100000, u'a'));
    QTest::newRow("control characters") << pageUrl(QStringLiteral("/a\x01\x02\x1b[31m\tb\r\nc\x7f"));
    QTest::newRow("nul character") << pageUrl(u"/a" % QChar(0) % u"b");
    QTest::newRow("invalid UTF-8") << pageUrl(u'/' % QString::fromUtf8("\xff\xfe\xc3\x28\xed\xa0\x80"));
    QTest::newRow("lone surrogate") << pageUrl(u'/' % QChar(0xD800) % u'x');
    QTest::newRow("only spaces") << QStringLiteral("   ");
}

void tst_BrowserFaults::typedAddressIsHandledSafely()
{
    QFETCH(QString, typed);
    type(typed);
    QTRY_VERIFY_WITH_TIMEOUT(!poll()->isActive(), 15000);
    QTest::qWait(300);
    loadsAgain(QStringLiteral("/after.htm"));
    // Script typed as an address never runs inside the page that was showing.
    QVERIFY2(!m_titles.contains(QStringLiteral("script ran")), qPrintable(m_titles.join(u'|')));
}

void tst_BrowserFaults::faultyServerEndsTheLoad_data()
{
    QTest::addColumn<LoopbackResponse>("response");
    QTest::addColumn<bool>("pressStop"); // else the load must end by itself
    const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n";
    const LoopbackResponse huge = LoopbackResponse::page(QStringLiteral("Huge"),
                                                       "<!--" + QByteArray(50 * 1024 * 1024, 'x') + "-->");
    QTest::newRow("connection dropped before an answer") << LoopbackResponse::drop() << false;
    QTest::newRow("connection closed before the declared length")
        << LoopbackResponse::raw(head + "Content-Length: 100000\r\n\r\n<title>Cut</title><p>cut") << false;
    QTest::newRow("body longer than its declared length")
        << LoopbackResponse::raw(head + "Content-Length: 20\r\n\r\n<title>Long</title><p>more than twenty")
        << false;
    QTest::newRow("two different lengths declared")
        << LoopbackResponse::raw(head + "Content-Length: 5\r\nContent-Length: 9\r\n\r\n<p>x</p>") << false;
    QTest::newRow("broken chunked encoding")
        << LoopbackResponse::raw(head + "Transfer-Encoding: chunked\r\n\r\nzz\r\n<title>Chunk</title>\r\n")
        << false;
    QTest::newRow("answer that is not HTTP") << LoopbackResponse::raw("\x01\x02 garbage\r\n\r\n\xff\xfe") << false;
    QTest::newRow("bytes that are not UTF-8")
        << LoopbackResponse::page(QStringLiteral("Bad bytes"), "\xff\xfe\xc3\x28\xed\xa0\x80<p>\x00\x01</p>") << false;
    QTest::newRow("redirect to itself") << LoopbackResponse::redirect(pageUrl(QStringLiteral("/fault"))) << false;
    QTest::newRow("never answers, then Stop") << LoopbackResponse::neverAnswer() << true;
    QTest::newRow("50 MB page, then Stop") << huge << true;
}

void tst_BrowserFaults::faultyServerEndsTheLoad()
{
    QFETCH(LoopbackResponse, response);
    QFETCH(bool, pressStop);
    const QString fault = pageUrl(QStringLiteral("/fault"));
    m_server.setResponse(fault, response);
    m_server.clearRequests();
    type(fault);
    served(fault);

    if (pressStop) {
        // The window keeps answering while the engine struggles: no tick of a 10 ms
        // timer is held up long.
        QElapsedTimer clock;
        qint64 last = 0, worst = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            worst = qMax(worst, clock.elapsed() - last);
            last = clock.elapsed();
        });
        clock.start();
        ticker.start(10);
        QTest::qWait(1000);
        QVERIFY2(worst < 500, qPrintable(QString::number(worst)));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Working..."));
        m_window->tbToolBar_ButtonClick(QStringLiteral("Stop"));
        QVERIFY(!poll()->isActive());
        QVERIFY(!m_window->brwWebBrowser()->Busy());
    }
    QTRY_VERIFY_WITH_TIMEOUT(!poll()->isActive(), 20000);
    QTest::qWait(300); // no late event of the failed load switches it on again
    QVERIFY(!poll()->isActive());
    QVERIFY(m_window->windowTitle() != u"Working...");
    QVERIFY(m_server.urlsTo(pageHost).count(fault) <= 25); // a redirect loop is cut short
    loadsAgain(QStringLiteral("/after.htm"));
}

void tst_BrowserFaults::killedRendererRecoversOnRefresh_data()
{
    QTest::addColumn<LoopbackResponse>("page");
    QTest::addColumn<LoopbackResponse>("picture"); // a part of the page
    QTest::newRow("killed while the page never answers")
        << LoopbackResponse::neverAnswer() << LoopbackResponse::page(QStringLiteral("unused"));
    QTest::newRow("killed while a part of the page never answers")
        << LoopbackResponse::page(QStringLiteral("Partial"), "<img src=\"/stall.png\">") << LoopbackResponse::neverAnswer();
    QTest::newRow("killed after the page loaded")
        << LoopbackResponse::page(QStringLiteral("Loaded")) << LoopbackResponse::page(QStringLiteral("unused"));
}

void tst_BrowserFaults::killedRendererRecoversOnRefresh()
{
    QFETCH(LoopbackResponse, page);
    QFETCH(LoopbackResponse, picture);
    const QString address = pageUrl(QStringLiteral("/killed.htm"));
    const QString pictureAddress = pageUrl(QStringLiteral("/stall.png"));
    m_server.setResponse(address, page);
    m_server.setResponse(pictureAddress, picture);
    m_server.clearRequests();
    type(address);
    served(address);
    QTest::qWait(300);
    const QList<int> renderers = engineHelpers().values(QStringLiteral("renderer"));
    QVERIFY(!renderers.isEmpty());
    for (int pid : renderers)
        QCOMPARE(::kill(pid, SIGKILL), 0);
    // With its renderer gone the window's load is over: the poll ends on a page title.
    QTRY_VERIFY_WITH_TIMEOUT(!poll()->isActive(), 5000);
    QVERIFY(m_window->windowTitle() != u"Working...");
    // Refresh reloads the page the window shows, in a new renderer.
    m_server.setResponse(m_window->brwWebBrowser()->LocationURL(), LoopbackResponse::page(QStringLiteral("Recovered")));
    m_server.setResponse(pictureAddress, LoopbackResponse::page(QStringLiteral("picture")));
    m_window->tbToolBar_ButtonClick(QStringLiteral("Refresh"));
    QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), QStringLiteral("Recovered"), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!poll()->isActive(), 10000);
    QVERIFY(!m_window->brwWebBrowser()->Busy());
    loadsAgain(QStringLiteral("/after-kill.htm"));
}

// 50 windows in five batches of ten. Each window loads its home page, then starts a load
// that never ends; half of them are closed by their own File > Exit during it, the rest
// by closing the frame.
void tst_BrowserFaults::windowChurnLeavesNothingBehind()
{
    QList<qint64> pss;
    QList<int> helpers;
    for (int batch = 0; batch < 5; ++batch) {
        QList<QPointer<frmBrowser>> windows;
        for (int i = 0; i < 10; ++i)
            windows.append(openWindow());
        for (const QPointer<frmBrowser>& window : std::as_const(windows))
            QTRY_VERIFY_WITH_TIMEOUT(window && !window->findChild<QTimer*>(QStringLiteral("timTimer"))->isActive()
                                         && window->windowTitle() == u"/corveluniverse",
                                     30000);
        const qint64 open = privateDirtyKiB();
        const QString stalled = pageUrl(u"/never" % QString::number(batch));
        m_server.setResponse(stalled, LoopbackResponse::neverAnswer());
        for (const QPointer<frmBrowser>& window : std::as_const(windows))
            QVERIFY(window->brwWebBrowser()->Navigate(stalled).ok());
        QTRY_VERIFY_WITH_TIMEOUT(m_server.urlsTo(pageHost).contains(stalled), 15000);
        for (const QPointer<frmBrowser>& window : std::as_const(windows))
            QVERIFY(window->brwWebBrowser()->Busy());
        for (int i = 0; i < 5; ++i)
            windows.at(i)->mnuFileExit_Click();
        QPointer<frmMain> frame = frmMain::current();
        frame->close();
        QTRY_VERIFY(frame.isNull());
        for (const QPointer<frmBrowser>& window : std::as_const(windows))
            QTRY_VERIFY(window.isNull());
        QTRY_VERIFY_WITH_TIMEOUT(!engineHelpers().contains(QStringLiteral("renderer")), 10000);
        helpers.append(int(engineHelpers().size()));
        pss.append(privateDirtyKiB());
        qInfo("batch %d: %d helpers, private memory %lld KiB (%lld with ten windows open)", batch, helpers.last(), pss.last(), open);
    }
    for (int count : std::as_const(helpers))
        QVERIFY(count <= helpers.first());
    // Measured here: 1 to 4 MB of growth over the four later batches (heap settling); a
    // leak of 300 KB per window would exceed the margin. Windows that stay alive are
    // caught by the checks in the loop.
    QVERIFY2(pss.last() - pss.first() < 12 * 1024, qPrintable(QString::number(pss.last() - pss.first())));
}

WEBENGINE_TEST_MAIN(tst_BrowserFaults)
#include "tst_browserfaults.moc"

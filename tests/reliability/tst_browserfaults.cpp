// Hostile typed addresses, network faults and killed engine processes met by the real
// browser window on the real engine through a loopback proxy. Each must end with the
// window settled and able to load again, with no error box and no other program started.
#include "browser/FixedAddresses.h"
#include "platform/ServerText.h"
#include "platform/WebEngineTestMain.h"
#include "support/RealEngine.h"

#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <csignal>
#include <unistd.h>

using RealEngine::childrenOf;
using RealEngine::reported;
Q_DECLARE_METATYPE(LoopbackResponse)

namespace {

const QString pageHost = QString::fromUtf16(FixedAddresses::PageHost);
QString pageUrl(const QString& path)
{
    return u"http://" % pageHost % path;
}
const QString faultPage = pageUrl(u"/fault.htm"_s), faultPart = pageUrl(u"/part.png"_s);
enum Action { Wait, Stop, KillRenderer };

QList<int> renderers()
{
    return childrenOf(childrenOf({::getpid()}));
}

// Our own written memory: unlike PSS it does not move when other processes map the same libraries.
qint64 privateDirtyKiB()
{
    QFile rollup(u"/proc/self/smaps_rollup"_s);
    const QByteArray text = rollup.open(QIODevice::ReadOnly) ? rollup.readAll() : QByteArray();
    return text.mid(text.indexOf("Private_Dirty:") + 14).trimmed().split(' ').first().toLongLong();
}

bool idle(const frmBrowser* window)
{
    return !window->findChild<QTimer*>(u"timTimer"_s)->isActive();
}

} // namespace

class tst_BrowserFaults : public QObject
{
    Q_OBJECT
    QTemporaryDir m_scratch;
    LoopbackHttpServer m_server;
    QPointer<frmBrowser> m_window;

    static frmBrowser* openWindow() { return frmMain::openBrowserWindow(); }

    // As a person puts in an address that no one would type: pasted into the address box.
    void type(const QString& address)
    {
        QGuiApplication::clipboard()->setText(address);
        frmMain::current()->activateWindow(); // back from a dialog, as a person clicks the window
        QTRY_VERIFY(frmMain::current()->isActiveWindow());
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_L));
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    void loadsAgain(const QString& path)
    {
        m_server.setResponse(pageUrl(path), LoopbackResponse::page(u"Healthy " % path));
        type(pageUrl(path));
        QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), QString(u"Healthy " % path), 45000);
        QTRY_VERIFY_WITH_TIMEOUT(idle(m_window), 5000);
    }

private slots:
    void initTestCase()
    {
        // Stand-ins for the programs a browser might hand an address to; each leaves a mark if started.
        const QString bin = m_scratch.filePath(u"bin"_s);
        QVERIFY(QDir().mkpath(bin));
        for (const char* name : {"xdg-open", "xdg-email", "gio", "sensible-browser", "x-www-browser", "kde-open"}) {
            QFile script(bin % u'/' % QLatin1String(name));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\necho \"$0 $*\" >> " + QFile::encodeName(m_scratch.filePath(u"started"_s)));
            QVERIFY(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        qputenv("PATH", QFile::encodeName(bin) + ':' + qgetenv("PATH"));
        qputenv("BROWSER", QFile::encodeName(bin + u"/x-www-browser"_s));

        RealEngine::routeThrough(m_server);
        RealEngine::openWindow(m_window);
        loadsAgain(u"/first.htm"_s);
    }

    void init() { reported().clear(); }
    void cleanup()
    {
        QVERIFY2(reported().isEmpty(), qPrintable(reported().join(u'\n')));
        QVERIFY2(!QFile::exists(m_scratch.filePath(u"started"_s)), "another program was started");
    }

    void faultLeavesTheWindowWorking_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<LoopbackResponse>("page"); // at faultPage
        QTest::addColumn<LoopbackResponse>("part"); // at faultPart
        QTest::addColumn<int>("action");            // after the page was requested
        const LoopbackResponse none = LoopbackResponse::neverAnswer();
        const auto typed = [&](const char* name, const QString& address) {
            QTest::newRow(name) << address << none << none << +Wait;
        };
        typed("script address, any case", u"JaVaScRiPt:document.title='script ran'"_s);
        typed("local file path", QCoreApplication::applicationDirPath());
        typed("mail address", u"mailto:someone@example.invalid?subject=hi"_s);
        typed("custom scheme", u"corvel-launch://run?cmd=xterm"_s);
        typed("100000-character address", pageUrl(u'/' % QString(100000, u'a')));
        typed("control characters", pageUrl(u"/a\x01\x1b[31m\tb\r\nc\x7f"_s));
        typed("nul character, which the engine drops silently", pageUrl(u"/a" % QChar(0) % u"b"));
        typed("only spaces", u"   "_s);

        const auto served
            = [&](const char* name, const LoopbackResponse& page, Action action, const LoopbackResponse& part = {}) {
                  QTest::newRow(name) << faultPage << page << part << +action;
              };
        const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n";
        served("connection dropped before an answer", LoopbackResponse::drop(), Wait);
        served("connection closed before the declared length",
               LoopbackResponse::raw(head + "Content-Length: 100000\r\n\r\n<title>Cut</title><p>cut"), Wait);
        served("broken chunked encoding",
               LoopbackResponse::raw(head + "Transfer-Encoding: chunked\r\n\r\nzz\r\n<title>Chunk</title>\r\n"), Wait);
        served("answer that is not HTTP", LoopbackResponse::raw("\x01\x02 garbage\r\n\r\n\xff\xfe"), Wait);
        served("redirect to itself", LoopbackResponse::redirect(faultPage), Wait);
        served("never answers, then Stop", none, Stop);
        served("page that starts and never finishes, then Stop", LoopbackResponse::unfinished(u"Endless"_s), Stop);
        served("renderer killed while the page never answers", none, KillRenderer);
        served("renderer killed while a part never answers",
               LoopbackResponse::page(u"Partial"_s, "<img src=\"/part.png\">"), KillRenderer, none);
    }

    void faultLeavesTheWindowWorking()
    {
        QFETCH(QString, typed);
        QFETCH(LoopbackResponse, page);
        QFETCH(LoopbackResponse, part);
        QFETCH(int, action);
        m_server.clearRequests();
        m_server.setResponse(faultPage, page);
        m_server.setResponse(faultPart, part);
        // An answer that is not HTTP comes as a file to save; the person declines it.
        QTimer declines;
        connect(&declines, &QTimer::timeout, this, [] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog && QApplication::focusWidget() && QApplication::focusWidget()->window() == dialog)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            else if (dialog)
                dialog->activateWindow();
        });
        declines.start(100);
        type(typed);
        if (action != Wait) {
            QTRY_VERIFY_WITH_TIMEOUT(m_server.urlsTo(pageHost).contains(faultPage), 15000);
            QTest::qWait(1000);
        }
        if (action == Stop) {
            QCOMPARE(m_window->windowTitle(), u"Working..."_s);
            m_window->tbToolBar_ButtonClick(u"Stop"_s);
            QVERIFY(idle(m_window) && !m_window->brwWebBrowser()->Busy());
        }
        const QList<int> killed = action == KillRenderer ? renderers() : QList<int>();
        QVERIFY(action != KillRenderer || !killed.isEmpty());
        for (int pid : killed)
            QCOMPARE(::kill(pid, SIGKILL), 0);
        QTRY_VERIFY_WITH_TIMEOUT(idle(m_window), 20000);
        QTest::qWait(300); // no late event of the failed load switches the poll on again
        QVERIFY(idle(m_window) && m_window->windowTitle() != u"Working...");
        QVERIFY(m_window->brwWebBrowser()->LocationName() != u"script ran");
        if (action == KillRenderer) {
            // A Refresh sent before the engine noticed (the renderers reaped) would go to the dead renderer.
            for (int pid : killed)
                QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(u"/proc/" % QString::number(pid)), 5000);
            QTest::qWait(300);
            m_server.setResponse(m_window->brwWebBrowser()->LocationURL(), LoopbackResponse::page(u"Recovered"_s));
            m_server.setResponse(faultPart, LoopbackResponse::page(u"picture"_s));
            m_window->tbToolBar_ButtonClick(u"Refresh"_s);
            QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), u"Recovered"_s, 20000);
        }
        loadsAgain(u"/after.htm"_s);
    }

    void pageTitleCannotReorderTheWindowTitle()
    {
        m_server.setResponse(pageUrl(u"/title.htm"_s), LoopbackResponse::page(u"exe.\u202Etxt\u200B\u2066x"_s));
        type(pageUrl(u"/title.htm"_s));
        QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), u"exe.txtx"_s, 20000);
    }

    void downloadNameIsMadeSafe_data()
    {
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("safe");
        const QString e = u"\u00e9"_s, smile = u"\U0001F600"_s, ext = u".pdf"_s;
        QTest::newRow("right-to-left override") << u"cod\u202Efdp.exe"_s << u"codfdp.exe"_s;
        QTest::newRow("newline and carriage return") << u"line1\nline2\r.txt"_s << u"line1line2.txt"_s;
        QTest::newRow("climbing path") << u"../../.bashrc"_s << u"___.._.bashrc"_s;
        QTest::newRow("backslashes") << u"..\\evil.sh"_s << u"___evil.sh"_s;
        QTest::newRow("white space around") << u"  \t a b.txt \u00a0"_s << u"a b.txt"_s;
        QTest::newRow("only control characters") << u"\x01\x7f\u2028"_s << u"download"_s;
        QTest::newRow("404 characters cut to 246 bytes") << QString(400, u'x') + ext << QString(242, u'x') + ext;
        QTest::newRow("two-byte characters cut whole") << e.repeated(300) + ext << e.repeated(121) + ext;
        QTest::newRow("four-byte characters cut whole") << smile.repeated(100) + ext << smile.repeated(60) + ext;
        QTest::newRow("long tail after a dot is no extension")
            << u"a."_s + QString(300, u'x') << u"a."_s + QString(244, u'x');
    }
    void downloadNameIsMadeSafe()
    {
        QFETCH(QString, proposed);
        QFETCH(QString, safe);
        QCOMPARE(ServerText::safeFileName(proposed), safe);
    }

    // 50 windows in five batches of ten, each closed during a load that never ends: half by
    // their own File > Exit, the rest with the frame.
    void windowChurnLeavesNothingBehind()
    {
        const qsizetype helpers = childrenOf({::getpid()}).size();
        QList<qint64> memory;
        for (int batch = 0; batch < 5; ++batch) {
            const QString stalled = pageUrl(u"/never" % QString::number(batch));
            m_server.setResponse(stalled, LoopbackResponse::neverAnswer());
            QList<QPointer<frmBrowser>> windows;
            for (int i = 0; i < 10; ++i)
                windows.append(openWindow());
            for (const QPointer<frmBrowser>& window : std::as_const(windows)) {
                QTRY_VERIFY_WITH_TIMEOUT(window && idle(window) && window->windowTitle() == u"/corveluniverse", 30000);
                QVERIFY(window->brwWebBrowser()->Navigate(stalled).ok() && window->brwWebBrowser()->Busy());
            }
            QTRY_VERIFY_WITH_TIMEOUT(m_server.urlsTo(pageHost).contains(stalled), 15000);
            for (int i = 0; i < 5; ++i)
                windows.at(i)->mnuFileExit_Click();
            QPointer<frmMain> frame = frmMain::current();
            frame->close();
            QTRY_VERIFY(frame.isNull()
                        && std::all_of(windows.cbegin(), windows.cend(), [](auto& w) { return w.isNull(); }));
            QTRY_VERIFY_WITH_TIMEOUT(renderers().isEmpty(), 10000);
            QVERIFY(childrenOf({::getpid()}).size() <= helpers);
            memory.append(privateDirtyKiB());
        }
#ifndef __SANITIZE_ADDRESS__
        // Measured here: 1 to 4 MB of growth after the first batch; 300 KB leaked per window exceeds the margin.
        // Under AddressSanitizer freed memory waits in its quarantine, dirty, so growth says nothing there.
        QVERIFY2(memory.last() - memory.first() < 12 * 1024,
                 qPrintable(QString::number(memory.last() - memory.first())));
#endif
    }
};

WEBENGINE_TEST_MAIN(tst_BrowserFaults)
#include "tst_browserfaults.moc"

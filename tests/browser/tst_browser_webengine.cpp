// The browser window on the real Qt WebEngine, every request routed to a loopback server
// that stands as the engine's proxy and records absolute addresses: navigation, addresses
// of other programs, new windows, downloads through the save dialog, addresses typed
// without a scheme, hostile addresses, network faults and killed engine processes, and
// what pages ask: logins, certificates, permissions, full screen, printing, crashes and
// leave prompts. https sites are local TLS servers reached through the proxy, with
// certificates made at run time and a test authority that the engine trusts through the
// private home folder's certificate store. Each test ends with no error box shown and no
// other program started.
#include "browser/FixedAddresses.h"
#include "browser/frmBrowser.h"
#include "mainframe/frmMain.h"
#include "platform/ServerText.h"
#include "platform/UnexpectedError.h"
#include "platform/WebViewProvider.h"
#include "support/LoopbackHttpServer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSslKey>
#include <QSslServer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <csignal>
#include <functional>
#include <unistd.h>

using namespace Qt::StringLiterals;
Q_DECLARE_METATYPE(LoopbackResponse)

// The helpers of the checks on the real engine.
namespace RealEngine {

// What the unexpected-error course would have shown, in order.
QStringList& reported()
{
    static QStringList descriptions;
    return descriptions;
}

// Call before the engine starts: server listens and takes all traffic, flags go to the engine.
void routeThrough(LoopbackHttpServer& server, const QByteArray& flags = "--disable-gpu")
{
    QVERIFY2(server.listen(), qPrintable(server.errorString()));
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    routeWebEngineThrough(server);
    UnexpectedError::setReporterForTesting([](const QString& description) { reported().append(description); });
}

void openWindow(QPointer<frmBrowser>& window)
{
    window = frmMain::openBrowserWindow();
    QVERIFY(window && QTest::qWaitForWindowActive(frmMain::current()));
}

// Closes the frame with its windows; nothing unexpected may have been reported.
void closeFrame()
{
    if (QPointer<frmMain> frame = frmMain::current()) {
        frame->close();
        QTRY_VERIFY(frame.isNull());
    }
    QCOMPARE(reported(), QStringList());
}

// Runs act on a dialog as soon as one is shown and has the focus, as a person answers
// it; the dialog runs an event loop of its own, often from inside the engine's request.
void whenDialog(std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            dialog = qobject_cast<QDialog*>(QApplication::activeWindow());
        if (dialog && dialog->isAncestorOf(QApplication::focusWidget())) {
            poll->deleteLater();
            poll->stop();
            act(dialog);
        }
    });
    poll->start();
}

// What the bar across the window's view says; empty while it is hidden.
QString notice(frmBrowser* window)
{
    auto* bar = window->brwWebBrowser()->widget()->findChild<QWidget*>(u"noticeBar"_s);
    return bar && bar->isVisible() ? bar->findChild<QLabel*>()->text() : QString();
}

// The widget that takes the view's mouse and keys.
QWidget* viewInput(frmBrowser* window)
{
    QWidget* view = window->brwWebBrowser()->widget();
    return view->focusProxy() ? view->focusProxy() : view;
}

bool settled(frmBrowser* window)
{
    return !window->brwWebBrowser()->Busy() && !window->findChild<QTimer*>(u"timTimer"_s)->isActive()
        && window->windowTitle() != u"Working...";
}

// Back to the window as a person clicks it: a dialog or another window may have taken the
// activation, and with no window manager here nothing gives it back.
void backTo(frmBrowser* window)
{
    QTRY_VERIFY(!QApplication::activeModalWidget());
    frmMain::current()->activateWindow();
    QTRY_VERIFY(frmMain::current()->isActiveWindow());
    frmMain::current()->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
}

// As a person types an address: Ctrl+L to the address box, the text, Enter.
void typeAddress(const QString& address)
{
    QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_L));
    QTest::keyClicks(QApplication::focusWidget(), address);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

// As a person comes back to the window and types an address.
void typeInto(frmBrowser* window, const QString& address)
{
    backTo(window);
    typeAddress(address);
}

// A click into the page once it is laid out gives it the focus; clicks in turn at one spot
// would make a double click, so each goes a little lower.
void clickPage(frmBrowser* window)
{
    static int clicks = 0;
    backTo(window);
    QTest::qWait(200);
    QTest::mouseClick(viewInput(window), Qt::LeftButton, {},
                      viewInput(window)->rect().center() + QPoint(0, 20 * (clicks++ % 4)));
    QTRY_VERIFY(viewInput(window)->hasFocus());
}

// Serves page at address, types the address into the window and waits for title, settled.
void load(LoopbackHttpServer& server, frmBrowser* window, const QString& address, const LoopbackResponse& page,
          const QString& title)
{
    server.setResponse(address, page);
    typeInto(window, address);
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), title, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(settled(window), 15000);
}

// An element over the whole page, so that a click anywhere in the view hits it.
QByteArray wholePage(const QByteArray& attributes, const QByteArray& tag = "a", const QByteArray& content = "x")
{
    return '<' + tag + ' ' + attributes + " style=\"position:fixed;left:0;top:0;width:100%;height:100%\">" + content
        + "</" + tag + '>';
}

// The processes whose parent is one of the given; renderers are forked by the engine's
// zygote helper, so they are children of our children.
QList<int> childrenOf(const QList<int>& parents)
{
    QList<int> found;
    for (const QString& pid : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
        QFile stat(u"/proc/" % pid % u"/stat"); // "pid (name) state ppid ..."
        const QByteArray fields = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        if (parents.contains(fields.mid(fields.lastIndexOf(')') + 2).split(' ').value(1).toInt()))
            found.append(pid.toInt());
    }
    return found;
}

} // namespace RealEngine
using namespace RealEngine;

namespace {

const QString landing = u"http://"_s % QStringView(FixedAddresses::PageHost) % u"/band/corveluniverse/index.htm";
const char* const handedOffSchemes[] = {"mailto", "calc-custom", "file"};
enum Trigger { Click, MiddleClick, SaveLinkFromMenu, SavePageFromMenu, NoClick };
enum Answer { Save, DismissDialog, CancelInWindow, CloseWindows };
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

// The address as the engine sends it: a bare host gets the path "/"; query kept as is.
QString asSent(const QString& address)
{
    QUrl url(address);
    if (url.path().isEmpty())
        url.setPath(u"/"_s);
    return url.toString(QUrl::FullyEncoded);
}

// A page whose whole area is one button running script on a click.
LoopbackResponse button(const QString& title, const QByteArray& script)
{
    return LoopbackResponse::page(title,
                                  wholePage("onclick=\"" + script + '"', "button", "go")
                                      + "<script>function done(t){document.title=t}</script>");
}

} // namespace

class tst_BrowserWebEngine : public QObject
{
    Q_OBJECT
    LoopbackHttpServer m_server;
    QPointer<frmBrowser> m_window;
    QStringList m_titles, m_handedOff;
    QString m_downloads;
    QTemporaryDir m_scratch, m_files;

    QComboBox* box() const { return m_window->findChild<QComboBox*>(u"cboAddress"_s); }
    WebView* view() const { return m_window->brwWebBrowser(); }
    bool reached(const QString& address) const
    {
        return m_server.urlsTo(QUrl(address).host()).contains(asSent(address));
    }
    bool settled() const { return RealEngine::settled(m_window); }
    QWidget* viewInput() const { return RealEngine::viewInput(m_window); }
    QWidget* overlay(const char* name) const { return view()->widget()->findChild<QWidget*>(QLatin1String(name)); }
    void load(const QString& address, const LoopbackResponse& page, const QString& title)
    {
        RealEngine::load(m_server, m_window, address, page, title);
    }
    void clickButton(QWidget* parent, const QString& textStart)
    {
        for (QPushButton* button : parent->findChildren<QPushButton*>())
            if (button->isVisible() && button->text().remove(u'&').startsWith(textStart))
                return QTest::mouseClick(button, Qt::LeftButton);
        QFAIL(qPrintable(u"no button " % textStart));
    }
    // Runs openssl in the test's folder; its output when it fails.
    QString openssl(const QString& arguments)
    {
        QProcess run;
        run.setWorkingDirectory(m_files.path());
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(u"openssl"_s, QProcess::splitCommand(arguments));
        return run.waitForFinished(30000) && run.exitCode() == 0 ? QString() : QString::fromLocal8Bit(run.readAll());
    }
    // An https site at authority ("host" for port 443, or "host:port"), served with the
    // named certificate.
    void serveTls(const QString& authority, const QString& certificate)
    {
        QFile pem(m_files.filePath(certificate + u".pem")), key(m_files.filePath(certificate + u".key"));
        QVERIFY(pem.open(QIODevice::ReadOnly) && key.open(QIODevice::ReadOnly));
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificate(QSslCertificate(&pem));
        tls.setPrivateKey(QSslKey(&key, QSsl::Rsa));
        auto* server = new QSslServer(this);
        server->setSslConfiguration(tls);
        // Every request gets the same page, then the connection closes. A client that
        // refuses the certificate ends the handshake, and the server drops its connection.
        const QByteArray answer = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n"
            + LoopbackResponse::page(u"Secure"_s).body;
        connect(server, &QTcpServer::pendingConnectionAvailable, server, [server, answer] {
            while (QTcpSocket* socket = server->nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [socket, answer] {
                    if (socket->peek(socket->bytesAvailable()).contains("\r\n\r\n")) {
                        socket->write(answer);
                        socket->disconnectFromHost();
                    }
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        QVERIFY(server->listen(QHostAddress::LocalHost));
        m_server.tunnel(authority.contains(u':') ? authority : authority + u":443", server->serverPort());
    }

    QMdiArea* area() const { return frmMain::current()->mdiArea(); }
    void type(const QString& address) { typeInto(m_window, address); }
    // Each load is of a fresh address, so that waiting for its title waits for this page.
    void loadFresh(const QString& address, const QString& title, const QByteArray& body)
    {
        static int loads = 0;
        const QString fresh = address % u"?" % QString::number(++loads), freshTitle = title % QString::number(loads);
        load(fresh, LoopbackResponse::page(freshTitle, body), freshTitle);
        QTest::qWait(300); // let the page lay out before it is clicked
    }
    // As a person does it: a click in the page, or an item of its context menu.
    void act(Trigger trigger)
    {
        QWidget* input = viewInput();
        const QPoint spot = input->rect().center();
        if (trigger == Click || trigger == MiddleClick) {
            QTest::mouseClick(input, trigger == Click ? Qt::LeftButton : Qt::MiddleButton, {}, spot);
            return;
        }
        if (trigger != SaveLinkFromMenu && trigger != SavePageFromMenu)
            return;
        QTest::mouseClick(input, Qt::RightButton, {}, spot);
        QMenu* menu = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())), 5000);
        const QString wanted = trigger == SaveLinkFromMenu ? u"Save link"_s : u"Save page"_s;
        const auto items = menu->actions();
        for (QAction* item : items) {
            if (item->text().remove(u'&').compare(wanted, Qt::CaseInsensitive) == 0)
                return QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        }
        QFAIL(qPrintable(u"no \"" % wanted % u"\" in the page's menu"));
    }
    QWidget* downloadsWindow() const { return frmMain::current()->findChild<QWidget*>(u"frmDownloads"_s); }
    template <typename T> T* newestInDownloads(const QString& name) const
    {
        const auto found = downloadsWindow()->findChildren<T*>(name);
        return found.isEmpty() ? nullptr : found.last();
    }

    // As a person puts in an address that no one would type: pasted into the address box.
    void paste(const QString& address)
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
        paste(pageUrl(path));
        QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), QString(u"Healthy " % path), 45000);
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 5000);
    }

public slots:
    // Stands in for the desktop: addresses the engine would hand to another program.
    void open(const QUrl& url) { m_handedOff.append(url.toString()); }

private slots:
    void initTestCase()
    {
        m_downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
        QVERIFY(m_downloads.startsWith(QDir::homePath()) && QDir::homePath().contains(u"test-home"));
        QDir(m_downloads).removeRecursively();
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

        QVERIFY(m_files.isValid());
        // The test authority and its certificates: one expired, one for another host, and two
        // signed by themselves for the same host.
        const QString newKey = u"req -newkey rsa:2048 -nodes -keyout "_s;
        QCOMPARE(openssl(newKey
                         + u"ca.key -x509 -out ca.pem -days 2 -subj \"/CN=Test Authority\" -addext "
                           u"basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign"),
                 QString());
        const auto signedFor = [&](const QString& name, const QString& host, const QString& days) {
            QFile extensions(m_files.filePath(u"ext"_s));
            QVERIFY(extensions.open(QIODevice::WriteOnly));
            extensions.write("subjectAltName=DNS:" + host.toLatin1() + '\n');
            extensions.close();
            QCOMPARE(openssl(newKey % name % u".key -new -out " % name % u".csr -subj /CN=" % host), QString());
            QCOMPARE(openssl(u"x509 -req -in " % name % u".csr -CA ca.pem -CAkey ca.key -set_serial "
                             % QString::number(qHash(name)) % u" -days " % days % u" -extfile ext -out " % name
                             % u".pem"),
                     QString());
        };
        signedFor(u"expired"_s, u"expired.test"_s, u"-1"_s);
        signedFor(u"other"_s, u"other.test"_s, u"2"_s);
        for (const QString& self : {u"self"_s, u"self2"_s})
            QCOMPARE(openssl(newKey % self % u".key -x509 -out " % self
                             % u".pem -days 2 -subj /CN=selfsigned.test -addext subjectAltName=DNS:selfsigned.test"),
                     QString());
        // The engine reads trusted authorities from the certificate store in the home folder.
        const QString store = QDir::homePath() + u"/.pki/nssdb";
        QVERIFY(QDir(store).removeRecursively() && QDir().mkpath(store)); // from a run before
        QCOMPARE(QProcess::execute(u"certutil"_s, {u"-N"_s, u"-d"_s, u"sql:"_s + store, u"--empty-password"_s}), 0);
        QCOMPARE(QProcess::execute(u"certutil"_s,
                                   {u"-A"_s, u"-d"_s, u"sql:"_s + store, u"-n"_s, u"test"_s, u"-t"_s, u"C,,"_s, u"-i"_s,
                                    m_files.filePath(u"ca.pem"_s)}),
                 0);

        // Printed files go to the documents folder.
        const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QVERIFY(QDir().mkpath(config));
        QFile dirs(config + u"/user-dirs.dirs");
        QVERIFY(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_DOCUMENTS_DIR=\"" + m_files.filePath(u"docs"_s).toUtf8() + "\"\n");
        dirs.close();
        QVERIFY(QDir().mkpath(m_files.filePath(u"docs"_s)));

        // A camera and a microphone of the engine's own: with no device the engine answers
        // the page at once, without asking.
        routeThrough(m_server, "--disable-gpu --use-fake-device-for-media-stream");
        for (const char* scheme : handedOffSchemes)
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
        m_server.setResponse(FixedAddresses::home(), LoopbackResponse::redirect(landing));
        m_server.setResponse(landing, LoopbackResponse::page(u"Ardel's Corvel Universe"_s));
        openWindow(m_window);
        connect(m_window, &QWidget::windowTitleChanged, this, [this](const QString& t) { m_titles.append(t); });
        QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), u"Ardel's Corvel Universe"_s, 20000);
        // The start address and, on top, the address the view reports after the redirect.
        QTRY_COMPARE(box()->itemText(0), landing);
        QCOMPARE(box()->itemText(1), FixedAddresses::home());
        QTRY_VERIFY(settled());
    }
    void cleanupTestCase()
    {
        for (const char* scheme : handedOffSchemes)
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        closeFrame();
    }

    void init() { reported().clear(); }
    void cleanup()
    {
        QVERIFY2(reported().isEmpty(), qPrintable(reported().join(u'\n')));
        QVERIFY2(!QFile::exists(m_scratch.filePath(u"started"_s)), "another program was started");
    }

    // A view with no page and no history refuses the moves that the engine would ignore,
    // which would leave the window busy for good.
    void freshViewRefusesHistoryMoves()
    {
        QWidget parent;
        const std::unique_ptr<WebView> fresh = WebViewProvider::create(&parent);
        QVERIFY(!fresh->Refresh().ok() && !fresh->GoBack().ok() && !fresh->GoForward().ok());
        QVERIFY(!fresh->Busy());
    }

    // Rows run in turn, each on the history the rows above left.
    void navigationReachesTheServer_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("requested"); // history moves may come from the engine's cache
        const QString typed = u"http://a.test/typed.htm?x=1&empty="_s;
        QTest::newRow("Enter requests the typed address, query kept") << "Enter" << typed << "/typed.htm" << true;
        QTest::newRow("Home requests the redirect address")
            << "Home" << FixedAddresses::home() << "Ardel's Corvel Universe" << true;
        QTest::newRow("Back returns to the typed page") << "Back" << typed << "/typed.htm" << false;
        QTest::newRow("Forward returns to the home page") << "Forward" << landing << "Ardel's Corvel Universe" << false;
        QTest::newRow("Refresh asks the server again") << "Refresh" << landing << "Ardel's Corvel Universe" << true;
    }
    void navigationReachesTheServer()
    {
        QFETCH(QString, how);
        QFETCH(QString, address);
        QFETCH(QString, title);
        QFETCH(bool, requested);
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 15000); // the row above's load has ended
        m_server.clearRequests();
        m_window->setWindowTitle(QString());
        m_titles.clear();
        if (how == u"Enter")
            typeAddress(address);
        else
            m_window->tbToolBar_ButtonClick(how);
        QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), title, 15000);
        QCOMPARE(m_titles.value(0), u"Working..."_s);
        QVERIFY(!requested || reached(address));
        QTRY_COMPARE(box()->itemText(0), view()->LocationURL());
        QVERIFY(requested || view()->LocationURL() == address);
    }

    // Addresses of other programs: mail goes to the mail program when a person asks for
    // it; anything else refused says why in the view.
    void otherProgramsAddresses_data()
    {
        QTest::addColumn<QString>("how"); // "click" on a link, "typed", "script" without a click
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("mailProgram"); // one is set up
        QTest::addColumn<QString>("said");     // the bar's text; empty: no bar, and the address handed off
        const QString mail = u"mailto:someone@a.test"_s;
        QTest::newRow("mail link goes to the mail program") << "click" << mail << true << QString();
        QTest::newRow("typed mail address goes to the mail program") << "typed" << mail << true << QString();
        QTest::newRow("mail link with no mail program says so")
            << "click" << mail << false << u"No mail program is set up to open \u201cmailto:someone@a.test\u201d"_s;
        QTest::newRow("custom scheme link names its scheme")
            << "click" << u"calc-custom://open/thing"_s << true
            << u"Addresses starting with \u201ccalc-custom:\u201d are not opened by this browser"_s;
        QTest::newRow("mail address a script opens without a click")
            << "script" << mail << true
            << u"This page tried to open \u201cmailto:someone@a.test\u201d without a click"_s;
    }
    void otherProgramsAddresses()
    {
        QFETCH(QString, how);
        QFETCH(QString, address);
        QFETCH(bool, mailProgram);
        QFETCH(QString, said);
        const QString links = u"http://a.test/links.htm"_s;
        const QByteArray target = address.toUtf8();
        load(links,
             LoopbackResponse::page(u"links"_s,
                                    how == u"script"
                                        ? "<script>setTimeout(() => location = '" + target + "', 50)</script>"
                                        : wholePage("href=\"" + target + '"')),
             u"links"_s);
        m_handedOff.clear();
        if (!mailProgram)
            QDesktopServices::unsetUrlHandler(u"mailto"_s);
        QTest::qWait(300); // let the page lay out before clicking it
        if (how == u"click")
            QTest::mouseClick(viewInput(), Qt::LeftButton, {}, viewInput()->rect().center());
        else if (how == u"typed")
            typeAddress(address);
        QTRY_VERIFY_WITH_TIMEOUT(!notice(m_window).isEmpty() || !m_handedOff.isEmpty(), 5000);
        QTest::qWait(300); // nothing more comes
        QDesktopServices::setUrlHandler(u"mailto"_s, this, "open");
        QCOMPARE(notice(m_window), said);
        QCOMPARE(m_handedOff, said.isEmpty() ? QStringList{address} : QStringList());
        QCOMPARE(view()->LocationURL(), links);
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 15000);
    }

    void nothingOfTheSessionReachesTheDisk()
    {
        LoopbackResponse stored = LoopbackResponse::page(
            u"stored"_s, "<script>localStorage.setItem('k','v');indexedDB.open('d');</script>");
        stored.headers.emplaceBack("Set-Cookie", "id=1; Max-Age=86400");
        stored.headers.emplaceBack("Cache-Control", "max-age=86400");
        load(u"http://a.test/store.htm"_s, stored, u"stored"_s);
        QTest::qWait(500);
        QStringList files; // the engine may leave empty folders; files are what count, but ours
        for (auto where : {QStandardPaths::GenericDataLocation, QStandardPaths::GenericCacheLocation,
                           QStandardPaths::GenericConfigLocation})
            for (QDirIterator it(QStandardPaths::writableLocation(where), QDir::Files | QDir::Hidden,
                                 QDirIterator::Subdirectories);
                 it.hasNext();)
                files.append(it.next());
        files.removeIf([](const QString& path) { // the fonts', the frame's and the save dialog's settings
            return path.contains(u"fontconfig") || path.endsWith(u"/Calculator.conf")
                || path.endsWith(u"/QtProject.conf") || path.endsWith(u"/user-dirs.dirs");
        });
        QVERIFY2(files.isEmpty(), qPrintable(files.join(u' ')));
    }

    void findBarCountsMatchesOnThePage()
    {
        load(u"http://a.test/find.htm"_s,
             LoopbackResponse::page(u"find"_s, "<p>corvel one, corvel two</p><p>and Corvel three</p>"), u"find"_s);
        clickPage(m_window);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::Find);
        QTest::keyClicks(QApplication::focusWidget(), u"corvel"_s);
        auto* matches = m_window->findChild<QLabel*>(u"lblMatches"_s);
        QTRY_COMPARE_WITH_TIMEOUT(matches->text(), u"1 of 3"_s, 5000);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(matches->text(), u"2 of 3"_s, 5000);
        QTest::keyClicks(QApplication::focusWidget(), u"x"_s);
        QTRY_COMPARE_WITH_TIMEOUT(matches->text(), u"No matches"_s, 5000);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!matches->isVisible());
        QTRY_VERIFY(viewInput()->hasFocus());

        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_Plus));
        QTRY_COMPARE(view()->zoomFactor(), 1.1);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_0));
        QTRY_COMPARE(view()->zoomFactor(), 1.0);
    }

    void pageOpensWindowInTheFrame_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<int>("trigger");
        QTest::addColumn<QString>("opened"); // the new window's title; empty when none may open
        const QByteArray target = "http://b.test/opened.htm";
        QTest::newRow("window.open on a click keeps the opener")
            << wholePage("onclick=\"window.open('" + target + "')\"", "div") << +Click << u"with opener"_s;
        QTest::newRow("middle click on a link") << wholePage("href=\"" + target + "\"") << +MiddleClick << u"alone"_s;
        QTest::newRow("pop-up without a click waits for the bar's Open it")
            << QByteArray("<script>setTimeout(() => { window.open('" + target + "') }, 50)</script>") << +NoClick
            << u"alone"_s;
    }
    void pageOpensWindowInTheFrame()
    {
        QFETCH(QByteArray, page);
        QFETCH(int, trigger);
        QFETCH(QString, opened);
        const QString target = u"http://b.test/opened.htm"_s;
        m_server.setResponse(target,
                             LoopbackResponse::page(
                                 u"?"_s, "<script>document.title = window.opener ? 'with opener' : 'alone'</script>"));
        m_server.clearRequests();
        const QString opener = u"http://a.test/opener.htm"_s;
        loadFresh(opener, u"opener"_s, page);
        const int windows = area()->subWindowList().size();
        act(Trigger(trigger));
        if (trigger == NoClick) {
            QTRY_COMPARE_WITH_TIMEOUT(notice(m_window), u"This page tried to open a window"_s, 5000);
            QCOMPARE(area()->subWindowList().size(), windows);
            QVERIFY(!m_server.urlsTo(u"b.test"_s).contains(target));
            QTest::mouseClick(m_window->findChild<QPushButton*>(u"cmdAction"_s), Qt::LeftButton);
        }
        QTRY_COMPARE_WITH_TIMEOUT(area()->subWindowList().size(), windows + 1, 10000);
        auto* window = qobject_cast<frmBrowser*>(area()->activeSubWindow()->widget());
        QVERIFY(window && window != m_window);
        // Title and list follow the new view as for any navigation; the window itself
        // asked for nothing, so its busy poll never ran.
        QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), opened, 15000);
        QTRY_COMPARE(window->findChild<QComboBox*>(u"cboAddress"_s)->itemText(0), target);
        QCOMPARE(window->findChild<QComboBox*>(u"cboAddress"_s)->count(), 1);
        QVERIFY(!window->findChild<QTimer*>(u"timTimer"_s)->isActive());
        QCOMPARE(m_server.urlsTo(u"b.test"_s).count(target), 1);
        QVERIFY(m_window->brwWebBrowser()->LocationURL().startsWith(opener));
        window->mnuFileExit_Click();
        QTRY_COMPARE(area()->subWindowList().size(), windows);
    }

    void downloadEndsAsFile_data()
    {
        QTest::addColumn<LoopbackResponse>("file"); // served at http://a.test/files/get
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<int>("trigger");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("proposed"); // the name the dialog proposes, * for the page's number
        QTest::addColumn<QByteArray>("saved"); // what the file holds; empty for no file
        const QByteArray bytes = QByteArray("MThd\0\0\0\6", 8) + QByteArray(3000, '\x90') + "end";
        const QByteArray link = wholePage("href=\"/files/get\"");
        const LoopbackResponse attachment
            = LoopbackResponse::file("application/octet-stream", bytes, "attachment; filename=\"tour.mid\"");
        QTest::newRow("download link, named by the page")
            << LoopbackResponse::file("text/plain", "lyrics\n")
            << wholePage("href=\"/files/get\" download=\"lyrics.txt\"") << +Click << +Save << u"lyrics.txt"_s
            << QByteArray("lyrics\n");
        QTest::newRow("save link from the page's menu")
            << LoopbackResponse::file("audio/midi", bytes) << link << +SaveLinkFromMenu << +Save << u"get"_s << bytes;
        QTest::newRow("save page from the page's menu, one file")
            << LoopbackResponse::file("audio/midi", bytes) << QByteArray("<p>Nimbrel on tour</p>") << +SavePageFromMenu
            << +Save << u"save*.mhtml"_s << QByteArray("Nimbrel");
        QTest::newRow("dialog dismissed: no file")
            << attachment << link << +Click << +DismissDialog << u"tour.mid"_s << QByteArray();
        QTest::newRow("name made safe before the dialog shows it")
            << LoopbackResponse::file("text/plain", "x", "attachment; filename*=UTF-8''cod%E2%80%AEfdp.exe") << link
            << +Click << +DismissDialog << u"codfdp.exe"_s << QByteArray();
        LoopbackResponse endless = attachment;
        endless.kind = LoopbackResponse::Kind::Unfinished;
        QTest::newRow("cancelled in the downloads window: no file")
            << endless << link << +Click << +CancelInWindow << u"tour.mid"_s << QByteArray();
        QTest::newRow("goes on when its window closes, cancelled when the frame does: no file")
            << endless << link << +Click << +CloseWindows << u"tour.mid"_s << QByteArray();
    }
    void downloadEndsAsFile()
    {
        QFETCH(LoopbackResponse, file);
        QFETCH(QByteArray, page);
        QFETCH(int, trigger);
        QFETCH(int, answer);
        QFETCH(QString, proposed);
        QFETCH(QByteArray, saved);
        QDir(m_downloads).removeRecursively();
        m_handedOff.clear();
        m_server.setResponse(u"http://a.test/files/get"_s, file);
        loadFresh(u"http://a.test/save.htm"_s, u"save"_s, page);

        // The dialog proposes the name in the Downloads folder; a person presses Enter or Esc.
        QString seenName, seenFolder;
        QTimer person;
        connect(&person, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            // The dialog comes up active, with the focus in its file name, as for a person.
            if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != dialog) {
                dialog->activateWindow();
                return;
            }
            person.stop();
            seenName = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->text();
            seenFolder = dialog->directory().absolutePath();
            QTest::keyClick(QApplication::focusWidget(), answer == DismissDialog ? Qt::Key_Escape : Qt::Key_Return);
        });
        person.start(50);
        act(Trigger(trigger));
        QTRY_VERIFY_WITH_TIMEOUT(!person.isActive(), 10000);
        QVERIFY2(QRegularExpression::fromWildcard(proposed).match(seenName).hasMatch(), qPrintable(seenName));
        QCOMPARE(seenFolder, m_downloads);
        const QString path = m_downloads % u'/' % seenName;
        if (answer == DismissDialog) {
            QTest::qWait(500);
            QVERIFY(!QFile::exists(path));
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(downloadsWindow() && downloadsWindow()->isVisible(), 5000);
        const QWidget* client = frmMain::current()->centralWidget(); // under the menu bar
        QVERIFY(QRect(client->mapToGlobal(QPoint()), client->size()).contains(downloadsWindow()->frameGeometry()));
        auto* status = newestInDownloads<QLabel>(u"lblStatus"_s);
        if (answer == CloseWindows) {
            const QString part = path + u".download";
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(part), 10000);
            m_window->mnuFileExit_Click(); // the last browser window
            QTRY_VERIFY(!m_window);
            QTest::qWait(1000);
            QVERIFY(QFile::exists(part));
            whenDialog([](QWidget*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y); });
            frmMain::current()->close();
            QVERIFY(!QFile::exists(part) && !frmMain::current()); // removed at once: the program may end now
            return openWindow(m_window);
        }
        if (answer == CancelInWindow) {
            QTRY_VERIFY_WITH_TIMEOUT(status->text().contains(u"/s"), 10000); // progress and speed shown
            QTest::mouseClick(newestInDownloads<QPushButton>(u"cmdCancel"_s), Qt::LeftButton);
            QTRY_COMPARE_WITH_TIMEOUT(status->text(), u"Cancelled"_s, 10000);
            // The engine removes the partial file on its own thread, after reporting the cancel.
            QTRY_VERIFY2_WITH_TIMEOUT(QDir(m_downloads).isEmpty(QDir::Files | QDir::NoDotAndDotDot),
                                      qPrintable(QDir(m_downloads).entryList(QDir::Files).join(u' ')), 10000);
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(status->text().startsWith(u"Done"), 15000);
        QFile result(path);
        QVERIFY(result.open(QIODevice::ReadOnly));
        const QByteArray content = result.readAll();
        QVERIFY2(trigger == SavePageFromMenu ? content.contains(saved) : content == saved, content.left(200));
        QTest::mouseClick(newestInDownloads<QPushButton>(u"cmdOpen"_s), Qt::LeftButton);
        QTest::mouseClick(newestInDownloads<QPushButton>(u"cmdShowInFolder"_s), Qt::LeftButton);
        QCOMPARE(m_handedOff,
                 (QStringList{QUrl::fromLocalFile(path).toString(), QUrl::fromLocalFile(m_downloads).toString()}));
    }

    void pdfShowsInThePage()
    {
        const QByteArray pdf = "%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
                               "2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n"
                               "3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 200 200]>>endobj\n"
                               "trailer<</Root 1 0 R>>\n%%EOF\n";
        m_server.setResponse(u"http://a.test/files/sheet.pdf"_s, LoopbackResponse::file("application/pdf", pdf));
        type(u"http://a.test/files/sheet.pdf"_s);
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->brwWebBrowser()->Busy(), 15000);
        QTest::qWait(1000);
        QCOMPARE(QApplication::activeModalWidget(), nullptr); // no save dialog
        QCOMPARE(m_window->brwWebBrowser()->LocationURL(), u"http://a.test/files/sheet.pdf"_s);
    }

    void addressWithoutSchemeLoads_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("loaded"); // a refusal's words in the view when nothing may load
        QTest::newRow("bare host over http") << u"example.com"_s << u"http://example.com/"_s;
        QTest::newRow("spaces around a host and path") << u"  www.a.test/x?q=1 "_s << u"http://www.a.test/x?q=1"_s;
        QTest::newRow("host and port are no scheme") << u"localhost:8080/x"_s << u"http://localhost:8080/x"_s;
        QTest::newRow("words are no address, and stay typed")
            << u"nimbrel tour dates"_s << u"\u201cnimbrel tour dates\u201d is not a web address"_s;
        QTest::newRow("one word without a dot is no address either")
            << u"nimbrel"_s << u"\u201cnimbrel\u201d is not a web address"_s;
        QTest::newRow("script address is never a host")
            << u"javascript:80"_s
            << u"Addresses starting with \u201cjavascript:\u201d are not opened by this browser"_s;
    }
    void addressWithoutSchemeLoads()
    {
        QFETCH(QString, typed);
        QFETCH(QString, loaded);
        loadFresh(u"http://a.test/before.htm"_s, u"before"_s, {});
        m_server.clearRequests();
        type(typed);
        auto* box = m_window->findChild<QComboBox*>(u"cboAddress"_s);
        if (!loaded.startsWith(u"http")) {
            QTRY_COMPARE(notice(m_window), loaded);
            QTest::qWait(500);
            QVERIFY(m_window->brwWebBrowser()->LocationURL().startsWith(u"http://a.test/before.htm"_s));
            QCOMPARE(box->currentText(), typed);
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_window->brwWebBrowser()->LocationURL(), loaded, 15000);
        QVERIFY(m_server.urlsTo(QUrl(loaded).host()).contains(loaded));
        QTRY_COMPARE(box->itemText(0), loaded);
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
        // No handler stands in for the desktop here: a program started would leave its mark.
        for (const char* scheme : handedOffSchemes)
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
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
        paste(typed);
        if (action != Wait) {
            QTRY_VERIFY_WITH_TIMEOUT(m_server.urlsTo(pageHost).contains(faultPage), 15000);
            QTest::qWait(1000);
        }
        if (action == Stop) {
            QCOMPARE(m_window->windowTitle(), u"Working..."_s);
            m_window->tbToolBar_ButtonClick(u"Stop"_s);
            QVERIFY(!m_window->findChild<QTimer*>(u"timTimer"_s)->isActive() && !view()->Busy());
        }
        const QList<int> killed = action == KillRenderer ? renderers() : QList<int>();
        QVERIFY(action != KillRenderer || !killed.isEmpty());
        for (int pid : killed)
            QCOMPARE(::kill(pid, SIGKILL), 0);
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 20000);
        QTest::qWait(300); // no late event of the failed load switches the poll on again
        QVERIFY(settled());
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
        for (const char* scheme : handedOffSchemes)
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }

    void pageTitleCannotReorderTheWindowTitle()
    {
        m_server.setResponse(pageUrl(u"/title.htm"_s), LoopbackResponse::page(u"exe.\u202Etxt\u200B\u2066x"_s));
        paste(pageUrl(u"/title.htm"_s));
        QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), u"exe.txtx"_s, 20000);
    }

    void downloadNameIsMadeSafe_data()
    {
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("safe");
        const QString e = u"\u00e9"_s, smile = u"\U0001F600"_s, ext = u".pdf"_s;
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

    void login_data()
    {
        // The engine reuses an accepted login for the rest of the session: a host per login.
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("proxy");
        QTest::addColumn<QString>("password"); // empty: the user cancels
        QTest::addColumn<QString>("title");
        // Each row's title differs from the one above, so that waiting for it waits for this load.
        QTest::newRow("proxy login cancelled shows the proxy's page")
            << "http://proxied.test/a" << true << QString() << "Refused";
        QTest::newRow("proxy login accepted") << "http://proxied.test/b" << true << u"secret"_s << "Members";
        QTest::newRow("site login cancelled shows the server's page")
            << "http://site.test/a" << false << QString() << "Refused";
        QTest::newRow("5000-character realm, cut to fit the screen")
            << "http://long.test/a" << false << u"secret"_s << "Members";
    }
    void login()
    {
        QFETCH(QString, address);
        QFETCH(bool, proxy);
        QFETCH(QString, password);
        QFETCH(QString, title);
        const QByteArray realm = address.contains(u"long") ? QByteArray(5000, 'x') : "Staff";
        m_server.setResponse(address, LoopbackResponse::page(u"Members"_s).behindLogin("ann:secret", realm, proxy));
        QString asked;
        whenDialog([&](QWidget* dialog) {
            for (const QLabel* label : dialog->findChildren<QLabel*>())
                asked += label->text() + label->toolTip();
            const bool fits = dialog->frameGeometry().width() <= dialog->screen()->availableGeometry().width();
            if (password.isEmpty())
                return QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QTest::keyClicks(QApplication::focusWidget(), u"ann"_s);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), password);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY2(fits, "wider than the screen");
        });
        type(address);
        QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), title, 15000);
        QVERIFY2(asked.contains(u'"' + QString::fromLatin1(realm) + u'"')
                     && asked.contains(proxy ? u"127.0.0.1"_s : QUrl(address).host()),
                 qPrintable(asked.left(200)));
        QTRY_VERIFY(settled());
    }

    // A certificate fault stops the load with a bar that names the host and says what is
    // wrong. Going on anyway holds for that host, port and certificate in that window only.
    // In order: the row "asked, then opened" makes the exception the rows after it are judged by.
    void certificateException_data()
    {
        QTest::addColumn<QString>("authority");
        QTest::addColumn<QString>("certificate"); // what the site presents
        QTest::addColumn<bool>("newWindow");
        QTest::addColumn<QString>("answer");    // the bar's button, none when not asked
        QTest::addColumn<QString>("explained"); // part of the bar's text
        QTest::newRow("expired") << u"expired.test"_s << u"expired"_s << false << u"Go Back"_s << u"has expired"_s;
        QTest::newRow("wrong host") << u"wronghost.test"_s << u"other"_s << false << u"Go Back"_s
                                    << u"was issued for another site"_s;
        QTest::newRow("asked, then opened") << u"selfsigned.test"_s << u"self"_s << false << u"Open"_s
                                            << u"not issued by an authority this computer trusts"_s;
        QTest::newRow("the same again: opened at once")
            << u"selfsigned.test"_s << u"self"_s << false << QString() << QString();
        QTest::newRow("another certificate")
            << u"selfsigned.test"_s << u"self2"_s << false << u"Go Back"_s << QString();
        QTest::newRow("another port") << u"selfsigned.test:8443"_s << u"self"_s << false << u"Open"_s << QString();
        QTest::newRow("another window") << u"selfsigned.test"_s << u"self"_s << true << u"Go Back"_s << QString();
    }
    void certificateException()
    {
        QFETCH(QString, authority);
        QFETCH(QString, certificate);
        QFETCH(bool, newWindow);
        QFETCH(QString, answer);
        QFETCH(QString, explained);
        const QPointer<frmBrowser> first = m_window;
        if (newWindow)
            openWindow(m_window);
        serveTls(authority, certificate);
        load(u"http://start.test/"_s, LoopbackResponse::page(u"Start"_s), u"Start"_s);
        type(u"https://"_s + authority + u"/secure.htm");
        if (!answer.isEmpty()) {
            QTRY_VERIFY_WITH_TIMEOUT(overlay("certificateBar")->isVisible(), 15000);
            const QString said = overlay("certificateBar")->findChild<QLabel*>()->text();
            QVERIFY2(said.contains(QUrl(u"https://"_s + authority).host()) && said.contains(explained),
                     qPrintable(said));
            QTRY_VERIFY(settled()); // not busy while the question waits
            clickButton(overlay("certificateBar"), answer);
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), answer == u"Go Back" ? u"Start"_s : u"Secure"_s, 15000);
        QVERIFY(!overlay("certificateBar")->isVisible());
        QTRY_VERIFY(!overlay("progressLine")->isVisible()); // the refused load has ended too
        if (newWindow) {
            m_window->mnuFileExit_Click();
            m_window = first;
        }
    }

    // A page opened from disk reads no other local file: its scripts' fetch and XHR fail.
    void localPageReadsNoOtherFile()
    {
        QFile secret(m_files.filePath(u"secret.txt"_s)), page(m_files.filePath(u"reader.htm"_s));
        QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("secret") && page.open(QIODevice::WriteOnly));
        secret.close();
        page.write("<script>Promise.allSettled([fetch('secret.txt').then(r=>r.text()),new Promise((ok,no)=>{"
                   "const x=new XMLHttpRequest();x.onload=()=>ok(x.responseText);x.onerror=no;x.open('GET',"
                   "'secret.txt');x.send()})]).then(r=>document.title=r.map(p=>p.status+' '+p.value).join())</script>");
        page.close();
        type(QUrl::fromLocalFile(page.fileName()).toString());
        QTRY_COMPARE_WITH_TIMEOUT(view()->LocationName(), u"rejected undefined,rejected undefined"_s, 15000);
    }

    void permissionIsAnsweredWithinASecond_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("answer"); // the bar's button, none for a request not asked
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* name, const QByteArray& script, const char* answer, const char* outcome) {
            QTest::newRow(name) << script << QString::fromLatin1(answer) << QString::fromLatin1(outcome);
        };
        const QByteArray media = ".then(s=>done('allowed'),e=>done(e.name))";
        row("location denied", "navigator.geolocation.getCurrentPosition(p=>done('allowed'),e=>done('error '+e.code))",
            "Deny", "error 1");
        row("notifications allowed", "Notification.requestPermission().then(done)", "Allow", "granted");
        row("camera denied", "navigator.mediaDevices.getUserMedia({video:true})" + media, "Deny", "NotAllowedError");
        row("microphone denied", "navigator.mediaDevices.getUserMedia({audio:true})" + media, "Deny",
            "NotAllowedError");
        row("clipboard write on a click is allowed",
            "navigator.clipboard.writeText('copied').then(()=>done('written'),e=>done(e.name))", "", "written");
    }
    void permissionIsAnsweredWithinASecond()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, answer);
        QFETCH(QString, outcome);
        // A site per row (localhost's names are secure, as these features need), since
        // answers hold for the site.
        static int row = 0;
        const QString host = u"site%1.localhost"_s.arg(++row);
        load(u"http://"_s + host + u"/", button(u"ask"_s, script), u"ask"_s);
        clickPage(m_window);
        if (!answer.isEmpty()) {
            QWidget* bar = overlay("permissionBar");
            QTRY_VERIFY2_WITH_TIMEOUT(bar->isVisible(), qPrintable(view()->LocationName()), 5000);
            QVERIFY(bar->findChild<QLabel*>()->text().startsWith(host));
            clickButton(bar, answer);
            QVERIFY(!bar->isVisible());
        }
        QTRY_COMPARE_WITH_TIMEOUT(view()->LocationName(), outcome, 1000);
        if (answer.isEmpty())
            QCOMPARE(QGuiApplication::clipboard()->text(), u"copied"_s);
    }

    // Esc out of full screen, with the frame back as it was, is in the journeys.
    void fullScreenInAndOut()
    {
        load(u"http://a.test/full.htm"_s,
             button(u"normal"_s,
                    "document.onfullscreenchange=()=>done(document.fullscreenElement?'full':'normal');"
                    "document.fullscreenElement?document.exitFullscreen():"
                    "document.documentElement.requestFullscreen()"),
             u"normal"_s);
        QMainWindow* frame = frmMain::current();
        const QRect geometry = frame->geometry();
        const Qt::WindowStates state = frame->windowState();
        clickPage(m_window);
        QTRY_COMPARE_WITH_TIMEOUT(view()->LocationName(), u"full"_s, 5000);
        const QPointer<QWidget> full = QApplication::activeWindow();
        QVERIFY(full && full->isFullScreen() && full != frame);
        QTRY_VERIFY(QApplication::focusWidget() && full->isAncestorOf(QApplication::focusWidget()));
        QTest::mouseClick(QApplication::focusWidget(), Qt::LeftButton, {},
                          QApplication::focusWidget()->rect().center());
        QTRY_COMPARE_WITH_TIMEOUT(view()->LocationName(), u"normal"_s, 5000);
        QTRY_VERIFY(full.isNull());
        QTRY_VERIFY(viewInput()->hasFocus());
        QCOMPARE(frame->geometry(), geometry);
        QCOMPARE(frame->windowState(), state);
    }

    void printingWritesAPdfWithNoPrinter_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<bool>("printed");
        QTest::addColumn<QString>("folder"); // "docs"; "home" when there is none; "gone" once the dialog closed
        QTest::newRow("the page's print()") << false << true << "docs";
        QTest::newRow("Ctrl+P") << true << true << "docs";
        QTest::newRow("Esc in the dialog prints nothing") << true << false << "docs";
        QTest::newRow("no documents folder, the home folder") << true << true << "home";
        QTest::newRow("folder gone before the file is written, the view says so") << true << true << "gone";
    }
    void printingWritesAPdfWithNoPrinter()
    {
        QFETCH(bool, byKey);
        QFETCH(bool, printed);
        QFETCH(QString, folder);
        const QString title = QString::fromLatin1(QTest::currentDataTag()).remove(u'(').remove(u')').left(20);
        const QString docs = m_files.filePath(u"docs"_s);
        const QString path = (folder == u"home" ? QDir::homePath() : docs) + u'/' + title + u".pdf";
        QFile::remove(path); // from a run before
        if (folder == u"home")
            QVERIFY(QDir(docs).removeRecursively());
        load(u"http://a.test/print.htm"_s,
             LoopbackResponse::page(title, wholePage(byKey ? "" : "onclick=\"print()\"", "button", "Nimbrel on tour")),
             title);
        clickPage(m_window);
        whenDialog([&](QWidget*) {
            QTest::keyClick(QApplication::focusWidget(), printed ? Qt::Key_Return : Qt::Key_Escape);
            if (folder == u"gone")
                QDir(docs).removeRecursively();
        });
        if (byKey)
            QTest::keySequence(QApplication::focusWidget(), QKeySequence::Print);
        if (!printed || folder == u"gone") { // nothing written; where and why said
            QTRY_VERIFY(!QApplication::activeModalWidget());
            QTRY_COMPARE_WITH_TIMEOUT(
                notice(m_window),
                printed ? u"The page could not be saved as "_s + path + u": No such file or directory" : QString(),
                15000);
            QTest::qWait(500); // a file written by mistake would come later
            QVERIFY(!QFile::exists(path) && QDir().mkpath(docs));
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(path).size() > 0, 15000);
        // The page's text stays text.
        QProcess text;
        text.start(u"pdftotext"_s, {path, u"-"_s});
        QVERIFY(text.waitForFinished(15000));
        QVERIFY2(text.readAll().contains("Nimbrel on tour"), qPrintable(path));
        QVERIFY(QDir().mkpath(docs) && QFile::remove(path));
    }

    // The address of a link under the pointer at the bottom left; a line at the top while
    // a load runs, here one that a click on the page started.
    void hoveredLinkAndLoadingShow()
    {
        const QString slow = u"http://a.test/slow.htm"_s;
        m_server.setResponse(slow, LoopbackResponse::unfinished(u"Slow"_s));
        load(u"http://a.test/link.htm"_s, LoopbackResponse::page(u"link"_s, wholePage("href=\"/slow.htm\"")),
             u"link"_s);
        QTest::qWait(200);
        QTest::mouseMove(viewInput(), viewInput()->rect().center());
        QWidget* bubble = overlay("linkBubble");
        QTRY_VERIFY_WITH_TIMEOUT(bubble->isVisible(), 5000);
        QCOMPARE(bubble->findChild<QLabel*>()->text(), slow);
        QCOMPARE(bubble->geometry().bottomLeft(), view()->widget()->rect().bottomLeft());
        QTest::mouseClick(viewInput(), Qt::LeftButton, {}, viewInput()->rect().center());
        QWidget* line = overlay("progressLine");
        QTRY_VERIFY_WITH_TIMEOUT(line->isVisible(), 5000);
        QCOMPARE(line->geometry(), QRect(0, 0, view()->widget()->width(), line->height()));
        m_window->tbToolBar_ButtonClick(u"Stop"_s);
        QTRY_VERIFY(!line->isVisible());
    }

    void crashedPageSaysSoAndReloads()
    {
        load(u"http://a.test/crash.htm"_s, LoopbackResponse::page(u"Crashing"_s), u"Crashing"_s);
        const QList<int> renderers = ::renderers();
        QVERIFY(!renderers.isEmpty());
        for (int pid : renderers)
            ::kill(pid, SIGSEGV);
        QWidget* notice = overlay("crashNotice");
        QTRY_VERIFY_WITH_TIMEOUT(notice->isVisible(), 10000);
        const QLabel* text = notice->findChild<QLabel*>();
        QVERIFY(text->text().contains(u"crashed"));
        QVERIFY2(text->height() >= text->heightForWidth(text->width()), "the text is cut");
        m_server.clearRequests();
        clickButton(notice, u"Reload"_s);
        QTRY_VERIFY_WITH_TIMEOUT(m_server.urlsTo(u"a.test"_s).contains(u"http://a.test/crash.htm"_s), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 15000);
        QVERIFY(!notice->isVisible());
    }

    // A page's dialogs hold only its own window. From the second on, the page's dialogs
    // can be stopped: the rest are answered at once.
    void pageDialogsHoldOnlyTheirWindow()
    {
        load(u"http://a.test/dialogs.htm"_s,
             button(u"dialogs"_s,
                    "let n = 0; for (let i = 0; i < 100; i++) { alert(i); n++ }"
                    "done(n + ' ' + confirm('c') + ' ' + prompt('p', 'x'))"),
             u"dialogs"_s);
        QList<bool> offered; // whether each dialog offered to stop the page's dialogs
        const auto answer = [&](QWidget* dialog) {
            auto* stop = dialog->findChild<QCheckBox*>();
            offered.append(stop != nullptr);
            QVERIFY(!m_window->isEnabled() && m_window->parentWidget()->isEnabled()); // its close box is not held
            if (stop)
                QTest::mouseClick(stop, Qt::LeftButton, {}, QPoint(2, stop->height() / 2));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        };
        whenDialog([&](QWidget* dialog) {
            answer(dialog);
            whenDialog(answer);
        });
        clickPage(m_window);
        QTRY_COMPARE_WITH_TIMEOUT(view()->LocationName(), u"100 false null"_s, 10000);
        QCOMPARE(offered, (QList<bool>{false, true}));

        // Another window opens and closes while a dialog is up; closing the dialog's own
        // window answers it as Cancel.
        load(u"http://a.test/ask.htm"_s, button(u"ask"_s, "confirm('c')"), u"ask"_s);
        QPointer<frmBrowser> other;
        int answered = -1;
        whenDialog([&](QWidget* dialog) {
            connect(static_cast<QDialog*>(dialog), &QDialog::finished, [&](int result) { answered = result; });
            other = frmMain::openBrowserWindow();
            other->mnuFileExit_Click();
            m_window->parentWidget()->close(); // as its close box does
        });
        clickPage(m_window);
        QTRY_COMPARE_WITH_TIMEOUT(answered, int(QDialog::Rejected), 10000);
        QTRY_VERIFY(!other && !m_window);
        frmMain::current()->activateWindow(); // as a person's click on the frame would
        openWindow(m_window);
    }

    // Rows run in turn on a page that asks before it is left; the last one closes the window.
    void leavePrompt_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("leave");
        QTest::newRow("navigation cancelled ends the busy state at once") << "navigate" << false;
        QTest::newRow("File > Exit cancelled keeps the window") << "exit" << false;
        QTest::newRow("frame close cancelled keeps the frame") << "frame" << false;
        QTest::newRow("navigation confirmed") << "navigate" << true;
        QTest::newRow("File > Exit confirmed closes the window") << "exit" << true;
    }
    void leavePrompt()
    {
        QFETCH(QString, how);
        QFETCH(bool, leave);
        // The page may only ask once the user did something on it since it last asked: the
        // click renames it.
        if (view()->LocationName() != u"Stay") // still there when the row above stayed
            load(u"http://a.test/stay.htm"_s,
                 LoopbackResponse::page(u"Unclicked"_s,
                                        "<script>onbeforeunload=e=>{e.preventDefault();e.returnValue=''}</script>"
                                        "<p style=\"height:100vh\" onclick=\"document.title='Stay'\">form</p>"),
                 u"Unclicked"_s);
        for (int click = 0; click < 10 && (click == 0 || view()->LocationName() != u"Stay"); ++click) {
            clickPage(m_window);
            QTest::qWait(300);
        }
        QCOMPARE(view()->LocationName(), u"Stay"_s);
        bool prompted = false;
        whenDialog([&](QWidget*) {
            prompted = true;
            QTest::keyClick(QApplication::focusWidget(), leave ? Qt::Key_Return : Qt::Key_Escape);
        });
        QPointer<QMdiSubWindow> sub = frmMain::current()->mdiArea()->currentSubWindow();
        QElapsedTimer elapsed;
        if (how == u"navigate") {
            type(u"http://a.test/next.htm"_s);
            QTRY_VERIFY_WITH_TIMEOUT(prompted, 5000);
            elapsed.start();
            QTRY_COMPARE_WITH_TIMEOUT(m_window->windowTitle(), leave ? u"/next.htm"_s : u"Stay"_s, 5000);
            QVERIFY(leave || elapsed.elapsed() < 200);
            QTRY_VERIFY(settled());
        } else {
            if (how == u"exit")
                m_window->findChild<QAction*>(u"mnuFileExit"_s)->trigger();
            else
                frmMain::current()->close();
            QVERIFY(prompted);
            QTRY_COMPARE(sub.isNull(), leave);
            QVERIFY(frmMain::current());
        }
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
                windows.append(frmMain::openBrowserWindow());
            for (const QPointer<frmBrowser>& window : std::as_const(windows)) {
                QTRY_VERIFY_WITH_TIMEOUT(window && RealEngine::settled(window)
                                             && window->windowTitle() == u"Ardel's Corvel Universe",
                                         30000);
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

// Like the program, asks for nothing at start: the web view provider shares the OpenGL
// contexts when the first view is made.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_BrowserWebEngine test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_browser_webengine.moc"

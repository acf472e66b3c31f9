// What pages ask of the browser window, on the real engine: logins, certificates,
// permissions, full screen, printing, crashes and leave prompts. Every request goes to a
// loopback server standing as the engine's proxy; https sites are local TLS servers
// reached through it, with certificates made at run time and a test authority that the
// engine trusts through the private home folder's certificate store.
#include "platform/WebEngineTestMain.h"
#include "support/LocalTlsServer.h"
#include "support/RealEngine.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <functional>

using namespace RealEngine;

namespace {

void keys(const QString& text, Qt::Key finish)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
    QTest::keyClick(QApplication::focusWidget(), finish);
}

// A page whose whole area is one button running script on a click.
LoopbackResponse button(const QString& title, const QByteArray& script)
{
    return LoopbackResponse::page(title,
                                  wholePage("onclick=\"" + script + '"', "button", "go")
                                      + "<script>function done(t){document.title=t}</script>");
}

} // namespace

class tst_PageRequests : public QObject
{
    Q_OBJECT
    LoopbackHttpServer m_server;
    QTemporaryDir m_files;
    QPointer<frmBrowser> m_window;

    WebView* view() const { return m_window->brwWebBrowser(); }
    QWidget* viewInput() const { return RealEngine::viewInput(m_window); }
    bool settled() const { return RealEngine::settled(m_window); }
    QWidget* overlay(const char* name) const { return view()->widget()->findChild<QWidget*>(QLatin1String(name)); }
    void type(const QString& address) { typeInto(m_window, address); }
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
        auto* server = new LocalTlsServer(QSslCertificate(&pem), QSslKey(&key, QSsl::Rsa),
                                          LoopbackResponse::page(u"Secure"_s).body, this);
        QVERIFY(server->isListening());
        m_server.tunnel(authority.contains(u':') ? authority : authority + u":443", server->serverPort());
    }

private slots:
    void initTestCase()
    {
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
        openWindow(m_window);
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 20000);
    }
    void cleanupTestCase() { closeFrame(); }

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
            keys(u"ann"_s, Qt::Key_Tab);
            keys(password, Qt::Key_Return);
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
        const QList<int> renderers = childrenOf(childrenOf({int(QCoreApplication::applicationPid())}));
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
};

WEBENGINE_TEST_MAIN(tst_PageRequests)
#include "tst_pagerequests.moc"

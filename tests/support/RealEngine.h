#pragma once
// What the real-engine tests share: every request routed through a loopback server that
// stands as the engine's proxy, the browser window opened from the frame, and the
// unexpected errors that would have been shown.
#include "browser/frmBrowser.h"
#include "mainframe/frmMain.h"
#include "platform/UnexpectedError.h"
#include "support/LoopbackHttpServer.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace RealEngine {

// What the unexpected-error course would have shown, in order.
inline QStringList& reported()
{
    static QStringList descriptions;
    return descriptions;
}

// Call before the engine starts: server listens and takes all traffic, flags go to the engine.
inline void routeThrough(LoopbackHttpServer& server, const QByteArray& flags = "--disable-gpu")
{
    QVERIFY2(server.listen(), qPrintable(server.errorString()));
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    routeWebEngineThrough(server);
    UnexpectedError::setReporterForTesting([](const QString& description) { reported().append(description); });
}

inline void openWindow(QPointer<frmBrowser>& window)
{
    window = frmMain::openBrowserWindow();
    QVERIFY(window && QTest::qWaitForWindowActive(frmMain::current()));
}

// Closes the frame with its windows; nothing unexpected may have been reported.
inline void closeFrame()
{
    if (QPointer<frmMain> frame = frmMain::current()) {
        frame->close();
        QTRY_VERIFY(frame.isNull());
    }
    QCOMPARE(reported(), QStringList());
}

// Runs act on a dialog as soon as one is shown and has the focus, as a person answers
// it; the dialog runs an event loop of its own, often from inside the engine's request.
inline void whenDialog(std::function<void(QWidget*)> act)
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
inline QString notice(frmBrowser* window)
{
    auto* bar = window->brwWebBrowser()->widget()->findChild<QWidget*>(u"noticeBar"_s);
    return bar && bar->isVisible() ? bar->findChild<QLabel*>()->text() : QString();
}

// The widget that takes the view's mouse and keys.
inline QWidget* viewInput(frmBrowser* window)
{
    QWidget* view = window->brwWebBrowser()->widget();
    return view->focusProxy() ? view->focusProxy() : view;
}

inline bool settled(frmBrowser* window)
{
    return !window->brwWebBrowser()->Busy() && !window->findChild<QTimer*>(u"timTimer"_s)->isActive()
        && window->windowTitle() != u"Working...";
}

// Back to the window as a person clicks it: a dialog or another window may have taken the
// activation, and with no window manager here nothing gives it back.
inline void backTo(frmBrowser* window)
{
    QTRY_VERIFY(!QApplication::activeModalWidget());
    frmMain::current()->activateWindow();
    QTRY_VERIFY(frmMain::current()->isActiveWindow());
    frmMain::current()->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
}

// As a person types an address: Ctrl+L to the address box, the text, Enter.
inline void typeAddress(const QString& address)
{
    QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_L));
    QTest::keyClicks(QApplication::focusWidget(), address);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

// As a person comes back to the window and types an address.
inline void typeInto(frmBrowser* window, const QString& address)
{
    backTo(window);
    typeAddress(address);
}

// A click into the page once it is laid out gives it the focus; clicks in turn at one spot
// would make a double click, so each goes a little lower.
inline void clickPage(frmBrowser* window)
{
    static int clicks = 0;
    backTo(window);
    QTest::qWait(200);
    QTest::mouseClick(viewInput(window), Qt::LeftButton, {},
                      viewInput(window)->rect().center() + QPoint(0, 20 * (clicks++ % 4)));
    QTRY_VERIFY(viewInput(window)->hasFocus());
}

// Serves page at address, types the address into the window and waits for title, settled.
inline void load(LoopbackHttpServer& server, frmBrowser* window, const QString& address, const LoopbackResponse& page,
                 const QString& title)
{
    server.setResponse(address, page);
    typeInto(window, address);
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), title, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(settled(window), 15000);
}

// An element over the whole page, so that a click anywhere in the view hits it.
inline QByteArray wholePage(const QByteArray& attributes, const QByteArray& tag = "a", const QByteArray& content = "x")
{
    return '<' + tag + ' ' + attributes + " style=\"position:fixed;left:0;top:0;width:100%;height:100%\">" + content
        + "</" + tag + '>';
}

// The processes whose parent is one of the given; renderers are forked by the engine's
// zygote helper, so they are children of our children.
inline QList<int> childrenOf(const QList<int>& parents)
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

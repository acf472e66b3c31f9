#pragma once

#include "browser/frmBrowser.h"
#include "platform/UnexpectedError.h"
#include "platform/WebViewProvider.h"
#include "support/ScriptedWebView.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>

using namespace Qt::StringLiterals;

// What the unexpected-error course would have shown, in order.
inline QStringList& reportedErrors()
{
    static QStringList reported;
    return reported;
}

inline ScriptedWebViewFactory& scriptedViews()
{
    static ScriptedWebViewFactory factory;
    return factory;
}

// Scripted web views for every window, and no message boxes.
inline void installScriptedViews()
{
    WebViewProvider::setFactoryForTesting(&scriptedViews());
    UnexpectedError::setReporterForTesting([](const QString& description) { reportedErrors().append(description); });
}

// Closes every window a test left open and lets the deletions happen.
inline void closeWindows()
{
    QList<QPointer<QWidget>> open;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            open.append(window);
    for (const QPointer<QWidget>& window : open)
        if (window)
            window->close();
    QTRY_VERIFY(std::all_of(open.cbegin(), open.cend(), [](const auto& w) { return w.isNull() || !w->isVisible(); }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    reportedErrors().clear();
    scriptedViews().broken = false;
}

// A browser window shown as a window of its own, active, its first show run.
inline frmBrowser* showBrowser(const QString& start)
{
    frmBrowser* window = frmBrowser::create().release();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setStartingAddress(start);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("the browser window did not become active");
    return window;
}

// Where a person's keys go: the widget holding the focus.
inline QWidget* focused()
{
    return QApplication::focusWidget();
}
inline void press(const QKeySequence& keys)
{
    QTest::keySequence(focused(), keys);
}
inline void typeKeys(const QString& text)
{
    QTest::keyClicks(focused(), text);
}

// A click at a point of a window, delivered to the widget under it.
inline void clickAt(QWidget* window, QPoint where)
{
    QWidget* under = window->childAt(where);
    QVERIFY(under);
    QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(window, where));
}
// A click in the middle of a control, delivered to whatever lies there.
inline void clickOn(QWidget* control)
{
    QWidget* window = control->window();
    clickAt(window, control->mapTo(window, control->rect().center()));
}

inline ScriptedWebView* viewOf(frmBrowser* window)
{
    return static_cast<ScriptedWebView*>(window->brwWebBrowser());
}

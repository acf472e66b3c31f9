#pragma once

#include "browser/frmBrowser.h"
#include "mainframe/frmMain.h"
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

// Closes the frame (and so every browser window) and lets the deletions happen.
inline void closeFrame()
{
    if (QPointer<frmMain> frame = frmMain::current()) {
        frame->close();
        QTRY_VERIFY(frame.isNull());
    }
    reportedErrors().clear();
    scriptedViews().broken = false;
}

// A browser window shown in the frame, through the creators' sequence.
inline frmBrowser* showBrowser(const QString& start)
{
    std::unique_ptr<frmBrowser> window = frmBrowser::create();
    window->setStartingAddress(start);
    window->Show();
    return window.release();
}

inline ScriptedWebView* viewOf(frmBrowser* window) { return static_cast<ScriptedWebView*>(window->brwWebBrowser()); }

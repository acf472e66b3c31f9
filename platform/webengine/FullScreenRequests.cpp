#include "platform/webengine/FullScreenRequests.h"

#include "platform/webengine/FullScreenWindow.h"
#include "platform/webengine/WebEnginePage.h"

#include <QWebEngineFullScreenRequest>
#include <QWebEngineView>

FullScreenRequests::FullScreenRequests(WebEnginePage* page, QWebEngineView* view)
    : QObject(view)
{
    connect(page, &QWebEnginePage::fullScreenRequested, this, [this, page, view](QWebEngineFullScreenRequest request) {
        const bool shown = !m_window.isNull();
        request.accept();
        if (request.toggleOn() == shown)
            return; // already as asked
        if (request.toggleOn())
            m_window = new FullScreenWindow(page, view);
        else
            delete m_window.data();
    });
    // A page deleted on its own (at exit) leaves nothing to show.
    connect(page, &QObject::destroyed, this, [this] { delete m_window.data(); });
}

// The view deletes its page, which it made first, before this: the window gives nothing back.
FullScreenRequests::~FullScreenRequests()
{
    delete m_window.data();
}

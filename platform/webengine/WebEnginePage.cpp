#include "platform/webengine/WebEnginePage.h"

#include <QWebEngineNewWindowRequest>

WebEnginePage::WebEnginePage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent)
{
    // The engine announces each request for a window just before it asks createWindow
    // for the page, and only the announcement says whether the user started it.
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& request) { m_requestUserInitiated = request.isUserInitiated(); });
}

QWebEnginePage* WebEnginePage::createWindow(WebWindowType)
{
    const bool userInitiated = std::exchange(m_requestUserInitiated, false);
    qWarning("createWindow %d", int(userInitiated));
    if (!userInitiated || !m_windowMaker)
        return nullptr;
    return m_windowMaker();
}

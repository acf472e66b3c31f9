#include "platform/webengine/WebEnginePage.h"

WebEnginePage::WebEnginePage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent)
{ }

QWebEnginePage* WebEnginePage::createWindow(WebWindowType)
{
    return m_windowMaker ? m_windowMaker() : nullptr;
}

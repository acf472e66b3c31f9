#include "platform/webengine/WebEnginePage.h"

#include "platform/webengine/SharedProfile.h"

#include <QCoreApplication>
#include <QPointer>

WebEnginePage::WebEnginePage(QObject* parent)
    : QWebEnginePage(SharedProfile::get(), parent)
{
    SharedProfile::track(this);
}

QWebEnginePage* WebEnginePage::createWindow(WebWindowType)
{
    return m_windowMaker ? m_windowMaker() : nullptr;
}

bool WebEnginePage::javaScriptConfirm(const QUrl& securityOrigin, const QString& msg)
{
    // The engine asks its leave prompt through this function, with this fixed text.
    const bool leavePrompt
        = msg
        == QCoreApplication::translate(
              "QWebEnginePage", "Are you sure you want to leave this page? Changes that you made may not be saved.");
    if (leavePrompt)
        emit leavePromptShown();
    const QPointer<WebEnginePage> alive(this); // the prompt runs an event loop of its own
    const bool answer = QWebEnginePage::javaScriptConfirm(securityOrigin, msg);
    if (alive && leavePrompt)
        emit leavePromptAnswered(answer);
    return answer;
}

#include "platform/webengine/WebEnginePage.h"

#include "platform/webengine/PageDialogs.h"
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
    const QPointer<WebEnginePage> alive(this); // the dialog runs an event loop of its own
    const bool answer = m_dialogs
        && m_dialogs->ask(leavePrompt ? PageDialogs::Kind::Leave : PageDialogs::Kind::Confirm, securityOrigin, msg,
                          nullptr);
    if (alive && leavePrompt)
        emit leavePromptAnswered(answer);
    return answer;
}

void WebEnginePage::javaScriptAlert(const QUrl& securityOrigin, const QString& msg)
{
    if (m_dialogs)
        m_dialogs->ask(PageDialogs::Kind::Alert, securityOrigin, msg, nullptr);
}

bool WebEnginePage::javaScriptPrompt(const QUrl& securityOrigin, const QString& msg, const QString& defaultValue,
                                     QString* result)
{
    QString text = defaultValue;
    if (!m_dialogs || !m_dialogs->ask(PageDialogs::Kind::Prompt, securityOrigin, msg, &text))
        return false;
    *result = text;
    return true;
}

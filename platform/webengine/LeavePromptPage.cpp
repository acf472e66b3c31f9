#include "platform/webengine/LeavePromptPage.h"

#include <QCoreApplication>
#include <QPointer>

bool LeavePromptPage::javaScriptConfirm(const QUrl& securityOrigin, const QString& msg)
{
    // The engine asks its leave prompt through this function, with this fixed text.
    const bool leavePrompt
        = msg
        == QCoreApplication::translate(
              "QWebEnginePage", "Are you sure you want to leave this page? Changes that you made may not be saved.");
    if (leavePrompt)
        emit leavePromptShown();
    const QPointer<LeavePromptPage> alive(this); // the prompt runs an event loop of its own
    const bool answer = QWebEnginePage::javaScriptConfirm(securityOrigin, msg);
    if (alive && leavePrompt)
        emit leavePromptAnswered(answer);
    return answer;
}

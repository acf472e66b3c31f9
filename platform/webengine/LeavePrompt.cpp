#include "platform/webengine/LeavePrompt.h"

#include "platform/webengine/WebEnginePage.h"

#include <QEventLoop>
#include <QTimer>
#include <QWebEngineView>

LeavePrompt::LeavePrompt(WebEnginePage* page, QWebEngineView* view)
    : QObject(view)
    , m_page(page)
{
    connect(page, &WebEnginePage::leavePromptAnswered, this, [this](bool leave) {
        if (!leave)
            emit stayed();
    });
}

bool LeavePrompt::mayClose()
{
    WebEnginePage* page = m_page;
    if (!page)
        return true;
    // The engine runs the page's unload handlers and its prompt, then asks for the close.
    // A renderer that does not answer (hung, or gone) does not keep the window open; the
    // wait ends while the user reads the prompt.
    QEventLoop loop;
    bool agreed = false;
    QTimer unanswered;
    unanswered.setSingleShot(true);
    connect(&unanswered, &QTimer::timeout, &loop, [&] {
        agreed = true;
        loop.quit();
    });
    connect(page, &QWebEnginePage::windowCloseRequested, &loop, [&] {
        agreed = true;
        loop.quit();
    });
    connect(page, &WebEnginePage::leavePromptShown, &unanswered, &QTimer::stop);
    connect(page, &WebEnginePage::leavePromptAnswered, &loop, [&](bool leave) {
        if (!leave)
            loop.quit();
    });
    connect(page, &QObject::destroyed, &loop, [&] {
        agreed = true;
        loop.quit();
    });
    unanswered.start(2000);
    page->triggerAction(QWebEnginePage::RequestClose);
    loop.exec();
    return agreed;
}

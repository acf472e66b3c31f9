#include "platform/webengine/WebEnginePage.h"

#include "platform/webengine/PageDialogs.h"
#include "platform/webengine/SharedProfile.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>

WebEnginePage::WebEnginePage(QObject* parent)
    : QWebEnginePage(SharedProfile::get(), parent)
{
    SharedProfile::track(this);
    // Pages may open windows only on a user's click or key.
    connect(this, &QWebEnginePage::newWindowRequested, this, [this](QWebEngineNewWindowRequest& request) {
        if (!request.isUserInitiated())
            emit popupBlocked(request.requestedUrl());
        else if (QWebEnginePage* page = openWindow())
            request.openIn(page);
    });
    // The engine refuses another program's address asked for without a click itself, and
    // reports it as a load that ended without a page.
    connect(this, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus || !isOtherProgramsScheme(info.url().scheme()))
            return;
        if (info.url() == std::exchange(m_takenOver, QUrl()))
            return; // the end of one taken over below
        emit otherProgramAddress(info.url(), false);
    });
}

bool WebEnginePage::opensScheme(const QString& scheme)
{
    // No scheme: what the engine makes of text that is all spaces (a blank page).
    static const QStringList engineSchemes = {
        QString(),
        QStringLiteral("http"),
        QStringLiteral("https"),
        QStringLiteral("file"),
        QStringLiteral("data"),
        QStringLiteral("about"),
        QStringLiteral("blob"),
        QStringLiteral("qrc"),
        QStringLiteral("view-source"),
    };
    return engineSchemes.contains(scheme.toLower());
}

bool WebEnginePage::isOtherProgramsScheme(const QString& scheme)
{
    const QString lower = scheme.toLower();
    // The engine's inner pages (its PDF viewer, error pages) and script addresses, which
    // the page runs itself.
    return !opensScheme(lower) && !lower.startsWith(u"chrome") && lower != u"devtools" && lower != u"javascript";
}

bool WebEnginePage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    // The engine would hand it to the desktop itself: it is taken over here instead.
    if (isOtherProgramsScheme(url.scheme())) {
        m_takenOver = url;
        emit otherProgramAddress(url, true);
        return false;
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
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

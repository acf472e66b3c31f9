#include "platform/webengine/LoginRequests.h"

#include "platform/webengine/LoginDialog.h"
#include "platform/webengine/WebEnginePage.h"

#include <QAuthenticator>
#include <QWebEngineView>

LoginRequests::LoginRequests(WebEnginePage* page, QWebEngineView* view)
    : QObject(view)
{
    connect(page, &QWebEnginePage::authenticationRequired, this,
            [view](const QUrl& url, QAuthenticator* authenticator) {
                LoginDialog::ask(url.host(), authenticator, false, view);
            });
    connect(page, &QWebEnginePage::proxyAuthenticationRequired, this,
            [view](const QUrl&, QAuthenticator* authenticator, const QString& proxyHost) {
                LoginDialog::ask(proxyHost, authenticator, true, view);
            });
}

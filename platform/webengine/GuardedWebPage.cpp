#include "platform/webengine/GuardedWebPage.h"

#include <QUrl>

#include <array>

GuardedWebPage::GuardedWebPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent)
{
}

bool GuardedWebPage::isHandledScheme(const QString& scheme)
{
    static constexpr std::array<QStringView, 8> handled = {
        u"http", u"https", u"file", u"data", u"about", u"blob", u"qrc", u"view-source",
    };
    for (QStringView known : handled) {
        if (scheme.compare(known, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool GuardedWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (!isHandledScheme(url.scheme()))
        return false;
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

#pragma once

#include <QWebEnginePage>

// A page that never hands an address to another program: navigations to schemes the
// engine does not handle itself (mailto:, custom schemes) are refused instead of being
// passed to the desktop.
class GuardedWebPage : public QWebEnginePage
{
    Q_OBJECT

public:
    GuardedWebPage(QWebEngineProfile* profile, QObject* parent);

    // Whether the engine shows addresses of this scheme itself.
    static bool isHandledScheme(const QString& scheme);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};

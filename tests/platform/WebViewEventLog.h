#pragma once

#include "platform/WebView.h"

#include <QStringList>

// Records a web view's notifications as text, with what the view reported at the time:
// "NavigateComplete2 <address>" (plus any disagreement of LocationURL) and
// "DownloadComplete".
class WebViewEventLog : public WebViewEvents
{
public:
    explicit WebViewEventLog(WebView* view)
        : m_view(view)
    {
        m_view->setEvents(this);
    }
    ~WebViewEventLog() override { m_view->setEvents(nullptr); }

    QStringList entries;

    bool ended() const { return !entries.isEmpty() && entries.last() == u"DownloadComplete"; }

    void NavigateComplete2(QObject* frame, const QString& address) override
    {
        QString entry = u"NavigateComplete2 " % address;
        if (m_view->LocationURL() != address)
            entry += u" (LocationURL " % m_view->LocationURL() % u')';
        if (!frame)
            entry += u" (no frame)";
        entries.append(entry);
    }
    void DownloadComplete() override { entries.append(QStringLiteral("DownloadComplete")); }

private:
    WebView* m_view;
};

#pragma once

#include "platform/WebView.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class GuardedWebPage;
class QUrl;
class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;

// A web view on a QWebEngineView. Busy covers every accepted request until its load
// ends; the end of an older load that a newer request replaced does not end it.
// NavigateComplete2 follows each committed top-level address, DownloadComplete each end
// of loading, successful or not; both are delivered from the event loop, never from
// inside a request.
class WebEngineWebView final : public QObject, public WebView
{
    Q_OBJECT

public:
    WebEngineWebView(QWebEngineProfile* profile, QWidget* parent);
    ~WebEngineWebView() override;

    QWidget* widget() const override;
    void setEvents(WebViewEvents* events) override;

    WebViewResult Navigate(const QString& address) override;
    WebViewResult GoBack() override;
    WebViewResult GoForward() override;
    WebViewResult Refresh() override;
    WebViewResult Stop() override;

    QString LocationName() const override;
    QString LocationURL() const override;
    bool Busy() const override;

private:
    template<typename Request> WebViewResult startRequest(Request request);
    void onLoadingChanged(const QWebEngineLoadingInfo& info);
    void onUrlChanged(const QUrl& url);
    void onStartOverdue();
    void deliverNavigateComplete(const QString& address);
    void deliverDownloadComplete();

    QPointer<QWebEngineView> m_view;
    QPointer<GuardedWebPage> m_page;
    WebViewEvents* m_events = nullptr;
    // Accepted requests whose load has not started yet.
    int m_unstartedRequests = 0;
    bool m_loading = false;
    bool m_committedSinceStart = false;
    // Catches a request that the engine settles without starting a load.
    QTimer m_startWatch;
};

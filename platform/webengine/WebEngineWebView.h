#pragma once

#include "platform/WebView.h"

#include <QObject>
#include <QPointer>

class LeavePrompt;
class PageDialogs;
class NoticeBar;
class QUrl;
class QWebEngineLoadingInfo;
class QWebEnginePage;
class QWebEngineView;

// A WebView around a QWebEngineView on the shared off-the-record profile.
//
// Busy is true from an accepted request until the engine has taken it up and its load
// has ended: a request stays pending until the engine reports that a load started or a
// navigation committed after it, so a late end of an earlier load cannot make a newer
// navigation look finished.
//
// NavigateComplete2 is raised when a top-level navigation commits (the engine's
// urlChanged), or at the end of a load that committed without changing the address (a
// reload, the same address again). DownloadComplete is raised whenever a load ends,
// however it ended.
class WebEngineWebView : public QObject, public WebView
{
    Q_OBJECT

public:
    explicit WebEngineWebView(QWidget* parent);
    ~WebEngineWebView() override;

    QWidget* widget() const override;
    void setEvents(WebViewEvents* events) override { m_events = events; }

    WebViewResult Navigate(const QString& address) override;
    WebViewResult GoBack() override;
    WebViewResult GoForward() override;
    WebViewResult Refresh() override;
    WebViewResult Stop() override;

    QString LocationName() const override;
    QString LocationURL() const override;
    bool Busy() const override { return m_requestPending || m_loading; }

    void findText(const QString& text, bool backward, std::function<void(int active, int total)> found) override;
    double zoomFactor() const override;
    void setZoomFactor(double factor) override;
    void editPage(PageEdit command) override;
    bool mayClose() override;

    // The address Navigate loads for a typed text: surrounding spaces dropped, and a
    // text without a scheme completed as browsers do ("example.com" is http); invalid
    // for words that are no address.
    static QUrl resolve(const QString& address);

private:
    QWebEnginePage* openWindow();
    WebViewResult requested();
    // Refuses a request, saying why in the view.
    WebViewResult refuse(const QString& why);
    void onLoadingChanged(const QWebEngineLoadingInfo& info);
    void onUrlChanged(const QUrl& url);
    void onRenderProcessTerminated();
    void onLeavePromptDeclined();
    void onCertificateQuestion();
    void raiseNavigateComplete();

    QPointer<QWebEngineView> m_view;
    QPointer<QWebEnginePage> m_page;
    QPointer<LeavePrompt> m_leavePrompt;
    QPointer<PageDialogs> m_dialogs;
    QPointer<NoticeBar> m_notices;
    WebViewEvents* m_events = nullptr;
    bool m_requestPending = false;
    bool m_loading = false;
    bool m_committedThisLoad = false;
    bool m_startUnannounced = false; // a renderer died while the engine was loading
};

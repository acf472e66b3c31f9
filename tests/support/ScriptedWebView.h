#pragma once

#include "platform/WebView.h"

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

// A web view whose behaviour the test writes: it records every request, reports the
// Busy, LocationName and LocationURL the test sets, refuses the requests the test
// names, and raises the two notifications on demand. An accepted request makes it busy,
// as a real view is from the moment it accepts a navigation.
class ScriptedWebView : public WebView
{
public:
    explicit ScriptedWebView(QWidget* parent)
        : m_widget(new QWidget(parent))
    {
        m_widget->setFocusPolicy(Qt::StrongFocus);
    }
    ~ScriptedWebView() override
    {
        if (onDestroyed)
            onDestroyed(this);
        delete m_widget.data();
    }

    // Each request as "Navigate <address>", "GoBack", "GoForward", "Refresh", "Stop".
    QStringList calls;
    bool busy = false;
    QString locationName;
    QString locationURL;
    std::function<void(ScriptedWebView*)> onDestroyed;

    // Refuse every later request of this kind ("Navigate", "GoBack", ...) with why.
    void refuse(const QString& request, const QString& why) { m_refusals.insert(request, why); }
    void accept(const QString& request) { m_refusals.remove(request); }

    // The view has committed a navigation to url, whose page is called name.
    void completeNavigation(const QString& url, const QString& name)
    {
        locationURL = url;
        locationName = name;
        if (m_events)
            m_events->NavigateComplete2(nullptr, url);
    }
    // Loading has ended.
    void completeDownload()
    {
        busy = false;
        if (m_events)
            m_events->DownloadComplete();
    }

    QWidget* widget() const override { return m_widget; }
    void setEvents(WebViewEvents* events) override { m_events = events; }

    WebViewResult Navigate(const QString& address) override
    {
        return request(QStringLiteral("Navigate"), QStringLiteral("Navigate ") + address);
    }
    WebViewResult GoBack() override { return request(QStringLiteral("GoBack")); }
    WebViewResult GoForward() override { return request(QStringLiteral("GoForward")); }
    WebViewResult Refresh() override { return request(QStringLiteral("Refresh")); }
    WebViewResult Stop() override
    {
        const WebViewResult result = request(QStringLiteral("Stop"));
        if (result.ok())
            busy = false;
        return result;
    }

    QString LocationName() const override { return locationName; }
    QString LocationURL() const override { return locationURL; }
    bool Busy() const override { return busy; }

private:
    WebViewResult request(const QString& kind, const QString& record = {})
    {
        calls.append(record.isEmpty() ? kind : record);
        const auto refusal = m_refusals.constFind(kind);
        if (refusal != m_refusals.constEnd())
            return WebViewResult::refused(*refusal);
        if (kind != u"Stop")
            busy = true;
        return WebViewResult::accepted();
    }

    QPointer<QWidget> m_widget;
    WebViewEvents* m_events = nullptr;
    QHash<QString, QString> m_refusals;
};

// Serves ScriptedWebViews and keeps the live ones, oldest first. Install it with
// WebViewProvider::setFactoryForTesting.
class ScriptedWebViewFactory : public WebViewFactory
{
public:
    QList<ScriptedWebView*> views;
    // When set, create() fails as a missing module would.
    bool broken = false;

    std::unique_ptr<WebView> create(QWidget* parent) override
    {
        if (broken)
            return nullptr;
        auto view = std::make_unique<ScriptedWebView>(parent);
        view->onDestroyed = [this](ScriptedWebView* gone) { views.removeOne(gone); };
        views.append(view.get());
        return view;
    }
    ScriptedWebView* last() const { return views.isEmpty() ? nullptr : views.last(); }
};

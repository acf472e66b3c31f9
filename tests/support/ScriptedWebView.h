#pragma once

#include "platform/WebView.h"

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

// The view's widget. Like the engine's view it takes no focus itself: the child that takes
// its keys (its focus proxy) appears only once the view has been shown.
class ScriptedPage : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void showEvent(QShowEvent*) override
    {
        QTimer::singleShot(0, this, [this] {
            if (focusProxy())
                return;
            auto* input = new QWidget(this);
            input->setFocusPolicy(Qt::StrongFocus);
            (new QVBoxLayout(this))->setContentsMargins(0, 0, 0, 0);
            layout()->addWidget(input);
            input->show();
            setFocusProxy(input);
        });
    }
};

// A web view whose behaviour the test writes: it records every request, reports the
// Busy, LocationName and LocationURL the test sets, refuses the requests the test
// names, and raises the two notifications on demand. An accepted request makes it busy
// (as a real view is from the moment it accepts a navigation); an accepted Stop ends that.
class ScriptedWebView : public WebView
{
public:
    ScriptedWebView(QWidget* parent, QList<ScriptedWebView*>* live)
        : m_widget(new ScriptedPage(parent))
        , m_live(live)
    {
        m_live->append(this);
    }
    ~ScriptedWebView() override
    {
        m_live->removeOne(this);
        delete m_widget.data();
    }

    QStringList calls; // "Navigate <address>", "GoBack", "GoForward", "Refresh", "Stop", "Cut", ...
    bool busy = false;
    QString locationName, locationURL;
    QHash<QString, int> matches; // matches of a text in the page
    int activeMatch = 0;
    double zoom = 1.0;

    // Refuse every later request of this kind ("Navigate", "GoBack", ...) with why.
    void refuse(const QString& request, const QString& why) { m_refusals.insert(request, why); }
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
    WebViewResult Navigate(const QString& address) override { return request(u"Navigate"_qs, u"Navigate " + address); }
    WebViewResult GoBack() override { return request(u"GoBack"_qs); }
    WebViewResult GoForward() override { return request(u"GoForward"_qs); }
    WebViewResult Refresh() override { return request(u"Refresh"_qs); }
    WebViewResult Stop() override { return request(u"Stop"_qs); }
    QString LocationName() const override { return locationName; }
    QString LocationURL() const override { return locationURL; }
    bool Busy() const override { return busy; }
    // Finds report the matches the test sets for that text, counting through them.
    void findText(const QString& text, bool backward, std::function<void(int, int)> found) override
    {
        calls.append(u"findText " + text + (backward ? u" backward" : u""));
        const int total = matches.value(text);
        if (text.isEmpty() || !found)
            return;
        if (total == 0)
            activeMatch = 0;
        else if (backward)
            activeMatch = activeMatch <= 1 ? total : activeMatch - 1;
        else
            activeMatch = activeMatch % total + 1;
        found(activeMatch, total);
    }
    double zoomFactor() const override { return zoom; }
    void setZoomFactor(double factor) override { zoom = factor; }
    void editPage(PageEdit command) override
    {
        calls.append(QStringList{u"Cut"_qs, u"Copy"_qs, u"Paste"_qs}.at(int(command)));
    }
    bool mayClose() override { return true; }

private:
    WebViewResult request(const QString& kind, const QString& record = {})
    {
        calls.append(record.isEmpty() ? kind : record);
        if (m_refusals.contains(kind))
            return WebViewResult::refused(m_refusals.value(kind));
        busy = kind != u"Stop";
        return WebViewResult::accepted();
    }

    QPointer<QWidget> m_widget;
    QList<ScriptedWebView*>* m_live;
    WebViewEvents* m_events = nullptr;
    QHash<QString, QString> m_refusals;
};

// Serves ScriptedWebViews and keeps the live ones, oldest first. Install it with
// WebViewProvider::setFactoryForTesting; when broken is set, create() fails as a
// missing module would.
class ScriptedWebViewFactory : public WebViewFactory
{
public:
    QList<ScriptedWebView*> views;
    bool broken = false;

    std::unique_ptr<WebView> create(QWidget* parent) override
    {
        return broken ? nullptr : std::make_unique<ScriptedWebView>(parent, &views);
    }
    ScriptedWebView* last() const { return views.value(views.size() - 1); }
};

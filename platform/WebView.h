#pragma once

#include <QString>
#include <QtPlugin>

#include <functional>
#include <memory>

class QObject;
class QWidget;
class WebView;

// The outcome of a request to a web view: accepted, or refused with the reason.
struct WebViewResult
{
    QString error; // empty when the request was accepted

    bool ok() const { return error.isEmpty(); }
    static WebViewResult accepted() { return {}; }
    static WebViewResult refused(const QString& why) { return {why}; }
};

// The notifications a browser window takes from its web view. They arrive on the
// user-interface thread, between other events.
class WebViewEvents
{
public:
    virtual ~WebViewEvents() = default;

    // A top-level navigation has been committed; the view's LocationURL is the new
    // address. frame is the view's page object; address is the committed address.
    virtual void NavigateComplete2(QObject* frame, const QString& address) = 0;
    // Loading has ended, successfully or not.
    virtual void DownloadComplete() = 0;
    // The page opened a new window (a link's target, a script, the page's context menu)
    // and view shows it, already tied to the page that opened it. Whoever takes view
    // over shows it; a view left in the argument is closed and the page is told no
    // window opened.
    virtual void NewWindow(std::unique_ptr<WebView>& view) { Q_UNUSED(view); }
};

// Everything a browser window asks of its embedded web view, and nothing more.
class WebView
{
public:
    virtual ~WebView() = default;

    // The view's widget; it is a child of the parent given at creation and goes with it.
    virtual QWidget* widget() const = 0;
    // Where the notifications go; null stops them.
    virtual void setEvents(WebViewEvents* events) = 0;

    // Starts an asynchronous navigation; Busy is true from a successful return on.
    [[nodiscard]] virtual WebViewResult Navigate(const QString& address) = 0;
    [[nodiscard]] virtual WebViewResult GoBack() = 0;
    [[nodiscard]] virtual WebViewResult GoForward() = 0;
    [[nodiscard]] virtual WebViewResult Refresh() = 0;
    [[nodiscard]] virtual WebViewResult Stop() = 0;

    virtual QString LocationName() const = 0;
    virtual QString LocationURL() const = 0;
    virtual bool Busy() const = 0;

    // Highlights the next match of text in the page (the previous one when backward) and
    // reports the active match's number and the number of matches, 0 and 0 for none.
    // An empty text clears the highlight and reports nothing.
    virtual void findText(const QString& text, bool backward, std::function<void(int active, int total)> found) = 0;
    // The page's zoom, 1 for its natural size.
    virtual double zoomFactor() const = 0;
    virtual void setZoomFactor(double factor) = 0;
    // The page's own cut, copy and paste, on its selection or its focused field.
    enum class PageEdit { Cut, Copy, Paste };
    virtual void editPage(PageEdit command) = 0;

    // Asked before the window closes: runs the page's "leave this page?" prompt, if it
    // has one, and returns whether the window may close (false when the user chose to
    // stay). The prompt is modal: events are processed until it is answered.
    virtual bool mayClose() = 0;
};

// What the web view module offers: a maker of web views, and the downloads its views
// started, which outlive the windows that started them.
class WebViewFactory
{
public:
    virtual ~WebViewFactory() = default;
    virtual std::unique_ptr<WebView> create(QWidget* parent) = 0;
    // Whether a download is running.
    virtual bool downloadRunning() const { return false; }
    // Cancels every running download and removes its partial file.
    virtual void cancelDownloads() { }
};

#define WebViewFactory_iid "org.corveluniverse.Calculator.WebViewFactory/1.0"
Q_DECLARE_INTERFACE(WebViewFactory, WebViewFactory_iid)

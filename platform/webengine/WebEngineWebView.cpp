#include "platform/webengine/WebEngineWebView.h"

#include "platform/webengine/GuardedWebPage.h"
#include "platform/webengine/SharedWebProfile.h"

#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

namespace {

WebViewResult viewGone()
{
    return WebViewResult::refused(QStringLiteral("The web view has been closed"));
}

// How long a request may go without its load starting before it counts as settled.
constexpr int StartWatchMs = 3000;

} // namespace

WebEngineWebView::WebEngineWebView(QWebEngineProfile* profile, QWidget* parent)
    : m_view(new QWebEngineView(parent))
    , m_page(new GuardedWebPage(profile, m_view))
{
    m_view->setPage(m_page);
    SharedWebProfile::registerPage(m_page);
    connect(m_page, &QWebEnginePage::loadingChanged, this, &WebEngineWebView::onLoadingChanged);
    connect(m_page, &QWebEnginePage::urlChanged, this, &WebEngineWebView::onUrlChanged);
    m_startWatch.setSingleShot(true);
    m_startWatch.setInterval(StartWatchMs);
    connect(&m_startWatch, &QTimer::timeout, this, &WebEngineWebView::onStartOverdue);
}

WebEngineWebView::~WebEngineWebView()
{
    m_events = nullptr;
    if (m_page)
        m_page->disconnect(this);
    delete m_view.data(); // its page goes with it
}

QWidget* WebEngineWebView::widget() const
{
    return m_view;
}

void WebEngineWebView::setEvents(WebViewEvents* events)
{
    m_events = events;
}

template<typename Request>
WebViewResult WebEngineWebView::startRequest(Request request)
{
    ++m_unstartedRequests;
    request();
    if (m_unstartedRequests > 0)
        m_startWatch.start();
    return WebViewResult::accepted();
}

WebViewResult WebEngineWebView::Navigate(const QString& address)
{
    if (!m_page)
        return viewGone();
    const QUrl url(address);
    if (!url.isValid() || url.isEmpty())
        return WebViewResult::refused(u"\"" % address % u"\" is not a valid address");
    if (url.scheme().isEmpty())
        return WebViewResult::refused(u"\"" % address % u"\" names no scheme such as http:");
    if (!GuardedWebPage::isHandledScheme(url.scheme()))
        return WebViewResult::refused(u"Addresses of the kind \"" % url.scheme()
                                      % u":\" are not shown here");
    return startRequest([this, &url] { m_page->load(url); });
}

WebViewResult WebEngineWebView::GoBack()
{
    if (!m_page)
        return viewGone();
    if (!m_page->history()->canGoBack())
        return WebViewResult::refused(QStringLiteral("There is no page to go back to"));
    return startRequest([this] { m_page->history()->back(); });
}

WebViewResult WebEngineWebView::GoForward()
{
    if (!m_page)
        return viewGone();
    if (!m_page->history()->canGoForward())
        return WebViewResult::refused(QStringLiteral("There is no page to go forward to"));
    return startRequest([this] { m_page->history()->forward(); });
}

WebViewResult WebEngineWebView::Refresh()
{
    if (!m_page)
        return viewGone();
    if (m_page->url().isEmpty())
        return WebViewResult::refused(QStringLiteral("There is no page to reload"));
    return startRequest([this] { m_page->triggerAction(QWebEnginePage::Reload); });
}

WebViewResult WebEngineWebView::Stop()
{
    if (!m_page)
        return viewGone();
    // Stopping settles every request made so far; the engine then ends the current load.
    m_unstartedRequests = 0;
    m_startWatch.stop();
    m_page->triggerAction(QWebEnginePage::Stop);
    return WebViewResult::accepted();
}

QString WebEngineWebView::LocationName() const
{
    return m_page ? m_page->title() : QString();
}

QString WebEngineWebView::LocationURL() const
{
    return m_page ? m_page->url().toString() : QString();
}

bool WebEngineWebView::Busy() const
{
    return m_unstartedRequests > 0 || m_loading;
}

void WebEngineWebView::onLoadingChanged(const QWebEngineLoadingInfo& info)
{
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        if (m_unstartedRequests > 0 && --m_unstartedRequests == 0)
            m_startWatch.stop();
        m_loading = true;
        m_committedSinceStart = false;
        return;
    }
    // A reload or a return to the same address commits without changing the address;
    // it is still a completed navigation.
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus && !m_committedSinceStart)
        deliverNavigateComplete(m_page->url().toString());
    // While a newer request waits to start, this end belongs to the load it replaced.
    if (m_unstartedRequests == 0)
        m_loading = false;
    deliverDownloadComplete();
}

void WebEngineWebView::onUrlChanged(const QUrl& url)
{
    m_committedSinceStart = true;
    deliverNavigateComplete(url.toString());
}

void WebEngineWebView::onStartOverdue()
{
    if (m_unstartedRequests == 0 || (m_page && m_page->isLoading()))
        return;
    m_unstartedRequests = 0;
    if (!m_loading)
        deliverDownloadComplete();
}

void WebEngineWebView::deliverNavigateComplete(const QString& address)
{
    QMetaObject::invokeMethod(this, [this, address] {
        if (m_events && m_page)
            m_events->NavigateComplete2(m_page, address);
    }, Qt::QueuedConnection);
}

void WebEngineWebView::deliverDownloadComplete()
{
    QMetaObject::invokeMethod(this, [this] {
        if (m_events)
            m_events->DownloadComplete();
    }, Qt::QueuedConnection);
}

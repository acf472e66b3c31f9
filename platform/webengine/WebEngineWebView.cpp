#include "platform/webengine/WebEngineWebView.h"

#include "platform/ServerText.h"

#include "platform/webengine/CertificateBar.h"
#include "platform/webengine/CrashNotice.h"
#include "platform/webengine/DownloadRequests.h"
#include "platform/webengine/FullScreenRequests.h"
#include "platform/webengine/LeavePrompt.h"
#include "platform/webengine/LinkBubble.h"
#include "platform/webengine/LoginRequests.h"
#include "platform/webengine/NoticeBar.h"
#include "platform/webengine/PageDialogs.h"
#include "platform/webengine/PagePrinter.h"
#include "platform/webengine/PermissionBar.h"
#include "platform/webengine/ProgressLine.h"
#include "platform/webengine/WebEnginePage.h"

#include <QWebEngineFindTextResult>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

namespace {

// What pages ask for, and what the view shows of them, is answered by feature objects,
// each made with the page and the view and belonging to the view.
template <typename... Feature> void attach(WebEnginePage* page, QWebEngineView* view)
{
    (new Feature(page, view), ...);
}

} // namespace

WebEngineWebView::WebEngineWebView(QWidget* parent)
    : m_view(new QWebEngineView(parent))
{
    // The page belongs to the view and goes with it, first among its children; the shared
    // profile outlives it.
    auto* page = new WebEnginePage(m_view);
    m_page = page;
    m_view->setPage(page);
    page->setWindowMaker([this] { return openWindow(); });

    attach<LoginRequests, PermissionBar, FullScreenRequests, PagePrinter, DownloadRequests, ProgressLine, LinkBubble,
           CrashNotice>(page, m_view);
    // Two made the same way, which the view listens to: both may end a request.
    m_leavePrompt = new LeavePrompt(page, m_view);
    m_notices = new NoticeBar(page, m_view);
    m_dialogs = new PageDialogs(page, m_view);
    connect(m_leavePrompt, &LeavePrompt::stayed, this, &WebEngineWebView::onLeavePromptDeclined);
    auto* certificates = new CertificateBar(page, m_view);
    connect(certificates, &CertificateBar::questionAsked, this, &WebEngineWebView::onCertificateQuestion);
    connect(certificates, &CertificateBar::proceeded, this, [this] { m_loading = true; });

    connect(page, &QWebEnginePage::loadingChanged, this, &WebEngineWebView::onLoadingChanged);
    connect(page, &QWebEnginePage::urlChanged, this, &WebEngineWebView::onUrlChanged);
    connect(page, &QWebEnginePage::renderProcessTerminated, this, &WebEngineWebView::onRenderProcessTerminated);
}

WebEngineWebView::~WebEngineWebView()
{
    // A page showing a dialog is inside the engine's request, which must end first.
    if (m_view && m_dialogs && m_dialogs->cancel()) {
        m_view->hide();
        m_view->setParent(nullptr);
        m_dialogs->deleteViewWhenAnswered();
        return;
    }
    delete m_view.data();
}

QWidget* WebEngineWebView::widget() const
{
    return m_view;
}

QWebEnginePage* WebEngineWebView::openWindow()
{
    if (!m_events)
        return nullptr;
    // The new view has no parent until the window that takes it over adopts its widget.
    std::unique_ptr<WebView> view = std::make_unique<WebEngineWebView>(nullptr);
    const QPointer<QWebEnginePage> page = static_cast<WebEngineWebView*>(view.get())->m_page;
    m_events->NewWindow(view);
    // A view nobody took goes now, with its page: the engine then opens no window.
    view.reset();
    return page;
}

WebViewResult WebEngineWebView::Navigate(const QString& address)
{
    if (!m_page)
        return WebViewResult::refused(QStringLiteral("The web view has been closed."));
    const QUrl url = resolve(address);
    // The engine silently drops an address holding a NUL character, which would leave
    // the view busy for good.
    if (!url.isValid() || address.contains(QChar(0)))
        return refuse(tr("\u201c%1\u201d is not a web address").arg(address.trimmed().left(200)));
    if (WebEnginePage::isOtherProgramsScheme(url.scheme())) {
        m_notices->openElsewhere(url, true);
        return WebViewResult::accepted(); // handed on, or refused with a word in the view: nothing loads
    }
    if (!WebEnginePage::opensScheme(url.scheme()))
        return refuse(tr("Addresses starting with \u201c%1:\u201d are not opened by this browser").arg(url.scheme()));
    m_page->load(url);
    return requested();
}

WebViewResult WebEngineWebView::refuse(const QString& why)
{
    m_notices->say(why);
    return WebViewResult::refused(why);
}

QUrl WebEngineWebView::resolve(const QString& address)
{
    const QString typed = address.trimmed();
    const QUrl asTyped(typed);
    // Text that is all spaces stays as it is: the engine shows a blank page for it.
    if (typed.isEmpty())
        return QUrl(address);
    // A script address is never taken for a host, whatever follows its colon.
    const QString scheme = asTyped.scheme().toLower();
    if (!scheme.isEmpty() && (WebEnginePage::opensScheme(scheme) || scheme == u"javascript"))
        return asTyped;
    // "example.com" and "localhost:8080/x" as browsers read them. Words are no address: a
    // host holds no spaces (no valid address comes back), and has a dot unless it is this
    // computer or a numeric one. An address of another program ("mailto:x") comes back
    // unchanged.
    const QUrl guessed = QUrl::fromUserInput(typed);
    const QString host = guessed.host();
    const bool aHost = host.contains(u'.') || host.contains(u':') || host == u"localhost";
    if (guessed.isValid() && (aHost || !WebEnginePage::opensScheme(guessed.scheme())))
        return guessed;
    return scheme.isEmpty() ? QUrl() : asTyped;
}

WebViewResult WebEngineWebView::GoBack()
{
    if (!m_page || !m_page->history()->canGoBack())
        return WebViewResult::refused(QStringLiteral("There is no earlier page."));
    m_page->triggerAction(QWebEnginePage::Back);
    return requested();
}

WebViewResult WebEngineWebView::GoForward()
{
    if (!m_page || !m_page->history()->canGoForward())
        return WebViewResult::refused(QStringLiteral("There is no later page."));
    m_page->triggerAction(QWebEnginePage::Forward);
    return requested();
}

WebViewResult WebEngineWebView::Refresh()
{
    // The engine ignores a reload of nothing, which would leave the view busy for good.
    if (!m_page || m_page->url().isEmpty())
        return WebViewResult::refused(QStringLiteral("There is no page to reload."));
    m_page->triggerAction(QWebEnginePage::Reload);
    return requested();
}

WebViewResult WebEngineWebView::Stop()
{
    if (m_page)
        m_page->triggerAction(QWebEnginePage::Stop);
    m_requestPending = false;
    m_loading = false;
    return WebViewResult::accepted();
}

QString WebEngineWebView::LocationName() const
{
    // The title becomes the window's: a page must not reorder or hide what it shows.
    return m_page ? ServerText::cleaned(m_page->title()) : QString();
}

QString WebEngineWebView::LocationURL() const
{
    return m_page ? m_page->url().toString() : QString();
}

void WebEngineWebView::findText(const QString& text, bool backward, std::function<void(int active, int total)> found)
{
    if (!m_page)
        return;
    const QWebEnginePage::FindFlags flags = backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags();
    m_page->findText(text, flags, [found = std::move(found), text](const QWebEngineFindTextResult& result) {
        if (!text.isEmpty() && found)
            found(result.activeMatch(), result.numberOfMatches());
    });
}

double WebEngineWebView::zoomFactor() const
{
    return m_page ? m_page->zoomFactor() : 1.0;
}

void WebEngineWebView::setZoomFactor(double factor)
{
    if (m_page)
        m_page->setZoomFactor(factor);
}

void WebEngineWebView::editPage(PageEdit command)
{
    static constexpr QWebEnginePage::WebAction actions[]
        = {QWebEnginePage::Cut, QWebEnginePage::Copy, QWebEnginePage::Paste};
    if (m_page)
        m_page->triggerAction(actions[int(command)]);
}

WebViewResult WebEngineWebView::requested()
{
    m_requestPending = true;
    return WebViewResult::accepted();
}

void WebEngineWebView::onLoadingChanged(const QWebEngineLoadingInfo& info)
{
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        m_requestPending = false;
        m_loading = true;
        m_committedThisLoad = false;
        m_startUnannounced = false;
        return;
    }

    m_loading = false;
    // After a renderer died mid-load the engine announces no start for the next load,
    // only its end: that end answers the pending request.
    if (m_startUnannounced)
        m_requestPending = m_startUnannounced = false;
    const bool committedUnseen = !m_committedThisLoad && info.status() != QWebEngineLoadingInfo::LoadStoppedStatus;
    m_committedThisLoad = false;

    // A handler may close the window, and this view with it.
    const QPointer<WebEngineWebView> alive(this);
    if (committedUnseen)
        raiseNavigateComplete();
    if (alive && m_events)
        m_events->DownloadComplete();
}

bool WebEngineWebView::mayClose()
{
    // A dialog that is up is answered as Cancel, and the page is not asked again; while
    // another page's dialog is up the engine could not run this page's unload handlers.
    if ((m_dialogs && m_dialogs->cancel()) || PageDialogs::anyShown())
        return true;
    return !m_leavePrompt || m_leavePrompt->mayClose();
}

void WebEngineWebView::onLeavePromptDeclined()
{
    // A navigation the user chose not to make ends there, and the engine says nothing.
    if (!m_requestPending)
        return;
    m_requestPending = false;
    if (!Busy() && m_events)
        m_events->DownloadComplete();
}

void WebEngineWebView::onCertificateQuestion()
{
    // The load waits for the user, maybe for long: the view is not busy meanwhile. Going
    // on resumes the load, which the engine then ends as any other.
    const bool wasBusy = Busy();
    m_requestPending = m_loading = false;
    if (wasBusy && m_events)
        m_events->DownloadComplete();
}

void WebEngineWebView::onRenderProcessTerminated()
{
    // The engine reports no end for the load the dead renderer was running, and
    // announces no start for the next one; without this the view would look busy for good.
    const bool wasBusy = Busy();
    m_requestPending = m_loading = false;
    m_startUnannounced = true;
    if (wasBusy && m_events)
        m_events->DownloadComplete();
}

void WebEngineWebView::onUrlChanged(const QUrl&)
{
    m_requestPending = false;
    m_committedThisLoad = true;
    raiseNavigateComplete();
}

void WebEngineWebView::raiseNavigateComplete()
{
    if (m_events && m_page)
        m_events->NavigateComplete2(m_page, LocationURL());
}

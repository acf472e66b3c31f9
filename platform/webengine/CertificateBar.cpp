#include "platform/webengine/CertificateBar.h"

#include "platform/webengine/SharedProfile.h"
#include "platform/webengine/WebEnginePage.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QPushButton>
#include <QSslCertificate>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include <functional>

namespace {

QString hostOf(const QUrl& url)
{
    return url.host(QUrl::EncodeUnicode);
}

// Hands each request of a page to a function before it goes out.
class RequestGuard : public QWebEngineUrlRequestInterceptor
{
public:
    RequestGuard(std::function<void(QWebEngineUrlRequestInfo&)> check, QObject* parent)
        : QWebEngineUrlRequestInterceptor(parent)
        , m_check(std::move(check))
    { }

    void interceptRequest(QWebEngineUrlRequestInfo& info) override { m_check(info); }

private:
    std::function<void(QWebEngineUrlRequestInfo&)> m_check;
};

} // namespace

CertificateBar::CertificateBar(WebEnginePage* page, QWebEngineView* view)
    : ViewOverlay(view)
    , m_page(page)
    , m_text(new QLabel(this))
    , m_proceed(new QPushButton(this))
{
    setObjectName(QStringLiteral("certificateBar"));
    auto* back = new QPushButton(tr("Go &Back"), this);
    makeBar(m_text, {back, m_proceed});

    connect(page, &QWebEnginePage::certificateError, this, &CertificateBar::onCertificateError);
    // The page goes before this bar: both belong to the view, which made the page first.
    page->setUrlRequestInterceptor(
        new RequestGuard([this](QWebEngineUrlRequestInfo& request) { onRequest(request); }, this));
    connect(page, &QWebEnginePage::loadingChanged, this, &CertificateBar::onLoadingChanged);
    // A new load leaves the question unanswered: the load that waited is refused.
    connect(page, &QWebEnginePage::loadStarted, this, [this] {
        refuseWaiting();
        hide();
    });
    connect(back, &QPushButton::clicked, this, &CertificateBar::goBack);
    connect(m_proceed, &QPushButton::clicked, this, &CertificateBar::proceed);
}

QString CertificateBar::explanation(const QWebEngineCertificateError& error, const QString& host)
{
    switch (error.type()) {
    case QWebEngineCertificateError::CertificateCommonNameInvalid:
        return tr("The certificate that %1 presented was issued for another site.").arg(host);
    case QWebEngineCertificateError::CertificateDateInvalid:
        return tr("The certificate of %1 has expired or is not valid yet.").arg(host);
    case QWebEngineCertificateError::CertificateAuthorityInvalid:
        return tr("The certificate of %1 was not issued by an authority this computer trusts; it may be "
                  "self-signed.")
            .arg(host);
    case QWebEngineCertificateError::CertificateRevoked:
        return tr("The certificate of %1 has been revoked by its issuer.").arg(host);
    case QWebEngineCertificateError::CertificateWeakKey:
    case QWebEngineCertificateError::CertificateWeakSignatureAlgorithm:
        return tr("The certificate of %1 uses weak cryptography.").arg(host);
    default:
        return tr("The certificate of %1 is not valid: %2").arg(host, error.description());
    }
}

CertificateBar::Exception CertificateBar::exceptionFor(const QWebEngineCertificateError& error)
{
    const QUrl url = error.url();
    const QList<QSslCertificate> chain = error.certificateChain();
    const QByteArray fingerprint
        = chain.isEmpty() ? QByteArray() : chain.constFirst().digest(QCryptographicHash::Sha256);
    return {hostOf(url), url.port(443), fingerprint};
}

void CertificateBar::onCertificateError(const QWebEngineCertificateError& error)
{
    if (error.isOverridable() && m_exceptions.count(exceptionFor(error)))
        return accept(error);
    refuseWaiting();
    const QString host = error.url().host();
    ask(explanation(error, shownText(host)), host, error.isOverridable());
    // Left unanswered, an error the user may not override refuses the site when this
    // handler returns; any other waits for the user.
    if (error.isOverridable()) {
        m_waiting = error;
        m_waiting->defer();
        emit questionAsked();
    }
}

void CertificateBar::onRequest(QWebEngineUrlRequestInfo& request)
{
    const QUrl url = request.requestUrl();
    if (url.scheme() != u"https" && url.scheme() != u"wss")
        return;
    const QString host = hostOf(url);
    for (const QByteArray& fingerprint : SharedProfile::accepted(host)) {
        if (!m_exceptions.count({host, url.port(443), fingerprint})) {
            request.block(true);
            if (request.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
                m_stopped = url;
            return;
        }
    }
}

void CertificateBar::onLoadingChanged(const QWebEngineLoadingInfo& load)
{
    if (m_stopped.isEmpty() || load.url() != m_stopped || load.status() != QWebEngineLoadingInfo::LoadFailedStatus)
        return;
    m_reopen = m_stopped;
    m_stopped.clear();
    const QString host = m_reopen.host();
    ask(tr("A certificate of %1 that is not valid was accepted elsewhere (in another window or for another port), "
           "not here.")
            .arg(shownText(host)),
        host, true);
}

void CertificateBar::accept(QWebEngineCertificateError error)
{
    const Exception exception = exceptionFor(error);
    SharedProfile::rememberAccepted(std::get<0>(exception), std::get<2>(exception));
    error.acceptCertificate();
}

void CertificateBar::ask(const QString& why, const QString& host, bool overridable)
{
    m_text->setText(tr("This connection is not secure, so the page was not opened.") + u' ' + why);
    m_text->setToolTip(shownText(host) == host ? QString() : host);
    m_proceed->setText(tr("&Open %1 anyway").arg(shownText(host)));
    m_proceed->setVisible(overridable);
    showOnTop();
}

void CertificateBar::proceed()
{
    hide();
    if (m_waiting) {
        m_exceptions.insert(exceptionFor(*m_waiting));
        accept(*m_waiting);
        m_waiting.reset();
        emit proceeded();
    } else if (!m_reopen.isEmpty()) {
        // What the engine lets through for the host, this view now does for that port.
        const QString host = hostOf(m_reopen);
        for (const QByteArray& fingerprint : SharedProfile::accepted(host))
            m_exceptions.insert({host, m_reopen.port(443), fingerprint});
        m_page->load(m_reopen);
    }
}

void CertificateBar::goBack()
{
    hide();
    // A refused question leaves the page where it was; a refused load shows the engine's
    // error page, which the user leaves for the page before.
    if (m_waiting)
        return refuseWaiting();
    if (m_page->history()->canGoBack())
        m_page->triggerAction(QWebEnginePage::Back);
}

void CertificateBar::refuseWaiting()
{
    if (m_waiting)
        m_waiting->rejectCertificate();
    m_waiting.reset();
    m_reopen.clear();
}

void CertificateBar::place()
{
    const QWidget* view = parentWidget();
    setGeometry(0, 0, view->width(), qMax(sizeHint().height(), heightForWidth(view->width())));
}

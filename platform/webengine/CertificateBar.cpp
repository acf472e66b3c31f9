#include "platform/webengine/CertificateBar.h"

#include "platform/webengine/WebEnginePage.h"

#include <QLabel>
#include <QPushButton>
#include <QWebEngineCertificateError>
#include <QWebEngineHistory>
#include <QWebEngineView>

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
    connect(page, &QWebEnginePage::loadStarted, this, &QWidget::hide);
    connect(back, &QPushButton::clicked, this, [this] {
        hide();
        if (m_page->history()->canGoBack())
            m_page->triggerAction(QWebEnginePage::Back);
    });
    connect(m_proceed, &QPushButton::clicked, this, [this] {
        hide();
        m_trustedHosts.insert(m_refused.host());
        // A new load while the engine is still ending the refused one would be lost.
        if (m_refusing)
            connect(m_page, &QWebEnginePage::loadFinished, this, &CertificateBar::loadRefused,
                    Qt::SingleShotConnection);
        else
            loadRefused();
    });
    connect(page, &QWebEnginePage::loadFinished, this, [this] { m_refusing = false; });
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

void CertificateBar::onCertificateError(const QWebEngineCertificateError& error)
{
    const QString host = error.url().host();
    if (error.isOverridable() && m_trustedHosts.contains(host)) {
        auto accepted = error;
        accepted.acceptCertificate();
        return;
    }
    // Left unanswered, the error refuses the site when this handler returns.
    m_refused = error.url();
    m_refusing = true;
    m_text->setText(tr("This connection is not secure, so the page was not opened.") + u' ' + explanation(error, host));
    m_proceed->setText(tr("&Open %1 anyway").arg(host));
    m_proceed->setVisible(error.isOverridable());
    showOnTop();
}

void CertificateBar::place()
{
    const QWidget* view = parentWidget();
    setGeometry(0, 0, view->width(), qMax(sizeHint().height(), heightForWidth(view->width())));
}

void CertificateBar::loadRefused()
{
    m_page->load(m_refused);
}

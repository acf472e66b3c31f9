#pragma once

#include "platform/webengine/ViewOverlay.h"

#include <QSet>
#include <QUrl>

class QPushButton;
class QWebEngineCertificateError;
class QWebEnginePage;
class QWebEngineView;
class WebEnginePage;

// Refuses a site whose certificate is not valid and says, in a bar across the top of the
// view, what is wrong with it and for which host, with a way back. Where the engine
// allows it, the bar also offers to go on to the site anyway: that choice holds for that
// host in this view only, for as long as the view lives, and is never stored.
class CertificateBar : public ViewOverlay
{
    Q_OBJECT

public:
    CertificateBar(WebEnginePage* page, QWebEngineView* view);

    // What is wrong with the certificate that error is about, in a sentence naming host.
    static QString explanation(const QWebEngineCertificateError& error, const QString& host);

protected:
    void place() override;

private:
    void onCertificateError(const QWebEngineCertificateError& error);
    void loadRefused();

    QWebEnginePage* m_page;
    QLabel* m_text;
    QPushButton* m_proceed;
    QUrl m_refused;
    bool m_refusing = false; // the refused load has not ended yet
    QSet<QString> m_trustedHosts;
};

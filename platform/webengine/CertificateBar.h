#pragma once

#include "platform/webengine/ViewOverlay.h"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWebEngineCertificateError>

#include <optional>
#include <set>
#include <tuple>

class QPushButton;
class QWebEnginePage;
class QWebEngineLoadingInfo;
class QWebEngineUrlRequestInfo;
class QWebEngineView;
class WebEnginePage;

// Holds back a site whose certificate is not valid and says, in a bar across the top of
// the view, what is wrong with it and for which host, with a way back. Where the engine
// allows it, the bar also offers to go on to the site anyway: the load waits for that
// answer. Going on holds for that host, that port and that very certificate, in this
// view only, for as long as the view lives, and is never stored; any other certificate,
// port or view asks again.
//
// The engine itself remembers every certificate accepted on the shared profile and lets
// it through again for that host anywhere, without asking. So this view's requests to a
// host with such a certificate that this view has not accepted for that port are stopped
// before they go out, and the bar asks about them too.
class CertificateBar : public ViewOverlay
{
    Q_OBJECT

public:
    CertificateBar(WebEnginePage* page, QWebEngineView* view);

    // What is wrong with the certificate that error is about, in a sentence naming host.
    static QString explanation(const QWebEngineCertificateError& error, const QString& host);

signals:
    // A load waits for the user's answer: for now it has ended.
    void questionAsked();
    // The user chose to go on: the load that waited goes on.
    void proceeded();

protected:
    void place() override;

private:
    // Host, port and the SHA-256 fingerprint of the site's own certificate.
    using Exception = std::tuple<QString, int, QByteArray>;
    static Exception exceptionFor(const QWebEngineCertificateError& error);

    void onCertificateError(const QWebEngineCertificateError& error);
    void onRequest(QWebEngineUrlRequestInfo& request);
    void onLoadingChanged(const QWebEngineLoadingInfo& load);
    void accept(QWebEngineCertificateError error);
    void ask(const QString& why, const QString& host, bool overridable);
    void proceed();
    void goBack();
    void refuseWaiting();

    QWebEnginePage* m_page;
    QLabel* m_text;
    QPushButton* m_proceed;
    std::optional<QWebEngineCertificateError> m_waiting; // deferred, until the user answers
    QUrl m_stopped;                                      // a page whose request was stopped, until its load has failed
    QUrl m_reopen;                                       // the stopped page the bar offers to open anyway
    std::set<Exception> m_exceptions;
};

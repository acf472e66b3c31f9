#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

// How the server answers one address.
struct LoopbackResponse
{
    // Answer: status, headers and body. NeverAnswer: keep the connection open and send
    // nothing. Drop: close it unanswered. Raw: send body verbatim as the whole answer,
    // then close. Unfinished: like Answer, but declare far
    // more bytes than the body has and keep the connection open: a load that never ends.
    enum class Kind { Answer, NeverAnswer, Drop, Raw, Unfinished };

    Kind kind = Kind::Answer;
    int status = 200;
    QList<QPair<QByteArray, QByteArray>> headers; // Content-Length is added
    QByteArray body;
    // When set ("user:password"), the answer is given only to a request that sends these
    // credentials by basic authentication, to the site or, when byProxy, to the proxy;
    // others get 401 (or 407) asking for them in realm, with a page titled "Refused".
    QByteArray credentials;
    QByteArray realm;
    bool byProxy = false;

    static LoopbackResponse page(const QString& title, const QByteArray& bodyHtml = {})
    {
        return {Kind::Answer,
                200,
                {{"Content-Type", "text/html; charset=utf-8"}},
                "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title.toHtmlEscaped().toUtf8()
                    + "</title></head><body>" + bodyHtml + "</body></html>"};
    }
    // A file of the given type; with a disposition ("attachment; filename=...") too.
    static LoopbackResponse file(const QByteArray& type, const QByteArray& body, const QByteArray& disposition = {})
    {
        LoopbackResponse response{Kind::Answer, 200, {{"Content-Type", type}}, body};
        if (!disposition.isEmpty())
            response.headers.append({"Content-Disposition", disposition});
        return response;
    }
    static LoopbackResponse redirect(const QString& location, int status = 302)
    {
        return {Kind::Answer, status, {{"Location", location.toUtf8()}}};
    }
    static LoopbackResponse neverAnswer() { return {Kind::NeverAnswer}; }
    // A page whose head and start arrive, and whose rest never does.
    static LoopbackResponse unfinished(const QString& title)
    {
        LoopbackResponse response = page(title, "<p>" + QByteArray(64 * 1024, 'x'));
        response.body.chop(qstrlen("</body></html>"));
        response.kind = Kind::Unfinished;
        return response;
    }
    static LoopbackResponse drop() { return {Kind::Drop}; }
    LoopbackResponse behindLogin(const QByteArray& userPassword, const QByteArray& realmName, bool proxy = false) const
    {
        LoopbackResponse response = *this;
        response.credentials = userPassword;
        response.realm = realmName;
        response.byProxy = proxy;
        return response;
    }
    // Bytes sent exactly as given, status line and headers included: broken answers.
    static LoopbackResponse raw(const QByteArray& bytes) { return {Kind::Raw, 0, {}, bytes}; }
};

// A small HTTP/1.1 server on 127.0.0.1 with an ephemeral port, meant to stand as the
// web engine's proxy in tests. It records every request's target and Host header in
// order and answers by rule: a per-address override when one is set, otherwise a small
// HTML page whose title is the request's path ("/" for none), so that tests can wait for
// titles. Make it after the application object: it needs the application's event loop.
class LoopbackHttpServer : public QObject
{
public:
    explicit LoopbackHttpServer(QObject* parent = nullptr);

    // Starts listening; false (with the reason in errorString) when that fails.
    bool listen();
    QString errorString() const;
    QString address() const; // "http://127.0.0.1:PORT"

    // Answer requests for url (matched exactly against the received target; when no
    // exact rule matches, the target without its query is tried) with response.
    void setResponse(const QString& url, const LoopbackResponse& response) { m_responses.insert(url, response); }

    // The targets of the requests whose Host header names host (with any port), in order;
    // the engine makes background requests of its own, so tests look only at the hosts
    // they use.
    QStringList urlsTo(const QString& host) const { return m_requests.value(host); }
    void clearRequests() { m_requests.clear(); }

    // Answers CONNECT requests for authority ("host:port") with a tunnel to the server
    // listening on 127.0.0.1:port, so that https sites can be served by local servers.
    void tunnel(const QString& authority, quint16 port) { m_tunnels.insert(authority, port); }

private:
    void onReadyRead(QTcpSocket* socket);
    void openTunnel(QTcpSocket* socket, quint16 port);

    QTcpServer* m_server;
    QHash<QString, LoopbackResponse> m_responses;
    QHash<QString, QStringList> m_requests; // targets by the Host header's host
    QHash<QTcpSocket*, QByteArray> m_pending;
    QHash<QString, quint16> m_tunnels;
    QHash<QTcpSocket*, QTcpSocket*> m_tunnelled; // client connection to its tunnel's far end
};

// Routes all of the web engine's traffic through server by adding a proxy to
// QTWEBENGINE_CHROMIUM_FLAGS, keeping whatever flags are already there. Loopback
// targets are proxied too. Call before the engine starts (before the first profile or
// view is made).
void routeWebEngineThrough(const LoopbackHttpServer& server);

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

// One request as the server received it.
struct RecordedRequest
{
    QString method;
    // The request target exactly as sent: an absolute address when the sender uses the
    // server as its proxy ("http://host/path?query"), a path when it talks to it directly.
    QString url;
    // The Host header, empty when there was none.
    QString host;
};

// How the server answers one address.
struct LoopbackResponse
{
    enum class Kind {
        Answer,      // send status, headers and body (after delayMs)
        NeverAnswer, // keep the connection open and send nothing
        Drop,        // close the connection without answering
        Raw,         // send body verbatim as the whole answer (after delayMs), then close
    };

    Kind kind = Kind::Answer;
    int status = 200;
    QList<QPair<QByteArray, QByteArray>> headers; // Content-Length is added
    QByteArray body;
    int delayMs = 0;

    static LoopbackResponse page(const QString& title, const QByteArray& bodyHtml = {});
    static LoopbackResponse redirect(const QString& location, int status = 302);
    static LoopbackResponse error(int status, const QString& title);
    static LoopbackResponse neverAnswer();
    static LoopbackResponse drop();
    // Bytes sent exactly as given, status line and headers included: broken answers.
    static LoopbackResponse raw(const QByteArray& bytes);
};

// A small HTTP/1.1 server on 127.0.0.1 with an ephemeral port, meant to stand as the
// web engine's proxy in tests. It records every request in order and answers by rule:
// a per-address override when one is set, otherwise a small HTML page whose title is
// the request's path ("/" for none), so that tests can wait for titles. Make it after the
// application object: it needs the application's event loop to see connections.
class LoopbackHttpServer : public QObject
{
    Q_OBJECT

public:
    explicit LoopbackHttpServer(QObject* parent = nullptr);
    ~LoopbackHttpServer() override;

    // Starts listening; false (with the reason in errorString) when that fails.
    bool listen();
    QString errorString() const;
    quint16 port() const;
    // "http://127.0.0.1:PORT"
    QString address() const;

    // Answer requests for url (matched exactly against the received target; when no
    // exact rule matches, the target without its query is tried) with response.
    void setResponse(const QString& url, const LoopbackResponse& response);
    void clearResponses();

    QList<RecordedRequest> requests() const { return m_requests; }
    // Requests whose Host header is host; the engine makes background requests of its
    // own, so tests look only at the hosts they use.
    QList<RecordedRequest> requestsTo(const QString& host) const;
    // Just the targets of requestsTo(host), in order.
    QStringList urlsTo(const QString& host) const;
    void clearRequests() { m_requests.clear(); }

    // The title of the default page for a request target: its path, "/" when empty.
    static QString defaultTitle(const QString& target);

signals:
    // Emitted once per request, in the order received, after it has been recorded.
    void requestReceived(const QString& method, const QString& url, const QString& host);

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const RecordedRequest& request);
    LoopbackResponse responseFor(const QString& target) const;

    QTcpServer* m_server;
    QHash<QString, LoopbackResponse> m_responses;
    QList<RecordedRequest> m_requests;
    QHash<QTcpSocket*, QByteArray> m_pending;
};

// Routes all of the web engine's traffic through server by adding a proxy to
// QTWEBENGINE_CHROMIUM_FLAGS, keeping whatever flags are already there. Loopback
// targets are proxied too. Call before the engine starts (before the first profile or
// view is made).
void routeWebEngineThrough(const LoopbackHttpServer& server);

#include "support/LoopbackHttpServer.h"

#include <QHostAddress>
#include <QStringBuilder>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 307: return "Temporary Redirect";
    case 308: return "Permanent Redirect";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 502: return "Bad Gateway";
    default: return "Status";
    }
}

QByteArray htmlPage(const QString& title, const QByteArray& bodyHtml)
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>"
        + title.toHtmlEscaped().toUtf8() + "</title></head><body>" + bodyHtml
        + "</body></html>";
}

QString withoutQuery(const QString& target)
{
    const qsizetype query = target.indexOf(u'?');
    return query < 0 ? target : target.left(query);
}

// Longest header block the server accepts; anything longer is a broken client.
constexpr qsizetype MaxHeaderBytes = 64 * 1024;

} // namespace

LoopbackResponse LoopbackResponse::page(const QString& title, const QByteArray& bodyHtml)
{
    LoopbackResponse response;
    response.headers.emplaceBack("Content-Type", "text/html; charset=utf-8");
    response.body = htmlPage(title, bodyHtml);
    return response;
}

LoopbackResponse LoopbackResponse::redirect(const QString& location, int status)
{
    LoopbackResponse response;
    response.status = status;
    response.headers.emplaceBack("Location", location.toUtf8());
    return response;
}

LoopbackResponse LoopbackResponse::error(int status, const QString& title)
{
    LoopbackResponse response = page(title);
    response.status = status;
    return response;
}

LoopbackResponse LoopbackResponse::neverAnswer()
{
    LoopbackResponse response;
    response.kind = Kind::NeverAnswer;
    return response;
}

LoopbackResponse LoopbackResponse::drop()
{
    LoopbackResponse response;
    response.kind = Kind::Drop;
    return response;
}

LoopbackResponse LoopbackResponse::raw(const QByteArray& bytes)
{
    LoopbackResponse response;
    response.kind = Kind::Raw;
    response.body = bytes;
    return response;
}

LoopbackHttpServer::LoopbackHttpServer(QObject* parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &LoopbackHttpServer::onNewConnection);
}

LoopbackHttpServer::~LoopbackHttpServer() = default;

bool LoopbackHttpServer::listen()
{
    return m_server->isListening() || m_server->listen(QHostAddress::LocalHost, 0);
}

QString LoopbackHttpServer::errorString() const
{
    return m_server->errorString();
}

quint16 LoopbackHttpServer::port() const
{
    return m_server->serverPort();
}

QString LoopbackHttpServer::address() const
{
    return u"http://127.0.0.1:" % QString::number(port());
}

void LoopbackHttpServer::setResponse(const QString& url, const LoopbackResponse& response)
{
    m_responses.insert(url, response);
}

void LoopbackHttpServer::clearResponses()
{
    m_responses.clear();
}

QList<RecordedRequest> LoopbackHttpServer::requestsTo(const QString& host) const
{
    QList<RecordedRequest> matching;
    for (const RecordedRequest& request : m_requests) {
        // "host" and "host:port" both count as the host.
        if (request.host == host || request.host.startsWith(host + u':'))
            matching.append(request);
    }
    return matching;
}

QStringList LoopbackHttpServer::urlsTo(const QString& host) const
{
    QStringList urls;
    for (const RecordedRequest& request : requestsTo(host))
        urls.append(request.url);
    return urls;
}

QString LoopbackHttpServer::defaultTitle(const QString& target)
{
    QString path;
    if (target.contains(u"://"))
        path = QUrl(target).path();
    else
        path = withoutQuery(target);
    return path.isEmpty() ? QStringLiteral("/") : path;
}

void LoopbackHttpServer::onNewConnection()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            socket->deleteLater();
        });
    }
}

void LoopbackHttpServer::onReadyRead(QTcpSocket* socket)
{
    QByteArray& buffer = m_pending[socket];
    buffer += socket->readAll();

    // A connection may carry several requests one after the other (keep-alive).
    for (;;) {
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0) {
            if (buffer.size() > MaxHeaderBytes)
                socket->abort();
            return;
        }
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        qsizetype consumed = end + 4;

        RecordedRequest request;
        qsizetype contentLength = 0;
        const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
        if (requestLine.size() >= 2) {
            request.method = QString::fromLatin1(requestLine.at(0));
            request.url = QString::fromUtf8(requestLine.at(1));
        }
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray& line = lines.at(i);
            const qsizetype colon = line.indexOf(':');
            if (colon < 0)
                continue;
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "host")
                request.host = QString::fromLatin1(value);
            else if (name == "content-length")
                contentLength = value.toLongLong();
        }
        if (buffer.size() < consumed + contentLength)
            return; // the body has not all arrived yet
        consumed += contentLength;
        buffer.remove(0, consumed);

        m_requests.append(request);
        emit requestReceived(request.method, request.url, request.host);
        answer(socket, request);
        if (socket->state() != QAbstractSocket::ConnectedState)
            return;
    }
}

LoopbackResponse LoopbackHttpServer::responseFor(const QString& target) const
{
    auto rule = m_responses.constFind(target);
    if (rule == m_responses.constEnd())
        rule = m_responses.constFind(withoutQuery(target));
    if (rule != m_responses.constEnd())
        return *rule;
    return LoopbackResponse::page(defaultTitle(target));
}

void LoopbackHttpServer::answer(QTcpSocket* socket, const RecordedRequest& request)
{
    if (request.method.isEmpty()) {
        socket->write("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        socket->disconnectFromHost();
        return;
    }
    // Tunnels (https through the proxy) cannot be served here: refuse them plainly.
    if (request.method == u"CONNECT") {
        socket->write("HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        socket->disconnectFromHost();
        return;
    }

    const LoopbackResponse response = responseFor(request.url);
    switch (response.kind) {
    case LoopbackResponse::Kind::NeverAnswer:
        return;
    case LoopbackResponse::Kind::Drop:
        socket->abort();
        return;
    case LoopbackResponse::Kind::Raw:
    case LoopbackResponse::Kind::Answer:
        break;
    }

    const bool raw = response.kind == LoopbackResponse::Kind::Raw;
    QByteArray message = raw ? response.body : "HTTP/1.1 " + QByteArray::number(response.status) + ' '
        + reasonPhrase(response.status) + "\r\n";
    if (!raw) {
        for (const auto& [name, value] : response.headers)
            message += name + ": " + value + "\r\n";
        message += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        message += "Cache-Control: no-store\r\n\r\n";
        if (request.method != u"HEAD")
            message += response.body;
    }

    const auto send = [socket = QPointer<QTcpSocket>(socket), message, raw] {
        if (!socket || socket->state() != QAbstractSocket::ConnectedState)
            return;
        socket->write(message);
        if (raw)
            socket->disconnectFromHost(); // after the bytes are written
    };
    if (response.delayMs <= 0)
        send();
    else
        QTimer::singleShot(response.delayMs, socket, send);
}

void routeWebEngineThrough(const LoopbackHttpServer& server)
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").trimmed();
    if (!flags.isEmpty())
        flags += ' ';
    // "<-loopback>" removes Chromium's implicit bypass of loopback addresses.
    flags += "--proxy-server=" + server.address().toLatin1() + " --proxy-bypass-list=<-loopback>";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

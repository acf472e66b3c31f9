#include "support/LoopbackHttpServer.h"

#include <QHostAddress>
#include <QPointer>
#include <QStringBuilder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

LoopbackResponse LoopbackResponse::page(const QString& title, const QByteArray& bodyHtml)
{
    return {Kind::Answer, 200, {{"Content-Type", "text/html; charset=utf-8"}},
            "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title.toHtmlEscaped().toUtf8()
                + "</title></head><body>" + bodyHtml + "</body></html>"};
}

LoopbackResponse LoopbackResponse::redirect(const QString& location, int status)
{
    return {Kind::Answer, status, {{"Location", location.toUtf8()}}};
}

LoopbackResponse LoopbackResponse::error(int status, const QString& title)
{
    const LoopbackResponse shown = page(title);
    return {Kind::Answer, status, shown.headers, shown.body};
}

LoopbackHttpServer::LoopbackHttpServer(QObject* parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_pending.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

bool LoopbackHttpServer::listen() { return m_server->isListening() || m_server->listen(QHostAddress::LocalHost, 0); }
QString LoopbackHttpServer::errorString() const { return m_server->errorString(); }
quint16 LoopbackHttpServer::port() const { return m_server->serverPort(); }
QString LoopbackHttpServer::address() const { return u"http://127.0.0.1:" % QString::number(port()); }

QStringList LoopbackHttpServer::urlsTo(const QString& host) const
{
    QStringList urls;
    for (const auto& [requestHost, target] : m_requests)
        if (requestHost == host || requestHost.startsWith(host + u':'))
            urls.append(target);
    return urls;
}

void LoopbackHttpServer::onReadyRead(QTcpSocket* socket)
{
    QByteArray& buffer = m_pending[socket];
    buffer += socket->readAll();
    // A connection may carry several requests one after the other (keep-alive).
    while (socket->state() == QAbstractSocket::ConnectedState) {
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
        QString host;
        qsizetype contentLength = 0;
        for (const QByteArray& line : lines.mid(1)) {
            const qsizetype colon = line.indexOf(':');
            const QByteArray name = line.left(colon).trimmed().toLower(), value = line.mid(colon + 1).trimmed();
            if (name == "host")
                host = QString::fromLatin1(value);
            else if (name == "content-length")
                contentLength = value.toLongLong();
        }
        if (buffer.size() < end + 4 + contentLength)
            return; // the body has not all arrived yet
        buffer.remove(0, end + 4 + contentLength);
        m_requests.append({host, QString::fromUtf8(requestLine.value(1))});
        answer(socket, requestLine.value(0), m_requests.last().second);
    }
}

void LoopbackHttpServer::answer(QTcpSocket* socket, const QByteArray& method, const QString& target)
{
    // Tunnels (https through the proxy) cannot be served here, nor broken request lines:
    // refuse them plainly.
    if (method.isEmpty() || method == "CONNECT") {
        socket->write("HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        return socket->disconnectFromHost();
    }
    // No rule: a page titled after the target's path, "/" when it has none.
    const QString path = QUrl(target).path();
    const LoopbackResponse response = m_responses.value(target, m_responses.value(target.section(u'?', 0, 0),
        LoopbackResponse::page(path.isEmpty() ? u"/"_qs : path)));
    if (response.kind == LoopbackResponse::Kind::NeverAnswer)
        return;
    if (response.kind == LoopbackResponse::Kind::Drop)
        return socket->abort();

    const bool raw = response.kind == LoopbackResponse::Kind::Raw;
    QByteArray message = raw ? response.body : "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n";
    if (!raw) {
        for (const auto& [name, value] : response.headers)
            message += name + ": " + value + "\r\n";
        message += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\nCache-Control: no-store\r\n\r\n";
        if (method != "HEAD")
            message += response.body;
    }
    const auto send = [socket = QPointer<QTcpSocket>(socket), message, raw] {
        if (!socket || socket->state() != QAbstractSocket::ConnectedState)
            return;
        socket->write(message);
        if (raw)
            socket->disconnectFromHost(); // after the bytes are written
    };
    response.delayMs > 0 ? QTimer::singleShot(response.delayMs, socket, send) : send();
}

void routeWebEngineThrough(const LoopbackHttpServer& server)
{
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").trimmed();
    // "<-loopback>" removes Chromium's implicit bypass of loopback addresses.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags.isEmpty() ? flags : flags + ' ') + "--proxy-server="
                                              + server.address().toLatin1() + " --proxy-bypass-list=<-loopback>");
}

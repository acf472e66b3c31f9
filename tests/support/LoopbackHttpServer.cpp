#include "support/LoopbackHttpServer.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QStringBuilder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

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

bool LoopbackHttpServer::listen()
{
    return m_server->isListening() || m_server->listen(QHostAddress::LocalHost, 0);
}
QString LoopbackHttpServer::errorString() const
{
    return m_server->errorString();
}
QString LoopbackHttpServer::address() const
{
    return u"http://127.0.0.1:" % QString::number(m_server->serverPort());
}

void LoopbackHttpServer::openTunnel(QTcpSocket* socket, quint16 port)
{
    auto* far = new QTcpSocket(socket);
    m_tunnelled.insert(socket, far);
    connect(far, &QTcpSocket::connected, socket, [socket, far, this] {
        socket->write("HTTP/1.1 200 Connection established\r\n\r\n");
        far->write(m_pending.take(socket));
    });
    connect(far, &QTcpSocket::readyRead, socket, [socket, far] { socket->write(far->readAll()); });
    connect(far, &QTcpSocket::disconnected, socket, &QTcpSocket::disconnectFromHost);
    connect(far, &QTcpSocket::errorOccurred, socket, &QTcpSocket::abort);
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { m_tunnelled.remove(socket); });
    far->connectToHost(QHostAddress::LocalHost, port);
}

void LoopbackHttpServer::onReadyRead(QTcpSocket* socket)
{
    if (QTcpSocket* far = m_tunnelled.value(socket)) {
        if (far->state() == QAbstractSocket::ConnectedState)
            far->write(socket->readAll());
        else
            m_pending[socket] += socket->readAll();
        return;
    }
    QByteArray& buffer = m_pending[socket];
    buffer += socket->readAll();
    // A connection may carry several requests one after the other (keep-alive); each is
    // answered once its head and body have arrived.
    static const QRegularExpression hostHeader(u"\r\nhost:[ \t]*([^\r]*)"_qs,
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression lengthHeader(u"\r\ncontent-length:[ \t]*(\\d+)"_qs,
                                                 QRegularExpression::CaseInsensitiveOption);
    for (qsizetype end;
         socket->state() == QAbstractSocket::ConnectedState && (end = buffer.indexOf("\r\n\r\n")) >= 0;) {
        const QString head = QString::fromLatin1(buffer.left(end + 2));
        const qsizetype size = end + 4 + lengthHeader.match(head).captured(1).toLongLong();
        if (buffer.size() < size)
            return;
        const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).trimmed().split(' ');
        const QByteArray method = requestLine.value(0);
        const QString target = QString::fromUtf8(requestLine.value(1));
        buffer.remove(0, size);
        m_requests[hostHeader.match(head).captured(1).trimmed().section(u':', 0, 0)] << target;
        // Tunnels (https through the proxy) cannot be served here, nor broken request lines:
        // they are refused, which closes the connection.
        const QString path = QUrl(target).path();
        if (method == "CONNECT" && m_tunnels.contains(target))
            return openTunnel(socket, m_tunnels.value(target));
        LoopbackResponse response = method.isEmpty() || method == "CONNECT"
            ? LoopbackResponse::raw("HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\nConnection: close\r\n\r\n")
            : m_responses.value(
                target,
                m_responses.value(target.section(u'?', 0, 0), LoopbackResponse::page(path.isEmpty() ? u"/"_qs : path)));
        if (!response.credentials.isEmpty()) {
            const QByteArray header = response.byProxy ? "proxy-authorization" : "authorization";
            const QRegularExpression sent(u"\r\n"_qs + QString::fromLatin1(header) + u":[ \t]*([^\r]*)"_qs,
                                          QRegularExpression::CaseInsensitiveOption);
            if (sent.match(head).captured(1).toLatin1() != "Basic " + response.credentials.toBase64()) {
                const LoopbackResponse asked = response;
                response = LoopbackResponse::page(u"Refused"_qs);
                response.status = asked.byProxy ? 407 : 401;
                response.headers.emplaceBack(asked.byProxy ? "Proxy-Authenticate" : "WWW-Authenticate",
                                             "Basic realm=\"" + asked.realm + '"');
            }
        }
        if (response.kind == LoopbackResponse::Kind::NeverAnswer)
            continue;
        if (response.kind == LoopbackResponse::Kind::Drop)
            return socket->abort();
        const bool raw = response.kind == LoopbackResponse::Kind::Raw;
        QByteArray message = raw ? response.body : "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n";
        for (const auto& [name, value] : raw ? decltype(response.headers)() : response.headers)
            message += name + ": " + value + "\r\n";
        const qsizetype declared
            = response.body.size() + (response.kind == LoopbackResponse::Kind::Unfinished ? 1 << 30 : 0);
        if (!raw)
            message += "Content-Length: " + QByteArray::number(declared) + "\r\nCache-Control: no-store\r\n\r\n"
                + (method == "HEAD" ? QByteArray() : response.body);
        // A raw answer closes the connection once its bytes are written.
        if (socket->write(message) >= 0 && raw)
            socket->disconnectFromHost();
    }
}

void routeWebEngineThrough(const LoopbackHttpServer& server)
{
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").trimmed();
    // "<-loopback>" removes Chromium's implicit bypass of loopback addresses.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            (flags.isEmpty() ? flags : flags + ' ') + "--proxy-server=" + server.address().toLatin1()
                + " --proxy-bypass-list=<-loopback>");
}

#include "support/LocalTlsServer.h"

#include <QSslSocket>

LocalTlsServer::LocalTlsServer(const QSslCertificate& certificate, const QSslKey& key, const QByteArray& page,
                               QObject* parent)
    : QTcpServer(parent)
    , m_certificate(certificate)
    , m_key(key)
    , m_answer("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\nContent-Length: "
               + QByteArray::number(page.size()) + "\r\n\r\n" + page)
{
    listen(QHostAddress::LocalHost, 0);
}

void LocalTlsServer::incomingConnection(qintptr descriptor)
{
    auto* socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    socket->setLocalCertificate(m_certificate);
    socket->setPrivateKey(m_key);
    auto* received = new QByteArray;
    connect(socket, &QObject::destroyed, [received] { delete received; });
    connect(socket, &QSslSocket::readyRead, socket, [this, socket, received] {
        *received += socket->readAll();
        if (received->contains("\r\n\r\n")) {
            socket->write(m_answer);
            socket->disconnectFromHost();
        }
    });
    connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
    // A client that refuses the certificate aborts the handshake.
    connect(socket, &QSslSocket::errorOccurred, socket, &QObject::deleteLater);
    socket->startServerEncryption();
}

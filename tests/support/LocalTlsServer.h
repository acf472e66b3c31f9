#pragma once

#include <QByteArray>
#include <QSslCertificate>
#include <QSslKey>
#include <QTcpServer>

// An https server on 127.0.0.1 with an ephemeral port that presents the given certificate
// and answers every request with the same page, then closes the connection. Reach it
// through LoopbackHttpServer::tunnel.
class LocalTlsServer : public QTcpServer
{
public:
    LocalTlsServer(const QSslCertificate& certificate, const QSslKey& key, const QByteArray& page,
                   QObject* parent = nullptr);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    QSslCertificate m_certificate;
    QSslKey m_key;
    QByteArray m_answer;
};

#include "support/LoopbackHttpServer.h"

#include <QTcpSocket>
#include <QTest>

class tst_LoopbackHttpServer : public QObject
{
    Q_OBJECT

private slots:
    // Requests on one kept-alive connection, as a proxying client sends them: one with a
    // body gets the default page, titled after its path; the next the rule set for its
    // address without the query; a tunnel is refused, which closes the connection.
    void answersAndRecordsByRule()
    {
        LoopbackHttpServer server;
        QVERIFY2(server.listen(), qPrintable(server.errorString()));
        server.setResponse(u"http://a.test/r"_qs, LoopbackResponse::redirect(u"http://b.test/landed"_qs));
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, server.port());
        socket.write("POST http://a.test/%3Cb%3E?q=1 HTTP/1.1\r\nHost: a.test\r\nContent-Length: 3\r\n\r\nabc"
                     "GET http://a.test/r?x=1 HTTP/1.1\r\nHost: a.test:80\r\n\r\n"
                     "CONNECT b.test:443 HTTP/1.1\r\nHost: b.test\r\n\r\n");
        QTRY_COMPARE(socket.state(), QAbstractSocket::UnconnectedState);
        const QByteArray answer = socket.readAll();
        QVERIFY2(answer.startsWith("HTTP/1.1 200") && answer.contains("<title>/&lt;b&gt;</title>")
                     && answer.contains("Location: http://b.test/landed") && answer.contains("HTTP/1.1 502"),
                 answer.constData());
        QCOMPARE(server.urlsTo(u"a.test"_qs), (QStringList{u"http://a.test/%3Cb%3E?q=1"_qs, u"http://a.test/r?x=1"_qs}));
        QCOMPARE(server.urlsTo(u"b.tes"_qs), QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_LoopbackHttpServer)
#include "tst_loopbackhttpserver.moc"

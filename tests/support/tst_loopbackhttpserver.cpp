#include "support/LoopbackHttpServer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

// Talks to the server as a proxying client does: raw absolute request lines.
class tst_LoopbackHttpServer : public QObject
{
    Q_OBJECT

private:
    // Sends raw and collects what comes back until the server closes or stays quiet
    // for quietMs. The server runs on this thread, so waiting keeps the event loop going.
    QByteArray exchange(const QByteArray& raw, int quietMs = 300)
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_server.port());
        socket.write(raw);
        QByteArray received;
        QElapsedTimer quiet;
        quiet.start();
        while (quiet.elapsed() < quietMs && socket.state() != QAbstractSocket::UnconnectedState) {
            QTest::qWait(10);
            const QByteArray more = socket.readAll();
            if (!more.isEmpty()) {
                received += more;
                quiet.restart();
            }
        }
        return received + socket.readAll();
    }
    static QByteArray get(const QByteArray& target, const QByteArray& host)
    {
        return "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\n\r\n";
    }

    LoopbackHttpServer m_server;

private slots:
    void initTestCase() { QVERIFY2(m_server.listen(), qPrintable(m_server.errorString())); }
    void init()
    {
        m_server.clearRequests();
        m_server.clearResponses();
    }

    void answersByRule_data()
    {
        QTest::addColumn<QString>("rule");       // address the rule is set for, empty for none
        QTest::addColumn<QByteArray>("target");  // request target sent
        QTest::addColumn<QByteArray>("expected"); // text the answer must contain

        QTest::newRow("default page is titled after the path")
            << QString() << QByteArray("http://a.test/band/x.htm?q=1")
            << QByteArray("<title>/band/x.htm</title>");
        QTest::newRow("default page for the bare host is titled /")
            << QString() << QByteArray("http://a.test") << QByteArray("<title>/</title>");
        QTest::newRow("title is escaped")
            << QString() << QByteArray("http://a.test/%3Cb%3E")
            << QByteArray("<title>/&lt;b&gt;</title>");
        QTest::newRow("exact rule wins")
            << QStringLiteral("http://a.test/r") << QByteArray("http://a.test/r")
            << QByteArray("HTTP/1.1 302 Found\r\nLocation: http://b.test/landed");
        QTest::newRow("rule without query matches a target with one")
            << QStringLiteral("http://a.test/r") << QByteArray("http://a.test/r?x=1")
            << QByteArray("Location: http://b.test/landed");
    }
    void answersByRule()
    {
        QFETCH(QString, rule);
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, expected);
        if (!rule.isEmpty())
            m_server.setResponse(rule, LoopbackResponse::redirect(QStringLiteral("http://b.test/landed")));
        const QByteArray answer = exchange(get(target, "a.test"));
        QVERIFY2(answer.contains(expected), answer.constData());
    }

    void recordsEveryRequestOnAKeptAliveConnectionInOrder()
    {
        QSignalSpy spy(&m_server, &LoopbackHttpServer::requestReceived);
        const QByteArray answer = exchange(get("http://a.test/one", "a.test")
            + "POST http://b.test:8080/two HTTP/1.1\r\nHost: b.test:8080\r\nContent-Length: 3\r\n\r\nabc"
            + get("http://a.test/three", "a.test"));
        QCOMPARE(answer.count("HTTP/1.1 200 OK"), 3);
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("POST"));
        QCOMPARE(m_server.urlsTo(QStringLiteral("a.test")),
                 QStringList({QStringLiteral("http://a.test/one"), QStringLiteral("http://a.test/three")}));
        QCOMPARE(m_server.urlsTo(QStringLiteral("b.test")), QStringList{QStringLiteral("http://b.test:8080/two")});
        QVERIFY(m_server.urlsTo(QStringLiteral("a.tes")).isEmpty());
    }

    void tunnelsAreRefused()
    {
        const QByteArray answer = exchange("CONNECT a.test:443 HTTP/1.1\r\nHost: a.test:443\r\n\r\n");
        QVERIFY(answer.startsWith("HTTP/1.1 502"));
        QCOMPARE(m_server.urlsTo(QStringLiteral("a.test")), QStringList{QStringLiteral("a.test:443")});
    }

    void routingKeepsTheFlagsAlreadySet_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("no flags yet") << QByteArray() << QByteArray();
        QTest::newRow("user flags stay first") << QByteArray("--disable-gpu ") << QByteArray("--disable-gpu ");
    }
    void routingKeepsTheFlagsAlreadySet()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, prefix);
        const QByteArray saved = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", before);
        routeWebEngineThrough(m_server);
        const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", saved);
        QCOMPARE(flags, prefix + "--proxy-server=http://127.0.0.1:" + QByteArray::number(m_server.port())
                     + " --proxy-bypass-list=<-loopback>");
    }
};

QTEST_GUILESS_MAIN(tst_LoopbackHttpServer)
#include "tst_loopbackhttpserver.moc"

// The HTTP transport and the parameter encoding every request uses, against small local servers.
#include "OnlineFixtures.h"
#include "bank/Cp932.h"
#include "online/FormEncoding.h"
#include "online/HttpTransport.h"

using namespace onlinefixtures;

class TestHttpTransport : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void encodesOverCp932Bytes_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("encoded");
        QTest::newRow("two blanks") << QStringLiteral("Taro  Yamada") << QStringLiteral("Taro%20%20Yamada");
        QTest::newRow("e-mail as it stands")
            << QStringLiteral("a.b-c_d~e@example.com") << QStringLiteral("a.b-c_d~e@example.com");
        QTest::newRow("separators") << QStringLiteral("A&B=C+D%E") << QStringLiteral("A%26B%3DC%2BD%25E");
        QTest::newRow("kanji as CP932 bytes") << QStringLiteral("山田") << QStringLiteral("%8ER%93c");
        QTest::newRow("kept marks") << QStringLiteral("/:!$'()*,;") << QStringLiteral("/:!$'()*,;");
        QTest::newRow("line breaks") << QStringLiteral("a\r\nb") << QStringLiteral("a%0D%0Ab");
    }
    void encodesOverCp932Bytes()
    {
        QFETCH(QString, value);
        QFETCH(QString, encoded);
        const std::string bytes = cp932::fromUnicode(value);
        QCOMPARE(QString::fromLatin1(online::percentEncode(bytes)), encoded);
        QCOMPARE(online::percentDecode(online::percentEncode(bytes)), bytes);
    }

    void decodesWhatBrowsersSend()
    {
        QCOMPARE(online::percentDecode("a+b%2Bc", true), std::string("a b+c"));
        QCOMPARE(online::percentDecode("a+b", false), std::string("a+b"));
        QCOMPARE(online::percentDecode("100%", true), std::string("100%"));
        QCOMPARE(online::percentDecode("%zz%4", true), std::string("%zz%4"));
    }

    void getWritesTheBodyFileAndCountsBytes()
    {
        const std::string body(70000, 'x');
        RawServer server([&](const std::string&) { return RawServer::response(200, body); });
        QTemporaryDir dir;
        online::HttpTransport http;
        http.InputFileMode = true;
        http.Body = dir.path() + QStringLiteral("/out.bin");
        qint64 last = 0;
        http.OnPacketRecvd = [&](qint64 n) { last = n; };
        const auto result = http.Get(QStringLiteral("http://%1/cgi-bin/update?Name=a%20b").arg(server.address()));
        QVERIFY2(result.accepted(), qPrintable(result.error));
        QCOMPARE(testsupport::readBytes(http.Body), body);
        QCOMPARE(last, qint64(body.size()));
        const std::string request = server.requests().at(0);
        QVERIFY2(request.rfind("GET /cgi-bin/update?Name=a%20b HTTP/1.0\r\n", 0) == 0, request.c_str());
    }

    void postSendsTheFileUnchanged()
    {
        RawServer server([](const std::string&) { return RawServer::response(200, "NOTFOUND\r\n"); });
        QTemporaryDir dir;
        const QString requestFile = dir.path() + QStringLiteral("/req.txt");
        const std::string body = "Name=a%20b&Serial=S&Test_ID=t\r\n";
        QVERIFY(writeBytes(requestFile, body));
        online::HttpTransport http;
        http.InputFileMode = true;
        http.OutputFileMode = true;
        http.Body = dir.path() + QStringLiteral("/answer.txt");
        http.Header = dir.path() + QStringLiteral("/Head.txt");
        const auto result =
            http.Post(QStringLiteral("http://%1/cgi-bin/his-status").arg(server.address()), requestFile);
        QVERIFY2(result.accepted(), qPrintable(result.error));
        QCOMPARE(testsupport::readBytes(http.Body), std::string("NOTFOUND\r\n"));
        QVERIFY(testsupport::readBytes(http.Header).rfind("HTTP/1.0 200", 0) == 0);
        const std::string request = server.requests().at(0);
        QVERIFY(request.rfind("POST /cgi-bin/his-status HTTP/1.0\r\n", 0) == 0);
        QVERIFY(request.find("Content-type: application/x-www-form-urlencoded\r\n") != std::string::npos);
        QVERIFY(request.find("Content-Length: " + std::to_string(body.size()) + "\r\n") != std::string::npos);
        QVERIFY(request.size() >= body.size() && request.compare(request.size() - body.size(), body.size(), body) == 0);
    }

    void proxyGetsTheAbsoluteAddress()
    {
        RawServer proxy([](const std::string&) { return RawServer::response(200, "ok"); });
        online::HttpTransport http;
        http.Proxy = QStringLiteral("127.0.0.1");
        http.ProxyPort = proxy.port();
        const auto result = http.Get(QStringLiteral("http://update.invalid:8080/cgi-bin/update?x=1"));
        QVERIFY2(result.accepted(), qPrintable(result.error));
        QCOMPARE(http.bodyText(), QByteArray("ok"));
        const std::string request = proxy.requests().at(0);
        QVERIFY2(request.rfind("GET http://update.invalid:8080/cgi-bin/update?x=1 HTTP/1.0\r\n", 0) == 0,
                 request.c_str());
    }

    // Whatever goes wrong, the call returns within its time limit and the old body file stays.
    void failuresLeaveTheBodyFile_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("connectionFailed");
        QTest::addColumn<bool>("durable");
        for (bool durable : {true, false}) {
            const char* kind = durable ? "durable" : "work file";
            QTest::addRow("nothing listening, %s", kind) << QStringLiteral("none") << false << true << durable;
            QTest::addRow("body cut short, %s", kind) << QStringLiteral("short") << false << false << durable;
            QTest::addRow("never answers, %s", kind) << QStringLiteral("hang") << false << false << durable;
            QTest::addRow("garbage, %s", kind) << QStringLiteral("garbage") << false << false << durable;
        }
    }
    void failuresLeaveTheBodyFile()
    {
        QFETCH(QString, answer);
        QFETCH(bool, ok);
        QFETCH(bool, connectionFailed);
        QFETCH(bool, durable);
        RawServer server([&](const std::string&) -> std::string {
            if (answer == QLatin1String("short"))
                return "HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\nonly a little";
            if (answer == QLatin1String("hang"))
                return RawServer::kHang;
            return "\x7f\x02 not http at all\r\n\r\n";
        });
        const int port = answer == QLatin1String("none") ? freePort() : server.port();
        QTemporaryDir dir;
        online::HttpTransport http;
        http.InputFileMode = true;
        http.TimeOut = 1000;
        http.DurableBody = durable;
        http.Body = dir.path() + QStringLiteral("/kept.txt");
        QVERIFY(writeBytes(http.Body, "old"));
        int failedEvents = 0;
        http.OnConnectionFailed = [&] { ++failedEvents; };
        const auto result = http.Get(QStringLiteral("http://127.0.0.1:%1/x").arg(port));
        QCOMPARE(result.ok, ok);
        QCOMPARE(result.connectionFailed, connectionFailed);
        QCOMPARE(failedEvents, connectionFailed ? 1 : 0);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(testsupport::readBytes(http.Body), std::string("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.txt")});
    }

    void workFileAppearsWhole()
    {
        RawServer server([](const std::string&) { return RawServer::response(200, "NOTFOUND\r\n"); });
        QTemporaryDir dir;
        online::HttpTransport http;
        http.InputFileMode = true;
        http.DurableBody = false;
        http.Body = dir.path() + QStringLiteral("/RecordInfo.txt");
        QVERIFY(writeBytes(http.Body, "an older answer that is longer"));
        QVERIFY(http.Get(QStringLiteral("http://%1/x").arg(server.address())).accepted());
        QCOMPARE(testsupport::readBytes(http.Body), std::string("NOTFOUND\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("RecordInfo.txt")});
    }

    void errorStatusIsReportedNotHidden()
    {
        RawServer server([](const std::string&) { return RawServer::response(404, "<html>gone</html>", "text/html"); });
        online::HttpTransport http;
        const auto result = http.Get(QStringLiteral("http://%1/x").arg(server.address()));
        QVERIFY(result.ok);
        QCOMPARE(result.status, 404L);
        QVERIFY(!result.accepted());
    }
};

QUARVEL_TEST_MAIN(TestHttpTransport)
#include "TestHttpTransport.moc"

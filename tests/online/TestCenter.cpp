// quarvel-center as a client that does not play by the rules meets it: raw requests over a socket,
// links in the image directory, and values that would forge lines of the forms listing.
#include "OnlineFixtures.h"
#include "support/RawHttp.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace onlinefixtures;

namespace
{

using testsupport::statusOf;

std::string post(const std::string& lengthHeader, const std::string& body)
{
    return "POST /cgi-bin/inquiry HTTP/1.0\r\nHost: x\r\nContent-Type: application/x-www-form-urlencoded\r\n" +
           lengthHeader + "\r\n" + body;
}

QByteArray listing(const Center& center, bool json)
{
    QByteArray out;
    QStringList args{QStringLiteral("forms"), QStringLiteral("--db"), center.db()};
    if (json)
        args.append(QStringLiteral("--json"));
    Center::run(args, &out);
    return out;
}

} // namespace

class TestCenter : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void rejectedRequestsStoreNothing_data()
    {
        QTest::addColumn<std::string>("request");
        QTest::addColumn<bool>("hangUp");
        QTest::addColumn<int>("status"); // 0: no answer can reach a client that hung up
        QTest::addColumn<int>("stored");
        // "COMMENT" and one byte more than the limit leaves.
        const int rest = 16 * 1024 * 1024 - 7 + 1;
        char size[16];
        std::snprintf(size, sizeof size, "%x", rest);
        const std::string chunk = "=" + std::string(size_t(rest - 1), 'x');
        QTest::newRow("whole") << post("Content-Length: 9\r\n", "COMMENT=x") << false << 200 << 1;
        QTest::newRow("whole, then hung up") << post("Content-Length: 9\r\n", "COMMENT=x") << true << 0 << 1;
        QTest::newRow("declared too large") << post("Content-Length: 16777217\r\n", "COMMENT=x") << false << 413 << 0;
        QTest::newRow("chunks too large")
            << post("Transfer-Encoding: chunked\r\n",
                    "7\r\nCOMMENT\r\n" + std::string(size) + "\r\n" + chunk + "\r\n0\r\n\r\n")
            << false << 413 << 0;
        QTest::newRow("shorter than declared") << post("Content-Length: 100\r\n", "COMMENT=x") << true << 0 << 0;
        QTest::newRow("negative length") << post("Content-Length: -1\r\n", "COMMENT=x") << false << 400 << 0;
        QTest::newRow("overflowing length")
            << post("Content-Length: 18446744073709551617\r\n", "COMMENT=x") << false << 400 << 0;
        QTest::newRow("two lengths") << post("Content-Length: 9\r\nContent-Length: 3\r\n", "COMMENT=x") << false << 400
                                     << 0;
    }
    void rejectedRequestsStoreNothing()
    {
        QFETCH(std::string, request);
        QFETCH(bool, hangUp);
        QFETCH(int, status);
        QFETCH(int, stored);
        Center center;
        const std::string answer = testsupport::rawExchange(
            center.port(), request, hangUp ? testsupport::Close::HangUpAfterSend : testsupport::Close::Normally);
        QCOMPARE(statusOf(answer), status);
        QCOMPARE(answer.find("thanks") != std::string::npos, status == 200);
        QCOMPARE(QJsonDocument::fromJson(listing(center, true)).array().size(), stored);
    }

    void listingEscapesWhatWouldForgeLines()
    {
        Center center;
        const std::string body = "A=1%0D%0A2+inquiry+X%3Dforged&=no+name&B=%1B%5B2J&C=back%5Cn&D%3DE=F&G=%81%40%82%A0";
        QCOMPARE(statusOf(testsupport::rawExchange(
                     center.port(), post("Content-Length: " + std::to_string(body.size()) + "\r\n", body))),
                 200);
        QCOMPARE(QString::fromUtf8(listing(center, false)),
                 QStringLiteral("1 /cgi-bin/inquiry A=1\\r\\n2 inquiry X=forged\n"
                                "1 /cgi-bin/inquiry =no name\n"
                                "1 /cgi-bin/inquiry B=\\x1b[2J\n"
                                "1 /cgi-bin/inquiry C=back\\\\n\n"
                                "1 /cgi-bin/inquiry D\\x3dE=F\n"
                                "1 /cgi-bin/inquiry G=　あ\n"));
        // The JSON listing keeps every value exactly, the nameless field included.
        const QJsonArray fields = QJsonDocument::fromJson(listing(center, true))
                                      .array()
                                      .at(0)
                                      .toObject()
                                      .value(QStringLiteral("fields"))
                                      .toArray();
        QCOMPARE(fields.size(), 6);
        QCOMPARE(fields.at(0).toArray().at(1).toString(), QStringLiteral("1\r\n2 inquiry X=forged"));
        QCOMPARE(fields.at(1).toArray(), (QJsonArray{QString(), QStringLiteral("no name")}));
    }

    void imagesServeOnlyFilesInside_data()
    {
        QTest::addColumn<QString>("target"); // what images/pic.png is; "" for a plain file
        QTest::addColumn<int>("status");
        QTest::newRow("plain file") << QString() << 200;
        QTest::newRow("link to a file inside") << QStringLiteral("inside.png") << 200;
        QTest::newRow("link out of the directory") << QStringLiteral("../secret.txt") << 404;
        QTest::newRow("absolute link out") << QStringLiteral("@/secret.txt") << 404;
        QTest::newRow("link to a directory") << QStringLiteral("sub") << 404;
        QTest::newRow("dangling link") << QStringLiteral("missing.png") << 404;
    }
    void imagesServeOnlyFilesInside()
    {
        QFETCH(QString, target);
        QFETCH(int, status);
        Center center;
        const QString images = center.imagesDir();
        QVERIFY(writeBytes(images + QStringLiteral("../secret.txt"), "root:x:0:0"));
        QVERIFY(writeBytes(images + QStringLiteral("inside.png"), "PNG bytes"));
        QVERIFY(QDir(images).mkpath(QStringLiteral("sub")));
        QString linkTo = target;
        linkTo.replace(QLatin1Char('@'), QFileInfo(images + QStringLiteral("..")).canonicalFilePath());
        QVERIFY(target.isEmpty() ? writeBytes(images + QStringLiteral("pic.png"), "PNG bytes")
                                 : QFile::link(linkTo, images + QStringLiteral("pic.png")));
        const std::string answer =
            testsupport::rawExchange(center.port(), "GET /images/PIC.png HTTP/1.0\r\nHost: x\r\n\r\n");
        QCOMPARE(statusOf(answer), status);
        QCOMPARE(answer.find("root:x") == std::string::npos, true);
        QCOMPARE(answer.find("PNG bytes") != std::string::npos, status == 200);
    }
};

QUARVEL_TEST_MAIN(TestCenter)
#include "TestCenter.moc"

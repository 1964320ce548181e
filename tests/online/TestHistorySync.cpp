// The Internet sync against the real quarvel-center and hostile servers, and quarvel-tool sync.
#include "OnlineFixtures.h"
#include "bank/Cp932.h"
#include "bank/SettingsStore.h"
#include "install/CourseListing.h"
#include "online/HistorySync.h"
#include "results/HistoryFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace onlinefixtures;

namespace
{

const QDateTime kOld(QDate(2000, 1, 1), QTime(9, 30, 0));

// An installation with the Oracle tests qv101 and qv102 and His_srv pointing at `server`.
struct SyncInstall {
    testsupport::TempInstall install;
    QList<CourseTest> tests;

    explicit SyncInstall(const QString& server)
    {
        install.writeFile(QStringLiteral("QDAT/oracle/qv101.qdf"),
                          questionFile("QV-101", "One", "20010510120000", 500));
        install.writeFile(QStringLiteral("QDAT/oracle/qv102.qdf"), questionFile("QV-102", "Two", "20010510120000", 2));
        install.writeFile(QStringLiteral("BIN/His_srv"), (server + QStringLiteral("/cgi-bin/his-status\r\n") + server +
                                                          QStringLiteral("/cgi-bin/his-upload\r\n") + server +
                                                          QStringLiteral("/cgi-bin/his-download\r\n"))
                                                             .toStdString());
        tests = listVendorTests(install.questionDir(QStringLiteral("oracle")), QStringLiteral("oracle")).tests;
        createMissingHistories(tests);
    }
    online::SyncServers servers() const
    {
        QString error;
        return *online::ReadSyncServers(install.programDir() + QStringLiteral("His_srv"), error);
    }
    // One history with some content, dated `when`.
    void writeHistory(int index, int rate, const QDateTime& when) const
    {
        History h;
        h.attempts[0] = {12, 5, 12, 13, 45, rate, 2, 3};
        h.best = rate;
        h.average = rate / 2;
        h.categories[0] = {rate, 1, 2, 3, 4, 5, 255};
        h.correct[0] = 4;
        h.wrong[2] = 255;
        h.correct[499] = 7; // a full test: the upload is larger than small servers accept by default
        QVERIFY(SaveHistory(tests.at(index).historyFile, h, tests.at(index).questionFile));
        setTime(tests.at(index).historyFile, when);
    }
    static void setTime(const QString& path, const QDateTime& when)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(when, QFileDevice::FileModificationTime));
    }
};

online::Profile profile(const char* serial = "S-1")
{
    return {cp932::fromUtf8("Taro  Yamada & 山田=+%"), serial, "t@example.com"};
}

struct Sync {
    online::HttpTransport http;
    online::HistorySync sync;
    Sync(const SyncInstall& in, const online::Profile& who) : sync(http, in.servers(), who, in.install.programDir())
    {
        http.TimeOut = 1500;
    }
    online::HistorySync::Result status(const SyncInstall& in, QList<online::SyncRow>& rows)
    {
        return sync.queryStatus(in.tests, rows);
    }
    online::HistorySync::Result all(const QList<online::SyncRow>& rows)
    {
        for (const auto& row : rows) {
            const auto result = sync.transfer(row);
            if (result.outcome != online::HistorySync::Outcome::Done)
                return result;
        }
        return {};
    }
};

QStringList states(const QList<online::SyncRow>& rows)
{
    QStringList out;
    for (const auto& row : rows)
        out.append(row.state + QLatin1Char('|') + row.shownServerText());
    return out;
}

} // namespace

class TestHistorySync : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void readsStatusLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("date") << QByteArray("2001/05/12 13:45:10") << int(online::StatusAnswer::Date)
                              << QStringLiteral("2001/05/12 13:45:10");
        QTest::newRow("not found") << QByteArray(" NOTFOUND ") << int(online::StatusAnswer::NotFound)
                                   << QStringLiteral("1998/01/01");
        QTest::newRow("unknown user, markup kept as text")
            << QByteArray("ERROR1 <b>unknown</b> user") << int(online::StatusAnswer::UserError)
            << QStringLiteral("<b>unknown</b> user");
        QTest::newRow("cannot sync") << QByteArray("ERROR2") << int(online::StatusAnswer::NoSync) << QString();
        QTest::newRow("html page") << QByteArray("<html>") << int(online::StatusAnswer::Malformed) << QString();
        QTest::newRow("empty") << QByteArray("") << int(online::StatusAnswer::Malformed) << QString();
    }
    void readsStatusLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, kind);
        QFETCH(QString, text);
        const auto answer = online::parseStatusLine(line.toStdString());
        QCOMPARE(int(answer.kind), kind);
        if (kind == online::StatusAnswer::UserError)
            QCOMPARE(answer.message, text);
        else if (!text.isEmpty())
            QCOMPARE(answer.text, text);
    }

    // The server's text has no milliseconds; the file time's are not counted.
    void comparesAtWholeSeconds()
    {
        const QDateTime server = online::parseSyncDate(QStringLiteral("2001/05/12 13:45:10"));
        QCOMPARE(online::syncState(server, server.addMSecs(900)), online::kStateSynced);
        QCOMPARE(online::syncState(server, server.addSecs(1)), online::kStateClientNewer);
        QCOMPARE(online::syncState(server, server.addSecs(-1)), online::kStateServerNewer);
    }

    void checksEveryDownloadedValue_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("valid");
        QTest::newRow("in range") << QByteArray("RATE00=255") << true;
        QTest::newRow("300") << QByteArray("RATE00=300") << false;
        QTest::newRow("abc") << QByteArray("CORR000=abc") << false;
        QTest::newRow("negative") << QByteArray("AVG=-1") << false;
        QTest::newRow("short date") << QByteArray("DATE03=0512") << false;
        QTest::newRow("date with letters") << QByteArray("DATE03=05121x45") << false;
        QTest::newRow("point short") << QByteArray("POINT00=001002") << false;
        QTest::newRow("point of 256") << QByteArray("POINT00=256000000000000000000") << false;
    }
    void checksEveryDownloadedValue()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, valid);
        QString error;
        const QByteArray bytes = "[DLDATA]\r\nMAX=10\r\n" + line + "\r\n";
        const auto history = online::parseDownload(bytes.toStdString(), error);
        QCOMPARE(history.has_value(), valid);
        QCOMPARE(error.isEmpty(), valid);
    }

    // Upload on one installation, download on another, and both then agree.
    void roundTripThroughTheCenter()
    {
        Center center;
        QVERIFY(center.port() > 0);
        QCOMPARE(center.addUser(QStringLiteral("S-1")), 0);
        SyncInstall first(center.address());
        first.writeHistory(0, 80, kOld.addDays(100));

        Sync a(first, profile());
        QList<online::SyncRow> rows;
        QCOMPARE(a.status(first, rows).outcome, online::HistorySync::Outcome::Done);
        QCOMPARE(states(rows), (QStringList{online::kStateClientNewer + QStringLiteral("|----"),
                                            online::kStateClientNewer + QStringLiteral("|----")}));
        QCOMPARE(rows.at(0).clientText, QStringLiteral("2000/04/10 09:30:00"));
        QCOMPARE(a.all(rows).outcome, online::HistorySync::Outcome::Done);
        QCOMPARE(a.status(first, rows).outcome, online::HistorySync::Outcome::Done);
        QCOMPARE(states(rows), (QStringList{online::kStateSynced + QStringLiteral("|2000/04/10 09:30:00"),
                                            rows.at(1).state + QLatin1Char('|') + rows.at(1).clientText}));

        SyncInstall second(center.address());
        SyncInstall::setTime(second.tests.at(0).historyFile, kOld);
        Sync b(second, profile());
        QCOMPARE(b.status(second, rows).outcome, online::HistorySync::Outcome::Done);
        QCOMPARE(rows.at(0).state, online::kStateServerNewer);
        QCOMPARE(b.all(rows).outcome, online::HistorySync::Outcome::Done);
        const History got = LoadHistory(second.tests.at(0).historyFile);
        const History sent = LoadHistory(first.tests.at(0).historyFile);
        QCOMPARE(got.attempts[0].rate, 80);
        QCOMPARE(got.attempts[0].minute, 45);
        QCOMPARE(got.categories[0], sent.categories[0]);
        QCOMPARE(got.correct, sent.correct);
        QCOMPARE(got.wrong, sent.wrong);
        QCOMPARE(QFileInfo(second.tests.at(0).historyFile).lastModified(), kOld.addDays(100));
        // The name went through as typed: blanks, "&", "=", "+", "%" and kanji.
        const std::string download =
            testsupport::readBytes(second.install.programDir() + QStringLiteral("DownData.txt"));
        QVERIFY(download.find("NAME=" + profile().name + "\r\n") != std::string::npos);

        QCOMPARE(b.status(second, rows).outcome, online::HistorySync::Outcome::Done);
        QCOMPARE(rows.at(0).state, online::kStateSynced);
        b.sync.cleanUp();
        QVERIFY(!QFile::exists(second.install.programDir() + QStringLiteral("RecordInfo.txt")));
        QVERIFY(!QFile::exists(second.install.programDir() + QStringLiteral("Head.txt")));
        QVERIFY(!QFile::exists(second.install.programDir() + QStringLiteral("qv101.txt")));
    }

    void unknownUserEndsTheSync()
    {
        Center center;
        SyncInstall in(center.address());
        Sync s(in, profile("nobody"));
        QList<online::SyncRow> rows;
        const auto result = s.status(in, rows);
        QCOMPARE(result.outcome, online::HistorySync::Outcome::UserError);
        QCOMPARE(result.message, QStringLiteral("このシリアル番号は登録されていません。"));
    }

    void refusedTestIsListedAndLeftAlone()
    {
        RawServer server([](const std::string& request) {
            return RawServer::response(200, request.find("qv101") != std::string::npos ? "ERROR2\r\n" : "NOTFOUND\r\n");
        });
        SyncInstall in(server.address());
        Sync s(in, profile());
        QList<online::SyncRow> rows;
        QCOMPARE(s.status(in, rows).outcome, online::HistorySync::Outcome::Done);
        QCOMPARE(rows.at(0).state, online::kStateNoSync);
        QCOMPARE(rows.at(0).shownServerText(), QStringLiteral("----"));
        QCOMPARE(s.sync.transfer(rows.at(0)).outcome, online::HistorySync::Outcome::Done);
        QCOMPARE(server.requests().size(), size_t(2));
    }

    // A bad download answer leaves the local history byte for byte.
    void badDownloadsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("value 300") << QByteArray(RawServer::response(200, "[DLDATA]\r\nRATE00=300\r\n").c_str());
        QTest::newRow("value abc") << QByteArray(RawServer::response(200, "[DLDATA]\r\nCORR001=abc\r\n").c_str());
        QTest::newRow("404 html") << QByteArray(RawServer::response(404, "<html>Not Found</html>").c_str());
        QTest::newRow("cut short") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 500\r\n\r\n[DLDATA]\r\n");
        QTest::newRow("never answers") << QByteArray(RawServer::kHang.c_str());
    }
    void badDownloadsChangeNothing()
    {
        QFETCH(QByteArray, answer);
        RawServer server([&](const std::string& request) {
            if (request.find("his-status") != std::string::npos)
                return RawServer::response(200, "2030/01/01 00:00:00\r\n");
            return answer.toStdString();
        });
        SyncInstall in(server.address());
        in.writeHistory(0, 50, kOld);
        const std::string before = testsupport::readBytes(in.tests.at(0).historyFile);
        Sync s(in, profile());
        QList<online::SyncRow> rows;
        QCOMPARE(s.status(in, rows).outcome, online::HistorySync::Outcome::Done);
        QCOMPARE(rows.at(0).state, online::kStateServerNewer);
        QCOMPARE(s.sync.transfer(rows.at(0)).outcome, online::HistorySync::Outcome::Failed);
        QCOMPARE(testsupport::readBytes(in.tests.at(0).historyFile), before);
        QCOMPARE(QFileInfo(in.tests.at(0).historyFile).lastModified(), kOld);
    }

    void statusFailuresAreFailures_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("500") << QByteArray(RawServer::response(500, "2001/01/01 00:00:00").c_str());
        QTest::newRow("200 html page") << QByteArray(RawServer::response(200, "<html><body>hi</body></html>").c_str());
        QTest::newRow("garbage") << QByteArray("\x13\x37garbage\r\n\r\n");
    }
    void statusFailuresAreFailures()
    {
        QFETCH(QByteArray, answer);
        RawServer server([&](const std::string&) { return answer.toStdString(); });
        SyncInstall in(server.address());
        Sync s(in, profile());
        QList<online::SyncRow> rows;
        QCOMPARE(s.status(in, rows).outcome, online::HistorySync::Outcome::Failed);
    }

    void toolListsAndSyncs()
    {
        Center center;
        QCOMPARE(center.addUser(QStringLiteral("S-9")), 0);
        SyncInstall in(center.address());
        SyncInstall::setTime(in.tests.at(0).historyFile, kOld);
        SyncInstall::setTime(in.tests.at(1).historyFile, kOld);
        QTemporaryDir config;
        settings::redirectForTests(config.path());
        settings::WriteSetting(QStringLiteral("Quarvel"), QStringLiteral("Serial"), QStringLiteral("S-9"));
        settings::WriteSetting(QStringLiteral("Quarvel"), QStringLiteral("Name"), QStringLiteral("A  B"));
        auto tool = [&](const QStringList& extra, QByteArray* err = nullptr) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
            p.setProcessEnvironment(env);
            p.start(qEnvironmentVariable("QUARVEL_TOOL"),
                    QStringList{QStringLiteral("sync"), in.install.programDir()} + extra);
            p.waitForFinished(60000);
            if (err)
                *err = p.readAllStandardError();
            return std::make_pair(p.exitCode(), p.readAllStandardOutput());
        };
        const QStringList oracle{QStringLiteral("--vendor"), QStringLiteral("oracle"), QStringLiteral("--timeout"),
                                 QStringLiteral("5")};
        const auto status = tool(oracle + QStringList{QStringLiteral("--status")});
        QCOMPARE(status.first, 0);
        const QByteArray row = "    \"state\": \"ｸﾗｲｱﾝﾄ最新\",\n    \"serverText\": \"----\",\n    \"clientText\": "
                               "\"2000/01/01 09:30:00\"\n";
        QCOMPARE(status.second, QByteArray("[\n  {\n    \"testId\": \"qv101\",\n") + row +
                                    "  },\n  {\n    \"testId\": \"qv102\",\n" + row + "  }\n]\n");
        QCOMPARE(tool(oracle + QStringList{QStringLiteral("--status")}).second,
                 status.second); // --status changed nothing

        QCOMPARE(tool(oracle).first, 0);
        const auto after = tool(oracle + QStringList{QStringLiteral("--status")});
        const QJsonArray list = QJsonDocument::fromJson(after.second).array();
        QCOMPARE(list.size(), 2);
        for (const auto& entry : list) {
            QCOMPARE(entry.toObject().value(QStringLiteral("state")).toString(), online::kStateSynced);
            QCOMPARE(entry.toObject().value(QStringLiteral("serverText")).toString(),
                     QStringLiteral("2000/01/01 09:30:00"));
        }

        settings::WriteSetting(QStringLiteral("Quarvel"), QStringLiteral("Serial"), QStringLiteral("stranger"));
        QByteArray err;
        const auto refused = tool(oracle, &err);
        QCOMPARE(refused.first, 1);
        QCOMPARE(refused.second, QByteArray());
        QCOMPARE(QString::fromLocal8Bit(err).trimmed(), QStringLiteral("このシリアル番号は登録されていません。"));
        QCOMPARE(tool({QStringLiteral("--status")}).first, 2); // no vendor
    }
};

QUARVEL_TEST_MAIN(TestHistorySync)
#include "TestHistorySync.moc"

// The question file update against the real quarvel-center and against hostile servers, and
// quarvel-tool update: what is replaced, what is deleted, and that a failure changes nothing.
#include "OnlineFixtures.h"
#include "bank/Cp932.h"
#include "bank/SettingsStore.h"
#include "online/OnlineSettings.h"
#include "online/QuestionUpdate.h"

using namespace onlinefixtures;

namespace
{

// An installation with one Oracle test "qv101" (stamp `stamp`), its history, adaptive record and
// drill deck, and SRV_INFO pointing at `server`.
struct Installed {
    testsupport::TempInstall install;
    QString qdf, ini, his, adp, drl;

    Installed(const QString& server, const std::string& stamp = "20010510120000", int settingsVersion = 1)
    {
        qdf = install.writeFile(QStringLiteral("QDAT/oracle/qv101.qdf"), questionFile("QV-101", "Local", stamp));
        ini = install.writeFile(QStringLiteral("QDAT/oracle/qv101.ini"),
                                settingsFile(settingsVersion, {"a.jpg 1", "b.jpg 2"}));
        his = install.writeFile(QStringLiteral("HIST/oracle/qv101.HIS"), std::string(1960, '\x01'));
        adp = install.writeFile(QStringLiteral("HIST/oracle/qv101.ADP"), std::string("adaptive"));
        drl = install.writeFile(QStringLiteral("HIST/oracle/qv101.DRL"), std::string("QUARVEL-DRILL 1\r\n"));
        install.writeFile(QStringLiteral("QDAT/oracle/img/a.jpg"), std::string("old a"));
        install.writeFile(QStringLiteral("BIN/SRV_INFO"), (server + QStringLiteral("\r\ncgi-bin/update\r\n") + server +
                                                           QStringLiteral("\r\nimages\r\n"))
                                                              .toStdString());
    }
    online::ServerInfo serverInfo() const
    {
        QString error;
        return *online::ReadServerInfo(install.programDir() + QStringLiteral("SRV_INFO"), error);
    }
    online::UpdateRun run(const QString& vendor = QStringLiteral("oracle")) const
    {
        online::HttpTransport http;
        http.TimeOut = 1500;
        return online::RunVendorUpdate(http, serverInfo(), {"Taro  Yamada", "S-1", "t@example.com"}, vendor);
    }
    QStringList underscoreFiles() const
    {
        QStringList found;
        QDirIterator it(install.root(), QStringList{QStringLiteral("_*")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found.append(it.next());
        return found;
    }
};

struct ToolRun {
    int exitCode = -1;
    QByteArray out, err;
};

ToolRun tool(const QStringList& args, const QString& configHome)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("QUARVEL_TOOL"), args);
    ToolRun run;
    if (!p.waitForFinished(60000))
        return run;
    run.exitCode = p.exitCode();
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

} // namespace

class TestQuestionUpdate : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    // A line of SRV_INFO gets "http://" in front unless it names its scheme itself.
    void sendsTheQuestionFileRequest_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("scheme");
        QTest::newRow("plain") << "h:1"
                               << "http://h:1";
        QTest::newRow("https") << "https://h:1"
                               << "https://h:1";
        QTest::newRow("http named") << "HTTP://h:1"
                                    << "HTTP://h:1";
        QTest::newRow("scheme-like host") << "httpsh:1"
                                          << "http://httpsh:1";
    }
    void sendsTheQuestionFileRequest()
    {
        QFETCH(QString, host);
        QFETCH(QString, scheme);
        const online::ServerInfo server{host, QStringLiteral("cgi-bin/update"), host, QStringLiteral("images")};
        const QString url = online::questionFileUrl(
            server, {cp932::fromUtf8("Taro  山 &=+%"), "S/1", "a.b@example.com"}, "qv 101.qdf", "20010510120000");
        QCOMPARE(url, scheme + QStringLiteral("/cgi-bin/update?Name=Taro%20%20%8ER%20%26%3D%2B%25&Serial=S/1"
                                              "&QDFName=qv%20101.qdf&date=20010510120000&Email=a.b@example.com"));
        QCOMPARE(online::imageServerUrl(server, "a b.jpg"), scheme + QStringLiteral("/images/a%20b.jpg"));
    }

    void readsTheSettingsHeader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qlonglong>("version");
        QTest::addColumn<QStringList>("images");
        QTest::newRow("entries before the blank line")
            << QByteArray("t\r\n7\r\nimg\r\na.jpg 1\r\nb c.jpg 20\r\n\r\n[Level]\r\n") << true << 7LL
            << QStringList{QStringLiteral("a.jpg=1"), QStringLiteral("b c.jpg=20")};
        QTest::newRow("last header line is never an entry")
            << QByteArray("t\r\n2\r\nimg\r\na.jpg 1\r\n[Level]\r\n") << true << 2LL << QStringList{};
        QTest::newRow("64-bit version") << QByteArray("t\r\n20010510120000\r\nimg\r\n\r\n[x]\r\n") << true
                                        << 20010510120000LL << QStringList{};
        QTest::newRow("version not a number")
            << QByteArray("<html>\r\n<body>\r\n</body>\r\n") << false << 0LL << QStringList{};
        QTest::newRow("entry version not a number")
            << QByteArray("t\r\n2\r\nimg\r\na.jpg x\r\n\r\n[x]\r\n") << false << 0LL << QStringList{};
    }
    void readsTheSettingsHeader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QFETCH(qlonglong, version);
        QFETCH(QStringList, images);
        const auto header = online::ParseSettingsHeader(bytes.toStdString());
        QCOMPARE(header.has_value(), valid);
        if (!header)
            return;
        QCOMPARE(header->version, version);
        QStringList got;
        for (const auto& image : header->images)
            got.append(QString::fromStdString(image.name) + QLatin1Char('=') + QString::number(image.version));
        QCOMPARE(got, images);
    }

    // SRV_INFO and His_srv: the first lines, trimmed; a missing one is named by its number.
    void readsServerLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("error");
        QTest::newRow("trimmed, last without newline")
            << QByteArray(" h:80 \r\ncgi\r\nimg") << QStringList{"h:80", "cgi", "img"} << QString();
        QTest::newRow("lines after the third ignored")
            << QByteArray("a\nb\nc\nd\n") << QStringList{"a", "b", "c"} << QString();
        QTest::newRow("CP932") << QByteArray("\x83\x65\r\nb\r\nc\r\n") << QStringList{"テ", "b", "c"} << QString();
        QTest::newRow("third line missing")
            << QByteArray("a\r\nb\r\n") << QStringList{} << QString("SRV_INFO:3: line missing");
        QTest::newRow("endless line read in pieces")
            << QByteArray(4095, 'x') + "yz\nc" << QStringList{QString(4095, 'x'), "yz", "c"} << QString();
    }
    void readsServerLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(QString, error);
        QString got;
        const auto read = online::parseServerLines(bytes.toStdString(), 3, QStringLiteral("SRV_INFO"), got);
        QCOMPARE(read.value_or(QStringList{}), lines);
        QCOMPARE(got, error);
    }

    void imageNamesStayInsideImg_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("plain");
        QTest::newRow("plain") << QStringLiteral("a.jpg") << QStringLiteral("a.jpg");
        QTest::newRow("parent") << QStringLiteral("../../evil.jpg") << QStringLiteral("evil.jpg");
        QTest::newRow("absolute") << QStringLiteral("/etc/passwd") << QStringLiteral("passwd");
        QTest::newRow("backslashes") << QStringLiteral("..\\..\\x.bmp") << QStringLiteral("x.bmp");
        QTest::newRow("dot dot only") << QStringLiteral("..") << QString();
        QTest::newRow("trailing slash") << QStringLiteral("dir/") << QString();
    }
    void imageNamesStayInsideImg()
    {
        QFETCH(QString, name);
        QFETCH(QString, plain);
        QCOMPARE(QString::fromStdString(online::plainImageName(name.toStdString())), plain);
    }

    // The stamp is one fourteen-digit number: an older file with a later time of day is not newer.
    void replacesOnlyANewerFile_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("server");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("date newer") << QStringLiteral("20010510120000") << QStringLiteral("20010511000000") << true;
        QTest::newRow("time newer") << QStringLiteral("20010510120000") << QStringLiteral("20010510130000") << true;
        QTest::newRow("older day, later time")
            << QStringLiteral("20010511000000") << QStringLiteral("20010510130000") << false;
        QTest::newRow("equal") << QStringLiteral("20010510120000") << QStringLiteral("20010510120000") << false;
    }
    void replacesOnlyANewerFile()
    {
        QFETCH(QString, local);
        QFETCH(QString, server);
        QFETCH(bool, replaced);
        Center center;
        QVERIFY(center.port() > 0);
        const std::string newer = questionFile("QV-101", "Server", server.toStdString());
        QVERIFY(writeBytes(center.updatesDir() + QStringLiteral("QV101.QDF"), newer));
        QVERIFY(writeBytes(center.imagesDir() + QStringLiteral("qv101.ini"), settingsFile(1)));
        Installed in(center.address(), local.toStdString());
        const std::string before = testsupport::readBytes(in.qdf);

        const online::UpdateRun run = in.run();
        QVERIFY2(!run.failed, qPrintable(run.cause));
        QCOMPARE(run.replaced.size(), size_t(replaced ? 1 : 0));
        QCOMPARE(testsupport::readBytes(in.qdf), replaced ? newer : before);
        QCOMPARE(QFile::exists(in.his), !replaced);
        QCOMPARE(QFile::exists(in.adp), !replaced);
        QCOMPARE(QFile::exists(in.drl), !replaced); // its question numbers belonged to the old file
        if (replaced)
            QCOMPARE(run.replaced.front(), std::string("QV-101 : Server"));
        QCOMPARE(in.underscoreFiles(), QStringList{});
    }

    void settingsFileOfEqualVersionIsLeftAlone()
    {
        RawServer server([](const std::string& request) {
            if (request.find("/cgi-bin/update") != std::string::npos)
                return RawServer::response(200, questionFile("QV-101", "Same", "20010510120000"));
            return RawServer::response(200, settingsFile(1, {"a.jpg 9", "c.jpg 1"}));
        });
        Installed in(server.address());
        const std::string ini = testsupport::readBytes(in.ini);
        const online::UpdateRun run = in.run();
        QVERIFY2(!run.failed, qPrintable(run.cause));
        QCOMPARE(testsupport::readBytes(in.ini), ini);
        QCOMPARE(server.requests().size(), size_t(2)); // the question file and the settings file only
        QVERIFY(!QFile::exists(in.install.questionDir(QStringLiteral("oracle")) + QStringLiteral("img/c.jpg")));
    }

    void newerSettingsFileBringsItsNewerImages()
    {
        Center center;
        const std::string ini = settingsFile(2, {"a.jpg 2", "b.jpg 2", "../../../escape.jpg 1"});
        QVERIFY(writeBytes(center.updatesDir() + QStringLiteral("qv101.qdf"),
                           questionFile("QV-101", "S", "20010510120000")));
        QVERIFY(writeBytes(center.imagesDir() + QStringLiteral("qv101.ini"), ini));
        QVERIFY(writeBytes(center.imagesDir() + QStringLiteral("a.jpg"), "new a"));
        QVERIFY(writeBytes(center.imagesDir() + QStringLiteral("b.jpg"), "new b"));
        QVERIFY(writeBytes(center.imagesDir() + QStringLiteral("escape.jpg"), "caught"));
        Installed in(center.address());
        const online::UpdateRun run = in.run();
        QVERIFY2(!run.failed, qPrintable(run.cause));
        const QString img = in.install.questionDir(QStringLiteral("oracle")) + QStringLiteral("img/");
        QCOMPARE(testsupport::readBytes(in.ini), ini);
        QCOMPARE(testsupport::readBytes(img + QStringLiteral("a.jpg")), std::string("new a"));
        // b.jpg 2 is listed locally already: not fetched.
        QVERIFY(!QFile::exists(img + QStringLiteral("b.jpg")));
        QCOMPARE(testsupport::readBytes(img + QStringLiteral("escape.jpg")), std::string("caught"));
        QVERIFY(!QFile::exists(in.install.root() + QStringLiteral("escape.jpg")));
        QCOMPARE(in.underscoreFiles(), QStringList{});
    }

    // Whatever a broken server sends, the installation stays byte for byte and no "_" file is left.
    void brokenServersChangeNothing_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"404 html", "500", "cut short", "garbage", "200 html page", "never answers",
                                 "nothing listening", "bad settings file", "bad image"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void brokenServersChangeNothing()
    {
        QFETCH(QString, kind);
        const std::string newer = questionFile("QV-101", "Server", "20300101000000");
        RawServer server([&](const std::string& request) -> std::string {
            const bool question = request.find("/cgi-bin/update") != std::string::npos;
            const bool image = request.find(".jpg") != std::string::npos;
            if (kind == QLatin1String("bad settings file"))
                return RawServer::response(200, question ? newer : "<html><body>Server busy</body></html>");
            if (kind == QLatin1String("bad image"))
                return image ? RawServer::response(404, "<html>no</html>")
                             : RawServer::response(200, question ? newer : settingsFile(5, {"z.jpg 1"}));
            if (kind == QLatin1String("404 html"))
                return RawServer::response(404, "<html><body>Not Found</body></html>", "text/html");
            if (kind == QLatin1String("500"))
                return RawServer::response(500, newer);
            if (kind == QLatin1String("cut short"))
                return "HTTP/1.0 200 OK\r\nContent-Length: 900000\r\n\r\n" + newer.substr(0, 100);
            if (kind == QLatin1String("garbage"))
                return RawServer::response(200, std::string(3000, '\x9f'));
            if (kind == QLatin1String("200 html page"))
                return RawServer::response(200, "<html><body>Welcome</body></html>", "text/html");
            return RawServer::kHang;
        });
        const QString address = kind == QLatin1String("nothing listening")
                                    ? QStringLiteral("127.0.0.1:%1").arg(freePort())
                                    : server.address();
        Installed in(address);
        const auto before = snapshot(in.install.root());
        const online::UpdateRun run = in.run();
        QVERIFY(run.failed);
        QVERIFY(!run.cause.isEmpty());
        QVERIFY(run.replaced.empty());
        QCOMPARE(snapshot(in.install.root()), before);
    }

    void noQuestionFilesMeansNothingNew()
    {
        Center center;
        Installed in(center.address());
        const online::UpdateRun run = in.run(QStringLiteral("cisco"));
        QVERIFY(!run.failed);
        QVERIFY(run.replaced.empty());
    }

    void toolUpdatesAndRecordsTheDate()
    {
        Center center;
        QVERIFY(writeBytes(center.updatesDir() + QStringLiteral("qv101.qdf"),
                           questionFile("QV-101", cp932::fromUtf8("新版"), "20300101000000")));
        QVERIFY(writeBytes(center.imagesDir() + QStringLiteral("qv101.ini"), settingsFile(1)));
        Installed in(center.address());
        QTemporaryDir config;
        settings::redirectForTests(config.path());

        const ToolRun ok =
            tool({QStringLiteral("update"), in.install.programDir(), QStringLiteral("--timeout"), QStringLiteral("5")},
                 config.path());
        QCOMPARE(ok.exitCode, 0);
        QCOMPARE(QString::fromUtf8(ok.out), QStringLiteral("QV-101 : 新版\n"));
        const QDate today = QDate::currentDate();
        QCOMPARE(settings::ReadSetting(QStringLiteral("Quarvel"), QStringLiteral("LastUpdateYear")),
                 QString::number(today.year()));
        QCOMPARE(settings::ReadSetting(QStringLiteral("Quarvel"), QStringLiteral("LastUpdateMonth")),
                 QString::number(today.month()));
        QCOMPARE(settings::ReadSetting(QStringLiteral("Quarvel"), QStringLiteral("LastUpdateDay")),
                 QString::number(today.day()));
        QVERIFY(!QFile::exists(in.his));

        const ToolRun again = tool(
            {QStringLiteral("update"), in.install.programDir(), QStringLiteral("--vendor"), QStringLiteral("oracle")},
            config.path());
        QCOMPARE(again.exitCode, 0);
        QCOMPARE(again.out, QByteArray());
    }

    void toolGoesOnPastAFailedVendor()
    {
        // The server has no copy of Oracle's test: Oracle fails, Cisco after it is still updated.
        Center center;
        QVERIFY(writeBytes(center.updatesDir() + QStringLiteral("cs1.qdf"),
                           questionFile("CS-1", cp932::fromUtf8("新版"), "20300101000000")));
        Installed in(center.address());
        const QString cisco =
            in.install.writeFile(QStringLiteral("QDAT/cisco/cs1.qdf"), questionFile("CS-1", "Local", "20010510120000"));
        QTemporaryDir config;
        const ToolRun run =
            tool({QStringLiteral("update"), in.install.programDir(), QStringLiteral("--timeout"), QStringLiteral("5")},
                 config.path());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(QString::fromUtf8(run.out), QStringLiteral("CS-1 : 新版\n"));
        const QStringList err = QString::fromLocal8Bit(run.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(err.size(), 2);
        QCOMPARE(err.at(0), QStringLiteral("ダウンロードに失敗しました。"));
        QVERIFY2(err.at(1).startsWith(QStringLiteral("oracle: ")) && err.at(1).contains(QStringLiteral("status 404")),
                 qPrintable(err.at(1)));
        QCOMPARE(testsupport::readBytes(cisco), questionFile("CS-1", cp932::fromUtf8("新版"), "20300101000000"));
        QVERIFY(QFile::exists(in.qdf) && QFile::exists(in.his));
        QVERIFY(in.underscoreFiles().isEmpty());
    }

    void toolReportsFailureAndUsage_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("server down") << QStringList{} << 1;
        QTest::newRow("unknown vendor") << QStringList{QStringLiteral("--vendor"), QStringLiteral("acme")} << 2;
        QTest::newRow("bad proxy") << QStringList{QStringLiteral("--proxy"), QStringLiteral("nohost")} << 2;
        QTest::newRow("negative time-out") << QStringList{QStringLiteral("--timeout"), QStringLiteral("-1")} << 2;
        QTest::newRow("no time-out") << QStringList{QStringLiteral("--timeout"), QStringLiteral("0")} << 2;
    }
    void toolReportsFailureAndUsage()
    {
        QFETCH(QStringList, extra);
        QFETCH(int, exitCode);
        Installed in(QStringLiteral("127.0.0.1:%1").arg(freePort()));
        QTemporaryDir config;
        const auto before = snapshot(in.install.root());
        const ToolRun run = tool(QStringList{QStringLiteral("update"), in.install.programDir()} + extra, config.path());
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode == 1)
            QVERIFY(QString::fromLocal8Bit(run.err).startsWith(QStringLiteral("ダウンロードに失敗しました。\n")));
        QCOMPARE(snapshot(in.install.root()), before);
    }
};

QUARVEL_TEST_MAIN(TestQuestionUpdate)
#include "TestQuestionUpdate.moc"

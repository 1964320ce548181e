// Update and sync through a real HTTP proxy (tinyproxy on a loopback port).
#include "OnlineFixtures.h"
#include "install/CourseListing.h"
#include "online/HistorySync.h"
#include "online/QuestionUpdate.h"
#include "results/HistoryFile.h"

using namespace onlinefixtures;

namespace
{

online::ConnectionSettings throughProxy(int port)
{
    return {true, QStringLiteral("127.0.0.1"), QString::number(port), 5};
}

} // namespace

class TestOnlineProxy : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void updateAndSyncGoThroughTheProxy()
    {
        Proxy proxy;
        QVERIFY2(proxy.port() > 0, "tinyproxy did not start");
        Center center;
        QCOMPARE(center.addUser(QStringLiteral("S-1")), 0);
        const std::string newer = questionFile("QV-101", "Server", "20300101000000");
        QVERIFY(writeBytes(center.updatesDir() + QStringLiteral("qv101.qdf"), newer));
        testsupport::TempInstall install;
        const QString qdf = install.writeFile(QStringLiteral("QDAT/oracle/qv101.qdf"),
                                              questionFile("QV-101", "Local", "20010101000000"));

        online::HttpTransport http;
        QVERIFY(!online::applyConnection(http, throughProxy(proxy.port())));
        const online::ServerInfo server{center.address(), QStringLiteral("cgi-bin/update"), center.address(),
                                        QStringLiteral("images")};
        const online::UpdateRun run =
            online::RunVendorUpdate(http, server, {"A  B", "S-1", "a@b"}, QStringLiteral("oracle"));
        QVERIFY2(!run.failed, qPrintable(run.cause));
        QCOMPARE(testsupport::readBytes(qdf), newer);

        const auto tests =
            listVendorTests(install.questionDir(QStringLiteral("oracle")), QStringLiteral("oracle")).tests;
        createMissingHistories(tests);
        const online::SyncServers servers{center.address() + QStringLiteral("/cgi-bin/his-status"),
                                          center.address() + QStringLiteral("/cgi-bin/his-upload"),
                                          center.address() + QStringLiteral("/cgi-bin/his-download")};
        online::HistorySync sync(http, servers, {"A  B", "S-1", "a@b"}, install.programDir());
        QList<online::SyncRow> rows;
        QCOMPARE(sync.queryStatus(tests, rows).outcome, online::HistorySync::Outcome::Done);
        QCOMPARE(rows.at(0).state, online::kStateClientNewer);
        QCOMPARE(sync.transfer(rows.at(0)).outcome, online::HistorySync::Outcome::Done);
        QCOMPARE(sync.queryStatus(tests, rows).outcome, online::HistorySync::Outcome::Done);
        QCOMPARE(rows.at(0).state, online::kStateSynced);
    }

    // The proxy answers for an origin that is down; that answer must not be taken for a file.
    void originDownBehindTheProxyChangesNothing()
    {
        Proxy proxy;
        QVERIFY2(proxy.port() > 0, "tinyproxy did not start");
        testsupport::TempInstall install;
        install.writeFile(QStringLiteral("QDAT/oracle/qv101.qdf"), questionFile("QV-101", "Local", "20010101000000"));
        const auto before = snapshot(install.root());
        online::HttpTransport http;
        QVERIFY(!online::applyConnection(http, throughProxy(proxy.port())));
        const QString down = QStringLiteral("127.0.0.1:%1").arg(freePort());
        const online::UpdateRun run =
            online::RunVendorUpdate(http, {down, QStringLiteral("cgi-bin/update"), down, QStringLiteral("images")}, {},
                                    QStringLiteral("oracle"));
        QVERIFY(run.failed);
        // The proxy itself answered (with an error status): the request went through it.
        QVERIFY2(run.cause.contains(QStringLiteral("status")), qPrintable(run.cause));
        QCOMPARE(snapshot(install.root()), before);
    }

    void proxyPortMustBeANumber()
    {
        online::HttpTransport http;
        QVERIFY(
            online::applyConnection(http, {true, QStringLiteral("proxy"), QStringLiteral("Input Proxy Port"), 120}));
        QVERIFY(
            !online::applyConnection(http, {false, QStringLiteral("proxy"), QStringLiteral("Input Proxy Port"), 120}));
        QVERIFY(http.Proxy.isEmpty());
        QCOMPARE(http.TimeOut, 120000);
    }
};

QUARVEL_TEST_MAIN(TestOnlineProxy)
#include "TestOnlineProxy.moc"

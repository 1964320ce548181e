#include "bank/FileLookup.h"
#include "bank/SettingsStore.h"
#include "bank/TestSettingsFile.h"
#include "install/AddressFile.h"
#include "install/InstallLayout.h"
#include "support/TestSupport.h"

class TestInstallLayout : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void dataRootIsParentOfThreeLetterProgramDir()
    {
        testsupport::TempInstall install;
        QDir().mkpath(install.questionDir(QStringLiteral("oracle")));
        QCOMPARE(layout::DataRoot(), install.root());
        QCOMPARE(layout::QuestionDir(QStringLiteral("oracle")), install.questionDir(QStringLiteral("oracle")));
        const QString qdf = install.questionDir(QStringLiteral("oracle")) + QStringLiteral("t1.qdf");
        QCOMPARE(layout::historyPath(qdf, QStringLiteral("oracle")),
                 install.root() + QStringLiteral("HIST/oracle/t1.HIS"));
        QCOMPARE(layout::adaptivePath(qdf, QStringLiteral("oracle")),
                 install.root() + QStringLiteral("HIST/oracle/t1.ADP"));
        QCOMPARE(layout::drillPath(qdf, QStringLiteral("oracle")),
                 install.root() + QStringLiteral("HIST/oracle/t1.DRL"));
        QCOMPARE(testSettingsPath(qdf), install.questionDir(QStringLiteral("oracle")) + QStringLiteral("t1.ini"));
    }

    void questionDataBelowProgramDirIsTheFallback()
    {
        testsupport::TempInstall install;
        const QString below = install.programDir() + QStringLiteral("QDAT/cisco/");
        QDir().mkpath(below);
        QCOMPARE(layout::QuestionDir(QStringLiteral("cisco")), below);
        QCOMPARE(layout::historyPath(below + QStringLiteral("x.qdf"), QStringLiteral("cisco")),
                 install.programDir() + QStringLiteral("HIST/cisco/x.HIS"));
    }

    void settingsReadDefaultsAndWriteBack()
    {
        QCOMPARE(settings::ReadSetting(settings::kSection, QStringLiteral("ProxyServer"),
                                       QStringLiteral("Input Proxy Server name")),
                 QStringLiteral("Input Proxy Server name"));
        settings::WriteSetting(settings::kSection, QStringLiteral("Name"), QStringLiteral("山田 太郎"));
        QCOMPARE(settings::ReadSetting(settings::kSection, QStringLiteral("Name")), QStringLiteral("山田 太郎"));
        QCOMPARE(settings::ReadSetting(settings::kDiscSection, QStringLiteral("CD_PATH"), QStringLiteral("NA")),
                 QStringLiteral("NA"));
        // The same value again leaves the stored one alone; an empty value and a new one are written.
        settings::WriteSetting(settings::kSection, QStringLiteral("Name"), QStringLiteral("山田 太郎"));
        QCOMPARE(settings::ReadSetting(settings::kSection, QStringLiteral("Name")), QStringLiteral("山田 太郎"));
        settings::WriteSetting(settings::kSection, QStringLiteral("Name"), QString());
        QCOMPARE(settings::ReadSetting(settings::kSection, QStringLiteral("Name"), QStringLiteral("none")), QString());
        settings::WriteSetting(settings::kSection, QStringLiteral("Name"), QStringLiteral("佐藤"));
        QCOMPARE(settings::ReadSetting(settings::kSection, QStringLiteral("Name")), QStringLiteral("佐藤"));
    }

    void fileNamesMatchWithoutCase()
    {
        testsupport::TempInstall install;
        install.writeFile(QStringLiteral("Print/SEISEKI.XBM"), std::string("x"));
        const QString asked = install.root() + QStringLiteral("Print/SEISEKI.xbm");
        QVERIFY(filelookup::exists(asked));
        QCOMPARE(filelookup::resolve(asked), install.root() + QStringLiteral("Print/SEISEKI.XBM"));
        QVERIFY(filelookup::remove(asked));
        QVERIFY(!filelookup::exists(asked));
    }

    // An absent file is the only failure; a file without an address reads as an empty one.
    void addressFilesReadTheirFirstLine_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<bool>("opened");
        QTest::addColumn<QString>("address");
        QTest::newRow("missing") << QByteArray() << false << QString();
        QTest::newRow("empty") << QByteArray("\r\n") << true << QString();
        QTest::newRow("blanks and CR LF")
            << QByteArray(" \thttp://a.example/x \r\n") << true << QStringLiteral("http://a.example/x");
        QTest::newRow("more lines") << QByteArray("page.htm\nhttp://b.example/\n") << true
                                    << QStringLiteral("page.htm");
        QTest::newRow("CP932") << QByteArray("\x83\x65\x83\x58\x83\x67.htm") << true << QStringLiteral("テスト.htm");
    }
    void addressFilesReadTheirFirstLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, opened);
        QFETCH(QString, address);
        testsupport::TempInstall install;
        if (!content.isEmpty())
            install.writeFile(QStringLiteral("BIN/Online"), content);
        const addressfile::Address read = addressfile::read(QStringLiteral("online"));
        QCOMPARE(read.opened, opened);
        QCOMPARE(read.address, address);
        if (opened)
            QCOMPARE(read.path, install.programDir() + QStringLiteral("Online"));
        QVERIFY(read.failureText().contains(read.path));
    }
};

QUARVEL_TEST_MAIN(TestInstallLayout)
#include "TestInstallLayout.moc"

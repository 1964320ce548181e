#include "bank/FileLookup.h"
#include "bank/SettingsStore.h"
#include "bank/TestSettingsFile.h"
#include "install/InstallLayout.h"
#include "support/TestSupport.h"

class TestInstallLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dataRootIsParentOfThreeLetterProgramDir()
    {
        testsupport::TempInstall install;
        QDir().mkpath(install.questionDir(QStringLiteral("oracle")));
        QCOMPARE(layout::DataRoot(), install.root());
        QCOMPARE(layout::QuestionDir(QStringLiteral("oracle")), install.questionDir(QStringLiteral("oracle")));
        const QString qdf = install.questionDir(QStringLiteral("oracle")) + QStringLiteral("t1.qdf");
        QCOMPARE(layout::historyPath(qdf, QStringLiteral("oracle")), install.root() + QStringLiteral("HIST/oracle/t1.HIS"));
        QCOMPARE(layout::adaptivePath(qdf, QStringLiteral("oracle")), install.root() + QStringLiteral("HIST/oracle/t1.ADP"));
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
        QCOMPARE(settings::ReadSetting(settings::kSection, QStringLiteral("ProxyServer"), QStringLiteral("Input Proxy Server name")),
                 QStringLiteral("Input Proxy Server name"));
        settings::WriteSetting(settings::kSection, QStringLiteral("Name"), QStringLiteral("山田 太郎"));
        QCOMPARE(settings::ReadSetting(settings::kSection, QStringLiteral("Name")), QStringLiteral("山田 太郎"));
        QCOMPARE(settings::ReadSetting(settings::kDiscSection, QStringLiteral("CD_PATH"), QStringLiteral("NA")), QStringLiteral("NA"));
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
};

QUARVEL_TEST_MAIN(TestInstallLayout)
#include "TestInstallLayout.moc"

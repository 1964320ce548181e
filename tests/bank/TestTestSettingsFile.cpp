#include "bank/Cp932.h"
#include "bank/TestSettingsFile.h"
#include "support/TestSupport.h"

namespace
{

std::string sj(const char* utf8)
{
    return cp932::fromUtf8(utf8);
}

const std::array<std::string, 5> kDefaults = {
    sj("レベル:A 合格安心"),     sj("レベル:B ぎりぎり合格"),       sj("レベル:C あとちょっと"),
    sj("レベル:D がんばり必要"), sj("レベル:E もっとがんばり必要"),
};

struct Fixture {
    testsupport::TempInstall install;
    QString qdf = install.questionDir(QStringLiteral("oracle")) + QStringLiteral("qv101.qdf");
    QString dir = install.questionDir(QStringLiteral("oracle"));

    void settings(const std::string& bytes, const QString& name = QStringLiteral("qv101.ini"))
    {
        install.writeFile(QStringLiteral("QDAT/oracle/") + name, bytes);
    }
};

} // namespace

class TestTestSettingsFile : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void noFileMeansNoCaseStudyAndDefaultTexts()
    {
        Fixture f;
        const CaseStudy study = ReadCaseStudy(f.qdf);
        QVERIFY(!study.present);
        QVERIFY(study.lines.empty());
        QCOMPARE(ReadLevelTexts(f.qdf), kDefaults);
    }

    void levelSectionOnly()
    {
        Fixture f;
        // Version header lines before the first section; section and keys in any case; a key
        // present with an empty value is empty, not the default.
        f.settings(sj("1.2\r\nimg1.jpg=3\r\n[LEVEL]\r\ntexta = 合格は確実です\r\nTextB=\"もう少し\"\r\n"
                      "TEXTC=\r\n; TextD=comment\r\n[Other]\r\nTextE=not here\r\n"));
        QVERIFY(!ReadCaseStudy(f.qdf).present);
        const auto texts = ReadLevelTexts(f.qdf);
        QCOMPARE(texts[0], sj("合格は確実です"));
        QCOMPARE(texts[1], sj("もう少し"));
        QCOMPARE(texts[2], std::string());
        QCOMPARE(texts[3], kDefaults[3]);
        QCOMPARE(texts[4], kDefaults[4]);
    }

    void caseStudyWithImages()
    {
        Fixture f;
        f.settings(sj("1\r\n"
                      "  [Case Study]  \r\n"
                      "株式会社クォーベルは、\r\n"
                      "\r\n"
                      "  社内ネットワークを=更新します。\r\n"
                      " [not a header because of the blank]\r\n"
                      "[CASE STUDY IMAGE]\r\n"
                      "IMG1=net.jpg\r\n"
                      "img2 = 構成図.JPG\r\n"
                      "IMG3=none\r\n"
                      "[Level]\r\n"
                      "TextA=A\r\n"));
        const CaseStudy study = ReadCaseStudy(f.qdf);
        QVERIFY(study.present);
        const std::vector<std::string> lines = {sj("株式会社クォーベルは、"), "",
                                                sj("  社内ネットワークを=更新します。"),
                                                " [not a header because of the blank]"};
        QCOMPARE(study.lines, lines);
        QCOMPARE(study.imagePaths[0], f.dir + QStringLiteral("img/net.jpg"));
        QCOMPARE(study.imagePaths[1], f.dir + QStringLiteral("img/構成図.JPG"));
        QCOMPARE(study.imagePaths[2], QString());
        QCOMPARE(study.imagePaths[3], QString());
        QCOMPARE(ReadLevelTexts(f.qdf)[0], std::string("A"));
    }

    void caseStudyHeaderFollowedBySection()
    {
        Fixture f;
        f.settings("[case study]\n[CASE STUDY IMAGE]\nIMG1=a.jpg\n");
        const CaseStudy study = ReadCaseStudy(f.qdf);
        QVERIFY(study.present);
        QVERIFY(study.lines.empty());
        QCOMPARE(study.imagePaths[0], f.dir + QStringLiteral("img/a.jpg"));
    }

    void oddFilesNeverBreakTheReader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<QString>("image1");
        QTest::newRow("empty") << QByteArray() << false << 0 << QString();
        QTest::newRow("only the header, no line end") << QByteArray("[case study]") << true << 0 << QString();
        QTest::newRow("invalid CP932 bytes kept")
            << QByteArray("[case study]\r\n\x81\r\n\xFF\xFE\x82") << true << 2 << QString();
        QTest::newRow("image value is a name, not a path")
            << QByteArray("[case study]\n[CASE STUDY IMAGE]\nIMG1=..\\..\\secret.jpg\n") << true << 0
            << QStringLiteral("img/secret.jpg");
        QTest::newRow("image value pointing to a directory")
            << QByteArray("[case study]\n[CASE STUDY IMAGE]\nIMG1=../\n") << true << 0 << QString();
        // Found by fuzzing: a lead byte with no trail byte hid the "/" after it.
        QTest::newRow("lead byte before a separator")
            << QByteArray("[case study]\n[CASE STUDY IMAGE]\nIMG1=a/\xE2/c.bmp\n") << true << 0
            << QStringLiteral("img/c.bmp");
        QTest::newRow("kanji whose trail byte is 0x5C")
            << QByteArray("[case study]\n[CASE STUDY IMAGE]\nIMG1=x\\\x8D\\.jpg\n") << true << 0
            << QStringLiteral("img/構.jpg");
        QTest::newRow("None is not none")
            << QByteArray("[case study]\n[case study image]\nIMG1=None\n") << true << 0 << QStringLiteral("img/None");
        QTest::newRow("unclosed section") << QByteArray("[case study\nx\n") << false << 0 << QString();
        QTest::newRow("first header counts")
            << QByteArray("[case study]\nx\n[case study]\ny\n") << true << 1 << QString();
    }

    void oddFilesNeverBreakTheReader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, present);
        QFETCH(int, lineCount);
        QFETCH(QString, image1);
        Fixture f;
        f.settings(bytes.toStdString());
        const CaseStudy study = ReadCaseStudy(f.qdf);
        QCOMPARE(study.present, present);
        QCOMPARE(int(study.lines.size()), lineCount);
        QCOMPARE(study.imagePaths[0], image1.isEmpty() ? QString() : f.dir + image1);
        QCOMPARE(ReadLevelTexts(f.qdf), kDefaults);
    }

    void utf8WithByteOrderMarkIsConverted()
    {
        Fixture f;
        f.settings("\xEF\xBB\xBF[Level]\r\nTextE=もっと練習しましょう\r\n");
        QCOMPARE(ReadLevelTexts(f.qdf)[4], sj("もっと練習しましょう"));
    }

    void fileNameMatchesWithoutCase()
    {
        Fixture f;
        f.settings("[case study]\r\nhello\r\n", QStringLiteral("QV101.INI"));
        const CaseStudy study = ReadCaseStudy(f.qdf);
        QVERIFY(study.present);
        QCOMPARE(study.lines, std::vector<std::string>{"hello"});
    }
};

QUARVEL_TEST_MAIN(TestTestSettingsFile)
#include "TestTestSettingsFile.moc"

// quarvel-tool scramble / qdf ... run as a program, the way authors and the demo staging use it.
#include "QdfFixtures.h"
#include "bank/QuestionFileWriter.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

using namespace qdffixtures;

namespace
{

using Run = testsupport::ToolRun;

Run tool(const QStringList& args, const QByteArray& input = {})
{
    return testsupport::runTool(args, input);
}

const char* kSource = "mock: 1/80\n"
                      "minutes: 5\n"
                      "code: QV-T\n"
                      "title: テスト\n"
                      "badge2: 1\n"
                      "updated: 20260401000000\n"
                      "category: 分類\n"
                      "  sub: 小分類\n"
                      "question: 1\n"
                      "category: 1\n"
                      "sub: 1\n"
                      "style: 1\n"
                      "correct: 1\n"
                      "text: 問い\n"
                      "choice: はい\n"
                      "choice: いいえ\n"
                      "explanation:\n"
                      "| 一行目\n"
                      "| 二行目\n"
                      "ref: 本\n"
                      "page: 3\n";

} // namespace

class TestQdfTool : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("QUARVEL_TOOL"))
            QSKIP("QUARVEL_TOOL is not set (ctest sets it)");
    }

    void packHeaderJsonUnpack()
    {
        testsupport::TempInstall install;
        const QString src = install.writeFile(QStringLiteral("t.qsrc"), std::string(kSource));
        const QString qdf = install.root() + QStringLiteral("t.qdf");
        Run run = tool({"qdf", "pack", src, qdf});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QVERIFY(run.err.isEmpty());

        run = tool({"qdf", "header", qdf});
        QCOMPARE(run.exitCode, 0);
        // The keys in the documented order.
        qsizetype last = -1;
        for (const char* key :
             {"formatTag", "mockCount", "targetRate", "code", "title", "badges", "updated", "questionCount"}) {
            const qsizetype at = run.out.indexOf(QByteArray("\"") + key + "\":");
            QVERIFY2(at > last, key);
            last = at;
        }
        const QJsonObject header = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(header.value("formatTag").toString(), QStringLiteral("QFileFormat-v1.4"));
        QCOMPARE(header.value("mockCount").toInt(), 1);
        QCOMPARE(header.value("targetRate").toString(), QStringLiteral("80"));
        QCOMPARE(header.value("title").toString(), QStringLiteral("テスト"));
        QCOMPARE(header.value("badges").toArray(), QJsonArray({false, true, false, false, false}));
        QCOMPARE(header.value("questionCount").toInt(), 1);

        run = tool({"qdf", "json", qdf});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject bank = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(bank.value("mockMinutes").toInt(), 5);
        QCOMPARE(bank.value("categoryCount").toInt(), 1);
        const QJsonObject category = bank.value("categories").toArray().at(0).toObject();
        QCOMPARE(category.value("name").toString(), QStringLiteral("分類"));
        QCOMPARE(category.value("subCategories").toArray().size(), 20);
        QCOMPARE(category.value("subCategories").toArray().at(0).toObject().value("questionCount").toInt(), 1);
        const QJsonObject q = bank.value("questions").toArray().at(0).toObject();
        QCOMPARE(q.keys().size(), 12);
        QCOMPARE(q.value("choices").toArray().size(), 10);
        QCOMPARE(q.value("choices").toArray().at(1).toString(), QStringLiteral("いいえ"));
        QCOMPARE(q.value("explanation").toString(), QStringLiteral("\r\n一行目\r\n二行目"));
        QCOMPARE(q.value("references").toArray().size(), 4);
        QCOMPARE(q.value("references").toArray().at(0).toObject().value("page").toString(), QStringLiteral("3"));
        QCOMPARE(q.value("references").toArray().at(1).toObject().value("page").toString(), QStringLiteral("0"));
        QCOMPARE(q.value("links").toArray().size(), 2);

        run = tool({"qdf", "unpack", qdf});
        QCOMPARE(run.exitCode, 0);
        const QString again = install.writeFile(QStringLiteral("again.qsrc"), run.out);
        const QString qdf2 = install.root() + QStringLiteral("again.qdf");
        QCOMPARE(tool({"qdf", "pack", again, qdf2}).exitCode, 0);
        QCOMPARE(testsupport::readBytes(qdf2), testsupport::readBytes(qdf));

        run = tool({"qdf", "check", qdf});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
    }

    void unpackOfAnyValidFilePacksBack()
    {
        testsupport::TempInstall install;
        QuestionHeader header;
        auto bank = sampleBank(header);
        const QString qdf = install.writeFile(QStringLiteral("s.qdf"), QuestionFileBytes(header, *bank));
        Run run = tool({"qdf", "unpack", qdf});
        QCOMPARE(run.exitCode, 0);
        const QString src = install.writeFile(QStringLiteral("s.qsrc"), run.out);
        QCOMPARE(tool({"qdf", "pack", src, install.root() + QStringLiteral("s2.qdf")}).exitCode, 0);
        QCOMPARE(testsupport::readBytes(install.root() + QStringLiteral("s2.qdf")), testsupport::readBytes(qdf));
    }

    void brokenFilesExitWithOneAndNameTheLine()
    {
        testsupport::TempInstall install;
        RawFile f = minimalFile();
        f.lines[size_t(54 + 5 - 1)] = "0"; // no stored choices
        const QString broken = install.writeFile(QStringLiteral("broken.qdf"), f.bytes());
        for (const char* command : {"header", "json", "check", "unpack"}) {
            const Run run = tool({"qdf", command, broken});
            if (QByteArray(command) == "header") {
                QCOMPARE(run.exitCode, 0); // the header itself is fine
                continue;
            }
            QCOMPARE(run.exitCode, 1);
            QVERIFY(run.out.isEmpty());
            QVERIFY2(
                run.err.startsWith((broken + QStringLiteral(":59: stored choice count 0 is outside 1..10")).toUtf8()),
                run.err.constData());
        }
        const Run missing = tool({"qdf", "json", install.root() + QStringLiteral("none.qdf")});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY(missing.err.contains("none.qdf: "));

        // Counts that disagree with the records: a warning, still success.
        RawFile g = minimalFile();
        g.lines[13] = "2";
        const QString off = install.writeFile(QStringLiteral("off.qdf"), g.bytes());
        const Run warned = tool({"qdf", "check", off});
        QCOMPARE(warned.exitCode, 0);
        QVERIFY2(warned.err.startsWith((off + QStringLiteral(":14: warning: sub-category 1-1 gives 2")).toUtf8()),
                 warned.err.constData());
    }

    // Files that read with a warning: json prints the header's count and the records that are there.
    void admittedFilesPrintTheirBank_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("line"); // 0: none changed
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("headerCount");
        QTest::addColumn<QString>("warning");
        const int r = 54; // first record's number line
        QTest::newRow("header count above records") << 2 << 10 << "7" << 7 << ":10: warning: the header gives 7";
        QTest::newRow("correct above shown")
            << 1 << r + 7 << "3" << 1 << QString(":%1: warning: question 1 has 3").arg(r);
    }

    void admittedFilesPrintTheirBank()
    {
        QFETCH(int, records);
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(int, headerCount);
        QFETCH(QString, warning);
        testsupport::TempInstall install;
        RawFile f = minimalFile(records);
        f.lines[size_t(line - 1)] = text.toStdString();
        const QString path = install.writeFile(QStringLiteral("a.qdf"), f.bytes());

        const Run json = tool({"qdf", "json", path});
        QVERIFY2(json.exitCode == 0, json.err.constData());
        const QJsonObject bank = QJsonDocument::fromJson(json.out).object();
        QCOMPARE(bank.value("questionCount").toInt(), headerCount);
        QCOMPARE(bank.value("questions").toArray().size(), records);

        const Run check = tool({"qdf", "check", path});
        QCOMPARE(check.exitCode, 0);
        QVERIFY2(check.err.contains((path + warning).toUtf8()), check.err.constData());
    }

    void packOfABrokenSourceWritesNothing()
    {
        testsupport::TempInstall install;
        const QString src = install.writeFile(QStringLiteral("b.qsrc"), std::string(kSource) + "choice: 〜\n");
        const QString out = install.root() + QStringLiteral("b.qdf");
        const Run run = tool({"qdf", "pack", src, out});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith((src + QStringLiteral(":22: ")).toUtf8()), run.err.constData());
        QVERIFY(!QFile::exists(out));
    }

    void scrambleKeepsLineEnds()
    {
        const QByteArray in("abc\r\nXYZ\n\x82\xA0\x82\xC0\r\n\x83\x40"
                            "0@\n\x89");
        const Run run = tool({"scramble"}, in);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("nop\r\nKLM\n\x82\xC0\x82\xA0\r\n\x83\x50"
                                     "0@\n\x89"));
        QCOMPARE(tool({"scramble"}, run.out).out, in);
    }

    void wrongUsageExitsWithTwo_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("qdf alone") << QStringList{"qdf"};
        QTest::newRow("pack without output") << QStringList{"qdf", "pack", "x.qsrc"};
        QTest::newRow("unknown qdf command") << QStringList{"qdf", "frob", "x"};
        QTest::newRow("scramble with argument") << QStringList{"scramble", "x"};
    }

    void wrongUsageExitsWithTwo()
    {
        QFETCH(QStringList, args);
        const Run run = tool(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("usage"));
    }
};

QUARVEL_TEST_MAIN(TestQdfTool)
#include "TestQdfTool.moc"

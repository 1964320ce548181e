// quarvel-tool forecast, run as a program: the JSON shape, the pass mark's sources and bad usage.
#include "ForecastFixtures.h"
#include "bank/Cp932.h"
#include "bank/QuestionFileWriter.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{

using testsupport::runTool;

// A test of three categories of ten questions (the first named in kanji, the second with a
// quote), its mock exam 15 questions at `target`; three mock exams in its history.
struct Files {
    testsupport::TempInstall install;
    QString qdf, his, empty;

    explicit Files(const std::string& target = "70")
    {
        auto bank = forecastfixtures::bank({10, 10, 10}, 15);
        bank->category(1).name = cp932::fromUtf8("ルーティング");
        bank->category(2).name = "say \"hi\"";
        QuestionHeader header;
        header.formatTag = kFormatTag;
        header.targetRate = target;
        header.code = "QV-T";
        header.title = "T";
        header.updated = "20260401000000";
        qdf = install.writeFile(QStringLiteral("QDAT/v/t.qdf"), QuestionFileBytes(header, *bank));
        History h;
        forecastfixtures::answer(h, 1, 10, 12, 3);
        forecastfixtures::answer(h, 11, 10, 9, 6);
        forecastfixtures::answer(h, 21, 10, 13, 2);
        for (int k = 0; k < 3; ++k)
            forecastfixtures::attempt(h, QDate(2026, 5, 20 + k), 15, 75);
        his = install.writeFile(QStringLiteral("HIST/v/t.HIS"), HistoryBytes(h, HistoryNameField(qdf)));
        empty = install.writeFile(QStringLiteral("HIST/v/e.HIS"), EmptyHistoryBytes(qdf));
    }
};

QJsonObject forecast(const QStringList& args, QByteArray* raw = nullptr)
{
    const testsupport::ToolRun run = runTool(QStringList{QStringLiteral("forecast")} + args);
    if (run.exitCode != 0)
        qWarning("%s", run.err.constData());
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(run.out, &error);
    if (raw)
        *raw = run.out;
    return error.error == QJsonParseError::NoError ? doc.object() : QJsonObject();
}

} // namespace

class TestForecastTool : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("QUARVEL_TOOL"))
            QSKIP("QUARVEL_TOOL is not set (ctest sets it)");
    }

    void printsTheDocumentedShape()
    {
        Files files;
        QByteArray raw;
        const QJsonObject f = forecast(
            {files.qdf, files.his, QStringLiteral("--today"), QStringLiteral("2026-06-01"), QStringLiteral("--json")},
            &raw);
        // The keys stand in the documented order.
        qsizetype last = -1;
        for (const char* key : {"\"probability\"", "\"low\"", "\"high\"", "\"passMark\"", "\"attempts\"",
                                "\"categories\"", "\"number\"", "\"name\"", "\"questions\"", "\"rate\"", "\"gain\""}) {
            const qsizetype at = raw.indexOf(key);
            QVERIFY2(at > last, key);
            last = at;
        }
        QCOMPARE(f.keys().size(), 6);
        const double p = f.value("probability").toDouble(-1);
        QVERIFY(f.value("low").toDouble() <= p && p <= f.value("high").toDouble());
        QVERIFY(p > 0.2 && p < 1);
        QCOMPARE(f.value("passMark").toInt(), 70);
        QCOMPARE(f.value("attempts").toInt(), 3);
        const QJsonArray categories = f.value("categories").toArray();
        QCOMPARE(categories.size(), 3);
        QCOMPARE(categories[0].toObject().value("name").toString(), QStringLiteral("ルーティング"));
        QCOMPARE(categories[1].toObject().value("name").toString(), QStringLiteral("say \"hi\""));
        for (const QJsonValue& value : categories) {
            const QJsonObject c = value.toObject();
            QCOMPARE(c.keys().size(), 5);
            QCOMPARE(c.value("questions").toDouble(), 5.0);
            QVERIFY(c.value("rate").toDouble() > 50 && c.value("rate").toDouble() < 100); // percent
            QVERIFY(c.value("gain").isDouble() && c.value("gain").toDouble() >= 0);
        }
        QCOMPARE(categories[2].toObject().value("number").toInt(), 3);
    }

    void passMarkFromTheHeaderOrTheOption()
    {
        Files files;
        const QStringList base{files.qdf, files.his, QStringLiteral("--today"), QStringLiteral("2026-06-01"),
                               QStringLiteral("--json")};
        const double header = forecast(base).value("probability").toDouble();
        const QJsonObject easy = forecast(base + QStringList{QStringLiteral("--pass"), QStringLiteral("40")});
        const QJsonObject hard = forecast(base + QStringList{QStringLiteral("--pass"), QStringLiteral("95")});
        QCOMPARE(easy.value("passMark").toInt(), 40);
        QVERIFY(easy.value("probability").toDouble() > header);
        QVERIFY(hard.value("probability").toDouble() < header);
    }

    void emptyHistoryGivesNull()
    {
        Files files;
        const QJsonObject f = forecast({files.qdf, files.empty, QStringLiteral("--json")});
        QVERIFY(f.value("probability").isNull());
        QCOMPARE(f.value("low").toDouble(-1), 0.0);
        QCOMPARE(f.value("high").toDouble(-1), 1.0);
        QCOMPARE(f.value("attempts").toInt(-1), 0);
        for (const QJsonValue& c : f.value("categories").toArray())
            QVERIFY(c.toObject().value("gain").isNull() && c.toObject().value("rate").isNull());
    }

    void badUsageAndBadFiles_data()
    {
        QTest::addColumn<QStringList>("args"); // %Q: the question file, %H: the history, %E: the empty one
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("exit");
        QTest::newRow("without --json") << QStringList{"%Q", "%H"} << "70" << 2;
        QTest::newRow("one file") << QStringList{"%Q", "--json"} << "70" << 2;
        QTest::newRow("pass above 100") << QStringList{"%Q", "%H", "--pass", "101", "--json"} << "70" << 2;
        QTest::newRow("pass not a number") << QStringList{"%Q", "%H", "--pass", "7x", "--json"} << "70" << 2;
        QTest::newRow("bad today") << QStringList{"%Q", "%H", "--today", "2026-13-01", "--json"} << "70" << 2;
        QTest::newRow("unknown option") << QStringList{"%Q", "%H", "--csv"} << "70" << 2;
        QTest::newRow("missing history") << QStringList{"%Q", "%Q.HIS", "--json"} << "70" << 1;
        QTest::newRow("question file as history") << QStringList{"%Q", "%Q", "--json"} << "70" << 1;
        QTest::newRow("history as question file") << QStringList{"%H", "%H", "--json"} << "70" << 1;
        QTest::newRow("header names no pass mark") << QStringList{"%Q", "%H", "--json"} << "" << 1;
        QTest::newRow("--pass fills in") << QStringList{"%Q", "%H", "--pass", "60", "--json"} << "" << 0;
    }
    void badUsageAndBadFiles()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, target);
        QFETCH(int, exit);
        Files files(target.toStdString());
        QStringList filled{QStringLiteral("forecast")};
        for (QString arg : args)
            filled << arg.replace(QLatin1String("%Q"), files.qdf).replace(QLatin1String("%H"), files.his);
        const testsupport::ToolRun run = runTool(filled);
        QCOMPARE(run.exitCode, exit);
        QCOMPARE(run.out.isEmpty(), exit != 0);
    }
};

QUARVEL_TEST_MAIN(TestForecastTool)
#include "TestForecastTool.moc"

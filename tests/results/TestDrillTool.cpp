// quarvel-tool drill, run as a program: the scheduler on a review sequence, a deck as JSON, and
// its answers to bad input.
#include "results/DrillFile.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>

namespace
{

using Run = testsupport::ToolRun;

QJsonArray simulate(const QByteArray& sequence, Run* runOut = nullptr)
{
    const Run run = testsupport::runTool({"drill", "simulate", QString::fromUtf8(sequence)});
    if (runOut)
        *runOut = run;
    return QJsonDocument::fromJson(run.out).array();
}

} // namespace

class TestDrillTool : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("QUARVEL_TOOL"))
            QSKIP("QUARVEL_TOOL is not set (ctest sets it)");
    }

    // ts-fsrs's published long-term state after Again, then Good on the same day and 1, 3, 8 and 21
    // days later; the first pair's days are not read.
    void simulatePrintsEveryReview()
    {
        Run run;
        const QJsonArray states = simulate("[[99,1],[0,3],[1,3],[3,3],[8,3],[21,3]]", &run);
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QCOMPARE(states.size(), 6);
        QCOMPARE(states[0].toObject().value("stability").toDouble(), 0.212);
        QCOMPARE(states[0].toObject().value("interval").toInt(), 1);
        const QJsonObject last = states[5].toObject();
        QCOMPARE(last.keys(), (QStringList{"difficulty", "interval", "stability"}));
        QVERIFY(std::abs(last.value("stability").toDouble() - 53.335106) < 1e-4);
        QVERIFY(std::abs(last.value("difficulty").toDouble() - 6.3574867) < 1e-5);
        QCOMPARE(last.value("interval").toInt(), 53);
        QCOMPARE(simulate("[]").size(), 0);
    }

    // What the tool prints is the scheduler's state to the last bit, on random sequences.
    void simulateLosesNothingInPrint()
    {
        QRandomGenerator random(27);
        QJsonArray sequence;
        for (int k = 0; k < 60; ++k)
            sequence.append(QJsonArray{int(random.bounded(0, 400)), int(random.bounded(1, 5))});
        Run run;
        const QJsonArray states = simulate(QJsonDocument(sequence).toJson(QJsonDocument::Compact), &run);
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QCOMPARE(states.size(), sequence.size());
        const fsrs::Scheduler scheduler;
        fsrs::MemoryState state;
        for (qsizetype k = 0; k < sequence.size(); ++k) {
            const QJsonArray pair = sequence[k].toArray();
            const auto grade = fsrs::Grade(pair[1].toInt());
            state = k == 0 ? scheduler.first(grade) : scheduler.review(state, pair[0].toInt(), grade);
            const QJsonObject printed = states[k].toObject();
            QCOMPARE(printed.value("stability").toDouble(), state.stability);
            QCOMPARE(printed.value("difficulty").toDouble(), state.difficulty);
            QCOMPARE(printed.value("interval").toInt(), scheduler.interval(state.stability));
        }
    }

    void badSequences_data()
    {
        QTest::addColumn<QByteArray>("sequence");
        QTest::newRow("not JSON") << QByteArray("[[0,1]");
        QTest::newRow("not a list") << QByteArray("{\"a\": 1}");
        QTest::newRow("grade 0") << QByteArray("[[0,0]]");
        QTest::newRow("grade 5") << QByteArray("[[0,1],[1,5]]");
        QTest::newRow("fractional days") << QByteArray("[[0,1],[1.5,3]]");
        QTest::newRow("negative days") << QByteArray("[[0,1],[-1,3]]");
        QTest::newRow("three numbers") << QByteArray("[[0,1],[1,3,0]]");
        QTest::newRow("days as text") << QByteArray("[[0,1],[\"1\",3]]");
    }
    void badSequences()
    {
        QFETCH(QByteArray, sequence);
        Run run;
        simulate(sequence, &run);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.startsWith("SEQUENCE"));
    }

    void jsonOfADeck()
    {
        testsupport::TempInstall install;
        const int today = *drillday::fromDate(2026, 12, 10);
        DrillDeck deck;
        ApplyDrillReviews(deck, {{12, fsrs::Grade::Again}, {4, fsrs::Grade::Again}}, today);
        const QString path = install.root() + QStringLiteral("HIST/oracle/t1.DRL");
        QVERIFY(!SaveDrillDeck(path, deck));
        const Run run = testsupport::runTool({"drill", "json", path});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QJsonArray cards = QJsonDocument::fromJson(run.out).object().value("cards").toArray();
        QCOMPARE(cards.size(), 2);
        const QJsonObject first = cards[0].toObject();
        QCOMPARE(first.value("number").toInt(), 4);
        QCOMPARE(first.value("stability").toDouble(), deck.cards[0].stability);
        QCOMPARE(first.value("lastReview").toString(), QStringLiteral("20261210"));
        QCOMPARE(first.value("due").toString(), QStringLiteral("20261211"));
        QCOMPARE(first.value("reviews").toInt(), 1);
        QCOMPARE(first.value("lapses").toInt(), 0);
        // The keys in the documented order.
        QVERIFY(run.out.indexOf("\"number\"") < run.out.indexOf("\"stability\""));
        QVERIFY(run.out.indexOf("\"due\"") < run.out.indexOf("\"lapses\""));
    }

    void jsonOfBrokenAndMissingFiles()
    {
        testsupport::TempInstall install;
        const QString broken = install.writeFile(QStringLiteral("t1.DRL"),
                                                 std::string("QUARVEL-DRILL 1\r\n1 2 3 20261210 20261209 1 0\r\n"));
        Run run = testsupport::runTool({"drill", "json", broken});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("t1.DRL:2:"), run.err.constData());
        run = testsupport::runTool({"drill", "json", install.root() + QStringLiteral("none.DRL")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(testsupport::runTool({"drill", "json"}).exitCode, 2);
        QCOMPARE(testsupport::runTool({"drill", "simulate"}).exitCode, 2);
    }
};

QUARVEL_TEST_MAIN(TestDrillTool)
#include "TestDrillTool.moc"

#include "shell/SessionProposal.h"
#include "support/TestSupport.h"

class TestSessionProposal : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void roundsHalfToEven_data()
    {
        QTest::addColumn<qlonglong>("numerator");
        QTest::addColumn<qlonglong>("denominator");
        QTest::addColumn<qlonglong>("expected");
        QTest::newRow("exact") << 3600LL << 60LL << 60LL;
        QTest::newRow("67.5 goes down to even") << 135LL << 2LL << 68LL;
        QTest::newRow("64.5 goes down to even") << 129LL << 2LL << 64LL;
        QTest::newRow("0.5 goes to 0") << 1LL << 2LL << 0LL;
        QTest::newRow("above half") << 20LL << 3LL << 7LL;
        QTest::newRow("negative half to even") << -5LL << 2LL << -2LL;
    }
    void roundsHalfToEven()
    {
        QFETCH(qlonglong, numerator);
        QFETCH(qlonglong, denominator);
        QFETCH(qlonglong, expected);
        QCOMPARE(roundHalfEven(numerator, denominator), expected);
    }

    void proposals_data()
    {
        QTest::addColumn<int>("available");
        QTest::addColumn<int>("mockCount");
        QTest::addColumn<int>("mockMinutes");
        QTest::addColumn<int>("showCount");
        QTest::addColumn<int>("showMinutes");
        QTest::addColumn<int>("mockExamCount");
        QTest::addColumn<int>("mockExamMinutes");
        QTest::newRow("A 40 of M 60") << 40 << 60 << 90 << 40 << 60 << 40 << 60;
        QTest::newRow("A 100 of M 60") << 100 << 60 << 90 << 60 << 90 << 60 << 90;
        QTest::newRow("A 50 of M 60") << 50 << 60 << 90 << 50 << 75 << 50 << 75;
        QTest::newRow("A 45: 67.5 to 68") << 45 << 60 << 90 << 45 << 68 << 45 << 68;
        QTest::newRow("A 43: 64.5 to 64") << 43 << 60 << 90 << 43 << 64 << 43 << 64;
        // Showing takes T unless A < M; the mock exam takes T only when M < A.
        QTest::newRow("A equal to M") << 60 << 60 << 100 << 60 << 100 << 60 << 90;
        QTest::newRow("A 0") << 0 << 60 << 90 << 0 << 0 << 0 << 0;
        QTest::newRow("no mock count in the file") << 30 << 0 << 0 << 0 << 0 << 0 << 0;
        QTest::newRow("huge minutes do not overflow") << 1 << 2 << 2000000000 << 1 << 1000000000 << 1 << 2;
    }
    void proposals()
    {
        QFETCH(int, available);
        QFETCH(int, mockCount);
        QFETCH(int, mockMinutes);
        QFETCH(int, showCount);
        QFETCH(int, showMinutes);
        QFETCH(int, mockExamCount);
        QFETCH(int, mockExamMinutes);
        QCOMPARE(showProposal(available, mockCount, mockMinutes), (Proposal{showCount, showMinutes}));
        QCOMPARE(mockExamProposal(available, mockCount, mockMinutes), (Proposal{mockExamCount, mockExamMinutes}));
    }

    void startChecks_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<int>("available");
        QTest::addColumn<QString>("problem"); // empty: the session starts
        QTest::addColumn<bool>("focusCount");
        const QString none;
        // clang-format off
        QTest::newRow("starts")                  << "30"    << "45"  << 40 << none << false;
        QTest::newRow("untimed")                 << "30"    << "0"   << 40 << none << false;
        QTest::newRow("blanks around numbers")   << " 30 "  << " 45" << 40 << none << false;
        QTest::newRow("count 0")                 << "0"     << "45"  << 40 << startmessages::tooFew << true;
        QTest::newRow("count 0, nothing ticked") << "0"     << "45"  << 0  << startmessages::noQuestions << false;
        QTest::newRow("above A")                 << "41"    << "45"  << 40 << startmessages::tooMany << true;
        QTest::newRow("count abc")               << "abc"   << "45"  << 40 << startmessages::notInteger << true;
        QTest::newRow("minutes abc")             << "30"    << "abc" << 40 << startmessages::notInteger << true;
        QTest::newRow("decimal")                 << "3.5"   << "45"  << 40 << startmessages::notInteger << true;
        QTest::newRow("full-width digits")       << "３０"  << "45"  << 40 << startmessages::notInteger << true;
        QTest::newRow("beyond int")       << "99999999999" << "45"  << 40 << startmessages::notInteger << true;
        QTest::newRow("negative minutes")        << "30"    << "-1"  << 40 << startmessages::badTimeLimit << false;
        // Checked before the count, so a bad count with bad minutes reports the minutes.
        QTest::newRow("negative minutes, count 0") << "0"   << "-5"  << 40 << startmessages::badTimeLimit << false;
        QTest::newRow("minutes overflow seconds") << "30" << "40000000" << 40 << startmessages::badTimeLimit << false;
        // clang-format on
    }
    void startChecks()
    {
        QFETCH(QString, count);
        QFETCH(QString, minutes);
        QFETCH(int, available);
        QFETCH(QString, problem);
        QFETCH(bool, focusCount);
        const StartCheck check = checkStart(count, minutes, available);
        QCOMPARE(check.problem.value_or(QString()), problem);
        QCOMPARE(check.focusCount, focusCount);
        if (problem.isEmpty()) {
            QCOMPARE(check.count, count.trimmed().toInt());
            QCOMPARE(check.minutes, minutes.trimmed().toInt());
        }
    }
};

QUARVEL_TEST_MAIN(TestSessionProposal)
#include "TestSessionProposal.moc"

#include "results/Scoring.h"
#include "support/TestSupport.h"

#include "ResultFixtures.h"

using Flags = std::array<unsigned char, kMaxChoices>;
Q_DECLARE_METATYPE(Flags)

namespace
{

Flags flags(std::initializer_list<int> positions)
{
    Flags f{};
    for (int p : positions)
        f[size_t(p - 1)] = 1;
    return f;
}

const std::array<std::string, 5> kTexts{"textA", "textB", "textC", "textD", "textE"};

} // namespace

class TestScoring : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void rateAndLevel_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("level");
        QTest::newRow("all") << 7 << 7 << 100 << "A";
        QTest::newRow("none") << 0 << 7 << 0 << "E";
        QTest::newRow("2 of 3 truncates") << 2 << 3 << 66 << "C";
        QTest::newRow("1 of 3") << 1 << 3 << 33 << "D";
        QTest::newRow("1 of 2 is still D") << 1 << 2 << 50 << "D";
        QTest::newRow("51 of 100") << 51 << 100 << 51 << "C";
        QTest::newRow("70 of 100") << 70 << 100 << 70 << "C";
        QTest::newRow("71 of 100") << 71 << 100 << 71 << "B";
        QTest::newRow("4 of 5 is still B") << 4 << 5 << 80 << "B";
        QTest::newRow("81 of 100") << 81 << 100 << 81 << "A";
        QTest::newRow("24 of 100") << 24 << 100 << 24 << "E";
        QTest::newRow("25 of 100") << 25 << 100 << 25 << "D";
        QTest::newRow("499 of 500") << 499 << 500 << 99 << "A";
    }
    void rateAndLevel()
    {
        QFETCH(int, correct);
        QFETCH(int, total);
        QFETCH(int, rate);
        QFETCH(QString, level);
        fixtures::Session s;
        for (int r = 1; r <= total; ++r)
            s.add(1, r <= correct);
        const AttemptScore score = ScoreAttempt(*s.questions, *s.answers, total, 0, {});
        QCOMPARE(score.correctCount, correct);
        QCOMPARE(score.rate, rate);
        QCOMPARE(QString(QChar(score.level)), level);
        for (int r = 1; r <= total; ++r)
            QCOMPARE(score.verdict(r), r <= correct);
    }

    void levelTextsAndSounds_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sound");
        QTest::newRow("0") << 0 << "textE"
                           << "wav/Ouch.wav";
        QTest::newRow("25") << 25 << "textD"
                            << "wav/Bad.wav";
        QTest::newRow("51") << 51 << "textC"
                            << "wav/Soso.wav";
        QTest::newRow("80") << 80 << "textB"
                            << "wav/Good.wav";
        QTest::newRow("100") << 100 << "textA"
                             << "wav/Excellent.wav";
    }
    void levelTextsAndSounds()
    {
        QFETCH(int, rate);
        QFETCH(QString, text);
        QFETCH(QString, sound);
        QCOMPARE(QString::fromStdString(LevelText(LevelFor(rate), kTexts)), text);
        QCOMPARE(LevelSound(LevelFor(rate)), sound);
    }

    void judging_data()
    {
        QTest::addColumn<Flags>("key");
        QTest::addColumn<Flags>("answer");
        QTest::addColumn<bool>("right");
        QTest::newRow("single right") << flags({2}) << flags({2}) << true;
        QTest::newRow("single wrong") << flags({2}) << flags({3}) << false;
        QTest::newRow("one of two correct choices") << flags({1, 3}) << flags({1}) << false;
        QTest::newRow("both correct choices") << flags({1, 3}) << flags({1, 3}) << true;
        QTest::newRow("extra selection") << flags({1}) << flags({1, 4}) << false;
        QTest::newRow("nothing selected") << flags({1}) << flags({}) << false;
        QTest::newRow("position j counts") << flags({1, 10}) << flags({1}) << false;
        QTest::newRow("empty key, nothing selected") << flags({}) << flags({}) << true;
    }
    void judging()
    {
        QFETCH(Flags, key);
        QFETCH(Flags, answer);
        QFETCH(bool, right);
        SessionQuestion q;
        q.keyFlags = key;
        AnswerRecord a;
        a.answerFlags = answer;
        for (int style = 1; style <= 7; ++style) { // the style never matters
            q.style = style;
            QCOMPARE(JudgeAnswer(q, a), right);
        }
    }

    void timeAndStamp()
    {
        fixtures::Session s;
        s.add(1, true);
        const AttemptScore score = ScoreAttempt(*s.questions, *s.answers, 1, 754, {2024, 3, 9, 14, 5});
        QCOMPARE(score.elapsedMinutes, 12);
        QCOMPARE(score.elapsedSeconds, 34);
        QCOMPARE(score.stamp.month, 3);
        QCOMPARE(score.stamp.minute, 5);
    }

    void emptySessionScoresZero()
    {
        fixtures::Session s;
        const AttemptScore score = ScoreAttempt(*s.questions, *s.answers, 0, 10, {});
        QCOMPARE(score.rate, 0);
        QCOMPARE(score.level, 'E');
        // A count beyond the table is held to it.
        QCOMPARE(ScoreAttempt(*s.questions, *s.answers, 900, 0, {}).questionCount, kMaxQuestions);
    }

    void categoryTally()
    {
        fixtures::Session s;
        s.add(2, true);
        s.add(2, false);
        s.add(2, true);
        s.add(4, true);  // beyond the test's three categories: counted, never rated
        s.add(0, false); // a broken category number is skipped
        const AttemptScore score = ScoreAttempt(*s.questions, *s.answers, s.count, 0, {});
        const CategoryTally tally = TallyCategories(*s.questions, score, 3);
        QCOMPARE(tally.rate(1), kCategoryNotAsked);
        QCOMPARE(tally.rate(2), 66);
        QCOMPARE(tally.correct[1], 2);
        QCOMPARE(tally.wrong[1], 1);
        QCOMPARE(tally.rate(3), kCategoryNotAsked);
        QCOMPARE(tally.correct[3], 1);
        QCOMPARE(tally.rate(4), kCategoryNotAsked);
        QCOMPARE(tally.rate(50), kCategoryNotAsked);
    }

    void oneQuestionInThreeCategories()
    {
        fixtures::Session s;
        s.add(3, false);
        const AttemptScore score = ScoreAttempt(*s.questions, *s.answers, 1, 0, {});
        const CategoryTally tally = TallyCategories(*s.questions, score, 3);
        QCOMPARE(tally.rate(1), kCategoryNotAsked);
        QCOMPARE(tally.rate(2), kCategoryNotAsked);
        QCOMPARE(tally.rate(3), 0); // asked and missed: 0, not the marker
    }

    void questionTallyAddsOncePerQuestionAndSaturates()
    {
        fixtures::Session s;
        s.add(1, true, 7);
        s.add(1, false, 9);
        s.add(1, true, 500);
        s.add(1, true, 501); // out of the bank: skipped
        const AttemptScore score = ScoreAttempt(*s.questions, *s.answers, s.count, 0, {});
        std::array<int, kMaxQuestions> correct{};
        std::array<int, kMaxQuestions> wrong{};
        correct[499] = 255;
        AddToQuestionTally(*s.questions, score, correct, wrong);
        QCOMPARE(correct[6], 1);
        QCOMPARE(wrong[6], 0);
        QCOMPARE(wrong[8], 1);
        QCOMPARE(correct[8], 0);
        QCOMPARE(correct[499], 255); // not 0: a wrapped count would read as never answered
        int total = 0;
        for (size_t j = 0; j < kMaxQuestions; ++j)
            total += correct[j] + wrong[j];
        QCOMPARE(total, 255 + 2);
    }
};

QUARVEL_TEST_MAIN(TestScoring)
#include "TestScoring.moc"

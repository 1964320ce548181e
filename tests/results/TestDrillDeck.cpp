// The drill deck's rules: how an answer grades, how a recorded attempt changes the deck, which
// questions are due, and the calendar days the deck counts in.
#include "ResultFixtures.h"
#include "results/AdaptiveRecord.h"
#include "results/DrillDeck.h"
#include "support/TestSupport.h"

#include <QTest>

namespace
{

int day(int yyyymmdd)
{
    return *drillday::fromText(std::to_string(yyyymmdd));
}

DrillCard card(int number, int lastReview, int due, double stability = 2.0)
{
    DrillCard c;
    c.number = number;
    c.stability = stability;
    c.difficulty = 5.0;
    c.lastReview = day(lastReview);
    c.due = day(due);
    c.reviews = 1;
    return c;
}

} // namespace

class TestDrillDeck : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void grading_data()
    {
        QTest::addColumn<bool>("correct");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<bool>("explanation");
        QTest::addColumn<int>("average");
        QTest::addColumn<int>("grade");
        QTest::newRow("wrong") << false << 10 << false << 30 << 1;
        QTest::newRow("wrong and fast is still wrong") << false << 1 << false << 30 << 1;
        QTest::newRow("right in the usual time") << true << 30 << false << 30 << 3;
        QTest::newRow("right at twice the average") << true << 60 << false << 30 << 3;
        QTest::newRow("right past twice the average") << true << 61 << false << 30 << 2;
        QTest::newRow("right at a third of the average") << true << 10 << false << 30 << 3;
        QTest::newRow("right under a third of the average") << true << 9 << false << 30 << 4;
        QTest::newRow("right after the explanation") << true << 9 << true << 30 << 2;
        QTest::newRow("explanation without an average") << true << 5 << true << 0 << 2;
        QTest::newRow("no average: good however slow") << true << 500 << false << 0 << 3;
        QTest::newRow("no average: good however fast") << true << 1 << false << 0 << 3;
    }
    void grading()
    {
        QFETCH(bool, correct);
        QFETCH(int, seconds);
        QFETCH(bool, explanation);
        QFETCH(int, average);
        QFETCH(int, grade);
        QCOMPARE(int(DrillGrade({correct, seconds, explanation, average})), grade);
    }

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("ordinary") << "20261210" << true;
        QTest::newRow("leap day") << "20240229" << true;
        QTest::newRow("no leap day") << "20260229" << false;
        QTest::newRow("month 13") << "20261301" << false;
        QTest::newRow("day 0") << "20261200" << false;
        QTest::newRow("seven digits") << "2026121" << false;
        QTest::newRow("a sign") << "+2026121" << false;
        QTest::newRow("before 1900") << "18991231" << false;
        QTest::newRow("last day") << "99991231" << true;
    }
    void dates()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const auto d = drillday::fromText(text.toStdString());
        QCOMPARE(d.has_value(), valid);
        if (d)
            QCOMPARE(QString::fromStdString(drillday::text(*d)), text);
    }

    void daysCountAcrossMonthsAndYears()
    {
        QCOMPARE(day(20270101) - day(20261231), 1);
        QCOMPARE(day(20240301) - day(20240228), 2);
        QCOMPARE(day(19700101), 0);
    }

    // A wrong answer brings a new question in as Again on that day; a right one does not.
    void wrongAnswersEnterTheDeck()
    {
        DrillDeck deck;
        const int today = day(20261210);
        const int changed =
            ApplyDrillReviews(deck, {{7, fsrs::Grade::Again}, {3, fsrs::Grade::Good}, {2, fsrs::Grade::Again}}, today);
        QCOMPARE(changed, 2);
        QCOMPARE(deck.cards.size(), size_t(2));
        QCOMPARE(deck.cards[0].number, 2); // kept in number order
        QCOMPARE(deck.cards[1].number, 7);
        const fsrs::MemoryState first = fsrs::Scheduler().first(fsrs::Grade::Again);
        const DrillCard& c = deck.cards[1];
        QCOMPARE(c.stability, first.stability);
        QCOMPARE(c.difficulty, first.difficulty);
        QCOMPARE(c.lastReview, today);
        QCOMPARE(c.due, today + 1);
        QCOMPARE(c.reviews, 1);
        QCOMPARE(c.lapses, 0);
    }

    // A question in the deck is reviewed with its grade and the days since its last review.
    void answeredCardsAreReviewed_data()
    {
        QTest::addColumn<int>("grade");
        QTest::addColumn<int>("lapses");
        QTest::newRow("again") << 1 << 1;
        QTest::newRow("hard") << 2 << 0;
        QTest::newRow("good") << 3 << 0;
        QTest::newRow("easy") << 4 << 0;
    }
    void answeredCardsAreReviewed()
    {
        QFETCH(int, grade);
        QFETCH(int, lapses);
        DrillDeck deck;
        deck.cards = {card(5, 20261201, 20261205, 4.0), card(9, 20261201, 20261203)};
        const DrillCard untouched = deck.cards[1];
        const int today = day(20261210);
        QCOMPARE(ApplyDrillReviews(deck, {{5, fsrs::Grade(grade)}}, today), 1);
        const fsrs::Scheduler scheduler;
        const fsrs::MemoryState expected = scheduler.review({4.0, 5.0}, 9, fsrs::Grade(grade));
        const DrillCard& c = deck.cards[0];
        QCOMPARE(c.stability, expected.stability);
        QCOMPARE(c.difficulty, expected.difficulty);
        QCOMPARE(c.lastReview, today);
        QCOMPARE(c.due, today + scheduler.interval(expected.stability));
        QCOMPARE(c.reviews, 2);
        QCOMPARE(c.lapses, lapses);
        QCOMPARE(deck.cards[1], untouched);
    }

    // A clock set back before the last review reviews as on the same day, never with negative days.
    void clockGoneBackCountsAsSameDay()
    {
        DrillDeck deck;
        deck.cards = {card(5, 20261210, 20261212)};
        ApplyDrillReviews(deck, {{5, fsrs::Grade::Good}}, day(20261201));
        QCOMPARE(deck.cards[0].stability, 2.0); // no time passed: recall was certain, nothing learned
        QVERIFY(deck.cards[0].due > day(20261201));
    }

    void dueQuestionsOldestFirst()
    {
        DrillDeck deck;
        deck.cards = {card(1, 20261201, 20261211), card(2, 20261201, 20261208), card(3, 20261201, 20261210),
                      card(4, 20261201, 20261208), card(5, 20261201, 20261220)};
        QCOMPARE(DueQuestions(deck, day(20261210)), (std::vector<int>{2, 4, 3}));
        QCOMPARE(DueQuestions(deck, day(20261207)), std::vector<int>{});
        QCOMPARE(DueQuestions(deck, day(20261231)).size(), size_t(5));
    }

    void dueDateStopsAtTheLastDay()
    {
        DrillDeck deck;
        deck.cards = {card(1, 99991201, 99991230, 30000.0)};
        ApplyDrillReviews(deck, {{1, fsrs::Grade::Easy}}, day(99991230));
        QCOMPARE(deck.cards[0].due, drillday::lastDay());
    }

    // Only questions that were on screen count; the average comes from the record before the
    // attempt, matched by question number; a question never asked has no average.
    void reviewsOfAnAttempt()
    {
        fixtures::Session s;
        s.add(1, false).number = 11; // wrong
        s.add(1, true).number = 12;  // right, fast against its average
        s.add(1, true).number = 13;  // right, never asked before
        s.add(1, false).number = 14; // never on screen
        s.add(1, true).number = 15;  // right after the explanation
        s.answers->at(1).secondsOnQuestion = 40;
        s.answers->at(2).secondsOnQuestion = 5;
        s.answers->at(3).secondsOnQuestion = 5;
        s.answers->at(5).secondsOnQuestion = 20;
        s.answers->at(5).explanationViewed = 1;
        const std::vector<std::string> record{
            JoinAdaptiveLine({"12", "1", "1", "q", "4", "2", "30"}),
            JoinAdaptiveLine({"13", "1", "1", "q", "0", "0", "0"}),
            "a broken line",
        };
        const AttemptScore score = ScoreAttempt(*s.questions, *s.answers, s.count, 70, {});
        const std::vector<DrillReview> reviews = DrillReviewsOfAttempt(*s.questions, *s.answers, score, record);
        QCOMPARE(reviews.size(), size_t(4));
        QCOMPARE(reviews[0].number, 11);
        QCOMPARE(reviews[0].grade, fsrs::Grade::Again);
        QCOMPARE(reviews[1].number, 12);
        QCOMPARE(reviews[1].grade, fsrs::Grade::Easy);
        QCOMPARE(reviews[2].number, 13);
        QCOMPARE(reviews[2].grade, fsrs::Grade::Good);
        QCOMPARE(reviews[3].number, 15);
        QCOMPARE(reviews[3].grade, fsrs::Grade::Hard);
    }
};

QUARVEL_TEST_MAIN(TestDrillDeck)
#include "TestDrillDeck.moc"

#include "session/ExamSession.h"
#include "support/TestSupport.h"

#include <memory>

class TestExamSession : public QObject
{
    Q_OBJECT

    // A sitting part-way through: an answer marked, time spent, in review and paused at 3.
    static std::unique_ptr<ExamSession> sittingUnderWay(int bankQuestions, int asked)
    {
        auto session = std::make_unique<ExamSession>();
        session->bank = *testsupport::oneCategoryBank(bankQuestions, 30, {"yes", "no"});
        session->settings.setChecked(1, 1, true);
        session->settings.availableCount = 10; // the category table may promise more than the file holds
        session->settings.questionCount = asked;
        session->answers.at(1).marked = 1;
        session->answers.at(500).secondsOnQuestion = 9;
        session->currentQuestion = 3;
        session->reviewMode = 1;
        session->paused = 1;
        return session;
    }

  private Q_SLOTS:
    void drawStartsAfreshOrNotAtAll_data()
    {
        QTest::addColumn<int>("bankQuestions");
        QTest::addColumn<int>("asked");
        QTest::addColumn<bool>("started");
        QTest::addColumn<int>("count");
        QTest::newRow("as many as asked") << 10 << 4 << true << 4;
        QTest::newRow("as long as the file allows") << 3 << 5 << true << 3;
        QTest::newRow("nothing to draw") << 0 << 5 << false << 0;
    }
    void drawStartsAfreshOrNotAtAll()
    {
        QFETCH(int, bankQuestions);
        QFETCH(int, asked);
        QFETCH(bool, started);
        QFETCH(int, count);
        auto session = sittingUnderWay(bankQuestions, asked);
        const std::array<std::uint8_t, kMaxQuestions> weights{};
        QCOMPARE(session->draw(weights, [](int) { return 1; }), started);
        QCOMPARE(session->count(), count);
        QCOMPARE(session->sessionQuestions.count, count);
        // A draw that starts nothing leaves the last sitting's answers and position alone.
        QCOMPARE(int(session->answers.at(1).marked), started ? 0 : 1);
        QCOMPARE(session->answers.at(500).secondsOnQuestion, started ? 0 : 9);
        QCOMPARE(session->currentQuestion, started ? 1 : 3);
        QCOMPARE(session->reviewMode, started ? 0 : 1);
        QCOMPARE(session->paused, started ? 0 : 1);
    }

    // A drill sits the listed questions in the list's order, as a drill, and starts afresh; an
    // empty list starts nothing and changes nothing.
    void drawListedSitsTheListInOrder()
    {
        auto session = sittingUnderWay(10, 4);
        session->settings.timeLimitSeconds = 600;
        session->settings.timeLimitOn = 1;
        QVERIFY(!session->drawListed({}, [](int) { return 1; }));
        QCOMPARE(session->settings.questionCount, 4);
        QCOMPARE(session->currentQuestion, 3);

        QVERIFY(session->drawListed({7, 2, 9}, [](int) { return 1; }));
        QCOMPARE(session->count(), 3);
        QCOMPARE(session->settings.mode, int(kModeDrill));
        QCOMPARE(session->settings.timeLimitOn, 0);
        QVERIFY(session->settings.adaptive);
        QCOMPARE(session->sessionQuestions.question(1).bankIndex, 7);
        QCOMPARE(session->sessionQuestions.question(2).bankIndex, 2);
        QCOMPARE(session->sessionQuestions.question(3).number, 9);
        QCOMPARE(session->sessionQuestions.question(4).bankIndex, 0); // nothing left from before
        QCOMPARE(session->sessionQuestions.question(1).shownChoiceCount, 2);
        QCOMPARE(int(session->answers.at(1).marked), 0);
        QCOMPARE(session->currentQuestion, 1);
        QCOMPARE(session->reviewMode, 0);
    }

    void bankPositionsOfNumbers()
    {
        QuestionBank bank = *testsupport::oneCategoryBank(5, 30, {"yes", "no"});
        bank.question(4).number = 40; // numbers need not follow positions
        QCOMPARE(bankPositionsOf(bank, {40, 2, 99, 2, 1}), (std::vector<int>{4, 2, 1}));
        QCOMPARE(bankPositionsOf(bank, {4, 6}), std::vector<int>{}); // 4 is no number any more; 6 beyond the bank
    }

    void positionsLieWithinTheSession_data()
    {
        QTest::addColumn<int>("questionCount");
        QTest::addColumn<int>("count");
        QTest::newRow("none") << -3 << 0;
        QTest::newRow("two") << 2 << 2;
        QTest::newRow("beyond the table") << 900 << kMaxQuestions;
    }
    void positionsLieWithinTheSession()
    {
        QFETCH(int, questionCount);
        QFETCH(int, count);
        auto session = std::make_unique<ExamSession>();
        session->settings.questionCount = questionCount;
        QCOMPARE(session->count(), count);
        QVERIFY(!session->isPosition(0) && !session->question(0));
        QVERIFY(!session->isPosition(count + 1) && !session->question(count + 1));
        QCOMPARE(session->isPosition(count), count > 0);
        if (count > 0)
            QCOMPARE(session->question(count), &session->sessionQuestions.question(count));
        // Review goes only to a position of the session.
        QCOMPARE(session->enterReview(count + 1), false);
        QCOMPARE(session->reviewMode, 0);
        QCOMPARE(session->enterReview(count), count > 0);
        QCOMPARE(session->reviewMode, count > 0 ? 1 : 0);
        QCOMPARE(session->currentQuestion, count > 0 ? count : 1);
        session->leaveReview();
        QCOMPARE(session->reviewMode, 0);
    }

    void pauseTogglesAndStartRuns()
    {
        auto session = std::make_unique<ExamSession>();
        QVERIFY(session->togglePause());
        QCOMPARE(session->paused, 1);
        QVERIFY(!session->togglePause());
        QCOMPARE(session->paused, 0);
        session->togglePause();
        session->elapsedSeconds = 70;
        session->start(CaseStudy{});
        QCOMPARE(session->paused, 0);
        QCOMPARE(session->elapsedSeconds, 0);
        QCOMPARE(session->caseStudyClosed, 1);
    }

    void caseStudyHoldsTimeUpAndItsTimeIsNotCounted()
    {
        auto session = std::make_unique<ExamSession>();
        session->settings.questionCount = 2;
        CaseStudy study;
        study.present = true;
        session->start(study);
        QCOMPARE(session->caseStudyClosed, 0);
        session->elapsedSeconds = 40;
        session->closeCaseStudy();
        QCOMPARE(session->caseStudyClosed, 1);
        session->elapsedSeconds = 55;
        session->accountTime();
        QCOMPARE(session->answers.at(1).secondsOnQuestion, 15);
        // Time-up sets the clock back before the question start: that visit adds nothing.
        session->elapsedSeconds = 30;
        session->accountTime();
        QCOMPARE(session->answers.at(1).secondsOnQuestion, 15);
    }
};

QUARVEL_TEST_MAIN(TestExamSession)
#include "TestExamSession.moc"

// The result screen's part in the drill deck: after the history is saved, the attempt's answers
// are graded against the adaptive record as it stood before, and a deck that does not read is
// reported and left as it was.
#include "bank/Cp932.h"
#include "install/Selection.h"
#include "results/AdaptiveRecord.h"
#include "results/DrillFile.h"
#include "results/screens/TResultForm.h"
#include "session/ExamSession.h"
#include "shell/screens/ScreenCatalogue.h"
#include "support/ExamSession.h"
#include "support/TestSupport.h"
#include "ui/MessageBox.h"

class TestResultRecordsDrill : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    CourseTest m_test;

    // Bank of four questions; the session asks 1 (wrong), 2 (right in 2 s), 3 (right in 50 s)
    // and 4 (right in 10 s), each for `seconds[r]`.
    void setSession()
    {
        ExamSession& session = examSession();
        session.bank = *testsupport::oneCategoryBank(4, 30, {"yes", "no"});
        session.settings = SessionSettings{};
        session.settings.mode = kModeNormal;
        session.settings.questionCount = 4;
        session.sessionQuestions.count = 4;
        const int seconds[] = {5, 2, 50, 10};
        for (int r = 1; r <= 4; ++r) {
            session.sessionQuestions.question(r) = testsupport::singleChoiceQuestion(r);
            session.answers.at(r) = testsupport::choiceAnswer(r == 1 ? 1 : 0, seconds[r - 1]);
        }
        session.elapsedSeconds = 67;
    }

  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        createScreens();
        m_test.questionFile = m_install->questionDir(QStringLiteral("v")) + QStringLiteral("t.qdf");
        m_test.historyFile = m_install->historyDir(QStringLiteral("v")) + QStringLiteral("t.HIS");
        m_test.adaptiveFile = m_install->historyDir(QStringLiteral("v")) + QStringLiteral("t.ADP");
        m_test.drillFile = m_install->historyDir(QStringLiteral("v")) + QStringLiteral("t.DRL");
        m_test.code = "QV-1";
        m_test.title = cp932::fromUtf8("基礎");
        QVERIFY(CreateEmptyHistory(m_test.historyFile, m_test.questionFile));
        selection().setTest(m_test);
        selection().setTheme(VendorTheme{});
        ui::testing::clearShownMessages();
        setProgramEndHandler([] {});
        qputenv("QUARVEL_TODAY", "20261210");
    }

    void cleanup()
    {
        destroyScreens();
        setProgramEndHandler({});
        qunsetenv("QUARVEL_TODAY");
        m_install.reset();
    }

    void answersReviewTheDeckGradedByTheRecordBefore()
    {
        // Questions 2..4 are in the deck; the record says each took 20 s on average so far.
        const int today = *drillday::fromDate(2026, 12, 10);
        DrillDeck deck;
        for (int n = 2; n <= 4; ++n)
            deck.cards.push_back({n, 3.0, 5.0, today - 3, today, 1, 0});
        QVERIFY(!SaveDrillDeck(m_test.drillFile, deck));
        std::string record;
        for (int n = 1; n <= 4; ++n)
            record += JoinAdaptiveLine({std::to_string(n), "1", "1", "q", "1", "1", "20"}) + "\r\n";
        m_install->writeFile(QStringLiteral("HIST/v/t.ADP"), record);
        setSession();
        examSession().settings.adaptive = true;
        screens().ResultForm->show();
        screens().ResultForm->Button3Click();

        const auto after = LoadDrillDeck(m_test.drillFile);
        QVERIFY(after);
        QCOMPARE(after->cards.size(), size_t(4));
        const fsrs::Scheduler scheduler;
        QCOMPARE(after->cards[0].number, 1); // wrong: entered the deck
        QCOMPARE(after->cards[0].stability, scheduler.first(fsrs::Grade::Again).stability);
        const fsrs::Grade grades[] = {fsrs::Grade::Easy, fsrs::Grade::Hard, fsrs::Grade::Good}; // 2 s, 50 s, 10 s
        for (int k = 0; k < 3; ++k) {
            const fsrs::MemoryState expected = scheduler.review({3.0, 5.0}, 3, grades[k]);
            QCOMPARE(after->cards[size_t(k + 1)].stability, expected.stability);
            QCOMPARE(after->cards[size_t(k + 1)].reviews, 2);
        }
        // The record itself took the attempt afterwards.
        const auto lines = ReadAdaptiveRecord(m_test.adaptiveFile);
        QCOMPARE(SplitAdaptiveLine((*lines)[2])->at(kAdpAverageSeconds), std::string("35"));
        QVERIFY(ui::testing::shownMessages().isEmpty());
    }

    void aBrokenDeckIsReportedAfterTheHistoryIsSaved()
    {
        const std::string broken = "QUARVEL-DRILL 1\r\n3 1 5 20261210 20261209 1 0\r\n";
        m_install->writeFile(QStringLiteral("HIST/v/t.DRL"), broken);
        setSession();
        screens().ResultForm->show();
        screens().ResultForm->Button3Click();
        QCOMPARE(LoadHistory(m_test.historyFile).attempts[0].rate, 75);
        QCOMPARE(testsupport::readBytes(m_test.drillFile), broken);
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        QVERIFY(ui::testing::shownMessages().first().text.startsWith(m_test.drillFile + QStringLiteral(" 2 行目: ")));
    }
};

QUARVEL_TEST_MAIN(TestResultRecordsDrill)
#include "TestResultRecordsDrill.moc"

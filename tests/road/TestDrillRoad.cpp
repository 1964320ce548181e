// The drill deck walked through the real screens: an attempt with wrong answers fills the deck, a
// later day shows the due count on the course menu, "復習" sits exactly the due questions (oldest
// due first) through the start notice, exam, review and result screens, and the deck and the
// history follow the grades. "Today" is moved with QUARVEL_TODAY.
#include "results/AdaptiveRecord.h"
#include "results/DrillFile.h"
#include "results/HistoryFile.h"
#include "results/screens/TResultForm.h"
#include "session/ExamSession.h"
#include "session/screens/TConfirmForm.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "shell/screens/TGenericMBForm.h"
#include "support/RoadFixtures.h"
#include "ui/MessageBox.h"

#include <QLineEdit>
#include <QRadioButton>

namespace
{

using testsupport::road::kQuestions;

int day(int yyyymmdd)
{
    return *drillday::fromText(std::to_string(yyyymmdd));
}

void setToday(int yyyymmdd)
{
    qputenv("QUARVEL_TODAY", QByteArray::number(yyyymmdd));
}

// Answers every question of the running exam (right unless its number is in `wrong`), two
// seconds each, then scores on the review screen and leaves the result screen.
void answerAndRecord(const QList<int>& wrong)
{
    ScreenCatalogue& s = screens();
    if (!s.ExamModeForm->isVisible())
        qFatal("exam screen not shown");
    const SessionTable& table = examSession().sessionQuestions;
    for (int q = 1; q <= examSession().count(); ++q) {
        const SessionQuestion& question = table.question(q);
        const bool right = !wrong.contains(question.number);
        for (int i = 1; i <= question.shownChoiceCount; ++i) {
            if ((question.keyFlags[size_t(i - 1)] == 1) == right) {
                s.ExamModeForm->findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(i))->setChecked(true);
                break;
            }
        }
        s.ExamModeForm->Timer1Timer();
        s.ExamModeForm->Timer1Timer();
        s.ExamModeForm->Button2Click(); // the last one opens the review screen
    }
    if (!s.ConfirmForm->isVisible())
        qFatal("review screen not shown");
    s.ConfirmForm->Button1Click();
    if (!s.ResultForm->isVisible())
        qFatal("result screen not shown");
    s.ResultForm->Button3Click();
    if (!s.CourseMenuForm->isVisible())
        qFatal("course menu not shown after the result screen");
}

void passStartNotice()
{
    if (!screens().GenericMBForm->isVisible())
        qFatal("start notice not shown");
    for (int tick = 0; tick < 21; ++tick)
        screens().GenericMBForm->Timer1Timer();
}

} // namespace

class TestDrillRoad : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        m_questionFile = testsupport::road::writeTest(*m_install);
        m_drillFile = m_install->historyDir(QStringLiteral("oracle")) + QStringLiteral("road.DRL");
        ui::testing::clearShownMessages();
        createScreens();
    }
    void cleanup()
    {
        destroyScreens();
        qunsetenv("QUARVEL_TODAY");
        m_install.reset();
    }

    void wrongAnswersComeBackWhenDue()
    {
        ScreenCatalogue& s = screens();
        TCourseMenuForm* menu = s.CourseMenuForm;

        // Day 1: a normal attempt over all six questions, 102 and 105 wrong.
        setToday(20261210);
        menu->show();
        menu->RDBClick(1);
        menu->Button2Click();
        s.CatSelForm->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QString::number(kQuestions));
        s.CatSelForm->Button1Click();
        passStartNotice();
        answerAndRecord({102, 105});
        auto deck = LoadDrillDeck(m_drillFile);
        QVERIFY(deck);
        QCOMPARE(deck->cards.size(), size_t(2));
        QCOMPARE(deck->cards[0].number, 102);
        QCOMPARE(deck->cards[1].number, 105);
        QCOMPARE(deck->cards[0].due, day(20261211));
        QCOMPARE(menu->dueCount(1), 0); // nothing due on the day itself

        // Nothing due: the button says so and stays on the menu.
        menu->DrillButtonClick();
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        QVERIFY(menu->isVisible());

        // Two days later both are due; 105 is made the older one.
        deck->cards[1].due = day(20261211);
        deck->cards[0].due = day(20261212);
        QVERIFY(!SaveDrillDeck(m_drillFile, *deck));
        setToday(20261212);
        menu->hide();
        menu->show();
        QCOMPARE(menu->dueCount(1), 2);

        // "復習": exactly the due questions, oldest due first, through the usual screens.
        menu->DrillButtonClick();
        passStartNotice();
        const ExamSession& session = examSession();
        QCOMPARE(session.settings.mode, int(kModeDrill));
        QCOMPARE(session.count(), 2);
        QCOMPARE(session.sessionQuestions.question(1).number, 105);
        QCOMPARE(session.sessionQuestions.question(2).number, 102);
        answerAndRecord({102}); // 105 right (no average yet: Good), 102 wrong again

        const fsrs::Scheduler scheduler;
        const fsrs::MemoryState first = scheduler.first(fsrs::Grade::Again);
        const auto after = LoadDrillDeck(m_drillFile);
        QVERIFY(after);
        QCOMPARE(after->cards.size(), size_t(2));
        const DrillCard& again = after->cards[0];
        const DrillCard& good = after->cards[1];
        const fsrs::MemoryState lapse = scheduler.review(first, 2, fsrs::Grade::Again);
        const fsrs::MemoryState recall = scheduler.review(first, 2, fsrs::Grade::Good);
        QCOMPARE(again.number, 102);
        QCOMPARE(again.stability, lapse.stability);
        QCOMPARE(again.reviews, 2);
        QCOMPARE(again.lapses, 1);
        QCOMPARE(again.lastReview, day(20261212));
        QCOMPARE(again.due, day(20261212) + scheduler.interval(lapse.stability));
        QCOMPARE(good.number, 105);
        QCOMPARE(good.stability, recall.stability);
        QCOMPARE(good.difficulty, recall.difficulty);
        QCOMPARE(good.reviews, 2);
        QCOMPARE(good.lapses, 0);

        // The drill is an attempt like any other, with its own mode, and keeps the adaptive record.
        const History history =
            LoadHistory(m_install->historyDir(QStringLiteral("oracle")) + QStringLiteral("road.HIS"));
        QCOMPARE(history.attempts[0].mode, int(kModeDrill));
        QCOMPARE(history.attempts[0].questionCount, 2);
        QCOMPARE(history.attempts[0].rate, 50);
        QCOMPARE(history.attempts[1].mode, int(kModeNormal));
        const auto adaptive =
            ReadAdaptiveRecord(m_install->historyDir(QStringLiteral("oracle")) + QStringLiteral("road.ADP"));
        QVERIFY(adaptive);
        QCOMPARE(SplitAdaptiveLine((*adaptive)[4])->at(kAdpAsked), std::string("1")); // question 105
        QCOMPARE(menu->dueCount(1), 0);
    }

    void aBrokenDeckIsNamedAndLeftAlone()
    {
        const std::string broken = "QUARVEL-DRILL 1\r\n102 x\r\n";
        m_install->writeFile(QStringLiteral("HIST/oracle/road.DRL"), broken);
        TCourseMenuForm* menu = screens().CourseMenuForm;
        menu->show();
        QCOMPARE(menu->dueCount(1), 0);
        menu->DrillButtonClick();
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        QVERIFY(ui::testing::shownMessages().first().text.contains(QStringLiteral("road.DRL 2 行目")));
        QVERIFY(menu->isVisible());
        QCOMPARE(testsupport::readBytes(m_drillFile), broken);
    }

  private:
    std::unique_ptr<testsupport::TempInstall> m_install;
    QString m_questionFile;
    QString m_drillFile;
};

QUARVEL_TEST_MAIN(TestDrillRoad)
#include "TestDrillRoad.moc"

// One attempt walked through the real screens, from the course menu to the result screen and
// back, on a temporary installation; then the history file's bytes are checked.
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

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace
{

using testsupport::road::expectedHistory;
using testsupport::road::kQuestions;

enum class Answer { Right, Wrong, None };

struct Walk {
    QList<Answer> answers; // per session position
    int markedPosition = 0;
    int seconds = 0;
    QDateTime when;
};

struct Outcome {
    int rate = 0;
    std::array<int, 3> categoryRate{}; // 101 when not asked
    std::array<int, kQuestions> correct{}, wrong{};
};

int choiceFor(const SessionQuestion& q, Answer answer)
{
    for (int i = 1; i <= q.shownChoiceCount; ++i) {
        const bool key = q.keyFlags[size_t(i - 1)] == 1;
        if ((answer == Answer::Right) == key)
            return i;
    }
    return 0;
}

// Walks the road once through the real screens and returns what the attempt should record.
Outcome walkOneAttempt(const Walk& walk)
{
    ScreenCatalogue& s = screens();
    s.CourseMenuForm->show();
    s.CourseMenuForm->RDBClick(1);
    s.CourseMenuForm->Button2Click();
    if (!s.CatSelForm->isVisible())
        qFatal("category selection not shown");

    // Every category is ticked on show; ask for all six questions, ten minutes.
    s.CatSelForm->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QString::number(kQuestions));
    s.CatSelForm->findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("10"));
    s.CatSelForm->Button1Click();
    if (!s.GenericMBForm->isVisible())
        qFatal("start notice not shown");
    for (int tick = 0; tick < 21; ++tick)
        s.GenericMBForm->Timer1Timer();
    if (!s.ExamModeForm->isVisible())
        qFatal("exam screen not shown");

    TExamModeForm* exam = s.ExamModeForm;
    const SessionTable& table = examSession().sessionQuestions;
    Outcome outcome;
    std::array<int, 3> right{}, asked{};
    int correctCount = 0;
    for (int q = 1; q <= kQuestions; ++q) {
        const SessionQuestion& question = table.question(q);
        const Answer answer = walk.answers.value(q - 1, Answer::None);
        if (answer != Answer::None)
            exam->findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(choiceFor(question, answer)))
                ->setChecked(true);
        exam->findChild<QCheckBox*>(QStringLiteral("CheckBox0"))->setChecked(q == walk.markedPosition);
        for (int t = 0; t < walk.seconds / kQuestions; ++t)
            exam->Timer1Timer();
        const int category = testsupport::road::categoryOf(question.bankIndex);
        ++asked[size_t(category - 1)];
        if (answer == Answer::Right) {
            ++right[size_t(category - 1)];
            ++correctCount;
            ++outcome.correct[size_t(question.bankIndex - 1)];
        } else {
            ++outcome.wrong[size_t(question.bankIndex - 1)];
        }
        exam->Button2Click(); // the last one opens the review screen
    }
    if (!s.ConfirmForm->isVisible())
        qFatal("review screen not shown after the last question");
    if (examSession().answers.at(walk.markedPosition).marked != 1)
        qFatal("mark not recorded");

    s.ResultForm->clock = [when = walk.when] { return when; };
    s.ConfirmForm->Button1Click();
    if (!s.ResultForm->isVisible())
        qFatal("result screen not shown");
    outcome.rate = correctCount * 100 / kQuestions;
    for (int c = 0; c < 3; ++c)
        outcome.categoryRate[size_t(c)] = asked[size_t(c)] == 0 ? 101 : right[size_t(c)] * 100 / asked[size_t(c)];
    return outcome;
}

void leaveResultScreen()
{
    screens().ResultForm->Button3Click();
    if (!screens().CourseMenuForm->isVisible())
        qFatal("course menu not shown after the result screen");
}

} // namespace

class TestAttemptRoad : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        m_questionFile = testsupport::road::writeTest(*m_install);
        createScreens();
    }
    void cleanup()
    {
        destroyScreens();
        m_install.reset();
    }

    void firstAttemptIsRecordedByteForByte()
    {
        const QString historyPath = m_install->historyDir(QStringLiteral("oracle")) + QStringLiteral("road.HIS");
        Walk walk{{Answer::Right, Answer::Right, Answer::Wrong, Answer::Right, Answer::None, Answer::Right},
                  3,
                  132,
                  QDateTime(QDate(2026, 12, 8), QTime(14, 35))};
        const Outcome outcome = walkOneAttempt(walk);
        QVERIFY(QFile::exists(historyPath)); // the course menu created it empty
        QCOMPARE(screens().ResultForm->score.correctCount, 4);
        QCOMPARE(outcome.rate, 66);

        leaveResultScreen();

        History expected;
        expected.attempts[0] = testsupport::road::record(132 / 60, walk.when, 66, kModeNormal, kQuestions);
        expected.best = 66;
        expected.average = 66; // the first attempt: its own rate
        for (int c = 0; c < 3; ++c) {
            const int rate = outcome.categoryRate[size_t(c)];
            expected.categories[size_t(c)] = {rate, 0, 0, 0, 0, rate, rate};
        }
        for (int k = 0; k < kQuestions; ++k) {
            expected.correct[size_t(k)] = outcome.correct[size_t(k)];
            expected.wrong[size_t(k)] = outcome.wrong[size_t(k)];
        }
        QCOMPARE(testsupport::readBytes(historyPath), expectedHistory(m_questionFile, expected));
    }

    void thirdAttemptAveragesOverThreeRecords()
    {
        const QString historyPath = m_install->historyDir(QStringLiteral("oracle")) + QStringLiteral("road.HIS");
        History before;
        before.attempts[0] = {5, 11, 30, 9, 0, 50, kModeNormal, kQuestions};
        before.attempts[1] = {7, 11, 29, 9, 0, 100, kModeMock, kQuestions};
        before.best = 100;
        before.average = 75;
        before.categories[1] = {40, 90, 0, 0, 0, 65, 90};
        before.correct[0] = 2;
        before.wrong[5] = 1;
        QVERIFY(SaveHistory(historyPath, before, m_questionFile));

        // Everything right: 100 everywhere.
        Walk walk{QList<Answer>(kQuestions, Answer::Right), 1, 60, QDateTime(QDate(2026, 12, 8), QTime(20, 5))};
        walkOneAttempt(walk);
        leaveResultScreen();
        const History after = LoadHistory(historyPath);

        QCOMPARE(after.attempts[0].rate, 100);
        QCOMPARE(after.attempts[1].rate, 50);
        QCOMPARE(after.attempts[2].rate, 100);
        QCOMPARE(after.attempts[2].mode, int(kModeMock));
        QCOMPARE(after.average, (50 + 100 + 100) / 3);
        QCOMPARE(after.best, 100);
        // Three recorded attempts: every category average divides by three, even where the
        // category was asked fewer times.
        QCOMPARE(after.categories[1], (std::array<int, 7>{100, 40, 90, 0, 0, (100 + 40 + 90) / 3, 100}));
        QCOMPARE(after.categories[0], (std::array<int, 7>{100, 0, 0, 0, 0, 100 / 3, 100}));
        QCOMPARE(after.correct[0], 3);
        QCOMPARE(after.wrong[5], 1);
        QCOMPARE(after.correct[5], 1);
    }

    void eleventhAttemptDropsTheOldest()
    {
        const QString historyPath = m_install->historyDir(QStringLiteral("oracle")) + QStringLiteral("road.HIS");
        History before;
        for (int r = 0; r < 10; ++r)
            before.attempts[size_t(r)] = {1, 11, 10 + r, 8, 0, 90 - r, kModeNormal, kQuestions};
        before.best = 95; // reached once in an attempt that has since dropped out
        before.average = 85;
        QVERIFY(SaveHistory(historyPath, before, m_questionFile));

        Walk walk{QList<Answer>(kQuestions, Answer::None), 2, 30, QDateTime(QDate(2026, 12, 9), QTime(7, 45))};
        walkOneAttempt(walk);
        leaveResultScreen();
        const History after = LoadHistory(historyPath);

        QCOMPARE(after.attempts[0].rate, 0);
        QCOMPARE(after.attempts[0].day, 9);
        for (int r = 1; r < 10; ++r)
            QCOMPARE(after.attempts[size_t(r)].rate, 90 - (r - 1));
        int sum = 0;
        for (int r = 0; r < 9; ++r)
            sum += 90 - r;
        QCOMPARE(after.average, sum / 10);
        QCOMPARE(after.best, 95); // never lowered
    }

  private:
    std::unique_ptr<testsupport::TempInstall> m_install;
    QString m_questionFile;
};

QUARVEL_TEST_MAIN(TestAttemptRoad)
#include "TestAttemptRoad.moc"

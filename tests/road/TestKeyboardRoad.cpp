// One whole attempt made with the keyboard alone, from the opening screen to the result screen and
// back to the course menu: no mouse event anywhere. Then the history file's bytes are checked.
#include "bank/SettingsStore.h"
#include "install/Selection.h"
#include "results/screens/TResultForm.h"
#include "session/ExamSession.h"
#include "session/screens/TConfirmForm.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "shell/screens/TGenericMBForm.h"
#include "shell/screens/TMainMenuForm.h"
#include "support/RoadFixtures.h"

#include "ui/Screen.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <memory>

namespace
{

using testsupport::typeKeys;
namespace road = testsupport::road;

enum class Answer { Right, Wrong, None };

// The letters that give `answer` to the question as it is shown: every right choice, or one
// wrong one.
QList<QKeyCombination> letters(const SessionQuestion& q, Answer answer)
{
    QList<QKeyCombination> keys;
    for (int i = 1; i <= q.shownChoiceCount; ++i) {
        const bool key = q.keyFlags[size_t(i - 1)] == 1;
        if (answer == Answer::Right && key)
            keys << Qt::Key(Qt::Key_A + i - 1);
        if (answer == Answer::Wrong && !key)
            return {Qt::Key(Qt::Key_A + i - 1)};
    }
    return keys;
}

// The screen in front: shown and active, as it would be for a person at the keyboard.
void bringUp(QWidget* screen)
{
    if (!screen->isVisible())
        qFatal("%s is not shown", qPrintable(screen->objectName()));
    testsupport::activate(screen);
}

// Presses Tab until `target` has the focus; false when a whole round of the window never got there.
bool tabTo(QWidget* window, QWidget* target)
{
    for (int i = 0; i < 80 && QApplication::focusWidget() != target; ++i)
        typeKeys(window, {Qt::Key_Tab});
    return QApplication::focusWidget() == target;
}

} // namespace

class TestKeyboardRoad : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        const QString section = QString::fromLatin1(settings::kSection);
        settings::WriteSetting(section, QStringLiteral("DefaultDir"), QString());
        settings::WriteSetting(section, QStringLiteral("Name"), QStringLiteral("Keiko"));
        // Oracle lists another test first, so the road's test is row 2; Cisco has one test.
        road::writeTest(*m_install, QStringLiteral("QDAT/oracle/aaa.qdf"), 0, "AA-1");
        m_questionFile = road::writeTest(*m_install, QStringLiteral("QDAT/oracle/road.qdf"), 4);
        road::writeTest(*m_install, QStringLiteral("QDAT/cisco/net.qdf"), 0, "NT-1");
        createScreens();
    }
    void cleanup()
    {
        destroyScreens();
        m_install.reset();
    }

    void wholeAttemptWithoutAMouse()
    {
        ScreenCatalogue& s = screens();
        const QDateTime when(QDate(2026, 12, 9), QTime(8, 15));
        s.ResultForm->clock = [when] { return when; };

        // Opening screen: Space leads on.
        s.MainMenuForm->show();
        bringUp(s.MainMenuForm);
        typeKeys(s.MainMenuForm, {Qt::Key_Space});

        // Course menu: to Cisco and back, then the second row, then Enter.
        TCourseMenuForm* menu = s.CourseMenuForm;
        bringUp(menu);
        typeKeys(menu, {Qt::CTRL | Qt::Key_Tab});
        QCOMPARE(selection().theme().directory, QStringLiteral("cisco"));
        typeKeys(menu, {Qt::Key_Left, Qt::Key_Down});
        QCOMPARE(selection().theme().directory, QStringLiteral("oracle"));
        QCOMPARE(menu->selectedRow(), 2);
        typeKeys(menu, {Qt::Key_Return});
        QCOMPARE(selection().test().questionFile, m_questionFile);

        // Category selection: the third category unticked from the keyboard, then Enter.
        TCatSelForm* catSel = s.CatSelForm;
        bringUp(catSel);
        QVERIFY(tabTo(catSel, catSel->categoryBox(3)));
        typeKeys(catSel, {Qt::Key_Space});
        QCOMPARE(examSession().settings.availableCount, 4);
        typeKeys(catSel, {Qt::Key_Return});

        // Start notice: Space.
        bringUp(s.GenericMBForm);
        typeKeys(s.GenericMBForm, {Qt::Key_Space});

        // Exam: answer by letters, mark the second question, Right to go on; the last Right
        // opens the review. The second question is left open until the jump back.
        TExamModeForm* exam = s.ExamModeForm;
        bringUp(exam);
        const SessionTable& table = examSession().sessionQuestions;
        QCOMPARE(table.count, 4);
        const QList<Answer> plan{Answer::Right, Answer::None, Answer::Wrong, Answer::Right};
        bool multipleAsked = false, singleAsked = false;
        for (int q = 1; q <= 4; ++q) {
            QCOMPARE(examSession().currentQuestion, q);
            const SessionQuestion& question = table.question(q);
            (question.style == kStyleMultiple ? multipleAsked : singleAsked) = true;
            typeKeys(exam, letters(question, plan.at(q - 1)));
            if (q == 2)
                typeKeys(exam, {Qt::Key_M});
            for (int t = 0; t < 30; ++t)
                exam->Timer1Timer();
            typeKeys(exam, {Qt::Key_Right});
        }
        QVERIFY(multipleAsked && singleAsked);

        // Review: down to the second question and back to it.
        TConfirmForm* review = s.ConfirmForm;
        bringUp(review);
        typeKeys(review, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
        QVERIFY(!review->isVisible());
        bringUp(exam);
        QCOMPARE(examSession().currentQuestion, 2);
        typeKeys(exam, letters(table.question(2), Answer::Right));

        // Scoring: the score button by Tab and Space, then the review's score button likewise.
        QVERIFY(tabTo(exam, exam->findChild<QWidget*>(QStringLiteral("Button4"))));
        typeKeys(exam, {Qt::Key_Space});
        bringUp(review);
        QVERIFY(tabTo(review, review->findChild<QWidget*>(QStringLiteral("Button1"))));
        typeKeys(review, {Qt::Key_Space});
        QCOMPARE(examSession().answers.at(2).marked, 1);

        // Result screen: back to the course menu by Tab and Space; that records the attempt.
        TResultForm* result = s.ResultForm;
        bringUp(result);
        QCOMPARE(result->score.correctCount, 3);
        QVERIFY(tabTo(result, result->findChild<QWidget*>(QStringLiteral("Button3"))));
        typeKeys(result, {Qt::Key_Space});
        QVERIFY(!result->isVisible());
        QVERIFY(menu->isVisible());

        History expected;
        expected.attempts[0] = road::record(120 / 60, when, 75, kModeNormal, 4);
        expected.best = 75;
        expected.average = 75;
        std::array<int, 3> asked{}, right{};
        for (int q = 1; q <= 4; ++q) {
            const int j = table.question(q).bankIndex;
            const bool correct = q != 3;
            ++asked[size_t(road::categoryOf(j) - 1)];
            right[size_t(road::categoryOf(j) - 1)] += correct ? 1 : 0;
            ++(correct ? expected.correct : expected.wrong)[size_t(j - 1)];
        }
        QCOMPARE(asked[2], 0);
        for (int c = 0; c < 2; ++c) {
            const int rate = right[size_t(c)] * 100 / asked[size_t(c)];
            expected.categories[size_t(c)] = {rate, 0, 0, 0, 0, rate, rate};
        }
        const QString historyPath = m_install->historyDir(QStringLiteral("oracle")) + QStringLiteral("road.HIS");
        QCOMPARE(testsupport::readBytes(historyPath), road::expectedHistory(m_questionFile, expected));
    }

    void everyScreen_data()
    {
        QTest::addColumn<QString>("name");
        // The catalogue is built per case, so its names are listed here.
        for (const char* name :
             {"MainMenuForm",      "CourseMenuForm", "ExamModeForm", "GenericMBForm",    "ResultForm",
              "StudyForm",         "CatSelForm",     "CheatForm",    "ConfirmForm",      "UpdateForm",
              "DownLoad",          "RefImgForm",     "frmSelStyle4", "frmSelStyle3",     "frmSelStyle4View",
              "frmSelStyle3View",  "CaseStudyForm",  "frmSelStyle5", "frmSelStyle5View", "frmSelStyle6View",
              "frmSelStyle6",      "AdaptiveForm",   "frmSelStyle7", "frmSelStyle7View", "SyncForm",
              "SyncCandidateForm", "Form1"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    // Every window takes the focus itself when shown; F1, or "?" where nothing is typed, lists its
    // keys in a panel that any key closes, giving the focus back.
    void everyScreen()
    {
        QFETCH(QString, name);
        ui::Screen* screen = shownAlone(name);
        QCoreApplication::processEvents(); // the activation comes back from the window system
        if (screen->isVisible()) {
            QCOMPARE(QApplication::activeWindow(), screen);
        } else {
            // An answer style window with no question to show closed itself; its keys still count.
            screen->show();
            testsupport::activate(screen);
        }
        QWidget* before = QApplication::focusWidget();
        for (const QKeyCombination ask : {QKeyCombination(Qt::Key_F1), QKeyCombination(Qt::Key_Question)}) {
            if (ask.key() == Qt::Key_Question && qobject_cast<QLineEdit*>(testsupport::keyTarget(screen)))
                continue; // typed into the field
            if (ask.key() == Qt::Key_Question)
                QTest::keyClick(testsupport::keyTarget(screen), '?');
            else
                typeKeys(screen, {ask});
            QWidget* panel = ui::openKeyHelp(screen);
            QVERIFY(panel);
            QCOMPARE(QApplication::focusWidget(), panel);
            QStringList texts;
            for (const QLabel* label : panel->findChildren<QLabel*>())
                texts << label->text();
            for (const ui::KeyHelpEntry& entry : screen->keyHelp())
                QVERIFY2(texts.contains(entry.action), qPrintable(entry.action));
            QVERIFY(texts.contains(QStringLiteral("このキー一覧を表示")));
            typeKeys(screen, {Qt::Key_Escape});
            QVERIFY(!ui::openKeyHelp(screen));
            QVERIFY2(screen->isVisible(), "the key closing the panel went on to the window");
            QCOMPARE(QApplication::focusWidget(), before);
        }
    }

    // Escape closes a secondary window as its close box does.
    void escapeClosesSecondaryWindows_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"CheatForm", "CaseStudyForm", "RefImgForm", "SyncForm", "SyncCandidateForm"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void escapeClosesSecondaryWindows()
    {
        QFETCH(QString, name);
        ui::Screen* screen = shownAlone(name);
        QVERIFY(screen->closesOnEscape());
        typeKeys(screen, {Qt::Key_Escape});
        QVERIFY(!screen->isVisible());
    }

  private:
    // Shows the screen `name` with every other one hidden, as a program would: no activation.
    ui::Screen* shownAlone(const QString& name)
    {
        ui::Screen* found = nullptr;
        for (ui::Screen* screen : screens().all()) {
            screen->hide();
            if (screen->objectName() == name)
                found = screen;
        }
        if (!found)
            qFatal("no screen %s", qPrintable(name));
        found->show();
        return found;
    }

    std::unique_ptr<testsupport::TempInstall> m_install;
    QString m_questionFile;
};

QUARVEL_TEST_MAIN(TestKeyboardRoad)
#include "TestKeyboardRoad.moc"

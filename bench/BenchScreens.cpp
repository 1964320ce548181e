// What a person feels on the heaviest realistic installation (HeavyInstall.h): the start-up
// sequence in-process and every screen change along the road of one 500-question attempt, each
// ending in a paint of the screen that now shows. Target: every change under 16 ms (one frame at
// 60 Hz). The whole-process start-up is measured by BenchStartupProcess.
#include "HeavyInstall.h"
#include "ScreenRoad.h"

#include "bank/SettingsStore.h"
#include "install/InstallLayout.h"
#include "results/screens/TResultForm.h"
#include "session/screens/TConfirmForm.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "shell/screens/TGenericMBForm.h"
#include "shell/screens/TMainMenuForm.h"

#include <QApplication>
#include <QFont>
#include <QTableWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace
{

bench::HeavyInstall g_install;

// Untimed: what the event loop would do between two clicks.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tearDown()
{
    destroyScreens();
    settle();
}

// The screens as at start-up, up to the course menu.
void toCourseMenu()
{
    createScreens();
    bench::showOpeningScreen();
    bench::openCourseMenu();
    settle();
}

// A running session of all 500 questions, question 1 on screen.
void toExam(bool adaptive = false)
{
    toCourseMenu();
    bench::openCategorySelection();
    bench::setAdaptive(adaptive);
    bench::pressStart(bench::kHeavyQuestions);
    bench::handOverToExam();
    settle();
}

void BM_StartupScreensAndOpening(benchmark::State& state)
{
    for (auto _ : state) {
        createScreens();
        bench::showOpeningScreen();
        state.PauseTiming();
        tearDown();
        state.ResumeTiming();
    }
}

void BM_CourseMenuFromOpening30Tests(benchmark::State& state)
{
    toCourseMenu();
    for (auto _ : state) {
        state.PauseTiming();
        screens().CourseMenuForm->hide();
        screens().MainMenuForm->show();
        settle();
        state.ResumeTiming();
        bench::openCourseMenu();
    }
    tearDown();
}

// Space pressed before the idle drawing reached the course menu: its pictures are drawn now.
void BM_CourseMenuFromOpeningBeforeIdleDrawing30Tests(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        createScreens();
        bench::showOpeningScreen();
        settle();
        state.ResumeTiming();
        bench::openCourseMenu();
        state.PauseTiming();
        tearDown();
        state.ResumeTiming();
    }
}

void BM_CourseMenuTab30Tests(benchmark::State& state)
{
    toCourseMenu();
    for (auto _ : state) {
        bench::pressFirstTab();
        state.PauseTiming();
        settle();
        state.ResumeTiming();
    }
    tearDown();
}

// The first start after installing: every history file is created.
void BM_CourseMenuTab30TestsNewHistories(benchmark::State& state)
{
    toCourseMenu();
    for (auto _ : state) {
        state.PauseTiming();
        bench::removeHistories(g_install);
        settle();
        state.ResumeTiming();
        bench::pressFirstTab();
    }
    tearDown();
}

void BM_CatSel500Questions(benchmark::State& state)
{
    toCourseMenu();
    for (auto _ : state) {
        bench::openCategorySelection();
        state.PauseTiming();
        screens().CatSelForm->hide();
        screens().CourseMenuForm->show();
        settle();
        state.ResumeTiming();
    }
    tearDown();
}

// The first showing in a run: no controls of an earlier showing to reuse.
void BM_CatSel500QuestionsFirst(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        toCourseMenu();
        state.ResumeTiming();
        bench::openCategorySelection();
        state.PauseTiming();
        tearDown();
        state.ResumeTiming();
    }
}

// The start button: the draw of 500, the category selection hidden, the start notice shown.
void BM_ExamStartDraw500(benchmark::State& state)
{
    toCourseMenu();
    for (auto _ : state) {
        state.PauseTiming();
        screens().GenericMBForm->hide();
        screens().CourseMenuForm->show();
        bench::openCategorySelection();
        settle();
        state.ResumeTiming();
        bench::pressStart(bench::kHeavyQuestions);
    }
    tearDown();
}

// The notice's end: the exam screen with question 1.
void BM_ExamStartScreen500(benchmark::State& state)
{
    toExam();
    for (auto _ : state) {
        state.PauseTiming();
        screens().ExamModeForm->hide();
        screens().GenericMBForm->show();
        settle();
        state.ResumeTiming();
        bench::handOverToExam();
    }
    tearDown();
}

// "Next" from question 1 to question 2, each with ten choices of three lines.
void BM_ExamNextTenThreeLineChoices(benchmark::State& state)
{
    toExam();
    for (auto _ : state) {
        state.PauseTiming();
        bench::goBack();
        settle();
        if (bench::currentQuestion() != 1)
            state.SkipWithError("not on question 1");
        state.ResumeTiming();
        bench::answerAndGoNext();
    }
    tearDown();
}

// The review of 500 questions; `first`: its first showing in the run (the grids still empty).
void review(benchmark::State& state, bool first)
{
    toExam();
    for (auto _ : state) {
        state.PauseTiming();
        screens().ConfirmForm->hide();
        if (first) {
            for (const char* name : {"StringGrid1", "StringGrid2"})
                screens().ConfirmForm->findChild<QTableWidget*>(QLatin1String(name))->setRowCount(1);
        }
        settle();
        state.ResumeTiming();
        bench::openReview();
    }
    tearDown();
}

void BM_Review500First(benchmark::State& state)
{
    review(state, true);
}

void BM_Review500Again(benchmark::State& state)
{
    review(state, false);
}

void BM_ResultShow500(benchmark::State& state)
{
    toExam();
    for (auto _ : state) {
        state.PauseTiming();
        screens().ResultForm->hide(); // records the previous showing's attempt
        screens().CourseMenuForm->hide();
        settle();
        state.ResumeTiming();
        bench::showResult();
    }
    tearDown();
}

// Leaving the result screen: the attempt recorded, the course menu shown.
void resultHide(benchmark::State& state, bool adaptive)
{
    toExam(adaptive);
    for (auto _ : state) {
        state.PauseTiming();
        screens().CourseMenuForm->hide();
        bench::showResult();
        settle();
        state.ResumeTiming();
        bench::leaveResult();
    }
    tearDown();
}

void BM_ResultHide500(benchmark::State& state)
{
    resultHide(state, false);
}

void BM_ResultHide500Adaptive(benchmark::State& state)
{
    resultHide(state, true);
}

double minimum(const std::vector<double>& v)
{
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

} // namespace

#define SCREEN_CHANGE(name) BENCHMARK(name)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minimum)

SCREEN_CHANGE(BM_StartupScreensAndOpening);
SCREEN_CHANGE(BM_CourseMenuFromOpening30Tests);
SCREEN_CHANGE(BM_CourseMenuFromOpeningBeforeIdleDrawing30Tests);
SCREEN_CHANGE(BM_CourseMenuTab30Tests);
SCREEN_CHANGE(BM_CourseMenuTab30TestsNewHistories);
SCREEN_CHANGE(BM_CatSel500Questions);
SCREEN_CHANGE(BM_CatSel500QuestionsFirst);
SCREEN_CHANGE(BM_ExamStartDraw500);
SCREEN_CHANGE(BM_ExamStartScreen500);
SCREEN_CHANGE(BM_ExamNextTenThreeLineChoices);
SCREEN_CHANGE(BM_Review500First);
SCREEN_CHANGE(BM_Review500Again);
SCREEN_CHANGE(BM_ResultShow500);
SCREEN_CHANGE(BM_ResultHide500);
SCREEN_CHANGE(BM_ResultHide500Adaptive);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QUARVEL_TESTING", "1"); // modal screens return at once, message boxes answer themselves
    qputenv("QUARVEL_SILENT", "1");
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    QTemporaryDir settingsDir;
    settings::redirectForTests(settingsDir.path());
    settings::WriteSetting(QString::fromLatin1(settings::kSection), QStringLiteral("Name"),
                           QStringLiteral("山田 花子"));
    QTemporaryDir root;
    g_install = bench::writeHeavyInstall(root.path());
    layout::setProgramDir(g_install.programDir);
    layout::enterProgramDir();

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

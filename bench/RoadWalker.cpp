// One attempt of 500 questions walked through the real screens in a fresh process, on the
// installation at argv[1] (see HeavyInstall.h): start-up, course menu, category selection,
// every question answered, review, result, back to the course menu. Prints the process's peak
// resident memory ("maxrss_kb=N"); BenchStartupProcess runs it.
#include "HeavyInstall.h"
#include "ScreenRoad.h"

#include "bank/SettingsStore.h"
#include "install/InstallLayout.h"
#include "shell/screens/ScreenCatalogue.h"

#include <QApplication>
#include <QFont>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: RoadWalker INSTALLATION_ROOT\n");
        return 2;
    }
    qputenv("QUARVEL_TESTING", "1");
    qputenv("QUARVEL_SILENT", "1");
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    QApplication::setQuitOnLastWindowClosed(false);
    QTemporaryDir settingsDir;
    settings::redirectForTests(settingsDir.path());
    settings::WriteSetting(QString::fromLatin1(settings::kSection), QStringLiteral("Name"),
                           QStringLiteral("山田 花子"));
    layout::setProgramDir(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/BIN/"));
    layout::enterProgramDir();

    createScreens();
    bench::showOpeningScreen();
    bench::openCourseMenu();
    bench::openCategorySelection();
    bench::setAdaptive(true);
    bench::pressStart(bench::kHeavyQuestions);
    bench::handOverToExam();
    while (bench::currentQuestion() < bench::kHeavyQuestions) {
        bench::answerAndGoNext();
        QCoreApplication::processEvents();
    }
    bench::openReview();
    bench::showResult();
    QCoreApplication::processEvents();
    bench::leaveResult();
    QCoreApplication::processEvents();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("maxrss_kb=%ld\n", usage.ru_maxrss);
    destroyScreens();
    return 0;
}

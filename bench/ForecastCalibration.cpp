// The calibration study of the pass forecast at full size: learners with known abilities sit each
// demo test's mock exam one to four times, are forecast, and then sit the real exam many times.
// Prints the Brier scores, the interval's coverage, the share of pairs in the right order and the
// reliability table. Usage: ForecastCalibration SOURCE_DIR [LEARNERS_PER_TEST] [EXAMS] [SEED]
#include "results/ForecastStudy.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fputs("usage: ForecastCalibration SOURCE_DIR [LEARNERS_PER_TEST] [EXAMS] [SEED]\n", stderr);
        return 2;
    }
    const int learners = args.size() > 2 ? args[2].toInt() : 250;
    const int exams = args.size() > 3 ? args[3].toInt() : 1000;
    const auto seed = args.size() > 4 ? args[4].toULongLong() : 1;
    const auto tests = forecaststudy::demoTests(args[1] + QStringLiteral("/data/questions"));
    forecaststudy::Study all(seed);
    // Model settings to try: PRIOR_STRENGTH, HALF_LIFE_DAYS in the environment.
    ForecastOptions options;
    options.priorStrength = qEnvironmentVariableIsSet("PRIOR_STRENGTH")
                                ? qEnvironmentVariable("PRIOR_STRENGTH").toDouble()
                                : options.priorStrength;
    all.options = options;
    for (const forecaststudy::DemoTest& test : tests) {
        forecaststudy::Study one(seed);
        one.options = options;
        one.run(test, learners, exams, QDate(2026, 6, 1));
        std::printf("%s (pass mark %d%%, %d questions)\n%s\n", qPrintable(test.name), test.passMark,
                    MockExamBlueprint(*test.bank, test.passMark).questionCount,
                    forecaststudy::describe(one.summary()).c_str());
        all.run(test, learners, exams, QDate(2026, 6, 1));
    }
    std::printf("all tests\n%s", forecaststudy::describe(all.summary()).c_str());
    return 0;
}

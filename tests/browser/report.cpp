// Page writer of report.test.mjs: the printed report of an attempt and the summary of two tests,
// written by the program's own code into <DIR>/Print/ beside the installation's template and
// pictures, with values that must show exactly as given.
#include "bank/Cp932.h"
#include "results/PrintDirectory.h"
#include "results/Recording.h"
#include "results/StudyOverview.h"
#include "results/screens/ReportWriter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <memory>

namespace
{

bool copyInstallationFiles(const QDir& print)
{
    const QDir source(qEnvironmentVariable("QUARVEL_SOURCE_DIR") + QStringLiteral("/data/program/Print"));
    for (const QString& name : source.entryList(QDir::Files)) {
        if (!QFile::copy(source.filePath(name), print.filePath(name)))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkdir(QStringLiteral("Print"));
    const QDir print(dir.filePath(QStringLiteral("Print")));
    if (!copyInstallationFiles(print))
        return 1;

    const QString name = QStringLiteral("<b>\"A&B\"</b> 花子");
    const QStringList categories{QStringLiteral("ネットワーク"), QStringLiteral("<セキュリティ>"),
                                 QStringLiteral("運用")};
    // Category 1 asked now: 1 of 2 right with an earlier 24 gives (50 + 24) div 2 = 37; category 2
    // keeps its stored 60; category 3 was never asked.
    History loaded;
    loaded.attempts[0] = {20, 3, 1, 9, 0, 40, 2, 10};
    loaded.best = 40;
    loaded.categories[0] = {24, 0, 0, 0, 0, 24, 24};
    loaded.categories[1] = {60, 0, 0, 0, 0, 60, 60};
    auto questions = std::make_unique<SessionTable>();
    auto answers = std::make_unique<AnswerTable>();
    questions->count = 2;
    for (int r = 1; r <= 2; ++r) {
        questions->question(r).bankIndex = r;
        questions->question(r).category = 1;
        questions->question(r).keyFlags[0] = 1;
        answers->at(r).answerFlags[r == 1 ? 0 : 1] = 1;
    }
    const AttemptScore score = ScoreAttempt(*questions, *answers, 2, 754, {2024, 3, 9, 14, 5});
    ReportData data;
    data.userName = cp932::fromUnicode(name);
    data.code = "QV-100";
    data.title = cp932::fromUtf8("基礎試験");
    data.mode = kModeMock;
    data.score = score;
    data.after = AppendAttempt(loaded, score, TallyCategories(*questions, score, 3), *questions, data.mode, 3);
    for (const QString& c : categories)
        data.categoryNames.push_back(cp932::fromUnicode(c));
    // A forecast as the model would give it, the categories' names from the file as they are.
    PassForecast forecast;
    forecast.probability = 0.724;
    forecast.low = 0.58;
    forecast.high = 0.836;
    forecast.passMark = 70;
    forecast.questionCount = 15;
    for (int c = 0; c < 3; ++c)
        forecast.categories.push_back(
            {c + 1, data.categoryNames[size_t(c)], 5, 2 * c, c, 0.5 + 0.1 * c, 0.04 * (c + 1)});
    data.forecast = forecast;
    if (const auto error = WriteReport(print.path() + QLatin1Char('/'), data, BuildTrendChart(loaded, score, 30))) {
        std::fprintf(stderr, "%s\n", qPrintable(error->text()));
        return 1;
    }

    std::vector<StudyTest> tests(2);
    tests[0].code = "QV-100";
    tests[0].title = data.title;
    tests[0].history = data.after;
    tests[0].categoryNames = data.categoryNames;
    tests[0].forecast = data.forecast;
    tests[1].code = "QV-200";
    tests[1].title = cp932::fromUtf8("応用試験");
    tests[1].history.average = 100;
    tests[1].history.best = 100;
    tests[1].categoryNames = {cp932::fromUtf8("設計")};
    tests[1].history.categories[0][5] = 85;
    PrintTemplate proto;
    if (auto error = ReadPrintTemplate(print.path(), proto)) {
        std::fprintf(stderr, "%s\n", qPrintable(error->text()));
        return 1;
    }
    if (auto error = WritePrintPage(proto, QStringLiteral("PrintSum.htm"), SummaryPageLines(data.userName, tests))) {
        std::fprintf(stderr, "%s\n", qPrintable(error->text()));
        return 1;
    }

    const QJsonObject out{{QStringLiteral("page"), print.filePath(QStringLiteral("Print.htm"))},
                          {QStringLiteral("summary"), print.filePath(QStringLiteral("PrintSum.htm"))},
                          {QStringLiteral("name"), name},
                          {QStringLiteral("categories"), QJsonArray::fromStringList(categories)}};
    std::printf("%s\n", QJsonDocument(out).toJson(QJsonDocument::Compact).constData());
    return 0;
}

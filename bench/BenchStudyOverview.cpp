// The study overview's three costly steps at their largest: writing the printed report of a
// 50-category test (two charts, two XBM, two PNG, the page; target < 10 ms), showing the
// diagnosis screen for 30 tests and opening a 50-category test (< 30 ms), and updating an
// adaptive record of 500 lines with a 500-question attempt (< 10 ms).
#include "bank/Cp932.h"
#include "bank/QuestionFileWriter.h"
#include "results/AdaptiveRecord.h"
#include "results/Recording.h"
#include "results/screens/ReportWriter.h"
#include "results/screens/TStudyForm.h"
#include "shell/screens/ScreenCatalogue.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace
{

void writeFile(const QString& path, const std::string& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes.data(), qint64(bytes.size()));
}

History fullHistory()
{
    History h;
    for (int k = 0; k < 10; ++k)
        h.attempts[size_t(k)] = {30 + k, 1 + k, 10, 12, 30, 50 + k, 2, 100};
    h.best = 60;
    h.average = 55;
    for (int c = 0; c < kMaxCategories; ++c)
        h.categories[size_t(c)] = {c % 101, 40, 50, 60, 70, (2 * c) % 101, 90};
    return h;
}

// A session of 500 questions over 50 categories, every one shown for a few seconds.
struct Attempt {
    std::unique_ptr<SessionTable> questions = std::make_unique<SessionTable>();
    std::unique_ptr<AnswerTable> answers = std::make_unique<AnswerTable>();
    AttemptScore score;

    Attempt()
    {
        questions->count = kMaxQuestions;
        for (int r = 1; r <= kMaxQuestions; ++r) {
            SessionQuestion& q = questions->question(r);
            q.bankIndex = r;
            q.number = r;
            q.category = 1 + r % kMaxCategories;
            q.subCategory = 1;
            q.keyFlags[size_t(r % 4)] = 1;
            answers->at(r).answerFlags[size_t(r % 3)] = 1;
            answers->at(r).secondsOnQuestion = 1 + r % 90;
        }
        score = ScoreAttempt(*questions, *answers, kMaxQuestions, 3600, {2024, 5, 1, 10, 0});
    }
};

void BM_WriteReport50Categories(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString print = dir.filePath(QStringLiteral("Print/"));
    writeFile(print + QStringLiteral("PrintProto"), "<html><body>\r\n");
    const Attempt attempt;
    ReportData data;
    data.userName = cp932::fromUtf8("山田 花子");
    data.code = "QV-100";
    data.title = cp932::fromUtf8("基礎試験");
    data.mode = 2;
    data.score = attempt.score;
    const History loaded = fullHistory();
    data.after =
        AppendAttempt(loaded, attempt.score, TallyCategories(*attempt.questions, attempt.score, kMaxCategories),
                      *attempt.questions, 2, kMaxCategories);
    for (int c = 1; c <= kMaxCategories; ++c)
        data.categoryNames.push_back(cp932::fromUtf8("カテゴリ") + std::to_string(c));
    const TrendChart chart = BuildTrendChart(loaded, attempt.score, 90);
    for (auto _ : state) {
        if (WriteReport(print, data, chart))
            state.SkipWithError("the report could not be written");
    }
}
BENCHMARK(BM_WriteReport50Categories)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", [](const std::vector<double>& v) {
        return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
    });

void BM_DiagnosisScreen30Tests50Categories(benchmark::State& state)
{
    QTemporaryDir dir;
    auto bank = std::make_unique<QuestionBank>();
    bank->categoryCount = kMaxCategories;
    for (int c = 1; c <= kMaxCategories; ++c) {
        bank->category(c).name = cp932::fromUtf8("カテゴリ") + std::to_string(c);
        for (int s = 1; s <= kMaxSubCategories; ++s)
            bank->category(c).sub(s).name = cp932::fromUtf8("小分類") + std::to_string(s);
    }
    QList<CourseTest> tests;
    const History history = fullHistory();
    for (int i = 1; i <= 30; ++i) {
        QuestionHeader header;
        header.targetRate = "70";
        header.code = "QV-" + std::to_string(100 + i);
        header.title = cp932::fromUtf8("試験") + std::to_string(i);
        CourseTest test;
        test.questionFile = dir.filePath(QStringLiteral("QDAT/v/t%1.qdf").arg(i));
        test.historyFile = dir.filePath(QStringLiteral("HIST/v/t%1.HIS").arg(i));
        test.adaptiveFile = dir.filePath(QStringLiteral("HIST/v/t%1.ADP").arg(i));
        test.code = header.code;
        test.title = header.title;
        test.targetRate = header.targetRate;
        writeFile(test.questionFile, QuestionFileBytes(header, *bank));
        SaveHistory(test.historyFile, history, test.questionFile);
        if (i % 3 == 0)
            writeFile(test.adaptiveFile, "@0*1@1*1@2*1@3*q@4*1@5*1@6*3@7*\r\n");
        tests << test;
    }
    createScreens();
    TStudyForm* study = screens().StudyForm;
    study->testSource = [&tests] { return tests; };
    for (auto _ : state) {
        study->show();
        study->LabelImageMouseDown(100, 24 * 30 - 8); // the last test's categories
        study->Button1Click();
        study->hide();
    }
    destroyScreens();
}
BENCHMARK(BM_DiagnosisScreen30Tests50Categories)->Unit(benchmark::kMillisecond);

void BM_AdaptiveUpdate500Lines500Questions(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.ADP"));
    auto bank = std::make_unique<QuestionBank>();
    bank->questionCount = kMaxQuestions;
    for (int j = 1; j <= kMaxQuestions; ++j) {
        QuestionRecord& q = bank->question(j);
        q.number = j;
        q.category = 1 + j % kMaxCategories;
        q.subCategory = 1;
        q.text = cp932::fromUtf8("次のうち、正しい説明はどれか。\r\n選択肢から一つ選びなさい。") + std::to_string(j);
    }
    writeFile(path, AdaptiveRecordBytes(InitialAdaptiveLines(*bank)));
    const Attempt attempt;
    for (auto _ : state) {
        if (UpdateAdaptiveRecord(path, *bank, *attempt.questions, *attempt.answers, attempt.score))
            state.SkipWithError("the record could not be updated");
    }
}
BENCHMARK(BM_AdaptiveUpdate500Lines500Questions)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QUARVEL_TESTING", "1");
    qputenv("QUARVEL_SILENT", "1");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

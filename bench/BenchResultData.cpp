// The result screen's data for a 500-question session: history load, scoring, tallies, the
// trend chart geometry and the appended history, without drawing anything. Target: < 2 ms.
#include "results/Recording.h"
#include "results/ResultView.h"
#include "results/TrendChart.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

struct Fixture {
    std::unique_ptr<SessionTable> questions = std::make_unique<SessionTable>();
    std::unique_ptr<AnswerTable> answers = std::make_unique<AnswerTable>();
    QTemporaryDir dir;
    QString historyPath;

    Fixture()
    {
        questions->count = kMaxQuestions;
        for (int r = 1; r <= kMaxQuestions; ++r) {
            SessionQuestion& q = questions->question(r);
            q.bankIndex = kMaxQuestions + 1 - r;
            q.number = r;
            q.category = 1 + r % kMaxCategories;
            q.style = 1 + r % 7;
            q.keyFlags[size_t(r % 4)] = 1;
            answers->at(r).answerFlags[size_t(r % 3)] = 1;
        }
        historyPath = dir.filePath(QStringLiteral("HIST/bench/t.HIS"));
        History h;
        for (int k = 0; k < 10; ++k)
            h.attempts[size_t(k)] = {30 + k, 1 + k, 10, 12, 30, 50 + k, 2, 100};
        SaveHistory(historyPath, h, QStringLiteral("/q/t.qdf"));
    }
};

void BM_ResultData(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        const History loaded = LoadHistory(f.historyPath);
        AttemptScore score = ScoreAttempt(*f.questions, *f.answers, kMaxQuestions, 3725, {2024, 5, 6, 7, 8});
        for (int r = 1; r <= kMaxQuestions; ++r)
            benchmark::DoNotOptimize(MakeResultRow(r, f.questions->question(r), f.answers->at(r), score.verdict(r)));
        const TrendChart chart = BuildTrendChart(loaded, score, 90);
        const CategoryTally tally = TallyCategories(*f.questions, score, kMaxCategories);
        const History updated = AppendAttempt(loaded, score, tally, *f.questions, kModeMock, kMaxCategories);
        benchmark::DoNotOptimize(chart);
        benchmark::DoNotOptimize(updated);
    }
}
BENCHMARK(BM_ResultData)->Unit(benchmark::kMicrosecond);

// The same with the history written back, as the screen does when it hides.
void BM_ResultDataWithSave(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        const History loaded = LoadHistory(f.historyPath);
        const AttemptScore score = ScoreAttempt(*f.questions, *f.answers, kMaxQuestions, 3725, {2024, 5, 6, 7, 8});
        const CategoryTally tally = TallyCategories(*f.questions, score, kMaxCategories);
        const History updated = AppendAttempt(loaded, score, tally, *f.questions, kModeMock, kMaxCategories);
        // The loaded history goes back, so every round starts from the same file.
        benchmark::DoNotOptimize(SaveHistory(f.historyPath, loaded, QStringLiteral("/q/t.qdf")));
        benchmark::DoNotOptimize(updated);
    }
}
BENCHMARK(BM_ResultDataWithSave)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

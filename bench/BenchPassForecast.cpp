// The pass forecast of one test, as the diagnosis screen makes it for every listed test: the
// mock exam's blueprint (64 draws) and the forecast (400 ability draws, a gain per category).
// Target: well under 50 ms per test, for a small demo-sized exam and for a full 500-question bank.
#include "results/PassForecast.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

// `questions` questions over `categories` categories of 4 sub-categories, a mock exam of `mock`.
std::unique_ptr<QuestionBank> makeBank(int categories, int questions, int mock)
{
    auto bank = std::make_unique<QuestionBank>();
    bank->categoryCount = categories;
    bank->mockCount = mock;
    bank->questionCount = bank->recordsRead = questions;
    for (int c = 1; c <= categories; ++c) {
        bank->category(c).name = "Category " + std::to_string(c);
        for (int k = 1; k <= 4; ++k)
            bank->category(c).sub(k) = {"Part " + std::to_string(k), 0};
    }
    for (int i = 1; i <= questions; ++i) {
        QuestionRecord& q = bank->question(i);
        q.number = i;
        q.category = 1 + i % categories;
        q.subCategory = 1 + (i / categories) % 4;
        ++bank->category(q.category).sub(q.subCategory).questionCount;
    }
    return bank;
}

// Ten attempts over the last month; every question answered a few times.
History makeHistory(int questions)
{
    History h;
    for (int k = 0; k < 10; ++k)
        h.attempts[size_t(k)] = {30, 5, 28 - 2 * k, 10, 0, 55 + 3 * k, 2, 60};
    for (int i = 0; i < questions; ++i) {
        h.correct[size_t(i)] = 1 + i % 4;
        h.wrong[size_t(i)] = i % 3;
    }
    return h;
}

void forecast(benchmark::State& state)
{
    const int categories = int(state.range(0)), questions = int(state.range(1)), mock = int(state.range(2));
    const auto bank = makeBank(categories, questions, mock);
    const History history = makeHistory(questions);
    state.counters["distinct draws"] = double(MockExamBlueprint(*bank, 70).draws.size());
    for (auto _ : state) {
        const PassForecast f = ForecastPass(MockExamBlueprint(*bank, 70), history, QDate(2026, 6, 1));
        benchmark::DoNotOptimize(f.probability);
    }
}

} // namespace

BENCHMARK(forecast)
    ->Args({3, 30, 15})   // a demo test
    ->Args({10, 200, 30}) // the largest exam summed exactly
    ->Args({10, 200, 60}) // a typical certification exam
    ->Args({50, 500, 100})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

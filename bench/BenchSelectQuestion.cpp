// Drawing a whole session from a full bank, in every mode.
#include "session/SelectQuestion.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace
{

// 500 questions; `categories` categories of 5 sub-categories each. With `uneven` the first
// category holds most of the bank, which makes the balanced draw relax many times.
std::unique_ptr<QuestionBank> makeBank(int categories, bool uneven)
{
    auto bank = std::make_unique<QuestionBank>();
    bank->categoryCount = categories;
    bank->questionCount = kMaxQuestions;
    bank->recordsRead = kMaxQuestions;
    for (int i = 1; i <= kMaxQuestions; ++i) {
        QuestionRecord& q = bank->question(i);
        q.number = i;
        q.category = uneven && i <= 400 ? 1 : 1 + i % categories;
        q.subCategory = 1 + (i / categories) % 5;
        q.style = kStyleSingle;
        q.text = "Which statement about the topic of question " + std::to_string(i) + " is true?";
        q.storedChoiceCount = 6;
        q.shownChoiceCount = 4;
        q.correctCount = 1;
        for (int c = 0; c < 6; ++c)
            q.choices[size_t(c)] = "A possible answer to the question, number " + std::to_string(c + 1);
        q.explanation = "\r\nThe explanation of the answer.";
    }
    return bank;
}

SessionSettings everything(const QuestionBank& bank, int mode, int questionCount)
{
    SessionSettings settings;
    settings.mode = mode;
    settings.questionCount = questionCount;
    for (int c = 1; c <= bank.categoryCount; ++c)
        for (int s = 1; s <= 5; ++s)
            settings.setChecked(c, s, true);
    settings.availableCount = kMaxQuestions;
    return settings;
}

DrawRandom fastRandom()
{
    auto engine = std::make_shared<std::mt19937>(1);
    return [engine](int n) { return int((*engine)() % unsigned(n)) + 1; };
}

void drawSession(benchmark::State& state, int mode, int categories, bool uneven, int questionCount)
{
    const auto bank = makeBank(categories, uneven);
    const SessionSettings settings = everything(*bank, mode, questionCount);
    std::array<std::uint8_t, kMaxQuestions> weights{};
    for (int i = 0; i < kMaxQuestions; ++i)
        weights[size_t(i)] = std::uint8_t(i % 7);
    const DrawRandom random = fastRandom();
    auto table = std::make_unique<SessionTable>();
    for (auto _ : state) {
        SelectQuestion(*bank, settings, weights, random, *table);
        benchmark::DoNotOptimize(table->count);
    }
}

void BM_Normal500(benchmark::State& state)
{
    drawSession(state, kModeNormal, 10, false, 500);
}
void BM_Mock500(benchmark::State& state)
{
    drawSession(state, kModeMock, 10, false, 500);
}
void BM_Training500(benchmark::State& state)
{
    drawSession(state, kModeTraining, 10, false, 500);
}
// Worst case for the relaxation: one category holds 400 of 500, the session is 100.
void BM_NormalUneven100(benchmark::State& state)
{
    drawSession(state, kModeNormal, 3, true, 100);
}
void BM_NormalUneven500(benchmark::State& state)
{
    drawSession(state, kModeNormal, 3, true, 500);
}

} // namespace

BENCHMARK(BM_Normal500)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Mock500)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Training500)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NormalUneven100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NormalUneven500)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

#pragma once
// Drawing a session: which questions, in which order, with which choices shown where.
#include "bank/QuestionBank.h"
#include "session/SessionTypes.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// Uniform integer in 1..n (n >= 1). Tests fix it; the program seeds it from the clock.
using DrawRandom = std::function<int(int n)>;
DrawRandom clockSeededRandom();

// How often each bank question was answered correctly (byte 960.. of the history file);
// zeros when the file is missing or short.
std::array<std::uint8_t, kMaxQuestions> ReadTrainingWeights(const QString& historyPath);

// Fills `table` from the bank as the mode says. table.count is settings.questionCount, or fewer
// when the bank cannot supply that many (fewer eligible questions than the settings claim);
// entries behind table.count are cleared.
void SelectQuestion(const QuestionBank& bank, const SessionSettings& settings,
                    const std::array<std::uint8_t, kMaxQuestions>& trainingWeights, const DrawRandom& random,
                    SessionTable& table);

// Fills `table` with the bank positions `order` (each in 1..questionCount of the bank) in that
// order, each question's choices drawn as in every session; entries behind them are cleared.
void FillSessionTable(const QuestionBank& bank, const std::vector<int>& order, const DrawRandom& random,
                      SessionTable& table);

// The bank positions of the questions numbered `numbers`, in the order of `numbers`: a number the
// bank does not hold is left out, a number given twice counts once, at most 500 positions.
std::vector<int> bankPositionsOf(const QuestionBank& bank, const std::vector<int>& numbers);

// The steps of SelectQuestion, for tests and for callers that need one of them.

// One entry of the eligible list: a bank position and its training weight.
struct DrawEntry {
    int bankIndex = 0; // 1..500
    int weight = 0;    // correct count so far; 0 outside intensive training
};

// Bank positions 1..questionCount whose (category, sub-category) is checked, in bank order.
// Questions whose category is outside the test's category table are never eligible.
std::vector<DrawEntry> eligibleQuestions(const QuestionBank& bank, const SessionSettings& settings,
                                         const std::array<std::uint8_t, kMaxQuestions>& trainingWeights);

// Uniform random permutation, filled from the end: the last place takes a random entry of the
// remaining list, and so on.
void shuffleEntries(std::vector<DrawEntry>& entries, const DrawRandom& random);

// Stable sort of the first `count` entries by weight, ascending (count is clamped): among equal
// weights the order stays.
void sortByWeight(std::vector<DrawEntry>& entries, int count);

// The balanced draw of normal and mock exam sessions over the first availableCount shuffled
// entries: per-category and per-sub-category quotas, relaxed pass by pass. Returns bank positions
// in session order: min(questionCount, availableCount, entries) of them.
std::vector<int> balancedDraw(const QuestionBank& bank, const SessionSettings& settings,
                              const std::vector<DrawEntry>& shuffled);

// Chooses and shuffles the shown choices of one question into `out` (choices, keyFlags and the
// three counts). Inconsistent counts are clamped: shown <= stored <= 10, correct <= shown.
void drawChoices(const QuestionRecord& record, const DrawRandom& random, SessionQuestion& out);

#pragma once
// Drawing a session: which questions, in which order, with which choices shown where.
#include "bank/QuestionBank.h"
#include "session/SessionTypes.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

// Uniform integer in 1..n (n >= 1). Tests fix it; the program seeds it from the clock.
using DrawRandom = std::function<int(int n)>;
DrawRandom clockSeededRandom();

// How often each bank question was answered correctly (byte 960.. of the history file);
// zeros when the file is missing or short.
std::array<std::uint8_t, kMaxQuestions> ReadTrainingWeights(const QString& historyPath);

// Fills `table` (count = settings.questionCount) from the bank as the mode says.
void SelectQuestion(const QuestionBank& bank, const SessionSettings& settings,
                    const std::array<std::uint8_t, kMaxQuestions>& trainingWeights, const DrawRandom& random,
                    SessionTable& table);

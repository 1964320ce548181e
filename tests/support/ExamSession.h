#pragma once
// Starts an exam session on the exam screen as the category selection screen and the start
// notice would: the questions as drawn, the time limit, clear answer records, then the showing.
#include "session/SessionTypes.h"

#include <vector>

namespace testsupport
{

// A single-choice question of bank index and number `number` in category 1.1, two choices, the
// first one right.
SessionQuestion singleChoiceQuestion(int number);
// The answer of a question that chose `choice` (0-based) after `seconds` on it.
AnswerRecord choiceAnswer(int choice, int seconds);

// `limitSeconds` 0 means no time limit. The screens must exist (createScreens()).
void startExamSession(const std::vector<SessionQuestion>& questions, int limitSeconds);

} // namespace testsupport

#pragma once
// Starts an exam session on the exam screen as the category selection screen and the start
// notice would: the questions as drawn, the time limit, clear answer records, then the showing.
#include "session/SessionTypes.h"

#include <vector>

namespace testsupport
{

// `limitSeconds` 0 means no time limit. The screens must exist (createScreens()).
void startExamSession(const std::vector<SessionQuestion>& questions, int limitSeconds);

} // namespace testsupport

#pragma once
// Writes a question data file from its parts: the inverse of the reader, used by
// `quarvel-tool qdf pack` and by tests that need question files.
#include "bank/QuestionBank.h"
#include "bank/QuestionFile.h"

#include <string>

// The complete file as bytes (CR LF lines, text lines scrambled). The header's questionCount
// and the bank's categoryCount/questions[0..bank.recordsRead-1] are written as they stand.
// Conveniences for tests: an empty formatTag writes the format tag; a zero header mockCount takes
// bank.mockCount; a zero header questionCount takes bank.questionCount, else bank.recordsRead.
// Line 3 is bank.mockMinutes. Between records stands an empty separator line, after the last "*EOF".
// Text lines whose scrambled form would read as a marker are not guarded against here.
std::string QuestionFileBytes(const QuestionHeader& header, const QuestionBank& bank);

#pragma once
// Writes a question data file from its parts: the inverse of the reader, used by
// `quarvel-tool qdf pack` and by tests that need question files.
#include "bank/QuestionBank.h"
#include "bank/QuestionFile.h"

#include <string>

// The complete file as bytes (CR LF lines, text lines scrambled). The header's questionCount
// and the bank's categoryCount/questions[0..bank.recordsRead-1] are written as they stand.
std::string QuestionFileBytes(const QuestionHeader& header, const QuestionBank& bank);

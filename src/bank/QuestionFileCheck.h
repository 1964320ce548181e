#pragma once
// Checks of a question data file beyond what the reader refuses: things that read without error
// but make a test behave badly (sub-category counts that the draw relies on, numbers that the
// history and inquiry pages use to find a question, answer keys that cannot be answered).
#include "bank/FileError.h"
#include "bank/QuestionFile.h"

#include <vector>

struct FileProblem {
    FileError where;
    bool warning = false; // false: the reader refused the file

    QString text() const; // "FILE:LINE: what", warnings as "FILE:LINE: warning: what"
};

// Warnings about a bank that loaded without error. `lines` comes from the same load.
std::vector<FileProblem> CheckQuestionBank(const QuestionBank& bank, const QuestionFileLines& lines,
                                           const QuestionHeader& header, const QString& file);

// Reads the file and checks it: the reader's error, if any, then every warning.
std::vector<FileProblem> CheckQuestionFile(const QString& path);

#pragma once
// The adaptive record of a test (<test>.ADP): one CR LF line per bank question, eight markers
// "@0*" .. "@7*" with the fields number, category, sub-category, text, times asked, times correct
// and average answer time (whole seconds) after the first seven. Lines stay CP932 bytes.
#include "bank/FileError.h"
#include "bank/QuestionBank.h"
#include "results/Scoring.h"
#include "session/SessionTypes.h"

#include <QString>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kAdaptiveFields = 7;

enum AdaptiveField : int {
    kAdpNumber = 0,
    kAdpCategory = 1,
    kAdpSubCategory = 2,
    kAdpText = 3,
    kAdpAsked = 4,
    kAdpCorrect = 5,
    kAdpAverageSeconds = 6,
};

using AdaptiveFields = std::array<std::string, kAdaptiveFields>;

// The seven fields of a line, each the text between its marker and the next one; nothing when
// a marker is missing. Numbers are looked for from the front and counts from the back, so a
// question text that happens to hold a marker cannot shift the counts.
std::optional<AdaptiveFields> SplitAdaptiveLine(std::string_view line);

// The line of seven fields with its eight markers.
std::string JoinAdaptiveLine(const AdaptiveFields& fields);

// A question text on one line: every CR LF pair removed, nothing put in its place.
std::string AdaptiveText(std::string_view text);

// A line for a question never asked: its number, category, sub-category and text, counts 0.
std::string NewAdaptiveLine(int number, int category, int subCategory, std::string_view text);

// One line per bank question 1..questionCount (clamped to 500), all counts 0.
std::vector<std::string> InitialAdaptiveLines(const QuestionBank& bank);

// The lines of a record file without their line ends; nothing, with `error` set, when the file
// cannot be read. The name is matched without regard to case.
std::optional<std::vector<std::string>> ReadAdaptiveRecord(const QString& path, FileError* error = nullptr);

// Adds the attempt to `lines`: for each session question that was on screen (seconds above 0)
// times asked + 1, times correct + 1 when right, and the running average
// (a x (n - 1) + t) div n, never negative. Its line is the one whose number field equals the
// question's number; a question without a line gets a new line at the end. `lines` is only
// changed when every touched line reads right; otherwise the error names `fileName` and the line.
std::optional<FileError> AddAttemptToAdaptiveLines(std::vector<std::string>& lines, const SessionTable& questions,
                                                   const AnswerTable& answers, const AttemptScore& score,
                                                   const QString& fileName);

// The whole update as the result screen runs it after the history is saved: the file's lines
// (or the initial lines when there is none), the attempt added, written through a temporary
// file renamed over the old one. On any error the file is left as it was.
std::optional<FileError> UpdateAdaptiveRecord(const QString& path, const QuestionBank& bank,
                                              const SessionTable& questions, const AnswerTable& answers,
                                              const AttemptScore& score);

// The bytes of a record: each line followed by CR LF.
std::string AdaptiveRecordBytes(const std::vector<std::string>& lines);

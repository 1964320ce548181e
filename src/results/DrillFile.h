#pragma once
// The drill file of a test (<test>.DRL beside its history): ASCII, CR LF lines. The first line is
// "QUARVEL-DRILL 1"; then one line per question of the deck, seven fields separated by blanks:
// number, stability, difficulty, last review (YYYYMMDD), due (YYYYMMDD), reviews, lapses
// (docs/drill-file-format.md).
#include "bank/FileError.h"
#include "results/DrillDeck.h"

#include <QString>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kDrillFileHeader = "QUARVEL-DRILL 1";

// The deck in the bytes of a drill file; nothing, with `error` naming `fileName` and the line,
// when any line is not as the format says (a card is never half read or silently dropped).
std::optional<DrillDeck> ParseDrillFile(std::string_view bytes, const QString& fileName, FileError* error = nullptr);

// The bytes of the file of `deck`. Stability and difficulty are written with the fewest digits
// that read back as the same number.
std::string DrillFileBytes(const DrillDeck& deck);

// The deck of the file at `path` (name matched without regard to case); a missing file is an
// empty deck. Nothing, with `error` set, when the file cannot be read or is not a drill file.
std::optional<DrillDeck> LoadDrillDeck(const QString& path, FileError* error = nullptr);

// Writes the whole file safely: a temporary file in the same directory replaces the old one only
// when it is complete. Makes the directory when it is missing.
std::optional<FileError> SaveDrillDeck(const QString& path, const DrillDeck& deck);

// After a recorded attempt: the deck read, the reviews applied on `today`, the file written when
// anything changed. A file that does not read is left as it is and its error returned.
std::optional<FileError> UpdateDrillFile(const QString& path, const std::vector<DrillReview>& reviews, int today);

// What the result screen does after saving the history: the attempt's reviews, graded against the
// adaptive record at `adaptivePath` as it stands before this attempt is added to it (a record that
// is missing or cannot be read gives no averages), applied to the deck at `drillPath` on `today`.
std::optional<FileError> RecordAttemptInDrill(const QString& drillPath, const QString& adaptivePath,
                                              const SessionTable& questions, const AnswerTable& answers,
                                              const AttemptScore& score, int today);

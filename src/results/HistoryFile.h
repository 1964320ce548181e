#pragma once
// The per-test history file (<test>.HIS): 1960 bytes, the last ten attempts, best and average,
// five-attempt records per category, and per-question correct and wrong counts.
#include "install/CourseList.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <string>
#include <string_view>

inline constexpr int kHistorySize = 1960;

struct AttemptRecord {
    int minutes = 0, month = 0, day = 0, hour = 0, minute = 0, rate = 0, mode = 0, questionCount = 0;
    bool empty() const { return month == 0; }
};

struct History {
    std::array<AttemptRecord, 10> attempts{}; // [0] is the most recent
    int best = 0;
    int average = 0;
    std::array<std::array<int, 7>, 50> categories{}; // per category: last rate, 4 older, average, best
    std::array<int, 500> correct{};                  // by bank index - 1
    std::array<int, 500> wrong{};
};

// Creates the empty history of a test; an existing file is never overwritten. Creates the
// directory when it is missing. Returns false when the file could not be written.
bool CreateEmptyHistory(const QString& path, const QString& questionFilePath);

// Creates the empty history file of every test that has none. Returns the paths created.
QStringList createMissingHistories(const QList<CourseTest>& tests);

// A missing or short file loads as an empty history.
History LoadHistory(const QString& path);

// Writes the whole file safely: a temporary file in the same directory replaces the old one only
// when it is complete. The name field is taken from the existing file (or `questionFilePath`).
bool SaveHistory(const QString& path, const History& history, const QString& questionFilePath = {});

// The pieces of the three functions above, on bytes.

// Every field of the file is one byte: a value above 255 is stored as 255 (a count that wrapped
// to its low byte would read as "never answered"), a negative one as 0.
inline constexpr int kHistoryByteMax = 255;

// The 508-byte name field: the path's CP932 bytes, cut at 508, padded with 0x0B.
std::string HistoryNameField(const QString& questionFilePath);

// The whole 1960-byte file. `nameField` is padded with 0x0B or cut to 508 bytes.
std::string HistoryBytes(const History& history, std::string_view nameField);

// A new empty file: as HistoryBytes of an empty history, except that byte 607 is 0xFF.
std::string EmptyHistoryBytes(const QString& questionFilePath);

// Parses the layout; bytes shorter than 1960 give an empty history. Neither the magic nor the
// name field is checked.
History ParseHistory(std::string_view bytes);

#pragma once
// Reading the question data file (".qdf"): CR LF lines of CP932 text, user-visible lines scrambled.
#include "bank/FileError.h"
#include "bank/QuestionBank.h"

#include <QString>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr auto kFormatTag = "QFileFormat-v1.4";

// The line scrambling routine; its own inverse.
std::string ScrambleLine(std::string_view line);

// Header lines 1-10 as the course menu keeps them.
struct QuestionHeader {
    std::string formatTag;        // line 1, untrimmed
    int mockCount = 0;            // line 2 before the "/"
    std::string targetRate;       // line 2 after the first "/"
    std::string code;             // line 4
    std::string title;            // line 5
    std::array<bool, 5> badges{}; // lines 6-8: badge 1..5
    std::string updated;          // line 9, YYYYMMDDhhmmss
    int questionCount = 0;        // line 10

    bool hasFormatTag() const { return formatTag == kFormatTag; }
    bool noBadge() const { return !(badges[0] || badges[1] || badges[2] || badges[3] || badges[4]); }
};

// Reads header lines 1-10. A missing file or a bad numeric line is an error naming file and line.
// A file whose first line is not the format tag is read as far as it goes without an error
// only when `stopAfterBadTag` is set (the course menu drops such files silently).
std::optional<FileError> ReadQuestionHeader(const QString& path, QuestionHeader& header, bool stopAfterBadTag = false);

// Reads the whole file into `bank` (cleared first). On error the bank is left partly filled.
std::optional<FileError> LoadQuestionBank(const QString& path, QuestionBank& bank);

// Skips the header and reads the category table only: category names and their sub-category names.
struct CategoryNames {
    std::string name;
    std::array<std::string, kMaxSubCategories> subCategories{};
};
std::optional<FileError> ReadCategoryTable(const QString& path, std::vector<CategoryNames>& names);

// --- Additions for the tool, the checker and the benchmark ---------------------------------

// ScrambleLine appending to `out` (no allocation of its own).
void ScrambleLineInto(std::string& out, std::string_view line);

// Where the parts of a question data file stand (1-based lines), for messages about them.
struct QuestionFileLines {
    std::array<int, kMaxCategories> category{};                                   // name line
    std::array<std::array<int, kMaxSubCategories>, kMaxCategories> subCategory{}; // name line
    std::array<int, kMaxQuestions> record{};                                      // number line
};

// LoadQuestionBank over bytes already in memory; `name` names the file in errors. `lines` may be null.
std::optional<FileError> LoadQuestionBankFromBytes(std::string_view bytes, const QString& name, QuestionBank& bank,
                                                   QuestionFileLines* lines = nullptr);
// LoadQuestionBank that also reports where the categories and records stand.
std::optional<FileError> LoadQuestionBank(const QString& path, QuestionBank& bank, QuestionFileLines* lines);
// ReadQuestionHeader over bytes already in memory.
std::optional<FileError> ReadQuestionHeaderFromBytes(std::string_view bytes, const QString& name,
                                                     QuestionHeader& header);

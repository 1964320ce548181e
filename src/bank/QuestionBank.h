#pragma once
// One loaded test: its category table and question records, as read from a question data file.
// Text fields are CP932 bytes as unscrambled. Positions in the accessors are 1-based.
#include <array>
#include <string>

inline constexpr int kMaxQuestions = 500;
inline constexpr int kMaxCategories = 50;
inline constexpr int kMaxSubCategories = 20;
inline constexpr int kMaxChoices = 10;
inline constexpr int kReferenceCount = 4;
inline constexpr int kLinkCount = 2;

// Answer style codes of a question record.
enum AnswerStyle : int {
    kStyleSingle = 1,
    kStyleMultiple = 2,
    kStyleGraphic = 3,
    kStylePanel = 4,
    kStyleTextEntry = 5,
    kStyleLabelledPanel = 6,
    kStyleConnector = 7,
};

struct SubCategoryEntry {
    std::string name; // empty or blank: the sub-category does not exist
    int questionCount = 0;
};

struct CategoryEntry {
    std::string name; // not trimmed
    int questionCount = 0;
    std::array<SubCategoryEntry, kMaxSubCategories> subCategories{};

    SubCategoryEntry& sub(int k) { return subCategories.at(size_t(k - 1)); }
    const SubCategoryEntry& sub(int k) const { return subCategories.at(size_t(k - 1)); }
};

struct Reference {
    std::string text;       // empty when absent
    std::string page = "0"; // "0" when absent
};

struct Link {
    std::string caption;
    std::string target; // empty: no link
};

struct QuestionRecord {
    int number = 0;
    int category = 0;    // 1-based into the category table
    int subCategory = 0; // 1-based within the category
    std::string text;
    int storedChoiceCount = 0;
    int shownChoiceCount = 0;
    int correctCount = 0; // the first correctCount stored choices are the correct ones
    int style = 0;
    std::array<std::string, kMaxChoices> choices{};
    std::string explanation; // not trimmed: begins with CR LF
    std::array<Reference, kReferenceCount> references{};
    std::array<Link, kLinkCount> links{};
};

struct QuestionBank {
    int mockCount = 0;   // header line 2, before the "/"
    int mockMinutes = 0; // header line 3
    // What later code iterates over: header line 10, but never more than the records read. A file
    // whose header promises more records than it holds still reads, and nothing may then reach
    // past its last record into empty or stale questions.
    int questionCount = 0;
    int headerQuestionCount = 0; // header line 10 as written
    int recordsRead = 0;         // records actually present in the file
    int categoryCount = 0;
    std::array<CategoryEntry, kMaxCategories> categories{};
    std::array<QuestionRecord, kMaxQuestions> questions{};

    CategoryEntry& category(int c) { return categories.at(size_t(c - 1)); }
    const CategoryEntry& category(int c) const { return categories.at(size_t(c - 1)); }
    QuestionRecord& question(int i) { return questions.at(size_t(i - 1)); }
    const QuestionRecord& question(int i) const { return questions.at(size_t(i - 1)); }
};

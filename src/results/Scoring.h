#pragma once
// Turning a finished session into a score: verdicts, rate, grade level, per-category and
// per-question tallies. Pure functions over the session data; nothing here reads files.
#include "bank/QuestionBank.h"
#include "session/SessionTypes.h"

#include <QString>
#include <array>
#include <string>

// Local date and time taken when the result screen opened.
struct AttemptStamp {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

struct AttemptScore {
    int questionCount = 0;                               // n, 0..500
    std::array<unsigned char, kMaxQuestions> verdicts{}; // [r-1]: 1 correct, 0 wrong
    int correctCount = 0;
    int rate = 0;          // percent, truncated
    char level = 'E';      // 'A'..'E'
    std::string levelText; // CP932; filled by whoever has read the test's level texts
    int elapsedMinutes = 0;
    int elapsedSeconds = 0; // 0..59
    AttemptStamp stamp;

    bool verdict(int r) const { return verdicts.at(size_t(r - 1)) != 0; }
};

// Rate of a category that had no question in the attempt (or lies beyond the test's categories).
inline constexpr int kCategoryNotAsked = 101;

struct CategoryTally {
    std::array<int, kMaxCategories> correct{};
    std::array<int, kMaxCategories> wrong{};
    std::array<int, kMaxCategories> rates{}; // 0..100, or kCategoryNotAsked

    int rate(int c) const { return rates.at(size_t(c - 1)); }
};

// The truncated percentage count * 100 div total; 0 when total is 0.
int RatePercent(int count, int total);

// A question is right when all ten answer flags equal the key flags.
bool JudgeAnswer(const SessionQuestion& question, const AnswerRecord& answer);

// Judges positions 1..questionCount (clamped to 0..500) and fills everything but levelText.
// A session of no questions scores 0 %, level E.
AttemptScore ScoreAttempt(const SessionTable& questions, const AnswerTable& answers, int questionCount,
                          int elapsedSeconds, const AttemptStamp& stamp);

// Grade level of a rate: bounds 25 (D), 51 (C), 71 (B), 81 (A).
char LevelFor(int rate);

// The text of a level among the five texts A..E (as ReadLevelTexts gives them).
std::string LevelText(char level, const std::array<std::string, 5>& texts);

// The sound played for a level, relative to the working directory ("wav/Good.wav").
QString LevelSound(char level);

// Counts per category of this attempt, from zero; rates for categories 1..categoryCount.
// Session questions whose category lies outside 1..50 are not counted.
CategoryTally TallyCategories(const SessionTable& questions, const AttemptScore& score, int categoryCount);

// Adds this attempt to the running per-question counts (indexed by bank index - 1). A count
// stops at 255, the most its history byte can hold. Bank indices outside 1..500 are skipped.
void AddToQuestionTally(const SessionTable& questions, const AttemptScore& score,
                        std::array<int, kMaxQuestions>& correct, std::array<int, kMaxQuestions>& wrong);

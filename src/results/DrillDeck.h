#pragma once
// The drill deck of a test: the questions once answered wrong, each with its FSRS memory state and
// the day it is due again. Pure functions; the file lies in DrillFile.h.
#include "results/DrillGrade.h"
#include "results/Fsrs.h"
#include "results/Scoring.h"
#include "session/SessionTypes.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Calendar days as whole numbers (days since 1970-01-01), so that intervals are plain sums.
namespace drillday
{

inline constexpr int kFirstYear = 1900;
inline constexpr int kLastYear = 9999;

// The day of a valid date within kFirstYear..kLastYear; nothing otherwise.
std::optional<int> fromDate(int year, int month, int day);
// "YYYYMMDD" (exactly eight digits) as a day; nothing when it is not a valid date in range.
std::optional<int> fromText(std::string_view yyyymmdd);
// The day as "YYYYMMDD".
std::string text(int day);
// The last day that can be written (9999-12-31).
int lastDay();

} // namespace drillday

struct DrillCard {
    int number = 0; // the question's number (as in the adaptive record)
    double stability = 0;
    double difficulty = 0;
    int lastReview = 0; // drillday
    int due = 0;        // drillday
    int reviews = 0;    // reviews so far, the first (the wrong answer that brought it in) included
    int lapses = 0;     // wrong answers after the first review

    bool operator==(const DrillCard&) const = default;
};

struct DrillDeck {
    std::vector<DrillCard> cards; // ascending question number, each number once

    const DrillCard* find(int number) const;
};

struct DrillReview {
    int number = 0;
    fsrs::Grade grade = fsrs::Grade::Good;
};

// The reviews a recorded attempt gives: every question that was on screen (seconds above 0),
// graded by DrillGrade with the average time of its line in `adaptiveLines` (the record as it
// stood before this attempt; no line, or never asked: no average).
std::vector<DrillReview> DrillReviewsOfAttempt(const SessionTable& questions, const AnswerTable& answers,
                                               const AttemptScore& score,
                                               const std::vector<std::string>& adaptiveLines);

// Applies the reviews of one attempt made on `today`, in order: a question already in the deck is
// reviewed with its grade (elapsed days from its last review, 0 when the clock went back); a
// question not in the deck enters it only when the grade is Again, as a new card reviewed today.
// Returns the number of cards that changed or entered.
int ApplyDrillReviews(DrillDeck& deck, const std::vector<DrillReview>& reviews, int today,
                      const fsrs::Scheduler& scheduler = fsrs::Scheduler());

// The questions due on `today` (due on or before it): the oldest due first, equal days by number.
std::vector<int> DueQuestions(const DrillDeck& deck, int today);

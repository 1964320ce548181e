#pragma once
// The chance of passing a test's mock exam if it were sat today, from the test's history.
//
// Model: each category's ability is a Beta posterior over its right and wrong answers (the
// per-question counts of the history), shrunk towards the learner's overall level, itself a Beta
// posterior over the recorded attempts' rates. Evidence loses weight with age (a half-life in
// days), so an old history gives a wide interval. Abilities are drawn from the posteriors; for
// each draw the chance of reaching the pass mark is computed over the per-category question
// counts that the mock exam's own draw gives. The forecast is the mean over the ability draws,
// its interval the 10th and 90th percentiles. Everything is seeded: the same input gives the
// same forecast.
#include "bank/QuestionBank.h"
#include "results/HistoryFile.h"
#include "session/SessionTypes.h"

#include <QDate>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What one mock exam of a test asks: how many questions from which category, and the pass mark.
struct ForecastBlueprint {
    int passMark = -1;     // percent 0..100; below 0: the test names none
    int questionCount = 0; // questions of one mock exam
    struct Category {
        int number = 0;           // 1-based in the test's category table
        std::string name;         // CP932
        double meanQuestions = 0; // average over the simulated draws
    };
    std::vector<Category> categories; // the categories a mock exam can ask, in table order
    std::vector<int> categoryOfIndex; // bank index - 1 -> category number (0: never asked)
    struct Draw {
        std::vector<int> counts; // per entry of `categories`
        double weight = 0;       // share of the simulated draws that gave these counts
        int times = 0;           // how many of them did
    };
    std::vector<Draw> draws; // distinct outcomes of the draw
};

// The settings of the test's mock exam as the category selection screen makes them: every listed
// sub-category ticked (those of a category with a name, up to the first blank sub-category name),
// min(mock count, available) questions.
SessionSettings MockExamSettings(const QuestionBank& bank);

// The blueprint of the test's mock exam: every listed sub-category ticked, min(mock count,
// available) questions, drawn `drawCount` times by the session's own balanced draw with a fixed
// seed. `passMark` below 0 or above 100 means none.
ForecastBlueprint MockExamBlueprint(const QuestionBank& bank, int passMark, int drawCount = 64);

struct CategoryForecast {
    int number = 0;
    std::string name;           // CP932
    double questions = 0;       // questions of this category in one mock exam (average)
    int answered = 0;           // right + wrong answers recorded for its questions
    int correct = 0;            // right answers recorded
    std::optional<double> rate; // estimated correct rate today, 0..1; none for an empty history
    std::optional<double> gain; // rise of the probability when the rate rises by ten points
};

struct PassForecast {
    // Nothing when there is no evidence (an empty history), no pass mark or no mock exam: the
    // interval is then 0..1, never a false certainty.
    std::optional<double> probability;
    double low = 0;  // 80% interval
    double high = 1; // 80% interval
    int passMark = -1;
    int attempts = 0; // recorded attempts (at most ten)
    int questionCount = 0;
    std::vector<CategoryForecast> categories;

    // The category with the largest gain (ties: the first); nothing when no gain is positive.
    const CategoryForecast* largestGain() const;
};

struct ForecastOptions {
    int samples = 400;             // ability draws
    std::uint64_t seed = 20260527; // fixed: the forecast never changes between two looks
    double halfLifeDays = 60;      // evidence this old counts half
    double priorStrength = 4;      // pseudo-answers of the overall level in each category
    double gainStep = 0.10;        // "ten points"
};

// Days between each recorded attempt (most recent first, empty records skipped) and `today`.
// The records hold no year: each attempt lies on or before the next newer one and on or before
// today, at the latest such date. Out-of-range months or days take the neighbour's date.
std::vector<int> AttemptAges(const History& history, const QDate& today);

// Whether the history holds anything to forecast from: an attempt or an answer.
bool HasForecastEvidence(const History& history);

PassForecast ForecastPass(const ForecastBlueprint& blueprint, const History& history, const QDate& today,
                          const ForecastOptions& options = {});

// P(at least `need` right) when `counts[c]` questions are asked with right chance `abilities[c]`.
// `scratch` is reused between calls. Exact up to 30 questions, a refined normal approximation above.
double PassChance(const std::vector<int>& counts, const std::vector<double>& abilities, int need,
                  std::vector<double>& scratch);

// Right answers needed for a pass: the rate is truncated (count * 100 / n), so ceil(mark * n / 100).
int QuestionsNeeded(int passMark, int questionCount);

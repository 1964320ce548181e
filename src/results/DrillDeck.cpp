#include "results/DrillDeck.h"

#include "bank/TextLines.h"
#include "results/AdaptiveRecord.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>
#include <unordered_map>

namespace drillday
{

std::optional<int> fromDate(int year, int month, int day)
{
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{unsigned(month)},
                                           std::chrono::day{unsigned(day)}};
    if (!date.ok())
        return std::nullopt;
    return int(std::chrono::sys_days(date).time_since_epoch().count());
}

std::optional<int> fromText(std::string_view yyyymmdd)
{
    if (yyyymmdd.size() != 8)
        return std::nullopt;
    int digits[8];
    for (size_t i = 0; i < 8; ++i) {
        if (yyyymmdd[i] < '0' || yyyymmdd[i] > '9')
            return std::nullopt;
        digits[i] = yyyymmdd[i] - '0';
    }
    const int year = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
    return fromDate(year, digits[4] * 10 + digits[5], digits[6] * 10 + digits[7]);
}

std::string text(int day)
{
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{day}}};
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d%02u%02u", int(date.year()), unsigned(date.month()),
                  unsigned(date.day()));
    return buffer;
}

int lastDay()
{
    return *fromDate(kLastYear, 12, 31);
}

} // namespace drillday

const DrillCard* DrillDeck::find(int number) const
{
    const auto it = std::lower_bound(cards.begin(), cards.end(), number,
                                     [](const DrillCard& card, int n) { return card.number < n; });
    return it != cards.end() && it->number == number ? &*it : nullptr;
}

std::vector<DrillReview> DrillReviewsOfAttempt(const SessionTable& questions, const AnswerTable& answers,
                                               const AttemptScore& score, const std::vector<std::string>& adaptiveLines)
{
    // Average seconds by question number, from the first line of each number that reads right.
    std::unordered_map<int, int> averageOf;
    for (const std::string& line : adaptiveLines) {
        const auto fields = SplitAdaptiveLine(line);
        if (!fields)
            continue;
        const auto number = textlines::parseNumber((*fields)[kAdpNumber]);
        const auto asked = textlines::parseNumber((*fields)[kAdpAsked]);
        const auto average = textlines::parseNumber((*fields)[kAdpAverageSeconds]);
        if (number && asked && average && *asked > 0)
            averageOf.emplace(*number, *average);
    }
    std::vector<DrillReview> reviews;
    const int n = std::clamp(score.questionCount, 0, kMaxQuestions);
    for (int r = 1; r <= n; ++r) {
        const AnswerRecord& answer = answers.at(r);
        if (answer.secondsOnQuestion <= 0)
            continue; // never on screen: not answered at all
        const int number = questions.question(r).number;
        const auto average = averageOf.find(number);
        DrillAnswerFacts facts;
        facts.correct = score.verdict(r);
        facts.seconds = answer.secondsOnQuestion;
        facts.explanationOpened = answer.explanationViewed != 0;
        facts.averageSeconds = average == averageOf.end() ? 0 : average->second;
        reviews.push_back({number, DrillGrade(facts)});
    }
    return reviews;
}

int ApplyDrillReviews(DrillDeck& deck, const std::vector<DrillReview>& reviews, int today,
                      const fsrs::Scheduler& scheduler)
{
    int changed = 0;
    const int last = drillday::lastDay();
    for (const DrillReview& review : reviews) {
        auto it = std::lower_bound(deck.cards.begin(), deck.cards.end(), review.number,
                                   [](const DrillCard& card, int n) { return card.number < n; });
        fsrs::MemoryState state;
        if (it != deck.cards.end() && it->number == review.number) {
            state =
                scheduler.review({it->stability, it->difficulty}, std::max(0, today - it->lastReview), review.grade);
            // Counts stop at the largest int, and lapses stay below reviews as the file requires.
            it->reviews += it->reviews < std::numeric_limits<int>::max() ? 1 : 0;
            if (review.grade == fsrs::Grade::Again && it->lapses + 1 < it->reviews)
                ++it->lapses;
        } else {
            if (review.grade != fsrs::Grade::Again)
                continue; // only wrong answers bring a question into the deck
            state = scheduler.first(review.grade);
            DrillCard card;
            card.number = review.number;
            card.reviews = 1;
            it = deck.cards.insert(it, card);
        }
        it->stability = state.stability;
        it->difficulty = state.difficulty;
        it->lastReview = today;
        it->due = int(std::min<long long>(static_cast<long long>(today) + scheduler.interval(state.stability), last));
        ++changed;
    }
    return changed;
}

std::vector<int> DueQuestions(const DrillDeck& deck, int today)
{
    std::vector<const DrillCard*> due;
    for (const DrillCard& card : deck.cards) {
        if (card.due <= today)
            due.push_back(&card);
    }
    std::stable_sort(due.begin(), due.end(), [](const DrillCard* a, const DrillCard* b) { return a->due < b->due; });
    std::vector<int> numbers;
    numbers.reserve(due.size());
    for (const DrillCard* card : due)
        numbers.push_back(card->number);
    return numbers;
}

#include "results/Recording.h"

#include <algorithm>

History AppendAttempt(const History& loaded, const AttemptScore& score, const CategoryTally& categories,
                      const SessionTable& questions, int mode, int categoryCount)
{
    History h = loaded;

    // Records: the new one first, loaded 1..9 behind it; E counts the empty ones among those nine.
    int emptyRecords = 0;
    int rateSum = score.rate;
    for (size_t k = 9; k >= 1; --k) {
        h.attempts[k] = loaded.attempts[k - 1];
        if (loaded.attempts[k - 1].empty())
            ++emptyRecords;
        rateSum += loaded.attempts[k - 1].rate;
    }
    AttemptRecord& now = h.attempts[0];
    now.minutes = std::min(score.elapsedMinutes, kHistoryByteMax);
    now.month = score.stamp.month;
    now.day = score.stamp.day;
    now.hour = score.stamp.hour;
    now.minute = score.stamp.minute;
    now.rate = score.rate;
    now.mode = mode;
    now.questionCount = score.questionCount;

    h.best = std::max(score.rate, loaded.best);
    h.average = rateSum / (10 - emptyRecords); // over the non-empty records of the new file

    // The five-attempt average divides by the attempts of the test (at most 5), not by the
    // attempts that contained the category.
    const int divisor = emptyRecords <= 5 ? 5 : 10 - emptyRecords;
    const int rated = std::clamp(categoryCount, 0, kMaxCategories);
    for (int c = 1; c <= rated; ++c) {
        const int rate = categories.rate(c);
        if (rate == kCategoryNotAsked)
            continue;
        const auto& old = loaded.categories[size_t(c - 1)];
        auto& record = h.categories[size_t(c - 1)];
        record[0] = rate;
        for (size_t f = 1; f <= 4; ++f)
            record[f] = old[f - 1];
        record[5] = (record[0] + record[1] + record[2] + record[3] + record[4]) / divisor;
        record[6] = std::max(rate, old[6]);
    }

    AddToQuestionTally(questions, score, h.correct, h.wrong);
    return h;
}

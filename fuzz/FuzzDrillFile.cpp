// The drill file from any bytes: a deck that reads keeps every rule of the format, writes back to
// bytes that read as the same deck, and stays in order after a review of each of its questions.
#include "FuzzCheck.h"

#include "results/DrillFile.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FileError error;
    const auto deck = ParseDrillFile(bytes, QStringLiteral("fuzz.DRL"), &error);
    if (!deck) {
        FUZZ_CHECK(error.line >= 1 && !error.message.isEmpty());
        return 0;
    }
    std::vector<DrillReview> reviews;
    for (size_t i = 0; i < deck->cards.size(); ++i) {
        const DrillCard& c = deck->cards[i];
        FUZZ_CHECK(i == 0 || deck->cards[i - 1].number < c.number);
        FUZZ_CHECK(c.stability >= fsrs::kMinStability && c.stability <= fsrs::kMaxStability);
        FUZZ_CHECK(c.difficulty >= fsrs::kMinDifficulty && c.difficulty <= fsrs::kMaxDifficulty);
        FUZZ_CHECK(c.lastReview <= c.due && c.lapses < c.reviews);
        reviews.push_back({c.number, fsrs::Grade(1 + c.number % 4)});
    }
    const auto again = ParseDrillFile(DrillFileBytes(*deck), QStringLiteral("again.DRL"));
    FUZZ_CHECK(again && again->cards == deck->cards);

    DrillDeck reviewed = *deck;
    const int today = deck->cards.empty() ? 0 : deck->cards.front().due;
    ApplyDrillReviews(reviewed, reviews, today);
    FUZZ_CHECK(reviewed.cards.size() == deck->cards.size());
    const auto written = ParseDrillFile(DrillFileBytes(reviewed), QStringLiteral("reviewed.DRL"));
    FUZZ_CHECK(written && written->cards == reviewed.cards);
    return 0;
}

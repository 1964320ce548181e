#pragma once
// The FSRS-6 memory model and its long-term scheduler: how stable and how difficult a question is
// after each review, and in how many whole days it should be seen again. Plain C++, no Qt: the
// drill deck and `quarvel-tool drill simulate` share it, and anyone can compare it with another
// FSRS implementation. There are no same-day learning steps and no fuzz: a review on the day of
// the previous one goes through the same formulas with 0 days elapsed.
#include <array>

namespace fsrs
{

inline constexpr int kParameterCount = 21;
using Parameters = std::array<double, kParameterCount>;

// The published FSRS-6 defaults w0..w20 (w20 is the decay of the forgetting curve).
inline constexpr Parameters kDefaultParameters{0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                               0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                               1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};

inline constexpr double kMinStability = 0.001; // days
inline constexpr double kMaxStability = 36500.0;
inline constexpr double kMinDifficulty = 1.0;
inline constexpr double kMaxDifficulty = 10.0;
inline constexpr int kMaxInterval = 36500; // days
inline constexpr double kDefaultRetention = 0.9;

enum class Grade : int {
    Again = 1,
    Hard = 2,
    Good = 3,
    Easy = 4,
};

struct MemoryState {
    double stability = 0;  // days until recall falls to 90 %
    double difficulty = 0; // 1..10
};

class Scheduler
{
  public:
    // `retention`: the probability of recall the next review is planned for, in (0, 1).
    explicit Scheduler(const Parameters& w = kDefaultParameters, double retention = kDefaultRetention);

    // The state after the first review of a new question.
    MemoryState first(Grade grade) const;

    // The state after a review `elapsedDays` (0 or more; less counts as 0) after the previous one.
    MemoryState review(const MemoryState& state, int elapsedDays, Grade grade) const;

    // Probability of recall `elapsedDays` after a review that left `stability`.
    double retrievability(double elapsedDays, double stability) const;

    // Whole days until the next review: rounded, 1..36500.
    int interval(double stability) const;

  private:
    double initialDifficulty(Grade grade) const; // not clamped: the mean reversion aims at it as it is
    double nextDifficulty(double difficulty, Grade grade) const;
    double stabilityAfterRecall(const MemoryState& state, double recall, Grade grade) const;
    double stabilityAfterLapse(const MemoryState& state, double recall) const;

    Parameters m_w;
    double m_decay;
    double m_factor;
    double m_intervalFactor; // interval per day of stability at the desired retention
};

} // namespace fsrs

#include "results/Fsrs.h"

#include <algorithm>
#include <cmath>

namespace fsrs
{

namespace
{

double clampStability(double s)
{
    return std::clamp(s, kMinStability, kMaxStability);
}

double clampDifficulty(double d)
{
    return std::clamp(d, kMinDifficulty, kMaxDifficulty);
}

int gradeValue(Grade grade)
{
    return std::clamp(static_cast<int>(grade), 1, 4);
}

} // namespace

Scheduler::Scheduler(const Parameters& w, double retention) : m_w(w)
{
    m_decay = m_w[20];
    // The factor makes R(S, S) = 0.9 for every decay: stability is the 90 % point by definition.
    m_factor = std::pow(0.9, -1.0 / m_decay) - 1.0;
    m_intervalFactor = (std::pow(retention, -1.0 / m_decay) - 1.0) / m_factor;
}

double Scheduler::retrievability(double elapsedDays, double stability) const
{
    return std::pow(1.0 + m_factor * std::max(0.0, elapsedDays) / clampStability(stability), -m_decay);
}

int Scheduler::interval(double stability) const
{
    const double days = std::round(clampStability(stability) * m_intervalFactor);
    return static_cast<int>(std::clamp(days, 1.0, static_cast<double>(kMaxInterval)));
}

double Scheduler::initialDifficulty(Grade grade) const
{
    return m_w[4] - std::exp(m_w[5] * (gradeValue(grade) - 1)) + 1.0;
}

double Scheduler::nextDifficulty(double difficulty, Grade grade) const
{
    // The step shrinks linearly as the difficulty nears 10, then the result is pulled a little
    // towards the difficulty of a first "Easy".
    const double delta = -m_w[6] * (gradeValue(grade) - 3);
    const double damped = difficulty + delta * (10.0 - difficulty) / 9.0;
    return clampDifficulty(m_w[7] * initialDifficulty(Grade::Easy) + (1.0 - m_w[7]) * damped);
}

double Scheduler::stabilityAfterRecall(const MemoryState& state, double recall, Grade grade) const
{
    const double hardPenalty = grade == Grade::Hard ? m_w[15] : 1.0;
    const double easyBonus = grade == Grade::Easy ? m_w[16] : 1.0;
    const double s = state.stability;
    const double growth = std::exp(m_w[8]) * (11.0 - state.difficulty) * std::pow(s, -m_w[9]) *
                          (std::exp((1.0 - recall) * m_w[10]) - 1.0) * hardPenalty * easyBonus;
    return clampStability(s * (1.0 + growth));
}

double Scheduler::stabilityAfterLapse(const MemoryState& state, double recall) const
{
    const double s = state.stability;
    const double forgotten = m_w[11] * std::pow(state.difficulty, -m_w[12]) * (std::pow(s + 1.0, m_w[13]) - 1.0) *
                             std::exp((1.0 - recall) * m_w[14]);
    // Forgetting never leaves a question more stable than it was. Without same-day steps the
    // short-term terms w17 and w18 drop out of this cap, which is then the old stability itself.
    return clampStability(std::min(forgotten, s));
}

MemoryState Scheduler::first(Grade grade) const
{
    return {clampStability(m_w[static_cast<size_t>(gradeValue(grade) - 1)]), clampDifficulty(initialDifficulty(grade))};
}

MemoryState Scheduler::review(const MemoryState& state, int elapsedDays, Grade grade) const
{
    const MemoryState old{clampStability(state.stability), clampDifficulty(state.difficulty)};
    const double recall = retrievability(std::max(0, elapsedDays), old.stability);
    MemoryState next;
    next.stability =
        grade == Grade::Again ? stabilityAfterLapse(old, recall) : stabilityAfterRecall(old, recall, grade);
    next.difficulty = nextDifficulty(old.difficulty, grade);
    return next;
}

} // namespace fsrs

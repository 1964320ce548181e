#include "results/PassForecast.h"

#include "session/SelectQuestion.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <random>

namespace
{

constexpr std::uint64_t kDrawSeed = 9176; // the blueprint's draws
constexpr int kExactLimit = 30;           // exams up to this size are convolved exactly
constexpr double kOlderThanListed = 2;    // answers older than the ten kept attempts: twice as old

bool isBlank(const std::string& name)
{
    return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
}

// Uniform numbers and the Beta draws, written out so that the forecast is the same on every
// standard library (the library's distributions are free to differ).
class Random
{
  public:
    explicit Random(std::uint64_t seed) : m_engine(seed) {}

    double uniform() // in (0, 1)
    {
        return (double(m_engine() >> 11) + 0.5) * 0x1.0p-53;
    }
    int below(int n) { return int((m_engine() >> 32) * std::uint64_t(n) >> 32); }

    double normal() { return std::sqrt(-2 * std::log(uniform())) * std::cos(6.283185307179586 * uniform()); }

    // Marsaglia and Tsang's method; shapes below one through the boost G(a) = G(a+1) U^(1/a).
    double gamma(double shape)
    {
        if (shape < 1)
            return gamma(shape + 1) * std::pow(uniform(), 1 / shape);
        const double d = shape - 1.0 / 3, c = 1 / std::sqrt(9 * d);
        for (;;) {
            double x = 0, v = 0;
            do {
                x = normal();
                v = 1 + c * x;
            } while (v <= 0);
            v = v * v * v;
            const double u = uniform();
            if (u < 1 - 0.0331 * x * x * x * x || std::log(u) < 0.5 * x * x + d * (1 - v + std::log(v)))
                return d * v;
        }
    }

    double beta(double a, double b)
    {
        // Tiny shapes (a level near 0 or 1 and no answers) would underflow both draws.
        a = std::max(a, 1e-3);
        b = std::max(b, 1e-3);
        const double x = gamma(a), y = gamma(b);
        return x + y > 0 ? x / (x + y) : a / (a + b);
    }

  private:
    std::mt19937_64 m_engine;
};

double percentile(std::vector<double> values, double q)
{
    std::sort(values.begin(), values.end());
    const double at = q * double(values.size() - 1);
    const size_t below = size_t(at);
    const size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (at - double(below));
}

QDate dateOnOrBefore(int month, int day, const QDate& limit)
{
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return limit;
    for (int year = limit.year(); year >= limit.year() - 1; --year) {
        // 29 February of a year without one is taken as the 28th.
        const QDate date(year, month, std::min(day, QDate(year, month, 1).daysInMonth()));
        if (date <= limit)
            return date;
    }
    return limit; // unreachable for valid dates
}

} // namespace

int QuestionsNeeded(int passMark, int questionCount)
{
    const long long product = static_cast<long long>(std::clamp(passMark, 0, 100)) * std::max(0, questionCount);
    return int((product + 99) / 100);
}

SessionSettings MockExamSettings(const QuestionBank& bank)
{
    SessionSettings settings;
    settings.mode = kModeMock;
    long long available = 0;
    const int categories = std::clamp(bank.categoryCount, 0, kMaxCategories);
    for (int c = 1; c <= categories; ++c) {
        const CategoryEntry& category = bank.category(c);
        if (isBlank(category.name))
            continue;
        for (int k = 1; k <= kMaxSubCategories && !isBlank(category.sub(k).name); ++k) {
            settings.setChecked(c, k, true);
            available += std::max(0, category.sub(k).questionCount);
        }
    }
    settings.availableCount = int(std::min<long long>(available, kMaxQuestions));
    // The mock exam asks the mock count, or everything when that is not fewer than available.
    settings.questionCount =
        bank.mockCount < settings.availableCount ? std::max(0, bank.mockCount) : settings.availableCount;
    return settings;
}

ForecastBlueprint MockExamBlueprint(const QuestionBank& bank, int passMark, int drawCount)
{
    ForecastBlueprint blueprint;
    blueprint.passMark = passMark >= 0 && passMark <= 100 ? passMark : -1;
    const SessionSettings settings = MockExamSettings(bank);

    std::vector<int> entryOf(kMaxCategories + 1, -1);
    for (int c = 1; c <= std::clamp(bank.categoryCount, 0, kMaxCategories); ++c) {
        if (!settings.isChecked(c, 1))
            continue;
        entryOf[size_t(c)] = int(blueprint.categories.size());
        blueprint.categories.push_back({c, bank.category(c).name, 0});
    }
    const int total = std::clamp(bank.questionCount, 0, kMaxQuestions);
    blueprint.categoryOfIndex.assign(size_t(total), 0);
    for (int i = 1; i <= total; ++i) {
        const QuestionRecord& q = bank.question(i);
        if (settings.isChecked(q.category, q.subCategory))
            blueprint.categoryOfIndex[size_t(i - 1)] = q.category;
    }

    const std::vector<DrawEntry> eligible = eligibleQuestions(bank, settings, {});
    if (eligible.empty() || settings.questionCount <= 0 || drawCount <= 0)
        return blueprint;
    Random random(kDrawSeed);
    std::map<std::vector<int>, int> outcomes;
    std::vector<DrawEntry> shuffled = eligible;
    for (int d = 0; d < drawCount; ++d) {
        // Any uniform permutation gives the balanced draw the same chances as the session's own
        // shuffle; this one takes linear time, which matters for full banks drawn 64 times.
        for (size_t k = shuffled.size(); k > 1; --k)
            std::swap(shuffled[k - 1], shuffled[size_t(random.below(int(k)))]);
        std::vector<int> counts(blueprint.categories.size(), 0);
        for (int index : balancedDraw(bank, settings, shuffled)) {
            const int category = bank.question(index).category; // a ticked one: 1..50
            if (entryOf[size_t(category)] >= 0)
                ++counts[size_t(entryOf[size_t(category)])];
        }
        ++outcomes[counts];
    }
    for (const auto& [counts, times] : outcomes) {
        blueprint.draws.push_back({counts, double(times) / drawCount, times});
        for (size_t e = 0; e < counts.size(); ++e)
            blueprint.categories[e].meanQuestions += counts[e] * double(times) / drawCount;
    }
    blueprint.questionCount = std::accumulate(outcomes.begin()->first.begin(), outcomes.begin()->first.end(), 0);
    return blueprint;
}

const CategoryForecast* PassForecast::largestGain() const
{
    const CategoryForecast* best = nullptr;
    for (const CategoryForecast& c : categories)
        if (c.gain && *c.gain > 0 && (!best || *c.gain > *best->gain))
            best = &c;
    return best;
}

bool HasForecastEvidence(const History& history)
{
    const auto positive = [](int v) { return v > 0; };
    return std::any_of(history.attempts.begin(), history.attempts.end(),
                       [](const AttemptRecord& a) { return !a.empty(); }) ||
           std::any_of(history.correct.begin(), history.correct.end(), positive) ||
           std::any_of(history.wrong.begin(), history.wrong.end(), positive);
}

std::vector<int> AttemptAges(const History& history, const QDate& today)
{
    std::vector<int> ages;
    QDate cursor = today;
    for (const AttemptRecord& a : history.attempts) {
        if (a.empty())
            continue;
        cursor = dateOnOrBefore(a.month, a.day, cursor);
        ages.push_back(int(cursor.daysTo(today)));
    }
    return ages;
}

double PassChance(const std::vector<int>& counts, const std::vector<double>& abilities, int need,
                  std::vector<double>& scratch)
{
    const int n = std::accumulate(counts.begin(), counts.end(), 0);
    if (need <= 0)
        return 1;
    if (need > n)
        return 0;
    if (n > kExactLimit) {
        // Larger exams: the refined normal approximation of a sum of unequal coins (a normal law
        // with continuity correction and a skewness term), within a point of the exact sum.
        double mean = 0, variance = 0, third = 0;
        for (size_t c = 0; c < counts.size(); ++c) {
            const double p = std::clamp(abilities[c], 0.0, 1.0);
            mean += counts[c] * p;
            variance += counts[c] * p * (1 - p);
            third += counts[c] * p * (1 - p) * (1 - 2 * p);
        }
        if (variance <= 1e-12)
            return mean >= need - 0.5 ? 1 : 0;
        const double sigma = std::sqrt(variance), skew = third / (variance * sigma);
        const double x = (need - 0.5 - mean) / sigma;
        const double below = 0.5 * std::erfc(-x / std::sqrt(2.0)) +
                             skew * (1 - x * x) * std::exp(-x * x / 2) / (6 * std::sqrt(2 * 3.141592653589793));
        return std::clamp(1 - below, 0.0, 1.0);
    }
    // The distribution of right answers, one question at a time.
    scratch.assign(size_t(n + 1), 0.0);
    scratch[0] = 1;
    int asked = 0;
    for (size_t c = 0; c < counts.size(); ++c) {
        const double p = std::clamp(abilities[c], 0.0, 1.0);
        for (int k = 0; k < counts[c]; ++k) {
            ++asked;
            for (int j = asked; j >= 1; --j)
                scratch[size_t(j)] = scratch[size_t(j)] * (1 - p) + scratch[size_t(j - 1)] * p;
            scratch[0] *= 1 - p;
        }
    }
    double pass = 0;
    for (int j = need; j <= n; ++j)
        pass += scratch[size_t(j)];
    return std::clamp(pass, 0.0, 1.0);
}

PassForecast ForecastPass(const ForecastBlueprint& blueprint, const History& history, const QDate& today,
                          const ForecastOptions& options)
{
    PassForecast forecast;
    forecast.passMark = blueprint.passMark;
    forecast.questionCount = blueprint.questionCount;
    const size_t categoryCount = blueprint.categories.size();

    // Evidence per category from the per-question counts.
    std::vector<double> right(categoryCount, 0), wrong(categoryCount, 0);
    std::vector<int> entryOf(kMaxCategories + 1, -1);
    for (size_t e = 0; e < categoryCount; ++e) {
        entryOf[size_t(blueprint.categories[e].number)] = int(e);
        forecast.categories.push_back({blueprint.categories[e].number, blueprint.categories[e].name,
                                       blueprint.categories[e].meanQuestions, 0, 0, std::nullopt, std::nullopt});
    }
    for (size_t i = 0; i < blueprint.categoryOfIndex.size() && i < size_t(kMaxQuestions); ++i) {
        const int category = blueprint.categoryOfIndex[i];
        if (category < 1 || category > kMaxCategories || entryOf[size_t(category)] < 0)
            continue;
        const size_t e = size_t(entryOf[size_t(category)]);
        const int r = std::max(0, history.correct[i]), w = std::max(0, history.wrong[i]);
        right[e] += r;
        wrong[e] += w;
        forecast.categories[e].correct += r;
        forecast.categories[e].answered += r + w;
    }
    const double answers =
        std::accumulate(right.begin(), right.end(), 0.0) + std::accumulate(wrong.begin(), wrong.end(), 0.0);

    // Recency: each attempt's weight halves every half-life.
    const std::vector<int> ages = AttemptAges(history, today);
    forecast.attempts = int(ages.size());
    // The overall level is what the categories have in common: the answers tell it only as much
    // as one category's share of them would, or a few categories that differ would look like a
    // sharply known level and every category would be pulled to it with false confidence.
    const double levelShare = 1.0 / double(std::max<size_t>(categoryCount, 1));
    double levelRight = 1, levelWrong = 1; // a uniform prior on the overall level
    double listed = 0, weightedListed = 0, oldestWeight = 1;
    size_t k = 0;
    for (const AttemptRecord& a : history.attempts) {
        if (a.empty())
            continue;
        const double weight = std::exp2(-ages[k++] / options.halfLifeDays);
        const double count = std::max(0, a.questionCount), rate = std::clamp(a.rate, 0, 100) / 100.0;
        levelRight += levelShare * weight * count * rate;
        levelWrong += levelShare * weight * count * (1 - rate);
        listed += count;
        weightedListed += weight * count;
        oldestWeight = weight;
    }
    // The per-question counts carry no dates: they count with the average weight of the attempts,
    // and what goes beyond the ten kept attempts as older still.
    double evidenceWeight = 1;
    if (listed > 0) {
        const double beyond = std::max(0.0, answers - listed);
        evidenceWeight = (weightedListed + beyond * oldestWeight / kOlderThanListed) / (listed + beyond);
    } else {
        levelRight += levelShare * std::accumulate(right.begin(), right.end(), 0.0);
        levelWrong += levelShare * std::accumulate(wrong.begin(), wrong.end(), 0.0);
    }

    if (forecast.attempts == 0 && answers == 0)
        return forecast; // nothing known about this learner
    const bool canPass = blueprint.passMark >= 0 && blueprint.questionCount > 0 && !blueprint.draws.empty();

    const int samples = std::max(options.samples, 10);
    Random random(options.seed);
    std::vector<std::vector<double>> abilities(static_cast<size_t>(samples), std::vector<double>(categoryCount));
    std::vector<double> rateSum(categoryCount, 0);
    for (auto& draw : abilities) {
        const double level = random.beta(levelRight, levelWrong);
        for (size_t e = 0; e < categoryCount; ++e) {
            draw[e] = random.beta(options.priorStrength * level + evidenceWeight * right[e],
                                  options.priorStrength * (1 - level) + evidenceWeight * wrong[e]);
            rateSum[e] += draw[e];
        }
    }
    for (size_t e = 0; e < categoryCount; ++e)
        forecast.categories[e].rate = rateSum[e] / samples;
    if (!canPass)
        return forecast;

    const int need = QuestionsNeeded(blueprint.passMark, blueprint.questionCount);
    std::vector<double> scratch;
    const auto chance = [&](const std::vector<double>& ability) {
        double p = 0;
        for (const ForecastBlueprint::Draw& d : blueprint.draws)
            p += d.weight * PassChance(d.counts, ability, need, scratch);
        return p;
    };
    std::vector<double> chances(static_cast<size_t>(samples));
    for (size_t s = 0; s < chances.size(); ++s)
        chances[s] = chance(abilities[s]);
    const double probability = std::accumulate(chances.begin(), chances.end(), 0.0) / samples;
    forecast.probability = probability;
    // The mean of a lopsided spread can fall outside its middle 80%: the interval always holds it.
    forecast.low = std::min(percentile(chances, 0.10), probability);
    forecast.high = std::max(percentile(chances, 0.90), probability);

    // Gains on the same ability draws, so that they differ by the change alone. Each ability
    // draw meets one exam draw in turn rather than all of them: the average over the draws is the
    // same, at a fraction of the work.
    std::vector<size_t> cycle; // every exam draw as often as it came up
    for (size_t d = 0; d < blueprint.draws.size(); ++d)
        cycle.insert(cycle.end(), size_t(std::max(1, blueprint.draws[d].times)), d);
    for (size_t e = 0; e < categoryCount; ++e) {
        double rise = 0;
        if (blueprint.categories[e].meanQuestions > 0) {
            for (size_t s = 0; s < abilities.size(); ++s) {
                std::vector<double>& draw = abilities[s];
                const std::vector<int>& counts = blueprint.draws[cycle[s % cycle.size()]].counts;
                const double kept = draw[e];
                const double before = PassChance(counts, draw, need, scratch);
                draw[e] = std::min(1.0, kept + options.gainStep);
                rise += PassChance(counts, draw, need, scratch) - before;
                draw[e] = kept;
            }
            rise /= samples;
        }
        forecast.categories[e].gain = std::max(0.0, rise);
    }
    return forecast;
}

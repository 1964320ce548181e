#pragma once
// The calibration study of the pass forecast: learners with known abilities per category sit a
// demo test's mock exam a few times (recorded as the result screen records an attempt), the
// forecast is made from that history, and the real exam is then drawn many times for each learner.
// Shared by the calibration test (small, with loose bounds) and bench/ForecastCalibration (large).
#include "bank/QuestionFile.h"
#include "bank/TextLines.h"
#include "bank/source/QuestionSource.h"
#include "results/PassForecast.h"
#include "results/Recording.h"
#include "results/Scoring.h"
#include "session/SelectQuestion.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace forecaststudy
{

struct DemoTest {
    QString name;
    std::unique_ptr<QuestionBank> bank;
    int passMark = -1;
};

// Every demo test under `questionsDir` (data/questions), packed from its source.
inline std::vector<DemoTest> demoTests(const QString& questionsDir)
{
    QStringList sources;
    QDirIterator it(questionsDir, {QStringLiteral("*.qsrc")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        sources << it.next();
    sources.sort();
    std::vector<DemoTest> tests;
    for (const QString& source : sources) {
        QFile file(source);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = file.readAll();
        std::string qdf;
        if (PackQuestionSource(std::string_view(text.constData(), size_t(text.size())), source, qdf))
            continue;
        DemoTest test;
        test.name = QFileInfo(source).completeBaseName();
        test.bank = std::make_unique<QuestionBank>();
        QuestionHeader header;
        if (LoadQuestionBankFromBytes(qdf, source, *test.bank) || ReadQuestionHeaderFromBytes(qdf, source, header))
            continue;
        const auto target = textlines::parseNumber(header.targetRate);
        test.passMark = target ? *target : -1;
        tests.push_back(std::move(test));
    }
    return tests;
}

// One learner's result in the study.
struct Outcome {
    double forecast = 0, low = 0, high = 1;
    double truth = 0; // the true chance of passing, from the known abilities
    int exams = 0, passes = 0;
    int sittings = 0;
};

struct Bin {
    int learners = 0;
    double forecastSum = 0;
    int exams = 0, passes = 0;
};

struct Summary {
    std::vector<Outcome> outcomes;
    double brier = 0;                           // the forecast against every drawn exam
    double oracleBrier = 0;                     // the true chance against the same exams: what no forecast can beat
    double baseBrier = 0;                       // the overall pass rate for everyone: what any forecast should beat
    double coverage = 0;                        // share of learners whose true chance lies in the 80% interval
    std::array<double, 5> coverageBySittings{}; // [k]: among the learners who sat k times
    double concordance = 0;                     // share of pairs (true chances 0.1 or more apart) in the right order
    std::array<Bin, 10> bins{};
};

class Study
{
  public:
    explicit Study(std::uint64_t seed) : m_random(seed), m_table(std::make_unique<SessionTable>()) {}

    ForecastOptions options; // of the forecasts made

    // `learners` learners on `test`, each sitting its mock exam one to four times over the last
    // days, forecast on `today`, then `exams` real exams drawn.
    void run(const DemoTest& test, int learners, int exams, const QDate& today)
    {
        const QuestionBank& bank = *test.bank;
        const ForecastBlueprint blueprint = MockExamBlueprint(bank, test.passMark);
        const SessionSettings settings = MockExamSettings(bank);
        std::vector<double> scratch;
        for (int l = 0; l < learners; ++l) {
            // A general level and a spread between categories.
            const double level = uniform(0.3, 0.97);
            std::vector<double> ability(size_t(kMaxCategories + 1), level);
            for (double& a : ability)
                a = std::clamp(level + 0.12 * normal(), 0.02, 0.995);

            Outcome outcome;
            outcome.sittings = 1 + l % 4;
            History history;
            for (int s = outcome.sittings; s >= 1; --s)
                history = sit(bank, settings, ability, test.passMark, today.addDays(-3 * s), &history, nullptr);
            const PassForecast forecast = ForecastPass(blueprint, history, today, options);
            outcome.forecast = forecast.probability.value_or(0.5);
            outcome.low = forecast.low;
            outcome.high = forecast.high;

            std::vector<double> byEntry;
            for (const ForecastBlueprint::Category& c : blueprint.categories)
                byEntry.push_back(ability[size_t(c.number)]);
            const int need = QuestionsNeeded(blueprint.passMark, blueprint.questionCount);
            for (const ForecastBlueprint::Draw& d : blueprint.draws)
                outcome.truth += d.weight * PassChance(d.counts, byEntry, need, scratch);

            for (int e = 0; e < exams; ++e) {
                bool passed = false;
                sit(bank, settings, ability, test.passMark, today, nullptr, &passed);
                ++outcome.exams;
                outcome.passes += passed ? 1 : 0;
            }
            m_outcomes.push_back(outcome);
        }
    }

    Summary summary() const
    {
        Summary s;
        s.outcomes = m_outcomes;
        long exams = 0, passes = 0;
        for (const Outcome& o : m_outcomes) {
            exams += o.exams;
            passes += o.passes;
        }
        const double base = exams > 0 ? double(passes) / double(exams) : 0;
        int covered = 0;
        for (const Outcome& o : m_outcomes) {
            // Squared errors summed over the exams: passes count (1 - p)^2, failures p^2.
            const auto squared = [&o](double p) { return o.passes * (1 - p) * (1 - p) + (o.exams - o.passes) * p * p; };
            s.brier += squared(o.forecast);
            s.oracleBrier += squared(o.truth);
            s.baseBrier += squared(base);
            covered += o.low <= o.truth && o.truth <= o.high ? 1 : 0;
            Bin& bin = s.bins[size_t(std::clamp(int(o.forecast * 10), 0, 9))];
            ++bin.learners;
            bin.forecastSum += o.forecast;
            bin.exams += o.exams;
            bin.passes += o.passes;
        }
        if (exams > 0) {
            s.brier /= double(exams);
            s.oracleBrier /= double(exams);
            s.baseBrier /= double(exams);
        }
        s.coverage = m_outcomes.empty() ? 0 : double(covered) / double(m_outcomes.size());
        for (int k = 1; k <= 4; ++k) {
            int learners = 0, held = 0;
            for (const Outcome& o : m_outcomes) {
                if (o.sittings != k)
                    continue;
                ++learners;
                held += o.low <= o.truth && o.truth <= o.high ? 1 : 0;
            }
            s.coverageBySittings[size_t(k)] = learners > 0 ? double(held) / learners : 0;
        }
        long pairs = 0, right = 0;
        for (size_t a = 0; a < m_outcomes.size(); ++a)
            for (size_t b = a + 1; b < m_outcomes.size(); ++b) {
                const Outcome &x = m_outcomes[a], &y = m_outcomes[b];
                if (std::abs(x.truth - y.truth) < 0.1)
                    continue;
                ++pairs;
                right += (x.truth < y.truth) == (x.forecast < y.forecast) ? 1 : 0;
            }
        s.concordance = pairs > 0 ? double(right) / double(pairs) : 1;
        return s;
    }

  private:
    double uniform(double from, double to) { return from + (to - from) * double(m_random() >> 11) * 0x1.0p-53; }
    double normal()
    {
        const double u = (double(m_random() >> 11) + 0.5) * 0x1.0p-53, v = double(m_random() >> 11) * 0x1.0p-53;
        return std::sqrt(-2 * std::log(u)) * std::cos(6.283185307179586 * v);
    }

    // One mock exam drawn as the program draws it, each question right with its category's
    // ability. With `history`, the attempt is recorded as the result screen records it.
    History sit(const QuestionBank& bank, const SessionSettings& settings, const std::vector<double>& ability,
                int passMark, const QDate& day, const History* history, bool* passed)
    {
        const DrawRandom random = [this](int n) { return 1 + int((m_random() >> 33) % std::uint64_t(std::max(n, 1))); };
        std::vector<DrawEntry> entries = eligibleQuestions(bank, settings, {});
        shuffleEntries(entries, random);
        const std::vector<int> order = balancedDraw(bank, settings, entries);
        AttemptScore score;
        score.questionCount = int(order.size());
        for (size_t j = 0; j < order.size(); ++j) {
            const QuestionRecord& q = bank.question(order[j]);
            const bool right = uniform(0, 1) < ability[size_t(q.category)];
            score.verdicts[j] = right ? 1 : 0;
            score.correctCount += right ? 1 : 0;
            SessionQuestion& sq = m_table->question(int(j + 1));
            sq.bankIndex = order[j];
            sq.category = q.category;
            sq.subCategory = q.subCategory;
        }
        m_table->count = score.questionCount;
        score.rate = RatePercent(score.correctCount, score.questionCount);
        if (passed)
            *passed = score.rate >= passMark;
        if (!history)
            return {};
        score.elapsedMinutes = 20;
        score.stamp = {day.year(), day.month(), day.day(), 10, 0};
        const CategoryTally tally = TallyCategories(*m_table, score, bank.categoryCount);
        return AppendAttempt(*history, score, tally, *m_table, kModeMock, bank.categoryCount);
    }

    std::mt19937_64 m_random;
    std::unique_ptr<SessionTable> m_table;
    std::vector<Outcome> m_outcomes;
};

// The figures as a small table of text.
inline std::string describe(const Summary& s)
{
    char line[160];
    std::string out;
    std::snprintf(line, sizeof line,
                  "learners %zu  Brier %.4f (true chances %.4f, one rate for all %.4f)  80%% interval holds the true "
                  "chance %.1f%%  pairs in order %.1f%%\n",
                  s.outcomes.size(), s.brier, s.oracleBrier, s.baseBrier, 100 * s.coverage, 100 * s.concordance);
    out += line;
    std::snprintf(line, sizeof line,
                  "interval holds the true chance after 1, 2, 3, 4 sittings: %.1f%% %.1f%% %.1f%% %.1f%%\n",
                  100 * s.coverageBySittings[1], 100 * s.coverageBySittings[2], 100 * s.coverageBySittings[3],
                  100 * s.coverageBySittings[4]);
    out += line;
    out += "forecast bin  learners  mean forecast  observed pass rate  exams\n";
    for (size_t b = 0; b < s.bins.size(); ++b) {
        const Bin& bin = s.bins[b];
        if (bin.learners == 0)
            continue;
        std::snprintf(line, sizeof line, "  %.1f-%.1f    %6d        %.3f             %.3f       %6d\n", double(b) / 10,
                      double(b + 1) / 10, bin.learners, bin.forecastSum / bin.learners,
                      bin.exams > 0 ? double(bin.passes) / bin.exams : 0.0, bin.exams);
        out += line;
    }
    return out;
}

} // namespace forecaststudy

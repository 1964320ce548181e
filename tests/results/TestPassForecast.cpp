// The pass forecast: the mock exam's blueprint, the dates of the records, and the forecast's
// behaviour at the edges (nothing known, one attempt, a category never asked, all right, all wrong).
#include "ForecastFixtures.h"
#include "results/PassForecast.h"
#include "session/SelectQuestion.h"
#include "support/TestSupport.h"

#include <cmath>
#include <numeric>

Q_DECLARE_METATYPE(History)

namespace
{

using forecastfixtures::answer;
using forecastfixtures::attempt;

const QDate kToday(2026, 6, 1);

// Three categories of ten questions; a mock exam of 15 at a 70% pass mark.
ForecastBlueprint threeByTen(int passMark = 70)
{
    return MockExamBlueprint(*forecastfixtures::bank({10, 10, 10}, 15), passMark);
}

// `attempts` mock exams, `daysAgo` days before kToday, each asking five questions of every
// category and getting `right[c]` of them right.
History sittings(int attempts, const std::vector<int>& right, int daysAgo = 0)
{
    History h;
    for (int k = 0; k < attempts; ++k) {
        int total = 0;
        for (size_t c = 0; c < right.size(); ++c) {
            if (right[c] < 0)
                continue; // this category was never asked
            answer(h, int(c) * 10 + 1 + (k * 5) % 10, 5, right[c], 5 - right[c]);
            total += right[c];
        }
        const int asked = 5 * int(std::count_if(right.begin(), right.end(), [](int r) { return r >= 0; }));
        attempt(h, kToday.addDays(-daysAgo), asked, asked > 0 ? total * 100 / asked : 0);
    }
    return h;
}

} // namespace

class TestPassForecast : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void blueprintFollowsTheMockExamDraw_data()
    {
        QTest::addColumn<QList<int>>("perCategory");
        QTest::addColumn<int>("mockCount");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QList<double>>("meanQuestions");
        QTest::newRow("even quotas") << QList<int>{10, 10, 10} << 15 << 15 << QList<double>{5, 5, 5};
        QTest::newRow("a small category gives way") << QList<int>{10, 10, 2} << 15 << 15 << QList<double>{6.5, 6.5, 2};
        QTest::newRow("mock count above the bank: everything") << QList<int>{3, 4} << 20 << 7 << QList<double>{3, 4};
        QTest::newRow("no mock exam") << QList<int>{5, 5} << 0 << 0 << QList<double>{0, 0};
    }
    void blueprintFollowsTheMockExamDraw()
    {
        QFETCH(QList<int>, perCategory);
        QFETCH(int, mockCount);
        QFETCH(int, asked);
        QFETCH(QList<double>, meanQuestions);
        const auto bank = forecastfixtures::bank({perCategory.begin(), perCategory.end()}, mockCount);
        const ForecastBlueprint blueprint = MockExamBlueprint(*bank, 70);
        QCOMPARE(blueprint.questionCount, asked);
        QCOMPARE(int(blueprint.categories.size()), perCategory.size());
        double weights = 0;
        for (const ForecastBlueprint::Draw& d : blueprint.draws) {
            QCOMPARE(std::accumulate(d.counts.begin(), d.counts.end(), 0), asked);
            weights += d.weight;
        }
        QVERIFY(blueprint.draws.empty() || std::abs(weights - 1) < 1e-9);
        for (int c = 0; c < perCategory.size(); ++c)
            QVERIFY2(std::abs(blueprint.categories[size_t(c)].meanQuestions - meanQuestions[c]) < 0.75,
                     qPrintable(QString::number(blueprint.categories[size_t(c)].meanQuestions)));
    }

    void blueprintSkipsUnlistedCategories()
    {
        auto bank = forecastfixtures::bank({6, 6, 6}, 6);
        bank->category(2).name = "  "; // a hidden category is never ticked, so never drawn
        const ForecastBlueprint blueprint = MockExamBlueprint(*bank, 70);
        QCOMPARE(int(blueprint.categories.size()), 2);
        QCOMPARE(blueprint.categories[1].number, 3);
        QCOMPARE(blueprint.categoryOfIndex[6], 0);
        QCOMPARE(blueprint.questionCount, 6);
    }

    void passMarkOutsideAPercentMeansNone()
    {
        QCOMPARE(threeByTen(101).passMark, -1);
        QCOMPARE(threeByTen(-1).passMark, -1);
        QCOMPARE(threeByTen(0).passMark, 0);
    }

    void questionsNeeded_data()
    {
        QTest::addColumn<int>("mark");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("need");
        // The recorded rate is truncated: 10 of 15 is 66%, 11 of 15 is 73%.
        QTest::newRow("70% of 15") << 70 << 15 << 11;
        QTest::newRow("80% of 15: exactly 12") << 80 << 15 << 12;
        QTest::newRow("0%") << 0 << 15 << 0;
        QTest::newRow("100%") << 100 << 15 << 15;
        QTest::newRow("65% of 20") << 65 << 20 << 13;
    }
    void questionsNeeded()
    {
        QFETCH(int, mark);
        QFETCH(int, count);
        QFETCH(int, need);
        QCOMPARE(QuestionsNeeded(mark, count), need);
        QVERIFY(need * 100 / std::max(count, 1) >= mark);
    }

    void passChanceExactAndApproximate_data()
    {
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<QList<double>>("abilities");
        QTest::addColumn<int>("need");
        QTest::newRow("two coins, one head") << QList<int>{2} << QList<double>{0.5} << 1;
        QTest::newRow("sure and hopeless") << QList<int>{3, 2} << QList<double>{1.0, 0.0} << 3;
        QTest::newRow("three categories") << QList<int>{5, 5, 5} << QList<double>{0.9, 0.6, 0.3} << 11;
        QTest::newRow("large exam, normal law") << QList<int>{40, 40, 20} << QList<double>{0.8, 0.6, 0.7} << 70;
        QTest::newRow("large exam, far tail") << QList<int>{50, 50} << QList<double>{0.5, 0.5} << 65;
    }
    void passChanceExactAndApproximate()
    {
        QFETCH(QList<int>, counts);
        QFETCH(QList<double>, abilities);
        QFETCH(int, need);
        // Reference: enumerate the right counts per category with binomial weights.
        std::vector<double> total{1.0};
        for (int c = 0; c < counts.size(); ++c) {
            std::vector<double> next(total.size() + size_t(counts[c]), 0.0);
            for (int r = 0; r <= counts[c]; ++r) {
                const double p =
                    std::exp(std::lgamma(counts[c] + 1.0) - std::lgamma(r + 1.0) - std::lgamma(counts[c] - r + 1.0)) *
                    std::pow(abilities[c], r) * std::pow(1 - abilities[c], counts[c] - r);
                for (size_t j = 0; j < total.size(); ++j)
                    next[j + size_t(r)] += total[j] * p;
            }
            total = next;
        }
        const double expected = std::accumulate(total.begin() + need, total.end(), 0.0);
        std::vector<double> scratch;
        const double got =
            PassChance({counts.begin(), counts.end()}, {abilities.begin(), abilities.end()}, need, scratch);
        QVERIFY2(std::abs(got - expected) < 0.02, qPrintable(QStringLiteral("%1 vs %2").arg(got).arg(expected)));
    }

    void attemptAges_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QList<QDate>>("attempts"); // most recent first
        QTest::addColumn<QList<int>>("ages");
        QTest::newRow("same year") << QDate(2026, 6, 1) << QList<QDate>{{2026, 6, 1}, {2026, 5, 2}}
                                   << QList<int>{0, 30};
        QTest::newRow("across new year") << QDate(2026, 1, 5) << QList<QDate>{{2025, 12, 30}} << QList<int>{6};
        QTest::newRow("a later date is last year")
            << QDate(2026, 3, 1) << QList<QDate>{{2026, 2, 1}, {2025, 4, 1}} << QList<int>{28, 334};
        QTest::newRow("29 February in a common year")
            << QDate(2027, 3, 1) << QList<QDate>{{2024, 2, 29}} << QList<int>{1};
        QTest::newRow("month out of range takes the neighbour")
            << QDate(2026, 6, 1) << QList<QDate>{{2026, 5, 1}, QDate()} << QList<int>{31, 31};
    }
    void attemptAges()
    {
        QFETCH(QDate, today);
        QFETCH(QList<QDate>, attempts);
        QFETCH(QList<int>, ages);
        History h;
        for (int k = 0; k < attempts.size(); ++k) {
            AttemptRecord& a = h.attempts[size_t(k)];
            a.month = attempts[k].isValid() ? attempts[k].month() : 13;
            a.day = attempts[k].isValid() ? attempts[k].day() : 40;
            a.questionCount = 10;
        }
        const std::vector<int> got = AttemptAges(h, today);
        QCOMPARE(QList<int>(got.begin(), got.end()), ages);
    }

    void edgeCases_data()
    {
        QTest::addColumn<History>("history");
        QTest::addColumn<double>("atLeast");
        QTest::addColumn<double>("atMost");
        QTest::newRow("one attempt, in between") << sittings(1, {4, 3, 3}) << 0.15 << 0.85;
        QTest::newRow("three attempts, in between") << sittings(3, {4, 4, 3}) << 0.2 << 0.8;
        QTest::newRow("all right") << sittings(3, {5, 5, 5}) << 0.9 << 1.0;
        QTest::newRow("all right, once") << sittings(1, {5, 5, 5}) << 0.9 << 1.0;
        QTest::newRow("all wrong") << sittings(3, {0, 0, 0}) << 0.0 << 0.1;
        QTest::newRow("all wrong, once") << sittings(1, {0, 0, 0}) << 0.0 << 0.1;
        QTest::newRow("a category never asked") << sittings(2, {4, 4, -1}) << 0.1 << 0.9;
        QTest::newRow("strong history, half a year old") << sittings(3, {5, 5, 4}, 180) << 0.3 << 1.0;
    }
    void edgeCases()
    {
        QFETCH(History, history);
        QFETCH(double, atLeast);
        QFETCH(double, atMost);
        const PassForecast f = ForecastPass(threeByTen(), history, kToday);
        QVERIFY(f.probability.has_value());
        const double p = *f.probability;
        QVERIFY2(p >= atLeast && p <= atMost, qPrintable(QString::number(p)));
        QVERIFY2(f.low <= p && p <= f.high, qPrintable(QStringLiteral("%1 %2 %3").arg(f.low).arg(p).arg(f.high)));
        QVERIFY(f.low >= 0 && f.high <= 1);
        QCOMPARE(int(f.categories.size()), 3);
        for (const CategoryForecast& c : f.categories) {
            QVERIFY2(c.gain.has_value() && *c.gain >= 0, c.name.c_str());
            QVERIFY(c.rate.has_value() && *c.rate > 0 && *c.rate < 1);
        }
    }

    void emptyHistoryClaimsNothing()
    {
        const PassForecast f = ForecastPass(threeByTen(), History{}, kToday);
        QVERIFY(!f.probability);
        QCOMPARE(f.low, 0.0);
        QCOMPARE(f.high, 1.0);
        QCOMPARE(f.attempts, 0);
        QCOMPARE(f.passMark, 70);
        QCOMPARE(int(f.categories.size()), 3);
        for (const CategoryForecast& c : f.categories)
            QVERIFY(!c.gain && !c.rate);
        QVERIFY(f.largestGain() == nullptr);
    }

    void neverAskedCategoryLeansOnTheOverallLevel()
    {
        const PassForecast f = ForecastPass(threeByTen(), sittings(2, {5, 1, -1}), kToday);
        QCOMPARE(f.categories[2].answered, 0);
        // Between the strong and the weak category, and less certain than either.
        QVERIFY(*f.categories[2].rate < *f.categories[0].rate);
        QVERIFY(*f.categories[2].rate > *f.categories[1].rate);
        QVERIFY(*f.categories[2].gain > 0);
    }

    void noPassMarkOrNoExamGivesNoProbability()
    {
        const History h = sittings(2, {4, 4, 4});
        const PassForecast withoutMark = ForecastPass(threeByTen(-1), h, kToday);
        QVERIFY(!withoutMark.probability);
        QVERIFY(withoutMark.categories[0].rate.has_value()); // the rates are still known
        const PassForecast withoutExam =
            ForecastPass(MockExamBlueprint(*forecastfixtures::bank({10, 10, 10}, 0), 70), h, kToday);
        QVERIFY(!withoutExam.probability);
    }

    void strongerLearnersForecastHigher()
    {
        double last = -1;
        for (int right = 0; right <= 5; ++right) {
            const double p = *ForecastPass(threeByTen(), sittings(2, {right, right, 3}), kToday).probability;
            QVERIFY2(p > last, qPrintable(QStringLiteral("%1 right: %2 after %3").arg(right).arg(p).arg(last)));
            last = p;
        }
    }

    void oldEvidenceWidensTheInterval()
    {
        const PassForecast fresh = ForecastPass(threeByTen(), sittings(3, {4, 3, 4}), kToday);
        const PassForecast old = ForecastPass(threeByTen(), sittings(3, {4, 3, 4}, 240), kToday);
        QVERIFY(old.high - old.low > fresh.high - fresh.low);
        // More evidence narrows it too.
        const PassForecast more = ForecastPass(threeByTen(), sittings(9, {4, 3, 4}), kToday);
        QVERIFY(more.high - more.low < fresh.high - fresh.low);
    }

    void largestGainIsWhereThereIsRoomToRise()
    {
        // The first category is all but perfect: ten points more can hardly be had there.
        const PassForecast f = ForecastPass(threeByTen(), sittings(4, {5, 3, 3}), kToday);
        QVERIFY(f.largestGain() != nullptr);
        QVERIFY(f.largestGain()->number != 1);
        QVERIFY(*f.categories[0].gain < *f.largestGain()->gain);
    }

    void sameInputSameForecast()
    {
        const History h = sittings(2, {4, 2, 3});
        const PassForecast a = ForecastPass(threeByTen(), h, kToday);
        const PassForecast b = ForecastPass(threeByTen(), h, kToday);
        QCOMPARE(*a.probability, *b.probability);
        QCOMPARE(a.low, b.low);
        QCOMPARE(*a.categories[1].gain, *b.categories[1].gain);
    }

    void hostileCountsStayInRange()
    {
        History h = sittings(1, {3, 3, 3});
        h.correct.fill(-7); // a damaged record must not make negative evidence
        h.wrong[0] = 255;
        h.attempts[1] = {0, 14, 77, 0, 0, 250, 2, 255};
        const PassForecast f = ForecastPass(threeByTen(), h, kToday);
        QVERIFY(f.probability && *f.probability >= 0 && *f.probability <= 1);
        QVERIFY(f.low <= *f.probability && *f.probability <= f.high);
    }
};

QUARVEL_TEST_MAIN(TestPassForecast)
#include "TestPassForecast.moc"

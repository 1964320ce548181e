#include "bank/QuestionFile.h"
#include "bank/QuestionFileWriter.h"
#include "session/SelectQuestion.h"
#include "support/TestSupport.h"

#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <set>

namespace
{

struct Placement {
    int category;
    int subCategory;
};

// A bank of questions numbered 101.., each with four stored choices "Qn-1".."Qn-4", one correct.
QuestionBank makeBank(int categoryCount, const std::vector<Placement>& placements)
{
    QuestionBank bank;
    bank.categoryCount = categoryCount;
    bank.questionCount = int(placements.size());
    bank.recordsRead = bank.questionCount;
    for (int i = 1; i <= bank.questionCount; ++i) {
        QuestionRecord& q = bank.question(i);
        q.number = 100 + i;
        q.category = placements[size_t(i - 1)].category;
        q.subCategory = placements[size_t(i - 1)].subCategory;
        q.style = kStyleSingle;
        q.text = "question " + std::to_string(i);
        q.storedChoiceCount = 4;
        q.shownChoiceCount = 4;
        q.correctCount = 1;
        for (int c = 1; c <= 4; ++c)
            q.choices[size_t(c - 1)] = "Q" + std::to_string(i) + "-" + std::to_string(c);
        q.explanation = "\r\nbecause " + std::to_string(i);
        q.references[0] = {"book", "12"};
        q.links[1] = {"site", "http://example.invalid/" + std::to_string(i)};
    }
    return bank;
}

// `perSub` questions in each (category, sub-category) listed, in that order.
QuestionBank gridBank(int categoryCount, int subsPerCategory, int perSub)
{
    std::vector<Placement> placements;
    for (int c = 1; c <= categoryCount; ++c)
        for (int s = 1; s <= subsPerCategory; ++s)
            for (int k = 0; k < perSub; ++k)
                placements.push_back({c, s});
    return makeBank(categoryCount, placements);
}

// Settings with the given sub-categories ticked; availableCount counted from the bank.
SessionSettings settingsFor(const QuestionBank& bank, int mode, int questionCount, const std::vector<Placement>& ticked)
{
    SessionSettings settings;
    settings.mode = mode;
    settings.questionCount = questionCount;
    for (const Placement& p : ticked)
        settings.setChecked(p.category, p.subCategory, true);
    for (int i = 1; i <= bank.questionCount; ++i)
        settings.availableCount += settings.isChecked(bank.question(i).category, bank.question(i).subCategory) ? 1 : 0;
    return settings;
}

std::vector<Placement> allSubs(int categories, int subs)
{
    std::vector<Placement> list;
    for (int c = 1; c <= categories; ++c)
        for (int s = 1; s <= subs; ++s)
            list.push_back({c, s});
    return list;
}

DrawRandom seeded(unsigned seed)
{
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](int n) { return int((*engine)() % unsigned(n)) + 1; };
}

DrawRandom constant(int value)
{
    return [value](int) { return value; };
}

std::vector<DrawEntry> entries(const std::vector<int>& bankIndexes)
{
    std::vector<DrawEntry> list;
    for (int i : bankIndexes)
        list.push_back({i, 0});
    return list;
}

std::vector<int> indexes(const std::vector<DrawEntry>& list)
{
    std::vector<int> out;
    for (const DrawEntry& e : list)
        out.push_back(e.bankIndex);
    return out;
}

std::vector<int> sessionOrder(const SessionTable& table)
{
    std::vector<int> out;
    for (int j = 1; j <= table.count; ++j)
        out.push_back(table.question(j).bankIndex);
    return out;
}

const std::array<std::uint8_t, kMaxQuestions> kNoWeights{};

// The balanced draw written pass by pass with no shortcut: Q rises one step per pass.
std::vector<int> stepByStepDraw(const QuestionBank& bank, const SessionSettings& settings,
                                const std::vector<DrawEntry>& shuffled)
{
    const int walk = std::min(settings.availableCount, int(shuffled.size()));
    const int n = std::min(settings.questionCount, walk);
    const int categories = bank.categoryCount;
    int quota = n / categories;
    std::vector<int> sub(size_t(categories) + 1, 0);
    for (int c = 1; c <= categories; ++c) {
        int s = 0;
        for (int k = 1; k <= kMaxSubCategories; ++k)
            s += settings.isChecked(c, k) ? 1 : 0;
        sub[size_t(c)] = s == 0 ? 0 : (double(n) / (s * categories) >= 1.0 ? n / (s * categories) : -1);
    }
    std::map<int, int> inCategory;
    std::map<std::pair<int, int>, int> inSub;
    std::vector<bool> taken(size_t(walk), false);
    std::vector<int> order;
    while (int(order.size()) < n) {
        for (int k = 0; k < walk && int(order.size()) < n; ++k) {
            const QuestionRecord& q = bank.question(shuffled[size_t(k)].bankIndex);
            if (!taken[size_t(k)] && inSub[{q.category, q.subCategory}] < sub[size_t(q.category)] &&
                inCategory[q.category] < quota) {
                ++inSub[{q.category, q.subCategory}];
                ++inCategory[q.category];
                taken[size_t(k)] = true;
                order.push_back(shuffled[size_t(k)].bankIndex);
            }
        }
        if (int(order.size()) >= n)
            break;
        if (std::any_of(sub.begin() + 1, sub.end(), [](int v) { return v < 0; })) {
            for (int& v : sub)
                v += v < 0 ? 2 : 0;
        } else if (quota < walk) {
            ++quota;
        } else {
            for (int& v : sub)
                v += v != 0 ? 1 : 0;
        }
    }
    return order;
}

// Pearson's statistic; the bound is far in the tail, so only a real bias fails it.
double chiSquare(const std::vector<double>& observed, const std::vector<double>& expected)
{
    double sum = 0;
    for (size_t i = 0; i < observed.size(); ++i)
        sum += (observed[i] - expected[i]) * (observed[i] - expected[i]) / expected[i];
    return sum;
}

double looseBound(size_t cells)
{
    const double df = double(cells - 1);
    return df + 8 * std::sqrt(2 * df);
}

} // namespace

Q_DECLARE_METATYPE(std::vector<int>)

class TestSelectQuestion : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void trainingWeightsFromHistory_data()
    {
        QTest::addColumn<int>("fileSize");
        QTest::addColumn<bool>("expectValues");
        QTest::newRow("missing") << -1 << false;
        QTest::newRow("full history") << kHistorySizeForTest << true;
        QTest::newRow("ends with the counts") << 1460 << true;
        QTest::newRow("one byte short") << 1459 << false;
        QTest::newRow("header only") << 600 << false;
    }
    void trainingWeightsFromHistory()
    {
        QFETCH(int, fileSize);
        QFETCH(bool, expectValues);
        testsupport::TempInstall install;
        QString path = install.historyDir(QStringLiteral("V")) + QStringLiteral("T.HIS");
        if (fileSize >= 0) {
            std::string bytes(size_t(fileSize), '\0');
            for (int i = 960; i < std::min(fileSize, 1460); ++i)
                bytes[size_t(i)] = char((i - 960) % 256);
            if (fileSize > 960)
                bytes[960] = char(0xFF);
            // The file on disk is spelt in lower case: names are matched without regard to case.
            install.writeFile(QStringLiteral("HIST/V/t.his"), bytes);
        }
        const auto weights = ReadTrainingWeights(path);
        if (!expectValues) {
            QVERIFY(std::all_of(weights.begin(), weights.end(), [](std::uint8_t w) { return w == 0; }));
            return;
        }
        QCOMPARE(int(weights[0]), 255);
        QCOMPARE(int(weights[1]), 1);
        QCOMPARE(int(weights[499]), 499 % 256);
    }

    void eligibleListFollowsTicksInBankOrder()
    {
        // Categories 0, 3 (beyond the table of 2) and 51 never belong to the test.
        QuestionBank bank = makeBank(2, {{1, 1}, {1, 2}, {2, 1}, {0, 1}, {3, 1}, {51, 1}, {2, 1}, {1, 1}});
        bank.questionCount = 7; // header line 10 decides how far the bank is read
        SessionSettings settings = settingsFor(bank, kModeTraining, 1, {{1, 1}, {2, 1}, {3, 1}});
        std::array<std::uint8_t, kMaxQuestions> weights{};
        for (int i = 0; i < 8; ++i)
            weights[size_t(i)] = std::uint8_t(10 + i);

        const auto training = eligibleQuestions(bank, settings, weights);
        QCOMPARE(indexes(training), (std::vector<int>{1, 3, 7}));
        QCOMPARE(training[1].weight, 12);

        settings.mode = kModeNormal;
        const auto normal = eligibleQuestions(bank, settings, weights);
        QCOMPARE(indexes(normal), (std::vector<int>{1, 3, 7}));
        QCOMPARE(normal[1].weight, 0); // weights only order intensive training
    }

    void shuffleFillsFromTheEnd_data()
    {
        QTest::addColumn<int>("draw");
        QTest::addColumn<std::vector<int>>("expected");
        // Always the first remaining entry: the last place gets entry 1, and so on.
        QTest::newRow("always 1") << 1 << std::vector<int>{5, 4, 3, 2, 1};
        // Always the last remaining entry: the order stays.
        QTest::newRow("always r") << 99 << std::vector<int>{1, 2, 3, 4, 5};
        // A broken source below the range is held at 1.
        QTest::newRow("out of range low") << -3 << std::vector<int>{5, 4, 3, 2, 1};
    }
    void shuffleFillsFromTheEnd()
    {
        QFETCH(int, draw);
        QFETCH(std::vector<int>, expected);
        auto list = entries({1, 2, 3, 4, 5});
        shuffleEntries(list, constant(draw));
        QCOMPARE(indexes(list), expected);
    }

    void weightSortIsStableOverTheFirstEntries_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<std::vector<int>>("expected");
        // Bank positions 1..6 with weights 2 0 1 0 2 1.
        QTest::newRow("all") << 6 << std::vector<int>{2, 4, 3, 6, 1, 5};
        QTest::newRow("first three") << 3 << std::vector<int>{2, 3, 1, 4, 5, 6};
        QTest::newRow("count beyond the list") << 40 << std::vector<int>{2, 4, 3, 6, 1, 5};
        QTest::newRow("none") << 0 << std::vector<int>{1, 2, 3, 4, 5, 6};
    }
    void weightSortIsStableOverTheFirstEntries()
    {
        QFETCH(int, count);
        QFETCH(std::vector<int>, expected);
        std::vector<DrawEntry> list{{1, 2}, {2, 0}, {3, 1}, {4, 0}, {5, 2}, {6, 1}};
        sortByWeight(list, count);
        QCOMPARE(indexes(list), expected);
    }

    void balancedDrawTakesOnePerSubCategoryFirst()
    {
        // 3 categories x 2 sub-categories x 5 questions: (c, s) holds positions
        // ((c-1)*2 + s-1)*5 + 1 .. +5; a third sub-category of category 1 is not ticked.
        QuestionBank bank = gridBank(3, 2, 5);
        const SessionSettings settings = settingsFor(bank, kModeNormal, 10, allSubs(3, 2));
        QCOMPARE(settings.availableCount, 30);
        // Q = 3, S = 1: the first pass takes the first entry of each sub-category. Raising Q
        // takes nothing more; then S = 2 takes the next entry of a sub-category that has
        // room, in shuffled order (3 is skipped: sub-category (1,1) already holds 1 and 2).
        std::vector<int> order{1, 2, 6, 3, 11, 7, 12, 16, 21, 22, 26, 4, 17};
        for (int i = 1; i <= 30; ++i)
            if (std::find(order.begin(), order.end(), i) == order.end())
                order.push_back(i);
        QCOMPARE(balancedDraw(bank, settings, entries(order)), (std::vector<int>{1, 6, 11, 16, 21, 26, 2, 7, 12, 22}));
    }

    void balancedDrawMatchesPassByPassRelaxation()
    {
        // Uneven banks, random ticks and counts: the shortcut over empty passes must not change
        // a single position.
        std::mt19937 engine(7);
        for (int round = 0; round < 120; ++round) {
            const int categories = 1 + int(engine() % 6);
            std::vector<Placement> placements;
            const int total = 1 + int(engine() % 120);
            for (int i = 0; i < total; ++i)
                placements.push_back({1 + int(engine() % unsigned(categories)), 1 + int(engine() % 4)});
            const QuestionBank bank = makeBank(categories, placements);
            std::vector<Placement> ticked;
            for (const Placement& p : allSubs(categories, 4))
                if (engine() % 3 != 0)
                    ticked.push_back(p);
            SessionSettings settings = settingsFor(bank, kModeNormal, 0, ticked);
            if (settings.availableCount == 0)
                continue;
            settings.questionCount = 1 + int(engine() % unsigned(settings.availableCount));
            auto list = eligibleQuestions(bank, settings, kNoWeights);
            shuffleEntries(list, seeded(unsigned(round)));
            QCOMPARE(balancedDraw(bank, settings, list), stepByStepDraw(bank, settings, list));
        }
    }

    void balancedDrawWithRandomOrder()
    {
        const QuestionBank bank = gridBank(3, 2, 5);
        const SessionSettings settings = settingsFor(bank, kModeMock, 10, allSubs(3, 2));
        for (unsigned seed = 1; seed <= 50; ++seed) {
            SessionTable table;
            SelectQuestion(bank, settings, kNoWeights, seeded(seed), table);
            QCOMPARE(table.count, 10);
            std::map<std::pair<int, int>, int> perSub;
            std::set<int> seen;
            for (int j = 1; j <= 10; ++j) {
                const SessionQuestion& q = table.question(j);
                QVERIFY(seen.insert(q.bankIndex).second);
                ++perSub[{q.category, q.subCategory}];
                if (j == 6)
                    QCOMPARE(int(perSub.size()), 6); // one of each sub-category first
            }
            for (const auto& [sub, count] : perSub)
                QVERIFY(count <= 2);
        }
    }

    void balancedDrawRelaxesNegativeQuotaFirst()
    {
        // 4 questions over 3 categories x 2 ticked sub-categories: S = -1 takes nothing, then
        // S = 1 with Q = 1 takes one per category, then Q = 2 lets category 1 take one more.
        const QuestionBank bank = gridBank(3, 2, 5);
        const SessionSettings settings = settingsFor(bank, kModeNormal, 4, allSubs(3, 2));
        std::vector<int> order{1, 2, 6, 11, 16, 21, 26, 3};
        for (int i = 1; i <= 30; ++i)
            if (std::find(order.begin(), order.end(), i) == order.end())
                order.push_back(i);
        QCOMPARE(balancedDraw(bank, settings, entries(order)), (std::vector<int>{1, 11, 21, 6}));
    }

    void balancedDrawWithOneTickedCategoryOfThree()
    {
        // Q = 1 and S = 1 although the whole session comes from one sub-category: the quotas
        // must relax until every question is taken, in shuffled order.
        const QuestionBank bank = gridBank(3, 1, 5);
        const SessionSettings settings = settingsFor(bank, kModeNormal, 5, {{1, 1}});
        QCOMPARE(balancedDraw(bank, settings, entries({4, 2, 5, 1, 3})), (std::vector<int>{4, 2, 5, 1, 3}));
    }

    void drawSurvivesInconsistentSettings_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("questionCount");
        QTest::addColumn<int>("availableCount");
        QTest::addColumn<int>("categoryCount");
        QTest::addColumn<int>("expectedCount");
        // The bank has 12 eligible questions (3 categories x 2 sub-categories x 2).
        QTest::newRow("more asked than eligible") << int(kModeNormal) << 20 << 20 << 3 << 12;
        QTest::newRow("table claims more than the records") << int(kModeMock) << 12 << 400 << 3 << 12;
        QTest::newRow("more asked than available") << int(kModeNormal) << 10 << 6 << 3 << 6;
        QTest::newRow("training asks too many") << int(kModeTraining) << 30 << 40 << 3 << 12;
        QTest::newRow("nothing asked") << int(kModeNormal) << 0 << 12 << 3 << 0;
        QTest::newRow("negative counts") << int(kModeNormal) << -5 << -1 << 3 << 0;
        QTest::newRow("no categories") << int(kModeNormal) << 5 << 12 << 0 << 0;
        QTest::newRow("unknown mode draws balanced") << 7 << 5 << 12 << 3 << 5;
        QTest::newRow("beyond 500") << int(kModeTraining) << 900 << 900 << 3 << 12;
    }
    void drawSurvivesInconsistentSettings()
    {
        QFETCH(int, mode);
        QFETCH(int, questionCount);
        QFETCH(int, availableCount);
        QFETCH(int, categoryCount);
        QFETCH(int, expectedCount);
        QuestionBank bank = gridBank(3, 2, 2);
        bank.categoryCount = categoryCount;
        SessionSettings settings = settingsFor(bank, mode, questionCount, allSubs(3, 2));
        settings.availableCount = availableCount;
        SessionTable table;
        table.question(expectedCount + 1).bankIndex = 77; // left over from an earlier session
        table.question(expectedCount + 1).text = "old";
        SelectQuestion(bank, settings, kNoWeights, seeded(3), table);
        QCOMPARE(table.count, expectedCount);
        std::set<int> seen;
        for (int j = 1; j <= table.count; ++j) {
            const int index = table.question(j).bankIndex;
            QVERIFY(index >= 1 && index <= 12);
            QVERIFY(seen.insert(index).second);
        }
        QCOMPARE(table.question(expectedCount + 1).bankIndex, 0);
        QVERIFY(table.question(expectedCount + 1).text.empty());
    }

    void brokenRandomSourceStillDrawsAPermutation_data()
    {
        QTest::addColumn<int>("draw");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -7;
        QTest::newRow("huge") << (1 << 30);
    }
    void brokenRandomSourceStillDrawsAPermutation()
    {
        QFETCH(int, draw);
        const QuestionBank bank = gridBank(2, 2, 3);
        const SessionSettings settings = settingsFor(bank, kModeNormal, 12, allSubs(2, 2));
        SessionTable table;
        SelectQuestion(bank, settings, kNoWeights, constant(draw), table);
        QCOMPARE(table.count, 12);
        std::set<int> seen;
        for (int j = 1; j <= 12; ++j) {
            QVERIFY(seen.insert(table.question(j).bankIndex).second);
            int keys = 0;
            for (unsigned char k : table.question(j).keyFlags)
                keys += k;
            QCOMPARE(keys, 1);
        }
    }

    void trainingTakesTheWeakestFirst()
    {
        // Positions 1..4 answered correctly 5, 0, 2 and 0 times; position 5 is not ticked.
        const QuestionBank bank = makeBank(1, {{1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 2}});
        const SessionSettings settings = settingsFor(bank, kModeTraining, 3, {{1, 1}});
        std::array<std::uint8_t, kMaxQuestions> weights{};
        weights[0] = 5;
        weights[2] = 2;
        weights[4] = 0;
        std::set<std::vector<int>> orders;
        for (unsigned seed = 1; seed <= 40; ++seed) {
            SessionTable table;
            SelectQuestion(bank, settings, weights, seeded(seed), table);
            orders.insert(sessionOrder(table));
        }
        // The two never-correct questions first, in either order, then the one correct twice.
        QCOMPARE(orders, (std::set<std::vector<int>>{{2, 4, 3}, {4, 2, 3}}));
    }

    void choicesShowEveryCorrectAndDistinctWrongOnes_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("shownAfter");
        QTest::addColumn<int>("correctAfter");
        QTest::newRow("6 stored, 4 shown, 1 correct") << 6 << 4 << 1 << 4 << 1;
        QTest::newRow("all shown, 3 correct") << 5 << 5 << 3 << 5 << 3;
        QTest::newRow("ten") << 10 << 10 << 2 << 10 << 2;
        QTest::newRow("shown above stored") << 4 << 6 << 1 << 4 << 1;
        QTest::newRow("correct above shown") << 6 << 2 << 3 << 2 << 2;
        QTest::newRow("correct above stored") << 3 << 2 << 5 << 2 << 2;
        QTest::newRow("correct above stored, all shown") << 3 << 3 << 7 << 3 << 3;
        QTest::newRow("stored above ten") << 14 << 12 << 1 << 10 << 1;
        QTest::newRow("negative") << -1 << -1 << -1 << 0 << 0;
        QTest::newRow("none correct") << 5 << 3 << 0 << 3 << 0;
    }
    void choicesShowEveryCorrectAndDistinctWrongOnes()
    {
        QFETCH(int, stored);
        QFETCH(int, shown);
        QFETCH(int, correct);
        QFETCH(int, shownAfter);
        QFETCH(int, correctAfter);
        QuestionRecord record;
        record.storedChoiceCount = stored;
        record.shownChoiceCount = shown;
        record.correctCount = correct;
        for (int c = 1; c <= kMaxChoices; ++c)
            record.choices[size_t(c - 1)] = (c <= correct ? "right" : "wrong") + std::to_string(c);
        for (unsigned seed = 1; seed <= 30; ++seed) {
            SessionQuestion out;
            drawChoices(record, seeded(seed), out);
            QCOMPARE(out.shownChoiceCount, shownAfter);
            QCOMPARE(out.correctCount, correctAfter);
            std::set<std::string> texts;
            int keys = 0;
            for (int l = 1; l <= out.shownChoiceCount; ++l) {
                const std::string& text = out.choices[size_t(l - 1)];
                QVERIFY(texts.insert(text).second);
                const bool right = text.rfind("right", 0) == 0;
                QCOMPARE(int(out.keyFlags[size_t(l - 1)]), right ? 1 : 0);
                keys += right ? 1 : 0;
            }
            QCOMPARE(keys, correctAfter);
            for (int l = out.shownChoiceCount + 1; l <= kMaxChoices; ++l)
                QCOMPARE(int(out.keyFlags[size_t(l - 1)]), 0);
        }
    }

    // A file whose header promises more questions than it holds: the draw keeps to the records read,
    // even over a bank that held more records from the test loaded before.
    void drawKeepsToTheRecordsOfAShortFile()
    {
        QuestionBank full = gridBank(1, 1, 5);
        QuestionHeader header;
        header.questionCount = 5;
        auto bank = std::make_unique<QuestionBank>();
        QCOMPARE(LoadQuestionBankFromBytes(QuestionFileBytes(header, full), QStringLiteral("a.qdf"), *bank),
                 std::nullopt);
        full.recordsRead = 3;
        QCOMPARE(LoadQuestionBankFromBytes(QuestionFileBytes(header, full), QStringLiteral("b.qdf"), *bank),
                 std::nullopt);
        QCOMPARE(bank->recordsRead, 3);
        QCOMPARE(bank->headerQuestionCount, 5);
        for (int mode : {int(kModeNormal), int(kModeTraining)}) {
            SessionSettings settings = settingsFor(full, mode, 5, {{1, 1}});
            settings.availableCount = 5; // the category table still claims five
            SessionTable table;
            SelectQuestion(*bank, settings, kNoWeights, seeded(9), table);
            QCOMPARE(table.count, 3);
            for (int j = 1; j <= table.count; ++j)
                QVERIFY(table.question(j).bankIndex <= 3);
        }
    }

    void sessionCopiesTheRecord()
    {
        const QuestionBank bank = makeBank(2, {{1, 1}, {2, 3}});
        const SessionSettings settings = settingsFor(bank, kModeNormal, 1, {{2, 3}});
        SessionTable table;
        SelectQuestion(bank, settings, kNoWeights, seeded(1), table);
        QCOMPARE(table.count, 1);
        const SessionQuestion& q = table.question(1);
        QCOMPARE(q.bankIndex, 2);
        QCOMPARE(q.number, 102);
        QCOMPARE(q.category, 2);
        QCOMPARE(q.subCategory, 3);
        QCOMPARE(q.style, int(kStyleSingle));
        QCOMPARE(q.text, std::string("question 2"));
        QCOMPARE(q.explanation, std::string("\r\nbecause 2"));
        QCOMPARE(q.references[0].page, std::string("12"));
        QCOMPARE(q.links[1].target, std::string("http://example.invalid/2"));
        QCOMPARE(q.storedChoiceCount, 4);
    }

    void sameRandomSameSession()
    {
        const QuestionBank bank = gridBank(4, 3, 6);
        const SessionSettings settings = settingsFor(bank, kModeNormal, 25, allSubs(4, 3));
        SessionTable first;
        SessionTable second;
        SelectQuestion(bank, settings, kNoWeights, seeded(42), first);
        SelectQuestion(bank, settings, kNoWeights, seeded(42), second);
        QCOMPARE(first.count, 25);
        for (int j = 1; j <= 25; ++j) {
            QCOMPARE(first.question(j).bankIndex, second.question(j).bankIndex);
            QCOMPARE(first.question(j).choices, second.question(j).choices);
            QCOMPARE(first.question(j).keyFlags, second.question(j).keyFlags);
        }
    }

    void everyQuestionAndPositionEquallyLikely()
    {
        // Six questions of one sub-category, session of all six: each position must be a uniform
        // choice among them. Each question has 6 stored choices, 4 shown, 1 correct.
        QuestionBank bank = gridBank(1, 1, 6);
        for (int i = 1; i <= 6; ++i) {
            QuestionRecord& q = bank.question(i);
            q.storedChoiceCount = 6;
            q.shownChoiceCount = 4;
            for (int c = 1; c <= 6; ++c)
                q.choices[size_t(c - 1)] = std::to_string(c);
        }
        const SessionSettings settings = settingsFor(bank, kModeNormal, 6, {{1, 1}});
        const DrawRandom random = clockSeededRandom();
        const int draws = 6000;
        std::vector<std::vector<double>> atPosition(6, std::vector<double>(6, 0));
        std::vector<double> choiceAt(6 * 4, 0); // stored choice c at shown place l
        auto table = std::make_unique<SessionTable>();
        for (int d = 0; d < draws; ++d) {
            SelectQuestion(bank, settings, kNoWeights, random, *table);
            for (int j = 1; j <= 6; ++j)
                atPosition[size_t(j - 1)][size_t(table->question(j).bankIndex - 1)] += 1;
            const SessionQuestion& q = table->question(1);
            for (int l = 1; l <= 4; ++l)
                choiceAt[size_t((std::stoi(q.choices[size_t(l - 1)]) - 1) * 4 + l - 1)] += 1;
        }
        for (const auto& counts : atPosition) {
            const double statistic = chiSquare(counts, std::vector<double>(6, draws / 6.0));
            QVERIFY2(statistic < looseBound(6), qPrintable(QString::number(statistic)));
        }
        // The correct choice stands at each place with 1/4; each wrong one with 3/5 x 1/4.
        std::vector<double> expected(choiceAt.size(), draws * 3.0 / 20.0);
        for (int l = 0; l < 4; ++l)
            expected[size_t(l)] = draws / 4.0;
        const double statistic = chiSquare(choiceAt, expected);
        QVERIFY2(statistic < looseBound(choiceAt.size()), qPrintable(QString::number(statistic)));
    }

    void partialSessionsPickEveryQuestionEquallyOften()
    {
        // 3 of 9 in one sub-category: every question in a third of the sessions.
        const QuestionBank bank = gridBank(1, 1, 9);
        const SessionSettings settings = settingsFor(bank, kModeMock, 3, {{1, 1}});
        const DrawRandom random = clockSeededRandom();
        const int draws = 6000;
        std::vector<double> picked(9, 0);
        std::vector<DrawEntry> list;
        for (int d = 0; d < draws; ++d) {
            list = eligibleQuestions(bank, settings, kNoWeights);
            shuffleEntries(list, random);
            for (int index : balancedDraw(bank, settings, list))
                picked[size_t(index - 1)] += 1;
        }
        const double statistic = chiSquare(picked, std::vector<double>(9, draws / 3.0));
        QVERIFY2(statistic < looseBound(9), qPrintable(QString::number(statistic)));
    }

  private:
    static constexpr int kHistorySizeForTest = 1960;
};

QUARVEL_TEST_MAIN(TestSelectQuestion)
#include "TestSelectQuestion.moc"

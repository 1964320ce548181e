#include "session/SelectQuestion.h"

#include "bank/FileLookup.h"

#include <QFile>
#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <unordered_map>
#include <unordered_set>

namespace
{

constexpr qint64 kCorrectCountsOffset = 960; // per-question correct counts in the history file

// A draw from the injected source, kept inside 1..n whatever the source returns.
int drawIn(const DrawRandom& random, int n)
{
    if (n <= 1)
        return 1;
    return std::clamp(random(n), 1, n);
}

int checkedSubCategories(const SessionSettings& settings, int category)
{
    int count = 0;
    for (int s = 1; s <= kMaxSubCategories; ++s)
        count += settings.isChecked(category, s) ? 1 : 0;
    return count;
}

int categoryCountOf(const QuestionBank& bank)
{
    return std::clamp(bank.categoryCount, 0, kMaxCategories);
}

} // namespace

DrawRandom clockSeededRandom()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::random_device device;
    // The clock alone would give two draws in the same tick the same session.
    std::seed_seq seed{std::uint32_t(now), std::uint32_t(std::uint64_t(now) >> 32), device(), device()};
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](int n) {
        if (n <= 1)
            return 1;
        return std::uniform_int_distribution<int>(1, n)(*engine);
    };
}

std::array<std::uint8_t, kMaxQuestions> ReadTrainingWeights(const QString& historyPath)
{
    std::array<std::uint8_t, kMaxQuestions> weights{};
    QFile file(filelookup::resolve(historyPath));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(kCorrectCountsOffset))
        return weights;
    const QByteArray bytes = file.read(kMaxQuestions);
    if (bytes.size() < kMaxQuestions)
        return weights; // a short file holds no trustworthy counts
    for (int i = 0; i < kMaxQuestions; ++i)
        weights[size_t(i)] = std::uint8_t(bytes[i]);
    return weights;
}

std::vector<DrawEntry> eligibleQuestions(const QuestionBank& bank, const SessionSettings& settings,
                                         const std::array<std::uint8_t, kMaxQuestions>& trainingWeights)
{
    const int total = std::clamp(bank.questionCount, 0, kMaxQuestions);
    const int categories = categoryCountOf(bank);
    std::vector<DrawEntry> list;
    list.reserve(size_t(total));
    for (int i = 1; i <= total; ++i) {
        const QuestionRecord& q = bank.question(i);
        if (q.category < 1 || q.category > categories || !settings.isChecked(q.category, q.subCategory))
            continue;
        const int weight = settings.mode == kModeTraining ? trainingWeights[size_t(i - 1)] : 0;
        list.push_back({i, weight});
    }
    return list;
}

void shuffleEntries(std::vector<DrawEntry>& entries, const DrawRandom& random)
{
    std::vector<DrawEntry> remaining = std::move(entries);
    entries.assign(remaining.size(), DrawEntry{});
    for (size_t r = remaining.size(); r > 0; --r) {
        const size_t v = size_t(drawIn(random, int(r)));
        entries[r - 1] = remaining[v - 1];
        remaining.erase(remaining.begin() + std::ptrdiff_t(v - 1));
    }
}

void sortByWeight(std::vector<DrawEntry>& entries, int count)
{
    // Repeated neighbour exchanges until nothing moves give the one stable order by weight;
    // stable_sort reaches the same order without the quadratic passes.
    const auto end = entries.begin() + std::clamp(count, 0, int(entries.size()));
    std::stable_sort(entries.begin(), end, [](const DrawEntry& a, const DrawEntry& b) { return a.weight < b.weight; });
}

std::vector<int> balancedDraw(const QuestionBank& bank, const SessionSettings& settings,
                              const std::vector<DrawEntry>& shuffled)
{
    // The walk never goes past the list, and a session never asks for more than the walk holds:
    // otherwise the relaxation below could not reach its count.
    const int walk = std::clamp(settings.availableCount, 0, int(shuffled.size()));
    const int n = std::clamp(settings.questionCount, 0, std::min(walk, kMaxQuestions));
    std::vector<int> order;
    order.reserve(size_t(n));
    if (n == 0)
        return order;

    const int categories = std::max(1, categoryCountOf(bank));
    int categoryQuota = n / categories;
    std::array<int, kMaxCategories> subQuota{};
    for (int c = 1; c <= categories; ++c) {
        const int s = checkedSubCategories(settings, c);
        int& quota = subQuota[size_t(c - 1)];
        if (s == 0)
            quota = 0;
        else if (n >= s * categories)
            quota = n / (s * categories);
        else
            quota = -1;
    }

    std::array<int, kMaxCategories> takenInCategory{};
    std::array<std::array<int, kMaxSubCategories>, kMaxCategories> takenInSub{};
    std::vector<char> marked(size_t(walk), 0);

    // Each relaxation raises a quota, and once the category quota has reached the walk length
    // and the sub-category quotas the walk length, every entry is takeable: so at most about two
    // walk lengths of passes. The cap only guards entries that can never be taken.
    const int maxPasses = 2 * walk + 8;
    for (int pass = 0; pass < maxPasses; ++pass) {
        bool blockedByCategoryOnly = false;
        for (int k = 0; k < walk && int(order.size()) < n; ++k) {
            if (marked[size_t(k)])
                continue;
            const int index = shuffled[size_t(k)].bankIndex;
            if (index < 1 || index > kMaxQuestions)
                continue;
            const QuestionRecord& q = bank.question(index);
            if (q.category < 1 || q.category > categories || q.subCategory < 1 || q.subCategory > kMaxSubCategories)
                continue;
            int& inSub = takenInSub[size_t(q.category - 1)][size_t(q.subCategory - 1)];
            int& inCategory = takenInCategory[size_t(q.category - 1)];
            if (inSub >= subQuota[size_t(q.category - 1)])
                continue;
            if (inCategory >= categoryQuota) {
                blockedByCategoryOnly = true;
                continue;
            }
            ++inSub;
            ++inCategory;
            marked[size_t(k)] = 1;
            order.push_back(index);
        }
        if (int(order.size()) >= n)
            break;

        bool anyNegative = false;
        for (int c = 0; c < categories; ++c) {
            if (subQuota[size_t(c)] < 0) {
                subQuota[size_t(c)] += 2;
                anyNegative = true;
            }
        }
        if (anyNegative)
            continue;
        if (categoryQuota < walk) {
            // Raising the category quota one step at a time takes nothing while no entry was
            // held back by it alone; jumping to the end of those empty passes gives the same order.
            categoryQuota = blockedByCategoryOnly ? categoryQuota + 1 : walk;
            continue;
        }
        for (int c = 0; c < categories; ++c) {
            if (subQuota[size_t(c)] != 0)
                ++subQuota[size_t(c)];
        }
    }
    return order;
}

void drawChoices(const QuestionRecord& record, const DrawRandom& random, SessionQuestion& out)
{
    const int stored = std::clamp(record.storedChoiceCount, 0, kMaxChoices);
    const int shown = std::clamp(record.shownChoiceCount, 0, stored);
    const int correct = std::clamp(record.correctCount, 0, shown);
    out.storedChoiceCount = stored;
    out.shownChoiceCount = shown;
    out.correctCount = correct;
    // Places above `shown` keep the stored texts as left-overs; they are never shown.
    out.choices = record.choices;
    out.keyFlags.fill(0);

    // Candidates as stored choice numbers 1..stored; the first `correct` are the correct ones.
    std::array<int, kMaxChoices> candidates{};
    for (int i = 0; i < correct; ++i)
        candidates[size_t(i)] = i + 1;
    std::array<int, kMaxChoices> pool{};
    int poolSize = stored - correct;
    for (int i = 0; i < poolSize; ++i)
        pool[size_t(i)] = correct + 1 + i;
    for (int l = shown - correct; l >= 1; --l) {
        const int v = drawIn(random, std::min(stored - shown + l, poolSize));
        candidates[size_t(correct + l - 1)] = pool[size_t(v - 1)];
        std::copy(pool.begin() + v, pool.begin() + poolSize, pool.begin() + v - 1);
        --poolSize;
    }

    int candidateCount = shown;
    for (int l = shown; l >= 1; --l) {
        const int v = drawIn(random, l);
        const int choice = candidates[size_t(v - 1)];
        out.choices[size_t(l - 1)] = record.choices[size_t(choice - 1)];
        out.keyFlags[size_t(l - 1)] = choice <= correct ? 1 : 0;
        std::copy(candidates.begin() + v, candidates.begin() + candidateCount, candidates.begin() + v - 1);
        --candidateCount;
    }
}

void SelectQuestion(const QuestionBank& bank, const SessionSettings& settings,
                    const std::array<std::uint8_t, kMaxQuestions>& trainingWeights, const DrawRandom& random,
                    SessionTable& table)
{
    std::vector<DrawEntry> list = eligibleQuestions(bank, settings, trainingWeights);
    shuffleEntries(list, random);

    std::vector<int> order;
    if (settings.mode == kModeTraining) {
        sortByWeight(list, settings.availableCount);
        const size_t n = size_t(std::clamp(settings.questionCount, 0, int(list.size())));
        order.reserve(n);
        for (size_t k = 0; k < n; ++k)
            order.push_back(list[k].bankIndex);
    } else {
        order = balancedDraw(bank, settings, list);
    }

    FillSessionTable(bank, order, random, table);
}

void FillSessionTable(const QuestionBank& bank, const std::vector<int>& order, const DrawRandom& random,
                      SessionTable& table)
{
    table.count = std::min(int(order.size()), kMaxQuestions);
    for (int j = 1; j <= kMaxQuestions; ++j) {
        SessionQuestion& sq = table.question(j);
        if (j > table.count) {
            if (sq.bankIndex != 0) // only what an earlier draw left behind
                sq = SessionQuestion{};
            continue;
        }
        const int index = order[size_t(j - 1)];
        const QuestionRecord& q = bank.question(index);
        sq.bankIndex = index;
        sq.number = q.number;
        sq.category = q.category;
        sq.subCategory = q.subCategory;
        sq.style = q.style;
        sq.text = q.text;
        sq.explanation = q.explanation;
        sq.references = q.references;
        sq.links = q.links;
        drawChoices(q, random, sq);
    }
}

std::vector<int> bankPositionsOf(const QuestionBank& bank, const std::vector<int>& numbers)
{
    const int total = std::clamp(bank.questionCount, 0, kMaxQuestions);
    std::unordered_map<int, int> positionOf;
    for (int i = total; i >= 1; --i)
        positionOf[bank.question(i).number] = i; // the first position of a number wins
    std::vector<int> positions;
    std::unordered_set<int> taken;
    for (int number : numbers) {
        const auto found = positionOf.find(number);
        if (found == positionOf.end() || !taken.insert(found->second).second)
            continue;
        positions.push_back(found->second);
        if (int(positions.size()) == kMaxQuestions)
            break;
    }
    return positions;
}

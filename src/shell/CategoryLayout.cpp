#include "shell/CategoryLayout.h"

#include <algorithm>
#include <limits>

namespace catlayout
{

bool isBlankName(std::string_view name)
{
    return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
}

int listedSubCategoryCount(const CategoryEntry& category)
{
    int count = 0;
    while (count < kMaxSubCategories && !isBlankName(category.subCategories[size_t(count)].name))
        ++count;
    return count;
}

std::vector<int> listedItemCounts(const QuestionBank& bank)
{
    std::vector<int> counts;
    const int categories = std::clamp(bank.categoryCount, 0, kMaxCategories);
    for (int c = 1; c <= categories; ++c) {
        const CategoryEntry& category = bank.category(c);
        counts.push_back(isCategoryShown(category) ? listedSubCategoryCount(category) : 0);
    }
    return counts;
}

std::vector<Tops> categoryTops(const std::vector<int>& itemCounts)
{
    std::vector<Tops> tops;
    int boxTop = kFirstBoxTop;
    for (int items : itemCounts) {
        const Tops t{boxTop, boxTop + kListBelowBox};
        tops.push_back(t);
        boxTop = t.list + kItemHeight * items + kGapAfterList;
    }
    return tops;
}

int contentHeight(const std::vector<int>& itemCounts, bool categoriesOnly)
{
    if (itemCounts.empty())
        return kFirstBoxTop;
    if (categoriesOnly)
        return stackedBoxTop(int(itemCounts.size()) + 1);
    const Tops last = categoryTops(itemCounts).back();
    return last.list + kItemHeight * itemCounts.back() + kGapAfterList;
}

BoxState boxStateFor(int tickedItems, int items)
{
    if (tickedItems >= items)
        return BoxState::Checked;
    return tickedItems > 0 ? BoxState::Partial : BoxState::Unchecked;
}

int availableCount(const QuestionBank& bank, const SessionSettings& ticks)
{
    long long sum = 0;
    const std::vector<int> listed = listedItemCounts(bank);
    for (int c = 1; c <= int(listed.size()); ++c)
        for (int k = 1; k <= listed[size_t(c - 1)]; ++k)
            if (ticks.isChecked(c, k))
                sum += bank.category(c).sub(k).questionCount;
    // Counts come from the file; keep a nonsensical sum inside the field's range.
    return int(std::clamp<long long>(sum, 0, std::numeric_limits<int>::max()));
}

std::optional<ArrowStop> arrowStop(const std::vector<int>& items, ArrowStop from, bool down)
{
    std::vector<ArrowStop> stops;
    for (int c = 1; c <= int(items.size()); ++c) {
        if (items[size_t(c - 1)] < 0)
            continue;
        for (int k = 0; k <= items[size_t(c - 1)]; ++k)
            stops.push_back({c, k});
    }
    const auto at = std::find(stops.begin(), stops.end(), from);
    if (at == stops.end())
        return std::nullopt;
    if (down)
        return at + 1 == stops.end() ? std::nullopt : std::optional<ArrowStop>(*(at + 1));
    return at == stops.begin() ? std::nullopt : std::optional<ArrowStop>(*(at - 1));
}

} // namespace catlayout

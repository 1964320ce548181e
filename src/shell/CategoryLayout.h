#pragma once
// The category check boxes and sub-category lists of the category selection screen: which
// sub-categories are listed, where each control stands, the box state a list implies, and the
// number of questions the ticks make available.
#include "bank/QuestionBank.h"
#include "session/SessionTypes.h"

#include <optional>
#include <string_view>
#include <vector>

namespace catlayout
{

inline constexpr int kFirstBoxTop = 8;
inline constexpr int kListBelowBox = 16;
inline constexpr int kItemHeight = 12;
inline constexpr int kGapAfterList = 6;
inline constexpr int kStackedStep = 20;

// True when the CP932 name is empty after removing blanks and control characters.
bool isBlankName(std::string_view name);

// How many sub-categories a category lists: 1, 2, ... up to the first blank name, at most 20.
int listedSubCategoryCount(const CategoryEntry& category);

// Whether the category is shown at all (a blank category name hides its box and list).
inline bool isCategoryShown(const CategoryEntry& category)
{
    return !isBlankName(category.name);
}

// Items of each category's list, categories 1..categoryCount; 0 for a hidden category.
std::vector<int> listedItemCounts(const QuestionBank& bank);

struct Tops {
    int box = 0;
    int list = 0;
    bool operator==(const Tops&) const = default;
};

// Tops of every box and list, top to bottom, for lists of the given item counts. A hidden
// category keeps its place with an empty list, as the boxes are laid out by index.
std::vector<Tops> categoryTops(const std::vector<int>& itemCounts);

// The top of box `index` (1-based) when only the categories are shown.
inline int stackedBoxTop(int index)
{
    return kFirstBoxTop + kStackedStep * (index - 1);
}

// The height the scrolling panel needs to hold everything above.
int contentHeight(const std::vector<int>& itemCounts, bool categoriesOnly);

enum class BoxState { Unchecked, Partial, Checked };

// The state a category box takes from its list: all items ticked (also when it has none),
// some, or none.
BoxState boxStateFor(int tickedItems, int items);

// A place the Up and Down keys stop at: the box of a category (item 0) or item k of its list.
struct ArrowStop {
    int category = 0;
    int item = 0;
    bool operator==(const ArrowStop&) const = default;
};

// Where Down (or Up, `down` false) leads from `from`, through every box and list item top to
// bottom. `items[c - 1]` is the number of items list c shows (0 while the lists are hidden), or -1
// for a category that is not shown at all. Nothing past the first and the last stop.
std::optional<ArrowStop> arrowStop(const std::vector<int>& items, ArrowStop from, bool down);

// The sum, over the ticked sub-categories of the shown lists, of their question counts.
int availableCount(const QuestionBank& bank, const SessionSettings& ticks);

} // namespace catlayout

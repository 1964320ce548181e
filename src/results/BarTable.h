#pragma once
// The bar table of the printed report and of the study overview: the overall average as a bar
// under the scale picture, the best rate below it, then one bar per category. CP932 lines.
#include "results/HistoryFile.h"

#include <optional>
#include <string>
#include <vector>

// The bar of `percent` at 4 pixels per percent: a red part and a black rest, one picture when
// the other part would be empty; `height` is 30 (overall) or 15 (category). Nothing when the
// value lies outside 0..100.
std::optional<std::string> ReportBarLine(int percent, int height);

// Where the two pages' tables differ.
struct BarTableShape {
    std::string rowAttributes;          // of the heading, overall bar and category rows: "" or ` valign="top"`
    std::string bestCell;               // the cell under the overall bar, "<td>" to "</tr>"
    bool categoryHeading = false;       // a "■カテゴリ別成績" row with its own scale before the categories
    std::string categoryCellAttributes; // of the category name cells: "" or ` width="200"`
    bool boldCategoryNames = false;
};

// "<table>" to "</table>". A category whose average lies outside 0..100 (a damaged history) is
// left out; a damaged overall average still gets its row, as an empty bar.
std::vector<std::string> BarTableLines(const History& history, const std::vector<std::string>& categoryNames,
                                       const BarTableShape& shape);

#include "results/BarTable.h"

#include "bank/Cp932.h"
#include "bank/HtmlPage.h"

#include <algorithm>

std::optional<std::string> ReportBarLine(int percent, int height)
{
    if (percent < 0 || percent > 100)
        return std::nullopt;
    const std::string tail = " height=" + std::to_string(height) + ">";
    auto picture = [&](const char* name, int width) {
        return std::string("<img src=\"") + name + "\" width=" + std::to_string(width) + tail;
    };
    std::string line = "<td>";
    if (percent > 0)
        line += picture("red.gif", 4 * percent);
    if (percent < 100)
        line += picture("black.gif", 4 * (100 - percent));
    return line + "</td></tr>";
}

std::vector<std::string> BarTableLines(const History& history, const std::vector<std::string>& categoryNames,
                                       const BarTableShape& shape)
{
    const std::string row = "<tr" + shape.rowAttributes + ">";
    const std::string scale = "<td><img src=\"print_scale.gif\"><BR></td></tr>";
    std::vector<std::string> lines;
    lines.push_back("<table>");
    lines.push_back(row + cp932::fromUtf8("<td><b><small>■総合成績</small></b></td>"));
    lines.push_back(scale);
    lines.push_back(row + "<td></td>");
    lines.push_back(ReportBarLine(history.average, 30).value_or("<td></td></tr>"));
    lines.push_back("<tr><td></td>");
    lines.push_back(shape.bestCell);
    if (shape.categoryHeading) {
        lines.push_back(row + cp932::fromUtf8("<td><b><small>■カテゴリ別成績</small></b></td>"));
        lines.push_back(scale);
    }
    const std::string bold = shape.boldCategoryNames ? "<b>" : "";
    const std::string unbold = shape.boldCategoryNames ? "</b>" : "";
    const std::string open = "<td" + shape.categoryCellAttributes + ">" + bold + "<small>";
    const std::string close = "</small>" + unbold + "</td>";
    const size_t count = std::min(categoryNames.size(), history.categories.size());
    for (size_t c = 0; c < count; ++c) {
        // Byte 5 as the history writer leaves it: unchanged for a category not asked this time.
        const auto bar = ReportBarLine(history.categories[c][5], 15);
        if (!bar)
            continue;
        lines.push_back(row + open + htmlpage::escapeText(categoryNames[c]) + close);
        lines.push_back(*bar);
    }
    lines.push_back("</table>");
    return lines;
}

#include "results/AdaptiveTable.h"

#include "bank/Cp932.h"
#include "bank/TextLines.h"

namespace
{

// The name of category `category` (1-based), or the field as it stands.
std::string categoryName(const std::string& field, const std::vector<CategoryNames>& names)
{
    const auto c = textlines::parseNumber(field);
    if (!c || *c < 1 || *c > int(names.size()))
        return field;
    return names[size_t(*c - 1)].name;
}

std::string subCategoryName(const std::string& categoryField, const std::string& field,
                            const std::vector<CategoryNames>& names)
{
    const auto c = textlines::parseNumber(categoryField);
    const auto s = textlines::parseNumber(field);
    if (!c || !s || *c < 1 || *c > int(names.size()) || *s < 1 || *s > kMaxSubCategories)
        return field;
    return names[size_t(*c - 1)].subCategories[size_t(*s - 1)];
}

} // namespace

AdaptiveTable BuildAdaptiveTable(const std::vector<std::string>& lines, const std::vector<CategoryNames>& names,
                                 const QString& fileName)
{
    AdaptiveTable table;
    table.rows.reserve(lines.size());
    long long averageSum = 0;
    long long averaged = 0;
    auto note = [&](size_t index, const QString& what, const QString& japanese) {
        if (!table.problem)
            table.problem = FileError{fileName, int(index) + 1, what, japanese};
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        auto fields = SplitAdaptiveLine(lines[i]);
        if (!fields) {
            note(i, QStringLiteral("not a line of an adaptive record"),
                 QStringLiteral("Adaptive履歴の行ではありません"));
            AdaptiveFields row;
            row[kAdpText] = lines[i];
            table.rows.push_back(std::move(row));
            continue;
        }
        const auto asked = textlines::parseNumber((*fields)[kAdpAsked]);
        const auto correct = textlines::parseNumber((*fields)[kAdpCorrect]);
        const auto average = textlines::parseNumber((*fields)[kAdpAverageSeconds]);
        if (!asked || !correct || !average)
            note(i, QStringLiteral("a count is not a whole number"), QStringLiteral("回数が整数ではありません"));
        table.asked += asked.value_or(0);
        table.correct += correct.value_or(0);
        if (average && *average > 0) {
            averageSum += *average;
            ++averaged;
        }
        const std::string category = (*fields)[kAdpCategory];
        (*fields)[kAdpSubCategory] = subCategoryName(category, (*fields)[kAdpSubCategory], names);
        (*fields)[kAdpCategory] = categoryName(category, names);
        table.rows.push_back(std::move(*fields));
    }
    table.averageSeconds = averaged > 0 ? averageSum / averaged : 0;
    return table;
}

std::string AdaptiveTotalsText(const AdaptiveTable& table)
{
    return cp932::fromUtf8("出題数の合計 : ") + std::to_string(table.asked) + cp932::fromUtf8(" 正解数の合計 : ") +
           std::to_string(table.correct) + cp932::fromUtf8(" 平均回答時間 : ") + std::to_string(table.averageSeconds);
}

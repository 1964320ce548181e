#pragma once
// What the adaptive history view shows: one row of seven texts per record line, with category
// and sub-category names from the test's category table, and the totals underneath.
#include "bank/FileError.h"
#include "bank/QuestionFile.h"
#include "results/AdaptiveRecord.h"

#include <optional>
#include <string>
#include <vector>

struct AdaptiveTable {
    std::vector<AdaptiveFields> rows; // CP932: number, category name, sub-category name, text, counts
    long long asked = 0;
    long long correct = 0;
    long long averageSeconds = 0; // average of the per-question averages above 0
    // The first line that could not be read; its row shows what could be read of it.
    std::optional<FileError> problem;
};

// Rows and totals of a record's lines. A category or sub-category number outside `names` shows
// as the number itself. Counts that are not numbers show as stored and are left out of the totals.
AdaptiveTable BuildAdaptiveTable(const std::vector<std::string>& lines, const std::vector<CategoryNames>& names,
                                 const QString& fileName);

// "出題数の合計 : " asked " 正解数の合計 : " correct " 平均回答時間 : " average, in CP932.
std::string AdaptiveTotalsText(const AdaptiveTable& table);

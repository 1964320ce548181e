#pragma once
// What an import promises whatever the input: a written source packs, counts add up, and the
// exhibit names it makes are plain file names for img/.
#include "FuzzCheck.h"

#include "bank/QuestionBank.h"
#include "bank/import/ImportSource.h"

inline void checkImport(const std::vector<ImportedQuestion>& questions)
{
    ImportOptions options;
    options.fileName = QStringLiteral("bank.txt");
    options.formatName = QStringLiteral("fuzz");
    options.withImages = true;
    options.updated = QStringLiteral("20260101000000");
    ImportResult result;
    if (buildQuestionSource(questions, options, result)) {
        FUZZ_CHECK(result.imported <= kMaxQuestions);
        return;
    }
    FUZZ_CHECK(result.imported >= 1 && result.imported <= kMaxQuestions);
    FUZZ_CHECK(size_t(result.imported + result.skipped) == questions.size());
    // The source written packs: buildQuestionSource packs it and fails otherwise, so packing it
    // again here would only halve the executions a second.
    for (const ImportedExhibit& e : result.exhibits) {
        FUZZ_CHECK(!e.fileName.contains(QLatin1Char('/')) && !e.fileName.contains(QLatin1Char('\\')));
        FUZZ_CHECK(!e.fileName.startsWith(QLatin1Char('.')) && !e.bytes.isEmpty());
    }
}

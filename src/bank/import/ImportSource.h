#pragma once
// Maps imported questions onto our answer styles and writes them as a question source (.qsrc).
#include "bank/FileError.h"
#include "bank/import/ImportedQuestion.h"

#include <QStringList>
#include <string>
#include <vector>

struct ImportOptions {
    QString fileName;        // the file read: messages name it; code, title and default category come from it
    QString formatName;      // for the source's first comment: "GIFT", "Moodle XML"
    QString code;            // empty: the file's base name
    QString title;           // empty: the file's base name
    bool withImages = false; // false: embedded pictures are left out (and reported)
    QString updated;         // YYYYMMDDhhmmss; empty: now
};

struct ImportedExhibit {
    QString fileName; // plain file name for the test's img/ directory
    QByteArray bytes;
};

struct ImportResult {
    std::string source; // UTF-8 question source, checked to pack
    std::vector<ImportedExhibit> exhibits;
    QStringList report; // "FILE:LINE: what", one per question skipped or changed
    int imported = 0;
    int skipped = 0;
};

// Fails when a limit of the question data file is passed (50 categories, 20 sub-categories in one
// category, 500 questions, 10 choices: the message names the limit and the question's line), when
// no question could be imported, or when the source would not pack. `result.report` is filled
// either way.
std::optional<FileError> buildQuestionSource(const std::vector<ImportedQuestion>& questions,
                                             const ImportOptions& options, ImportResult& result);

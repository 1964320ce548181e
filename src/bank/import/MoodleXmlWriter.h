#pragma once
// Writes a test of ours as Moodle XML, so material can go back to a learning platform.
#include "bank/QuestionBank.h"
#include "bank/QuestionFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct MoodleXmlExport {
    QByteArray xml;
    QStringList report; // "FILE:LINE: what" for each question left out or changed
    int exported = 0;
    int leftOut = 0;
};

// Single choice, multiple choice and text entry questions become multichoice and shortanswer
// questions under one category per category and sub-category; the explanation becomes the general
// feedback and exhibits (read from `imageDir`) are embedded as base64 files. Other styles are left
// out and reported. `fileName` and `lines` (may be null) place the report lines.
MoodleXmlExport writeMoodleXml(const QuestionBank& bank, const QString& fileName, const QString& imageDir,
                               const QuestionFileLines* lines);

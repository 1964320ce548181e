#pragma once
// Reads Moodle XML, the question exchange format of learning platforms, into imported questions.
#include "bank/FileError.h"
#include "bank/import/ImportedQuestion.h"

#include <string_view>
#include <vector>

// Fails when the file is not well-formed XML (the message names the line) or is not a <quiz>.
// Pictures embedded as <file encoding="base64"> in a question's text come with the question.
std::optional<FileError> readMoodleXml(std::string_view bytes, const QString& fileName,
                                       std::vector<ImportedQuestion>& questions);

#pragma once
// The readable UTF-8 source of a question data file (".qsrc", described in
// docs/question-source-format.md) and its conversion in both directions.
#include "bank/FileError.h"
#include "bank/QuestionFileCheck.h"

#include <string>
#include <string_view>
#include <vector>

// Source -> .qdf bytes. The result is read back with the question file reader before it is
// accepted; its errors and the checker's warnings name lines of the source (`sourceName`).
std::optional<FileError> PackQuestionSource(std::string_view source, const QString& sourceName, std::string& qdf,
                                            std::vector<FileProblem>* warnings = nullptr);

// .qdf bytes -> source. Fails only when the reader refuses the file. `exact` tells whether packing
// the source gives the same bytes again (false only for files that mix CR LF and LF line ends).
std::optional<FileError> UnpackQuestionFile(std::string_view qdf, const QString& fileName, std::string& source,
                                            bool* exact = nullptr);

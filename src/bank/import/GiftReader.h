#pragma once
// Reads GIFT, the plain-text question format of learning platforms, into imported questions.
#include "bank/FileError.h"
#include "bank/import/ImportedQuestion.h"

#include <string_view>
#include <vector>

// `bytes` is the file (UTF-8, with or without a byte-order mark); `fileName` names it in errors.
// Fails on text that is not UTF-8, an answer list that is never closed and an empty title; every
// question it can read is returned, also those of kinds we cannot hold (as Unsupported).
std::optional<FileError> readGift(std::string_view bytes, const QString& fileName,
                                  std::vector<ImportedQuestion>& questions);

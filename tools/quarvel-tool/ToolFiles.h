#pragma once
// Reading and writing files for the subcommands, with failures as "FILE:LINE: what".
#include "bank/FileError.h"

#include <optional>
#include <string>
#include <string_view>

// One line on stderr.
void complain(const QString& text);
// complain(error.text()); returns exit status 1.
int failed(const FileError& error);
std::optional<FileError> readFile(const QString& path, std::string& bytes);
// The whole file or none of it: a half-written file would read as a broken one.
std::optional<FileError> writeFileWhole(const QString& path, std::string_view bytes);

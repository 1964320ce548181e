#pragma once
// Every HTML page the program writes (inquiry, link frame, diagnosis form, report) is made here:
// a template is copied line by line, a line that is only a placeholder ("#NAME#", blanks around it
// allowed) becomes the lines generated for it, and every value from outside the program is
// escaped where it lands. Text stays CP932 bytes throughout; the characters escaped are all below
// 0x40, so they never occur as the trail byte of a double-byte character.
#include "bank/FileError.h"

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace htmlpage
{

// For text between tags: & < > " ' become entities. Line breaks (CR LF or LF) are kept.
std::string escapeText(std::string_view text);
// For an attribute value in double or single quotes: as escapeText, and CR and LF become
// "&#13;" and "&#10;" so that a value keeps its line breaks.
std::string escapeAttribute(std::string_view text);
// As escapeText, with each line break turned into "<BR>" (text shown as written, line by line).
std::string escapeTextLines(std::string_view text);

// The lines of a template file without their line ends (CR LF or LF). Nothing, with `error`
// set, when the file cannot be read.
std::optional<std::vector<std::string>> readTemplate(const QString& path, FileError* error = nullptr);

// Generates the lines for the placeholder `name` (the trimmed template line, e.g. "#NAME#"), or
// nothing when the line is no placeholder and is copied as it stands.
using Placeholders = std::function<std::optional<std::vector<std::string>>(std::string_view name)>;

// Copies the template lines, replacing placeholder lines; every line ends in CR LF.
std::string fill(const std::vector<std::string>& templateLines, const Placeholders& placeholders);

// Writes `bytes` to `path` through a temporary file beside it, renamed over the old page only
// when complete. Not synced to disk: pages are made again on every request. False, with `error`
// set, and the old page untouched, when it cannot be written.
bool writePage(const QString& path, std::string_view bytes, FileError* error = nullptr);

// Reads the template, fills it and writes the page: the whole road in one call.
bool makePage(const QString& templatePath, const QString& pagePath, const Placeholders& placeholders,
              FileError* error = nullptr);

} // namespace htmlpage

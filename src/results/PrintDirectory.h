#pragma once
// The program's Print/ directory: the report and the summary page are its template PrintProto
// followed by lines of their own, written beside the pictures the pages refer to.
#include "bank/FileError.h"

#include <QString>
#include <optional>
#include <string>
#include <vector>

struct PrintTemplate {
    QString dir;                    // the directory as found on disk, with a trailing "/"
    std::vector<std::string> lines; // PrintProto without line ends
};

// Finds the directory (its name matched without regard to case) and reads its template. A
// missing directory or template is an error that names it.
std::optional<FileError> ReadPrintTemplate(const QString& printDir, PrintTemplate& out);

// Writes `pageName` in the directory: the template's lines, then `generated`, CR LF after each.
std::optional<FileError> WritePrintPage(const PrintTemplate& print, const QString& pageName,
                                        const std::vector<std::string>& generated);

#pragma once
// The optional <test>.ini beside a question data file: the case study and the grade texts.
#include <QString>
#include <array>
#include <string>
#include <string_view>
#include <vector>

struct CaseStudy {
    bool present = false;
    std::vector<std::string> lines;      // CP932 bytes, the file's own lines
    std::array<QString, 4> imagePaths{}; // full paths; empty for "none"
};

// <test>.ini beside the question data file: the last four characters replaced by ".ini".
QString testSettingsPath(const QString& questionFile);

// Reads the case study of the test whose question data file is `testPath`.
CaseStudy ReadCaseStudy(const QString& testPath);

// The five grade texts A..E (CP932 bytes) with their defaults.
std::array<std::string, 5> ReadLevelTexts(const QString& testPath);

// The same two readers over the file's bytes (`testPath` places the case study's images).
CaseStudy ParseCaseStudy(std::string_view bytes, const QString& testPath);
std::array<std::string, 5> ParseLevelTexts(std::string_view bytes);

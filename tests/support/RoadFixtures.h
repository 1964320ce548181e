#pragma once
// One test for walking the whole road of an attempt, and the history file it should leave.
#include "results/HistoryFile.h"
#include "support/TestSupport.h"

#include <QDateTime>

#include <string>

namespace testsupport::road
{

inline constexpr int kQuestions = 6;

// Three categories ("分野1".."分野3") of one sub-category each, two questions in each: bank
// positions 2c - 1 and 2c belong to category c. Three choices per question, the first right; the
// last `multiple` questions are multiple choice with the first two right. Returns the file's path.
QString writeTest(const TempInstall& install, const QString& relativePath = QStringLiteral("QDAT/oracle/road.qdf"),
                  int multiple = 0, const std::string& code = "RD-1");

// The category of bank position j.
inline int categoryOf(int j)
{
    return (j + 1) / 2;
}

// The expected history file, built byte by byte from its layout.
std::string expectedHistory(const QString& questionFile, const History& h);

// An attempt record stamped `when`.
AttemptRecord record(int minutes, const QDateTime& when, int rate, int mode, int questionCount);

} // namespace testsupport::road

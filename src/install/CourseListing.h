#pragma once
// The course menu's test list: which question data files of a vendor are listed, in which order,
// what each row says and which badge it carries.
#include "bank/FileError.h"
#include "bank/QuestionFile.h"
#include "install/CourseList.h"

#include <QList>
#include <QRect>
#include <QStringList>
#include <array>
#include <string>

// The list holds at most this many tests; later screens size their tables by it.
inline constexpr int kMaxListedTests = 30;
// Rows shown without scrolling.
inline constexpr int kRowsWithoutScrolling = 16;

// The *.qdf files of a directory (extension in any case), as full paths in ascending byte order
// of their file-system names (so "B.qdf" comes before "a.qdf").
QStringList questionFiles(const QString& directory);

// The badge icon of a row, 0 ("none") to 5: the highest badge set wins.
int badgeIcon(const std::array<bool, 5>& badges);
// The level a row's badges raise the large badge to: badge 1 -> 1, 2 -> 2, 3 or 5 -> 3, 4 -> 4.
int badgeLevel(const std::array<bool, 5>& badges);

// Header line 9 (YYYYMMDDhhmmss) as "YYYY/MM/DD"; short lines give what they have.
std::string updateDate(const std::string& line9);

// The row text in CP932: code " : " title " (全" count "問) 問題更新日 : " date.
std::string rowText(const CourseTest& test);

// One listed test from its question data file and header; `vendor` names the HIST directory.
CourseTest courseTest(const QString& questionFile, const QuestionHeader& header, const QString& vendor);

// Row r (1-based) in the list: left 22, top r * 24 - 16, 560 x 21.
inline QRect rowGeometry(int r)
{
    return {22, r * 24 - 16, 560, 21};
}
// Height of the list's background for `rows` rows.
inline int listBackgroundHeight(int rows)
{
    return (rows - 1) * 24 + 25;
}
inline bool listScrolls(int rows)
{
    return rows > kRowsWithoutScrolling;
}

struct VendorListing {
    QList<CourseTest> tests;
    int highestLevel = 0;
    QList<FileError> unreadable; // headers that could not be read: left out
    QStringList surplus;         // valid files beyond kMaxListedTests: left out
};

// Lists the tests of one vendor's question data directory: every file whose first line is
// exactly the format tag, in byte order, at most kMaxListedTests of them.
VendorListing listVendorTests(const QString& questionDir, const QString& vendor);

// The message naming files left out of a listing (empty when none were).
QString listingProblems(const VendorListing& listing);

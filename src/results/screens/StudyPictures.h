#pragma once
// The pictures of the diagnosis screen: the test names, the bars of the tests with their crowns,
// the bars of one test's categories, and the two small icons.
#include "results/StudyOverview.h"

#include <QImage>
#include <vector>

inline constexpr int kStudyNamesWidth = 273;
inline constexpr int kStudyBarsWidth = 353;
inline constexpr int kStudyCategoryWidth = 600;

// The target-rate marker, 18 x 9.
QImage crownPicture();
// The adaptive record icon, 15 x 10.
QImage adaptiveIcon();

// 273 x (24 N - 1), black: "code : title" underlined in silver at (16, 24 i - 13), and the
// adaptive icon at (0, 24 i - 13) for the tests that have a record (`hasAdaptive[i - 1]`).
QImage drawTestNames(const std::vector<StudyTest>& tests, const std::vector<bool>& hasAdaptive);
// The whole "code : title" of the test at height `y` of the names picture when the picture's
// width cuts it short; empty otherwise.
QString testNameHint(const std::vector<StudyTest>& tests, int y);

// 353 x (24 N + 8), black: per test a red bar of its average, the silver rest to 300, "(best%)"
// in red at (300, 24 i - 13) and the crown at (3 x target - 21, 24 i - 24). A test with a pass
// forecast has it written in black inside its bar, ending 4 pixels before x = 300.
QImage drawTestBars(const std::vector<StudyTest>& tests);

// 600 x 20 C, black: per category its name in silver, a yellow bar of its five-attempt average
// from x = 310, the silver rest to 510 and "(best%)" in yellow at (520, 20 c - 16).
QImage drawCategoryBars(const StudyTest& test);

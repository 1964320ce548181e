#pragma once
// Geometry of the result screen's trend chart (601 x 140): the nine previous attempts and the
// current one, as a time line and a rate line. The screen only draws what this computes.
#include "results/HistoryFile.h"
#include "results/Scoring.h"

#include <QString>
#include <array>

inline constexpr int kTrendWidth = 601;
inline constexpr int kTrendHeight = 140;
// Plot frame (30, 10)-(560, 110) with grid lines across it at these heights.
inline constexpr int kTrendLeft = 30, kTrendTop = 10, kTrendRight = 560, kTrendBottom = 110;
inline constexpr std::array<int, 4> kTrendGridYs{30, 50, 70, 90};
inline constexpr int kTrendPoints = 10;

struct ChartPoint {
    int x = 0;
    int y = 0;
};

struct ChartText {
    int x = 0;
    int y = 0;
    QString text;
};

struct TrendChart {
    // Index 0 is the oldest shown (history record 9), index 9 the current attempt.
    std::array<ChartPoint, kTrendPoints> timePoints{};
    std::array<ChartPoint, kTrendPoints> ratePoints{};
    std::array<ChartText, kTrendPoints> dates{}; // "month/day" under each point
    std::array<ChartText, kTrendPoints> times{}; // "hour:minute" below that
    ChartText scaleTop;                          // 2 x T followed by "分", at (538, 10)
};

// numerator / denominator rounded to the nearest integer, halves to the even one
// (denominator > 0).
int RoundHalfEven(long long numerator, long long denominator);

// x of point i = 1..10 (50 i + 15; the current attempt is i = 10, x = 515).
int TrendPointX(int i);
// x of the date and time texts under point i (50 i; the current attempt's at 500).
int TrendLabelX(int i);
// y of a rate in percent: 110 - rate.
int TrendRateY(int rate);
// y of an attempt of `minutes` on a scale whose top is 2 x `mockMinutes`:
// 110 - Round(minutes x 50 / mockMinutes). Without a time limit (T <= 0) every point lies on
// the bottom line instead of dividing by zero.
int TrendTimeY(int minutes, int mockMinutes);

// The chart of a loaded history and the current attempt. Empty records are plotted like the
// others, at 0 minutes and 0 %.
TrendChart BuildTrendChart(const History& history, const AttemptScore& current, int mockMinutes);

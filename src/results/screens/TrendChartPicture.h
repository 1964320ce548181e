#pragma once
// Draws the result screen's trend chart from its geometry (results/TrendChart.h).
#include "results/TrendChart.h"

#include <QPixmap>

// 601 x 140, black, with the silver frame and grid, the axis texts, the yellow time line and
// the red rate line.
QPixmap drawTrendChart(const TrendChart& chart);

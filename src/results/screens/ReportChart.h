#pragma once
// The printed report's two trend charts, drawn black on white on a 608 x 140 surface of one bit a
// pixel, and the X BitMap text of such a surface.
#include "results/TrendChart.h"

#include <QImage>
#include <string>

inline constexpr int kReportChartWidth = 608;
inline constexpr int kReportChartHeight = 140;

enum class ReportChartKind { Rate, Time };

// Frame, dotted grid, axis texts, the date and time texts and the line of `kind` with its
// circles (white inside), from the same geometry as the result screen's chart. One bit a pixel:
// the drawing is hard-edged black on white anyway, and a deeper surface costs the painter a
// hand-over to worker threads for every long line.
QImage drawReportChart(const TrendChart& chart, ReportChartKind kind);

// The XBM file text (CR LF line ends): width and height defines, then one line per pixel row of
// (width + 7) / 8 entries "0xHH," where bit j of entry k is pixel 8k + j, set when the pixel's
// blue component is 0 (black, and any colour without blue). Any image format.
std::string xbmText(const QImage& image);

// The PNG bytes of an image.
std::string pngBytes(const QImage& image);

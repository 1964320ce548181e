#pragma once
// The printed report: both charts as XBM and PNG, and Print.htm from the template PrintProto,
// all in the program's Print/ directory.
#include "bank/FileError.h"
#include "results/ReportPage.h"
#include "results/TrendChart.h"

#include <QImage>
#include <QString>
#include <optional>

// Writes SEISEKI and TIME (.xbm and .png) and Print.htm into `printDir` (with a trailing
// separator). A missing directory or template is reported before anything is written; the page
// is then ready to be opened.
std::optional<FileError> WriteReport(const QString& printDir, const ReportData& data, const TrendChart& chart);

// Writes the XBM text of `image` to `path` (through a temporary file).
std::optional<FileError> WriteXbm(const QImage& image, const QString& path);

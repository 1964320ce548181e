#pragma once
// The pass forecast of an installed test, read from its files, and its text as the diagnosis
// screen and the printed report show it.
#include "bank/FileError.h"
#include "results/PassForecast.h"

#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Reads the question file and forecasts the test's mock exam at `passMark` percent. Nothing,
// with `error` set when given, when the question file cannot be read.
std::optional<PassForecast> ForecastTest(const QString& questionFile, const History& history, int passMark,
                                         const QDate& today, FileError* error = nullptr);

// What a forecast of the test depends on: the question file as it stands on disk, the history,
// the pass mark and the day. Two equal keys give the same forecast.
QString ForecastKey(const QString& questionFile, const History& history, int passMark, const QDate& today);

// "合格予測 72% (58–84%)"; "合格予測 --" when there is no probability.
QString ForecastText(const PassForecast& forecast);
// "▲NAME (+8%)": the category where ten points more would raise the chance most; empty when
// none would raise it by a point (a learner sure to pass or to fail).
QString ForecastAdviceText(const PassForecast& forecast);
// The printed report's forecast: a heading, the line of the probability and its interval, and the
// category table with each category's mock-exam questions, answers, estimated rate and gain.
// CP932 lines; category names escaped.
std::vector<std::string> ForecastReportLines(const PassForecast& forecast);
// The summary page's line under a test's name: "<p><small>合格予測 72%（58～84%）…</small></p>"
// with the category of the largest gain; nothing without a probability. CP932, names escaped.
std::optional<std::string> ForecastSummaryLine(const PassForecast& forecast);
// A probability or a gain in whole percent: 0.724 -> 72.
int ForecastPercent(double value);

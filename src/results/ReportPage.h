#pragma once
// The lines of the printed report (Print/Print.htm) that follow the template's own: the attempt's
// figures, the bars of the average and of each category, and the two trend charts. CP932 bytes;
// every value from outside the program is escaped where it lands.
#include "results/BarTable.h"
#include "results/HistoryFile.h"
#include "results/PassForecast.h"
#include "results/Scoring.h"

#include <optional>
#include <string>
#include <vector>

// Chart pictures beside the page. The XBM files are written as the format has them; browsers of
// today do not show XBM, so the page shows the same charts as PNG.
inline constexpr auto kRateChartXbm = "SEISEKI.xbm";
inline constexpr auto kTimeChartXbm = "TIME.xbm";
inline constexpr auto kRateChartPng = "SEISEKI.png";
inline constexpr auto kTimeChartPng = "TIME.png";

struct ReportData {
    std::string userName; // CP932, as typed
    std::string code;     // header line 4
    std::string title;    // header line 5
    int mode = 1;         // 1 normal, 2 mock exam, 3 training
    AttemptScore score;
    // The history as it will be written for this attempt (AppendAttempt): its average, best and
    // five-attempt category averages are what the report shows.
    History after;
    std::vector<std::string> categoryNames; // 1..the bank's category count
    // The pass forecast on the history after this attempt; nothing leaves its section out.
    std::optional<PassForecast> forecast;
};

// The generated lines, in order, without line ends (a line may hold a CR LF of its own).
std::vector<std::string> ReportPageLines(const ReportData& data);

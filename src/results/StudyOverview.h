#pragma once
// The advisor's diagnosis without its widgets: where a press lands in the test list, the bar and
// crown geometry, the history text sent for a diagnosis, the summary page and the diagnosis form.
// Text is CP932 bytes; every value from outside the program is escaped where it lands in a page.
#include "bank/HtmlPage.h"
#include "results/HistoryFile.h"
#include "results/PassForecast.h"

#include <QString>
#include <optional>
#include <string>
#include <vector>

// One listed test as the diagnosis presents it.
struct StudyTest {
    std::string code;
    std::string title;
    int target = -1;                        // target rate in percent; below 0 when the header gives none
    History history;                        // as stored (an unreadable file reads as an empty history)
    std::vector<std::string> categoryNames; // read when a page or the category view needs them
    std::optional<PassForecast> forecast;   // made when the screen lists the test with a history
};

// Test list geometry: one row of 24 pixels per test, bars 3 pixels per percent up to 300.
inline constexpr int kStudyRowHeight = 24;
inline constexpr int kStudyBarFull = 300;
// Category view: one row of 20 pixels, bars 2 pixels per percent from x = 310 to 510.
inline constexpr int kStudyCategoryRow = 20;
inline constexpr int kStudyCategoryLeft = 310;
inline constexpr int kStudyCategoryFull = 200;

// The 1-based test under a press at `y` in the list: Round((y - 8) / 24) + 1, halves to even.
int StudyTestAt(int y);
// x of the crown for a target rate: 3 x target - 21.
int StudyCrownX(int target);
// Length of a red (test) bar: 3 per percent, the rate held to 0..100.
int StudyBarLength(int percent);
// Length of a yellow (category) bar: 2 per percent, held to 0..100.
int StudyCategoryBarLength(int percent);
// "(80%)".
std::string StudyBestText(int best);
// The target rate of header line 2 ("70" after the "/"); -1 when it is not a number in 0..100.
int StudyTargetRate(const std::string& headerText);

// The history of a test as the diagnosis form sends it: the ten records, best and average, and
// the five-attempt record of every category, CR LF after each line.
std::string StudyHistoryText(const History& history, const std::vector<std::string>& categoryNames);

// The summary page's lines after the template's: every test with its pass forecast (when it has
// one), average bar, best rate and one bar per category; "</body>" and "</html>" close it.
std::vector<std::string> SummaryPageLines(const std::string& userName, const std::vector<StudyTest>& tests);

// What the diagnosis form's placeholders are filled with.
struct DiagnosisProfile {
    std::string serial, name, email, organisation; // CP932
    std::string inquiryAddress;                    // first line of CGI_URL
};

// The placeholders of FormProto: "#SERIAL#", "#CGI_URL#", "#NAME#", "#MAIL#", "#ORGA#", "#TEST#"
// (one option per test) and "#FILE#" (one hidden field per test holding its history text).
htmlpage::Placeholders DiagnosisPlaceholders(const DiagnosisProfile& profile, const std::vector<StudyTest>& tests);

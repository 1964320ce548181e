#include "results/StudyOverview.h"

#include "bank/Cp932.h"
#include "bank/TextLines.h"
#include "results/BarTable.h"
#include "results/CourseForecast.h"
#include "results/ReportPage.h"
#include "results/TrendChart.h"

#include <algorithm>

namespace
{

std::string sjis(const char* utf8)
{
    return cp932::fromUtf8(utf8);
}

// Two digits below 10 ("07"), the number as it is otherwise.
std::string twoDigits(int value)
{
    return (value >= 0 && value < 10 ? "0" : "") + std::to_string(value);
}

std::string percentText(int value)
{
    return std::to_string(value) + "%";
}

} // namespace

int StudyTestAt(int y)
{
    return RoundHalfEven(y - 8, kStudyRowHeight) + 1;
}

int StudyCrownX(int target)
{
    return 3 * target - 21;
}

int StudyBarLength(int percent)
{
    return 3 * std::clamp(percent, 0, 100);
}

int StudyCategoryBarLength(int percent)
{
    return 2 * std::clamp(percent, 0, 100);
}

std::string StudyBestText(int best)
{
    return "(" + percentText(best) + ")";
}

int StudyTargetRate(const std::string& headerText)
{
    const auto value = textlines::parseNumber(headerText);
    return value && *value >= 0 && *value <= 100 ? *value : -1;
}

std::string StudyHistoryText(const History& h, const std::vector<std::string>& categoryNames)
{
    const std::string crlf = "\r\n";
    std::string text = sjis("■過去10回の履歴") + crlf;
    for (const AttemptRecord& a : h.attempts) {
        text += sjis("所要時間 :") + twoDigits(a.minutes) + sjis("分 ") + sjis("モード :") + std::to_string(a.mode) +
                " " + sjis("解いた問題数 :") + std::to_string(a.questionCount) + sjis("問 ") + sjis("テスト日時 :") +
                twoDigits(a.month) + sjis("月") + twoDigits(a.day) + sjis("日 ") + twoDigits(a.hour) + ":" +
                twoDigits(a.minute) + sjis(" 正答率 :") + percentText(a.rate) + crlf;
    }
    text += sjis("●最高正答率 :") + percentText(h.best) + sjis("●平均正答率 :") + percentText(h.average) + crlf +
            sjis("■カテゴリー毎の過去5回の履歴") + crlf;
    const size_t count = std::min(categoryNames.size(), h.categories.size());
    for (size_t c = 0; c < count; ++c) {
        const auto& record = h.categories[c];
        text += categoryNames[c] + ":";
        for (size_t k = 0; k < 5; ++k)
            text += percentText(record[k]) + ", ";
        text += sjis(" 最高:") + percentText(record[6]) + sjis(" 平均:") + percentText(record[5]) + crlf;
    }
    return text;
}

std::vector<std::string> SummaryPageLines(const std::string& userName, const std::vector<StudyTest>& tests)
{
    std::vector<std::string> lines{"<hr>", sjis("<h4>これまでの達成度"),
                                   sjis("<small>(氏名：</small>") + htmlpage::escapeText(userName) + ")</h4>", "<hr>"};
    for (const StudyTest& test : tests) {
        lines.push_back("<h4>" + htmlpage::escapeText(test.code + " : " + test.title) + "</h4>");
        if (test.forecast)
            if (std::optional<std::string> forecast = ForecastSummaryLine(*test.forecast))
                lines.push_back(*forecast);
        BarTableShape shape;
        shape.rowAttributes = " valign=\"top\"";
        shape.bestCell =
            sjis("<td><small>最高得点率は") + std::to_string(test.history.best) + sjis("%です</small><BR>　</td></tr>");
        shape.categoryCellAttributes = " width=\"200\"";
        shape.boldCategoryNames = true;
        const std::vector<std::string> table = BarTableLines(test.history, test.categoryNames, shape);
        lines.insert(lines.end(), table.begin(), table.end());
        lines.push_back("<hr>");
    }
    lines.push_back("</body>");
    lines.push_back("</html>");
    return lines;
}

htmlpage::Placeholders DiagnosisPlaceholders(const DiagnosisProfile& profile, const std::vector<StudyTest>& tests)
{
    using Lines = std::vector<std::string>;
    return [profile, tests](std::string_view name) -> std::optional<Lines> {
        if (name == "#SERIAL#")
            return Lines{htmlpage::escapeAttribute(profile.serial)};
        if (name == "#CGI_URL#")
            return Lines{"<form ACTION=\"" + htmlpage::escapeAttribute(profile.inquiryAddress) + "\" METHOD=\"post\">"};
        if (name == "#NAME#")
            return Lines{htmlpage::escapeAttribute(profile.name)};
        if (name == "#MAIL#")
            return Lines{htmlpage::escapeAttribute(profile.email)};
        if (name == "#ORGA#")
            return Lines{htmlpage::escapeAttribute(profile.organisation)};
        if (name == "#TEST#") {
            Lines lines;
            for (const StudyTest& test : tests) {
                lines.push_back("</OPTION><OPTION>");
                lines.push_back(htmlpage::escapeText(test.code + " : " + test.title));
            }
            return lines;
        }
        if (name == "#FILE#") {
            Lines lines;
            for (const StudyTest& test : tests) {
                lines.push_back("<input TYPE=\"HIDDEN\" NAME=\"" +
                                htmlpage::escapeAttribute(textlines::trim(test.code)) + "\" value=\"" +
                                htmlpage::escapeAttribute(StudyHistoryText(test.history, test.categoryNames)));
                lines.push_back("\">");
            }
            return lines;
        }
        return std::nullopt;
    };
}

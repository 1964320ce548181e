#include "results/ReportPage.h"

#include "bank/Cp932.h"
#include "bank/HtmlPage.h"
#include "results/CourseForecast.h"
#include "results/ResultView.h"

namespace
{

std::string sjis(const char* utf8)
{
    return cp932::fromUtf8(utf8);
}

std::string text(const std::string& cp932Text)
{
    return htmlpage::escapeText(cp932Text);
}

} // namespace

std::vector<std::string> ReportPageLines(const ReportData& d)
{
    const AttemptScore& s = d.score;
    std::vector<std::string> lines;
    lines.reserve(40 + 2 * d.categoryNames.size());
    lines.push_back("<hr>");
    lines.push_back(sjis("<h4>今回の成績</h4>"));
    lines.push_back(sjis("<h4><small>■氏名：</small>") + text(d.userName) + "</h4>");
    lines.push_back(sjis("<h4><small>■科目：</small>") + text(d.code) + "\r\n" + text(d.title) + "</h4>");
    switch (d.mode) {
    case 1:
        lines.push_back(sjis("<h4><small>■モード：</small>通常（ランダム）</h4>"));
        break;
    case 2:
        lines.push_back(sjis("<h4><small>■モード：</small>模擬試験</h4>"));
        break;
    case 3:
        lines.push_back(sjis("<h4><small>■モード：</small>特訓</h4>"));
        break;
    case 4:
        lines.push_back(sjis("<h4><small>■モード：</small>復習</h4>"));
        break;
    default:
        break;
    }
    lines.push_back(sjis("<h4><small>■正答率：</small>") + std::to_string(s.rate) + sjis("％</h4>"));
    lines.push_back(sjis("<h4><small>■問題数：</small>") + std::to_string(s.questionCount) + sjis("問</h4>"));
    lines.push_back(sjis("<h4><small>■実施日時：</small>") + AttemptDateText(s.stamp).toStdString() + "</h4>");
    lines.push_back(sjis("<h4><small>■所要時間：</small>") +
                    AttemptTimeText(s.elapsedMinutes, s.elapsedSeconds).toStdString() + "</h4>");
    lines.push_back("<hr>");
    lines.push_back(sjis("<h4>これまでの達成度</h4>"));
    BarTableShape shape;
    shape.bestCell = sjis("<td><small>*これまでの最高正答率は") + std::to_string(d.after.best) +
                     sjis("％です。</small><BR>　</td></tr>");
    shape.categoryHeading = true;
    const std::vector<std::string> table = BarTableLines(d.after, d.categoryNames, shape);
    lines.insert(lines.end(), table.begin(), table.end());
    lines.push_back("<hr>");
    if (d.forecast) {
        const std::vector<std::string> forecast = ForecastReportLines(*d.forecast);
        lines.insert(lines.end(), forecast.begin(), forecast.end());
        lines.push_back("<hr>");
    }
    lines.push_back(sjis("<h5>■正答率の推移</h5>"));
    lines.push_back(std::string("<img src=\"") + kRateChartPng + "\">");
    lines.push_back("<hr>");
    lines.push_back(sjis("<h5>■所要時間の推移</h5>"));
    lines.push_back(std::string("<img src=\"") + kTimeChartPng + "\">");
    lines.push_back("<hr>");
    lines.push_back("</body>");
    lines.push_back("</html>");
    return lines;
}

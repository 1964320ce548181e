#include "results/ReportPage.h"

#include "bank/Cp932.h"
#include "bank/HtmlPage.h"
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

std::optional<std::string> ReportBarLine(int percent, int height)
{
    if (percent < 0 || percent > 100)
        return std::nullopt;
    const std::string tail = " height=" + std::to_string(height) + ">";
    auto picture = [&](const char* name, int width) {
        return std::string("<img src=\"") + name + "\" width=" + std::to_string(width) + tail;
    };
    std::string line = "<td>";
    if (percent > 0)
        line += picture("red.gif", 4 * percent);
    if (percent < 100)
        line += picture("black.gif", 4 * (100 - percent));
    return line + "</td></tr>";
}

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
    case 1: lines.push_back(sjis("<h4><small>■モード：</small>通常（ランダム）</h4>")); break;
    case 2: lines.push_back(sjis("<h4><small>■モード：</small>模擬試験</h4>")); break;
    case 3: lines.push_back(sjis("<h4><small>■モード：</small>特訓</h4>")); break;
    default: break;
    }
    lines.push_back(sjis("<h4><small>■正答率：</small>") + std::to_string(s.rate) + sjis("％</h4>"));
    lines.push_back(sjis("<h4><small>■問題数：</small>") + std::to_string(s.questionCount) + sjis("問</h4>"));
    lines.push_back(sjis("<h4><small>■実施日時：</small>") + AttemptDateText(s.stamp).toStdString() + "</h4>");
    lines.push_back(sjis("<h4><small>■所要時間：</small>") +
                    AttemptTimeText(s.elapsedMinutes, s.elapsedSeconds).toStdString() + "</h4>");
    lines.push_back("<hr>");
    lines.push_back(sjis("<h4>これまでの達成度</h4>"));
    lines.push_back("<table>");
    lines.push_back(sjis("<tr><td><b><small>■総合成績</small></b></td>"));
    lines.push_back("<td><img src=\"print_scale.gif\"><BR></td></tr>");
    lines.push_back("<tr><td></td>");
    // A stored average outside 0..100 (a damaged file) still gets its row, as an empty bar.
    lines.push_back(ReportBarLine(d.after.average, 30).value_or("<td></td></tr>"));
    lines.push_back("<tr><td></td>");
    lines.push_back(sjis("<td><small>*これまでの最高正答率は") + std::to_string(d.after.best) +
                    sjis("％です。</small><BR>　</td></tr>"));
    lines.push_back(sjis("<tr><td><b><small>■カテゴリ別成績</small></b></td>"));
    lines.push_back("<td><img src=\"print_scale.gif\"><BR></td></tr>");
    const size_t categories = std::min(d.categoryNames.size(), d.after.categories.size());
    for (size_t c = 0; c < categories; ++c) {
        // Byte 5 as the history writer leaves it: unchanged for a category not asked this time.
        const auto bar = ReportBarLine(d.after.categories[c][5], 15);
        if (!bar)
            continue;
        lines.push_back("<tr><td><small>" + text(d.categoryNames[c]) + "</small></td>");
        lines.push_back(*bar);
    }
    lines.push_back("</table>");
    lines.push_back("<hr>");
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

#include "results/CourseForecast.h"

#include "bank/Cp932.h"
#include "bank/FileLookup.h"
#include "bank/HtmlPage.h"
#include "bank/QuestionFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHashFunctions>
#include <algorithm>
#include <cmath>

namespace
{

// The category of the largest gain, when that gain shows as a point or more: "+0%" names nothing.
const CategoryForecast* namedGain(const PassForecast& forecast)
{
    const CategoryForecast* best = forecast.largestGain();
    return best && ForecastPercent(*best->gain) >= 1 ? best : nullptr;
}

} // namespace

std::optional<PassForecast> ForecastTest(const QString& questionFile, const History& history, int passMark,
                                         const QDate& today, FileError* error)
{
    // A bank is large: on the heap, and read only once per forecast.
    const auto bank = std::make_unique<QuestionBank>();
    if (const std::optional<FileError> failed = LoadQuestionBank(filelookup::resolve(questionFile), *bank)) {
        if (error)
            *error = *failed;
        return std::nullopt;
    }
    return ForecastPass(MockExamBlueprint(*bank, passMark), history, today);
}

QString ForecastKey(const QString& questionFile, const History& history, int passMark, const QDate& today)
{
    const QFileInfo file(filelookup::resolve(questionFile));
    const std::string bytes = HistoryBytes(history, {});
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(file.absoluteFilePath())
        .arg(file.size())
        .arg(file.lastModified().toMSecsSinceEpoch())
        .arg(QString::number(qHash(QByteArrayView(bytes.data(), qsizetype(bytes.size()))), 16))
        .arg(passMark)
        .arg(today.toString(Qt::ISODate));
}

int ForecastPercent(double value)
{
    return int(std::lround(std::clamp(value, 0.0, 1.0) * 100));
}

QString ForecastAdviceText(const PassForecast& forecast)
{
    const CategoryForecast* best = namedGain(forecast);
    if (!best)
        return {};
    return QStringLiteral("▲%1 (+%2%)").arg(cp932::toUnicode(best->name)).arg(ForecastPercent(*best->gain));
}

namespace
{

std::string sjis(const QString& text)
{
    return cp932::fromUnicode(text);
}

std::string percentCell(std::optional<double> value, const char* sign = "")
{
    return value ? sign + std::to_string(ForecastPercent(*value)) + "%" : "--";
}

// "5" or "5.3": the average count of a category in one mock exam.
std::string countCell(double count)
{
    const long tenths = std::lround(count * 10);
    return std::to_string(tenths / 10) + (tenths % 10 != 0 ? "." + std::to_string(tenths % 10) : "");
}

} // namespace

std::vector<std::string> ForecastReportLines(const PassForecast& f)
{
    std::vector<std::string> lines{sjis(QStringLiteral("<h4>合格予測</h4>"))};
    QString line;
    if (f.probability)
        line = QStringLiteral("<h4><small>■今日、模擬試験を受けて合格する見込み：</small>%1%<small>（80%の区間 "
                              "%2～%3%）</small></h4>")
                   .arg(ForecastPercent(*f.probability))
                   .arg(ForecastPercent(f.low))
                   .arg(ForecastPercent(f.high));
    else if (f.passMark < 0)
        line = QStringLiteral("<h4><small>■合格予測：</small>合格点が定められていないため、予測できません</h4>");
    else
        line = QStringLiteral("<h4><small>■合格予測：</small>記録が足りないため、予測できません</h4>");
    lines.push_back(sjis(line));
    if (f.passMark >= 0)
        lines.push_back(
            sjis(QStringLiteral("<p><small>合格点 %1%、模擬試験 %2 問。カテゴリーの正答率が 10 "
                                "ポイント上がったときに合格の見込みが上がる幅を「伸びしろ」に示します。</small></p>")
                     .arg(f.passMark)
                     .arg(f.questionCount)));
    lines.push_back(R"(<table border="1" cellspacing="0" cellpadding="3">)");
    lines.push_back(sjis(QStringLiteral("<tr><th>カテゴリー</th><th>出題数</th><th>解答数</th><th>正解数</"
                                        "th><th>推定正答率</th><th>伸びしろ</th></tr>")));
    for (const CategoryForecast& c : f.categories) {
        lines.push_back("<tr><td>" + htmlpage::escapeText(c.name) + "</td><td align=\"right\">" +
                        countCell(c.questions) + "</td><td align=\"right\">" + std::to_string(c.answered) +
                        "</td><td align=\"right\">" + std::to_string(c.correct) + "</td><td align=\"right\">" +
                        percentCell(c.rate) + "</td><td align=\"right\">" + percentCell(c.gain, "+") + "</td></tr>");
    }
    lines.push_back("</table>");
    if (const CategoryForecast* best = namedGain(f))
        lines.push_back(sjis(QStringLiteral("<p><small>最も伸びしろの大きいカテゴリー：</small>")) +
                        htmlpage::escapeText(best->name) + "</p>");
    return lines;
}

std::optional<std::string> ForecastSummaryLine(const PassForecast& f)
{
    if (!f.probability)
        return std::nullopt;
    std::string line = sjis(QStringLiteral("<p><small>合格予測 %1%（%2～%3%）")
                                .arg(ForecastPercent(*f.probability))
                                .arg(ForecastPercent(f.low))
                                .arg(ForecastPercent(f.high)));
    if (const CategoryForecast* best = namedGain(f))
        line += sjis(QStringLiteral("　最も伸びしろの大きいカテゴリー：")) + htmlpage::escapeText(best->name) +
                sjis(QStringLiteral("（+%1%）").arg(ForecastPercent(*best->gain)));
    return line + "</small></p>";
}

QString ForecastText(const PassForecast& forecast)
{
    if (!forecast.probability)
        return QStringLiteral("合格予測 --");
    return QStringLiteral("合格予測 %1% (%2–%3%)")
        .arg(ForecastPercent(*forecast.probability))
        .arg(ForecastPercent(forecast.low))
        .arg(ForecastPercent(forecast.high));
}

#include "results/TrendChart.h"

namespace
{

ChartText label(int i, int y, int first, int second, QChar separator)
{
    return {TrendLabelX(i), y, QString::number(first) + separator + QString::number(second)};
}

} // namespace

int RoundHalfEven(long long numerator, long long denominator)
{
    long long quotient = numerator / denominator;
    long long remainder = numerator % denominator;
    if (remainder < 0) { // floor division
        remainder += denominator;
        --quotient;
    }
    const long long twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        ++quotient;
    return int(quotient);
}

int TrendPointX(int i)
{
    return 50 * i + 15;
}

int TrendLabelX(int i)
{
    return 50 * i;
}

int TrendRateY(int rate)
{
    return kTrendBottom - rate;
}

int TrendTimeY(int minutes, int mockMinutes)
{
    if (mockMinutes <= 0)
        return kTrendBottom;
    return kTrendBottom - RoundHalfEven(static_cast<long long>(minutes) * 50, mockMinutes);
}

TrendChart BuildTrendChart(const History& history, const AttemptScore& current, int mockMinutes)
{
    TrendChart chart;
    for (int i = 1; i <= kTrendPoints - 1; ++i) {
        const AttemptRecord& a = history.attempts[size_t(kTrendPoints - 1 - i)]; // records 9 down to 1
        const size_t at = size_t(i - 1);
        chart.timePoints[at] = {TrendPointX(i), TrendTimeY(a.minutes, mockMinutes)};
        chart.ratePoints[at] = {TrendPointX(i), TrendRateY(a.rate)};
        chart.dates[at] = label(i, 112, a.month, a.day, QLatin1Char('/'));
        chart.times[at] = label(i, 126, a.hour, a.minute, QLatin1Char(':'));
    }
    const size_t last = kTrendPoints - 1;
    chart.timePoints[last] = {TrendPointX(kTrendPoints), TrendTimeY(current.elapsedMinutes, mockMinutes)};
    chart.ratePoints[last] = {TrendPointX(kTrendPoints), TrendRateY(current.rate)};
    chart.dates[last] = label(kTrendPoints, 112, current.stamp.month, current.stamp.day, QLatin1Char('/'));
    chart.times[last] = label(kTrendPoints, 126, current.stamp.hour, current.stamp.minute, QLatin1Char(':'));
    chart.scaleTop = {538, 10, QString::number(2 * mockMinutes) + QStringLiteral("分")};
    return chart;
}

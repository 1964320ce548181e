#include "shell/SessionProposal.h"

#include <limits>

long long roundHalfEven(long long numerator, long long denominator)
{
    // Integer arithmetic, so 67.5 is exactly a half and never 67.4999...
    long long quotient = numerator / denominator;
    long long remainder = numerator % denominator;
    if (remainder < 0) { // floor division for negative numerators
        quotient -= 1;
        remainder += denominator;
    }
    const long long twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        quotient += 1;
    return quotient;
}

namespace
{
int clampToInt(long long value)
{
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(value);
}
} // namespace

Proposal showProposal(int available, int mockCount, int mockMinutes)
{
    // available < mockCount also means mockCount > 0, so the division is safe.
    if (available < mockCount)
        return {available, clampToInt(roundHalfEven(static_cast<long long>(mockMinutes) * available, mockCount))};
    return {mockCount, mockMinutes};
}

Proposal mockExamProposal(int available, int mockCount, int mockMinutes)
{
    if (mockCount < available)
        return {mockCount, mockMinutes};
    return {available, clampToInt(roundHalfEven(static_cast<long long>(available) * 3, 2))};
}

std::optional<int> parseFieldInteger(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    // A sign and ASCII digits only, whatever toInt() would tolerate besides.
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        const bool sign = i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'));
        if (!sign && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return std::nullopt;
    }
    bool ok = false;
    const int value = trimmed.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

StartCheck checkStart(const QString& countText, const QString& minutesText, int available)
{
    StartCheck check;
    const std::optional<int> minutes = parseFieldInteger(minutesText);
    const std::optional<int> count = parseFieldInteger(countText);
    if (!minutes || !count) {
        check.problem = startmessages::notInteger;
        check.focusCount = true;
        return check;
    }
    check.count = *count;
    check.minutes = *minutes;
    // More minutes than fit in the seconds counter would wrap around to a negative limit.
    if (*minutes < 0 || *minutes > std::numeric_limits<int>::max() / 60) {
        check.problem = startmessages::badTimeLimit;
        return check;
    }
    if (*count > 0) {
        if (*count > available) {
            check.problem = startmessages::tooMany;
            check.focusCount = true;
        }
        return check;
    }
    if (available > 0) {
        check.problem = startmessages::tooFew;
        check.focusCount = true;
    } else {
        check.problem = startmessages::noQuestions;
    }
    return check;
}

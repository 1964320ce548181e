#include "session/ExamClock.h"

#include <cmath>
#include <numbers>

namespace examclock
{

TickPlan planTick(int limitSeconds, int elapsedSeconds, bool limitOn, bool caseStudyClosed)
{
    const long long remaining = static_cast<long long>(limitSeconds) - elapsedSeconds;
    TickPlan plan;
    if (remaining == 600)
        plan.sound = QStringLiteral("wav/10min.wav");
    else if (remaining == 300)
        plan.sound = QStringLiteral("wav/05min.wav");
    else if (remaining == 60)
        plan.sound = QStringLiteral("wav/01min.wav");

    if (remaining >= 59) {
        plan.redrawFace = plan.paceCheck = true;
        plan.hand = TickPlan::Hand::Black;
    } else if (remaining >= 1) {
        plan.redrawFace = plan.paceCheck = true;
        plan.hand = TickPlan::Hand::Red; // the last 58 seconds
    } else if (limitOn) {
        // The face keeps the last hand of the time that was left.
        plan.timeUp = true;
        plan.endSession = caseStudyClosed;
    } else {
        // No limit: no pace to keep, but the face is cleared each second all the same, or the
        // hands of every second would pile up into a disc.
        plan.redrawFace = true;
        plan.hand = TickPlan::Hand::Black;
    }
    return plan;
}

Tick runTick(int limitSeconds, int elapsedSeconds, bool limitOn, bool caseStudyClosed, TimeUp timeUp)
{
    Tick tick;
    tick.shownSeconds = tick.nextElapsed = elapsedSeconds;
    tick.timeUp = timeUp;
    if (timeUp == TimeUp::Over)
        return tick;
    if (timeUp == TimeUp::Waiting) {
        if (caseStudyClosed) {
            tick.plan.endSession = true;
            tick.timeUp = TimeUp::Over;
        }
        return tick;
    }
    tick.plan = planTick(limitSeconds, elapsedSeconds, limitOn, caseStudyClosed);
    tick.counts = true;
    if (tick.plan.timeUp) {
        tick.shownSeconds = tick.nextElapsed = limitSeconds;
        tick.timeUp = tick.plan.endSession ? TimeUp::Over : TimeUp::Waiting;
        return tick;
    }
    tick.drawHand = elapsedSeconds != limitSeconds;
    tick.nextElapsed = elapsedSeconds + 1;
    return tick;
}

int faceTop(int picture)
{
    if (picture < 1 || picture > 7)
        picture = 1;
    return (picture - 1) * kFaceHeight;
}

QPoint handEnd(int elapsedSeconds)
{
    // Reduce first: the angle only depends on the second within the minute, and large counts
    // would lose precision in the floating-point angle.
    const int second = ((elapsedSeconds % 60) + 60) % 60;
    const double angle = std::numbers::pi - second * std::numbers::pi / 30.0;
    const auto x = std::lround(std::sin(angle) * kHandLength + kHandCentre.x());
    const auto y = std::lround(std::cos(angle) * kHandLength + kHandCentre.y());
    return QPoint(int(x), int(y));
}

namespace
{
QString minutesAndSeconds(long long seconds)
{
    // C++ division truncates toward zero, as the label wants: -65 -> -1' -5.
    return QStringLiteral("%1' %2").arg(seconds / 60).arg(seconds % 60);
}
} // namespace

QString remainingText(int limitSeconds, int elapsedSeconds)
{
    return QStringLiteral("残り時間 : ") + minutesAndSeconds(static_cast<long long>(limitSeconds) - elapsedSeconds);
}

QString limitText(int limitSeconds)
{
    return QStringLiteral("制限時間 : ") + minutesAndSeconds(limitSeconds);
}

long long paceTarget(int limitSeconds, int count, int current)
{
    if (count <= 0)
        return 0;
    // Exact rational, then truncated: limit / count x current.
    return static_cast<long long>(limitSeconds) * current / count;
}

bool behindPace(int limitSeconds, int count, int current, int elapsedSeconds)
{
    if (count <= 0)
        return false;
    return elapsedSeconds > paceTarget(limitSeconds, count, current) + 1;
}

} // namespace examclock

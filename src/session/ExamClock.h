#pragma once
// The rules of the exam clock: what one tick of the one-second timer does, the texts of the time
// labels, where the seconds hand points and when the pace hint blinks. Times are in seconds.
#include <QPoint>
#include <QString>

namespace examclock {

// Height of one clock face frame in the strip of faces; frame t (1-based) starts at (t - 1) x this.
inline constexpr int kFaceHeight = 120;
inline constexpr int kFaceWidth = 118;
// The seconds hand turns about this point of the face, with this length.
inline constexpr QPoint kHandCentre{59, 53};
inline constexpr int kHandLength = 42;

// What one tick has to do, decided from the remaining time at the start of the tick.
struct TickPlan {
    enum class Hand { Unchanged, Black, Red };
    QString sound;          // wave file to play ("wav/10min.wav"), empty for none
    bool redrawFace = false; // also: run the pace check
    Hand hand = Hand::Unchanged;
    bool timeUp = false;    // stop the clock, set elapsed to the limit, report time-up
};

// remaining = limit - elapsed. A time-up needs a limit that is switched on and no case study
// window still open from the session start; otherwise the clock simply runs on past zero.
TickPlan planTick(int limitSeconds, int elapsedSeconds, bool limitOn, bool caseStudyClosed);

// Top of theme `picture`'s frame in the strip of clock faces; out-of-range themes use frame 1.
int faceTop(int picture);

// End point of the seconds hand after `elapsedSeconds`: straight up at 0, clockwise, one turn a
// minute, coordinates rounded to the nearest pixel.
QPoint handEnd(int elapsedSeconds);

// "残り時間 : M' S" with minutes and seconds truncated toward zero (negative past the limit).
QString remainingText(int limitSeconds, int elapsedSeconds);
// "制限時間 : M' S".
QString limitText(int limitSeconds);

// The elapsed time by which question `current` of `count` should be reached at an even pace
// (limit / count x current, truncated); 0 when there are no questions.
long long paceTarget(int limitSeconds, int count, int current);
// True when the user is behind the pace: the hint blinks on this tick.
bool behindPace(int limitSeconds, int count, int current, int elapsedSeconds);

} // namespace examclock

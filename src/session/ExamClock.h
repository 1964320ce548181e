#pragma once
// The rules of the exam clock: what one tick of the one-second timer does, the texts of the time
// labels, where the seconds hand points and when the pace hint blinks. Times are in seconds.
#include <QPoint>
#include <QString>

namespace examclock
{

// Height of one clock face frame in the strip of faces; frame t (1-based) starts at (t - 1) x this.
inline constexpr int kFaceHeight = 120;
inline constexpr int kFaceWidth = 118;
// The seconds hand turns about this point of the face, with this length.
inline constexpr QPoint kHandCentre{59, 53};
inline constexpr int kHandLength = 42;

// What one tick has to do, decided from the remaining time at the start of the tick.
struct TickPlan {
    enum class Hand { Unchanged, Black, Red };
    QString sound;           // wave file to play ("wav/10min.wav"), empty for none
    bool redrawFace = false; // a fresh face, so that only this tick's hand shows
    bool paceCheck = false;  // blink the pace hint when behind
    Hand hand = Hand::Unchanged;
    bool timeUp = false;     // the limit is reached: the clock stands at the limit, time-up is reported
    bool endSession = false; // go on to the review (score action)
};

// remaining = limit - elapsed. Time is up at zero when a limit is switched on; the session ends
// then too, unless the case study window from the session start is still open. Without a limit
// the clock runs on past zero with a black hand.
TickPlan planTick(int limitSeconds, int elapsedSeconds, bool limitOn, bool caseStudyClosed);

// Where a session's clock stands with its time-up: not reached; reached and reported, the end
// waiting for the first case study window to close; or over (the session ended by time-up).
enum class TimeUp { NotYet, Waiting, Over };

// One tick of the timer, as the exam screen runs it.
struct Tick {
    TickPlan plan;
    bool counts = false; // the tick moves the clock: hand and remaining time are shown anew
    bool drawHand = false;
    int shownSeconds = 0; // the elapsed time this tick shows
    int nextElapsed = 0;  // the elapsed time of the next tick
    TimeUp timeUp = TimeUp::NotYet;
};
// Once time is up the clock stands still at the limit for the rest of the session: later ticks
// count nothing, and a waiting end happens at the first tick after the case study was closed.
Tick runTick(int limitSeconds, int elapsedSeconds, bool limitOn, bool caseStudyClosed, TimeUp timeUp);

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

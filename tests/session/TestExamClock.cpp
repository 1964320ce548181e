#include "session/ExamClock.h"
#include "support/TestSupport.h"

using examclock::TickPlan;

class TestExamClock : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void tickPlan_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<bool>("limitOn");
        QTest::addColumn<bool>("caseStudyClosed");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<bool>("redraw");
        QTest::addColumn<bool>("pace");
        QTest::addColumn<int>("hand");
        QTest::addColumn<bool>("timeUp");
        QTest::addColumn<bool>("end");
        const int black = int(TickPlan::Hand::Black);
        const int red = int(TickPlan::Hand::Red);
        const int unchanged = int(TickPlan::Hand::Unchanged);
        const QString none;
        QTest::newRow("start") << 1800 << 0 << true << true << none << true << true << black << false << false;
        QTest::newRow("10 minutes left") << 1800 << 1200 << true << true << "wav/10min.wav" << true << true << black
                                         << false << false;
        QTest::newRow("5 minutes left") << 1800 << 1500 << true << true << "wav/05min.wav" << true << true << black
                                        << false << false;
        QTest::newRow("1 minute left") << 1800 << 1740 << true << true << "wav/01min.wav" << true << true << black
                                       << false << false;
        QTest::newRow("59 left: still black")
            << 1800 << 1741 << true << true << none << true << true << black << false << false;
        QTest::newRow("58 left: red") << 1800 << 1742 << true << true << none << true << true << red << false << false;
        QTest::newRow("1 left: red") << 1800 << 1799 << true << true << none << true << true << red << false << false;
        QTest::newRow("0 left: time-up") << 1800 << 1800 << true << true << none << false << false << unchanged << true
                                         << true;
        QTest::newRow("past the limit") << 1800 << 1850 << true << true << none << false << false << unchanged << true
                                        << true;
        // Time is up all the same; only the end waits for the window.
        QTest::newRow("case study still open")
            << 1800 << 1800 << true << false << none << false << false << unchanged << true << false;
        // No limit: a fresh face every second, no pace to keep.
        QTest::newRow("no limit") << 0 << 0 << false << true << none << true << false << black << false << false;
        QTest::newRow("no limit, later") << 0 << 65 << false << true << none << true << false << black << false
                                         << false;
        QTest::newRow("601 left: no sound")
            << 1800 << 1199 << true << true << none << true << true << black << false << false;
    }
    void tickPlan()
    {
        QFETCH(int, limit);
        QFETCH(int, elapsed);
        QFETCH(bool, limitOn);
        QFETCH(bool, caseStudyClosed);
        const TickPlan plan = examclock::planTick(limit, elapsed, limitOn, caseStudyClosed);
        QTEST(plan.sound, "sound");
        QTEST(plan.redrawFace, "redraw");
        QTEST(plan.paceCheck, "pace");
        QTEST(int(plan.hand), "hand");
        QTEST(plan.timeUp, "timeUp");
        QTEST(plan.endSession, "end");
    }

    // A run of ticks: from time-up on the clock stands at the limit, and the end of the session
    // comes once, at once or at the first tick after the case study was closed.
    void runOfTicks_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("limitOn");
        QTest::addColumn<int>("closedFromTick"); // the case study window is open before this tick
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("elapsed");  // after the ticks
        QTest::addColumn<int>("timeUpAt"); // tick (1-based) that reported time-up, 0 for none
        QTest::addColumn<int>("endAt");    // tick that ended the session, 0 for none
        QTest::newRow("limit reached") << 60 << true << 1 << 100 << 60 << 61 << 61;
        QTest::newRow("case study open past the limit") << 60 << true << 80 << 100 << 60 << 61 << 80;
        QTest::newRow("case study never closed") << 60 << true << 1000 << 100 << 60 << 61 << 0;
        QTest::newRow("no limit runs on") << 0 << false << 1 << 100 << 100 << 0 << 0;
    }
    void runOfTicks()
    {
        QFETCH(int, limit);
        QFETCH(bool, limitOn);
        QFETCH(int, closedFromTick);
        QFETCH(int, ticks);
        int elapsed = 0;
        examclock::TimeUp state = examclock::TimeUp::NotYet;
        int timeUpAt = 0;
        int endAt = 0;
        int ends = 0;
        for (int t = 1; t <= ticks; ++t) {
            const examclock::Tick tick = examclock::runTick(limit, elapsed, limitOn, t >= closedFromTick, state);
            QVERIFY(tick.shownSeconds == elapsed || tick.plan.timeUp);
            if (tick.plan.timeUp) {
                QCOMPARE(timeUpAt, 0);
                QCOMPARE(tick.shownSeconds, limit);
                timeUpAt = t;
            }
            if (tick.plan.endSession) {
                endAt = t;
                ++ends;
            }
            QCOMPARE(tick.counts, timeUpAt == 0 || timeUpAt == t);
            elapsed = tick.nextElapsed;
            state = tick.timeUp;
        }
        QTEST(elapsed, "elapsed");
        QTEST(timeUpAt, "timeUpAt");
        QTEST(endAt, "endAt");
        QVERIFY(ends <= 1);
    }

    void handEnd_data()
    {
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<QPoint>("end");
        QTest::newRow("up") << 0 << QPoint(59, 11);
        QTest::newRow("right") << 15 << QPoint(101, 53);
        QTest::newRow("down") << 30 << QPoint(59, 95);
        QTest::newRow("left") << 45 << QPoint(17, 53);
        QTest::newRow("5 seconds") << 5 << QPoint(80, 17); // sin 30 deg = 0.5 -> 59 + 21; 53 - 36.37
        QTest::newRow("next minute") << 60 << QPoint(59, 11);
        QTest::newRow("hours later") << 3600 * 5 + 15 << QPoint(101, 53);
    }
    void handEnd()
    {
        QFETCH(int, elapsed);
        QTEST(examclock::handEnd(elapsed), "end");
    }

    void labels_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<QString>("remaining");
        QTest::newRow("full") << 1800 << 0 << QStringLiteral("残り時間 : 30' 0");
        QTest::newRow("mixed") << 1800 << 1 << QStringLiteral("残り時間 : 29' 59");
        QTest::newRow("zero") << 1800 << 1800 << QStringLiteral("残り時間 : 0' 0");
        QTest::newRow("no limit after 65 s") << 0 << 65 << QStringLiteral("残り時間 : -1' -5");
        QTest::newRow("no limit after 5 s") << 0 << 5 << QStringLiteral("残り時間 : 0' -5");
    }
    void labels()
    {
        QFETCH(int, limit);
        QFETCH(int, elapsed);
        QTEST(examclock::remainingText(limit, elapsed), "remaining");
    }

    void limitLabel()
    {
        QCOMPARE(examclock::limitText(0), QStringLiteral("制限時間 : 0' 0"));
        QCOMPARE(examclock::limitText(1800), QStringLiteral("制限時間 : 30' 0"));
        QCOMPARE(examclock::limitText(95), QStringLiteral("制限時間 : 1' 35"));
    }

    void pace_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<bool>("behind");
        QTest::newRow("on target") << 3600 << 60 << 10 << 600 << false;
        QTest::newRow("one over is still fine") << 3600 << 60 << 10 << 601 << false;
        QTest::newRow("two over: behind") << 3600 << 60 << 10 << 602 << true;
        // 100 / 3 x 2 = 66.67 -> 66: behind from 68 on.
        QTest::newRow("fraction truncated, 67") << 100 << 3 << 2 << 67 << false;
        QTest::newRow("fraction truncated, 68") << 100 << 3 << 2 << 68 << true;
        QTest::newRow("no questions") << 100 << 0 << 1 << 500 << false;
        QTest::newRow("huge limit does not overflow") << 2000000000 << 500 << 500 << 5 << false;
    }
    void pace()
    {
        QFETCH(int, limit);
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(int, elapsed);
        QTEST(examclock::behindPace(limit, count, current, elapsed), "behind");
    }
};

QUARVEL_TEST_MAIN(TestExamClock)
#include "TestExamClock.moc"

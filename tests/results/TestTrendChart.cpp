#include "results/TrendChart.h"
#include "support/TestSupport.h"

class TestTrendChart : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void roundsHalfToEven_data()
    {
        QTest::addColumn<int>("numerator");
        QTest::addColumn<int>("denominator");
        QTest::addColumn<int>("rounded");
        QTest::newRow("12.5") << 25 << 2 << 12;
        QTest::newRow("37.5") << 75 << 2 << 38;
        QTest::newRow("2.5") << 5 << 2 << 2;
        QTest::newRow("3.5") << 7 << 2 << 4;
        QTest::newRow("0.33") << 1 << 3 << 0;
        QTest::newRow("0.67") << 2 << 3 << 1;
        QTest::newRow("exact") << 150 << 30 << 5;
        QTest::newRow("-2.5") << -5 << 2 << -2;
        QTest::newRow("-3.5") << -7 << 2 << -4;
    }
    void roundsHalfToEven()
    {
        QFETCH(int, numerator);
        QFETCH(int, denominator);
        QFETCH(int, rounded);
        QCOMPARE(RoundHalfEven(numerator, denominator), rounded);
    }

    void timeLine_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("y");
        QTest::newRow("15 of 30") << 15 << 30 << 85;
        QTest::newRow("45 of 30") << 45 << 30 << 35;
        QTest::newRow("0 minutes") << 0 << 30 << 110;
        QTest::newRow("top of scale") << 60 << 30 << 10;
        QTest::newRow("12.5 rounds down") << 1 << 4 << 98;
        QTest::newRow("37.5 rounds up") << 3 << 4 << 72;
        QTest::newRow("no time limit") << 20 << 0 << 110;
    }
    void timeLine()
    {
        QFETCH(int, minutes);
        QFETCH(int, limit);
        QFETCH(int, y);
        QCOMPARE(TrendTimeY(minutes, limit), y);
    }

    void emptyHistoryLiesOnTheBottomLine()
    {
        AttemptScore current;
        current.rate = 75;
        current.elapsedMinutes = 15;
        current.stamp = {2024, 11, 3, 9, 7};
        const TrendChart chart = BuildTrendChart(History{}, current, 30);
        for (int i = 1; i <= 9; ++i) {
            const size_t at = size_t(i - 1);
            QCOMPARE(chart.timePoints[at].x, 50 * i + 15);
            QCOMPARE(chart.timePoints[at].y, 110);
            QCOMPARE(chart.ratePoints[at].y, 110);
            QCOMPARE(chart.dates[at].text, QStringLiteral("0/0"));
            QCOMPARE(chart.times[at].text, QStringLiteral("0:0"));
            QCOMPARE(chart.dates[at].x, 50 * i);
            QCOMPARE(chart.dates[at].y, 112);
            QCOMPARE(chart.times[at].y, 126);
        }
        QCOMPARE(chart.timePoints[9].x, 515);
        QCOMPARE(chart.timePoints[9].y, 85);
        QCOMPARE(chart.ratePoints[9].y, 35);
        QCOMPARE(chart.dates[9].x, 500);
        QCOMPARE(chart.dates[9].text, QStringLiteral("11/3"));
        QCOMPARE(chart.times[9].text, QStringLiteral("9:7"));
        QCOMPARE(chart.scaleTop.text, QStringLiteral("60分"));
        QCOMPARE(chart.scaleTop.x, 538);
        QCOMPARE(chart.scaleTop.y, 10);
    }

    void oldestRecordIsOnTheLeft()
    {
        History h;
        for (int k = 0; k < 10; ++k)
            h.attempts[size_t(k)] = {k, k + 1, 20 + k, 10, 30 + k, 5 * k, 1, 10};
        const TrendChart chart = BuildTrendChart(h, AttemptScore{}, 10);
        QCOMPARE(chart.dates[0].text, QStringLiteral("9/28")); // record 9
        QCOMPARE(chart.ratePoints[0].y, 110 - 40);
        QCOMPARE(chart.dates[8].text, QStringLiteral("1/20")); // record 1
        QCOMPARE(chart.times[8].text, QStringLiteral("10:30"));
        QCOMPARE(chart.timePoints[8].y, 110);                             // 0 minutes
        QCOMPARE(chart.timePoints[1].y, 110 - RoundHalfEven(7 * 50, 10)); // record 8
    }
};

QUARVEL_TEST_MAIN(TestTrendChart)
#include "TestTrendChart.moc"

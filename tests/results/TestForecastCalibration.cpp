// The pass forecast against learners whose abilities are known: a small run of the calibration
// study (bench/ForecastCalibration runs the large one) with loose bounds and fixed seeds.
#include "ForecastStudy.h"
#include "support/TestSupport.h"

class TestForecastCalibration : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("QUARVEL_SOURCE_DIR"))
            QSKIP("QUARVEL_SOURCE_DIR is not set (ctest sets it)");
    }

    void forecastsAreCalibratedAndOrdered()
    {
        const std::vector<forecaststudy::DemoTest> tests =
            forecaststudy::demoTests(qEnvironmentVariable("QUARVEL_SOURCE_DIR") + QStringLiteral("/data/questions"));
        QCOMPARE(int(tests.size()), 4);
        forecaststudy::Study study(7);
        for (const forecaststudy::DemoTest& test : tests) {
            QVERIFY(test.passMark > 0);
            study.run(test, 40, 100, QDate(2026, 6, 1));
        }
        const forecaststudy::Summary s = study.summary();
        qInfo("%s", forecaststudy::describe(s).c_str());
        QVERIFY(s.brier < s.baseBrier);
        QVERIFY(s.brier < s.oracleBrier + 0.04);
        QVERIFY2(s.coverage > 0.65 && s.coverage < 0.97, qPrintable(QString::number(s.coverage)));
        QVERIFY2(s.concordance > 0.9, qPrintable(QString::number(s.concordance)));
        for (const forecaststudy::Bin& bin : s.bins) {
            if (bin.learners < 10)
                continue;
            const double observed = double(bin.passes) / bin.exams;
            QVERIFY2(std::abs(bin.forecastSum / bin.learners - observed) < 0.15, qPrintable(QString::number(observed)));
        }
    }
};

QUARVEL_TEST_MAIN(TestForecastCalibration)
#include "TestForecastCalibration.moc"

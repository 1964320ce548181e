#include "results/Recording.h"
#include "support/TestSupport.h"

#include "ResultFixtures.h"

namespace
{

// Scores a session and appends it, as the result screen does on hiding.
History append(const History& loaded, fixtures::Session& s, int elapsedSeconds, const AttemptStamp& stamp,
               int mode = kModeNormal, int categoryCount = 3)
{
    const AttemptScore score = ScoreAttempt(*s.questions, *s.answers, s.count, elapsedSeconds, stamp);
    const CategoryTally tally = TallyCategories(*s.questions, score, categoryCount);
    return AppendAttempt(loaded, score, tally, *s.questions, mode, categoryCount);
}

AttemptRecord record(int minutes, int month, int rate)
{
    return {minutes, month, 1, 10, 0, rate, kModeNormal, 10};
}

} // namespace

class TestRecording : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void firstAttemptOnAnEmptyFile()
    {
        fixtures::Session s; // 3 of 4 right: category 1 two of two, category 2 one of two
        s.add(1, true, 5);
        s.add(2, false, 6);
        s.add(1, true, 7);
        s.add(2, true, 8);
        const History h = append(History{}, s, 754, {2024, 11, 3, 9, 7}, kModeMock);
        const AttemptRecord& a = h.attempts[0];
        QCOMPARE(a.minutes, 12);
        QCOMPARE(a.month, 11);
        QCOMPARE(a.day, 3);
        QCOMPARE(a.hour, 9);
        QCOMPARE(a.minute, 7);
        QCOMPARE(a.rate, 75);
        QCOMPARE(a.mode, int(kModeMock));
        QCOMPARE(a.questionCount, 4);
        for (size_t k = 1; k < 10; ++k)
            QVERIFY(h.attempts[k].empty());
        QCOMPARE(h.best, 75);
        QCOMPARE(h.average, 75); // E = 9: divided by 1
        QCOMPARE(h.categories[0], (std::array<int, 7>{100, 0, 0, 0, 0, 100, 100}));
        QCOMPARE(h.categories[1], (std::array<int, 7>{50, 0, 0, 0, 0, 50, 50}));
        QCOMPARE(h.categories[2], (std::array<int, 7>{}));
        QCOMPARE(h.correct[4], 1);
        QCOMPARE(h.wrong[5], 1);
        QCOMPARE(h.correct[5], 0);
        QCOMPARE(h.correct[7], 1);

        // And the saved file carries it at the documented offsets.
        const std::string bytes = HistoryBytes(h, "q");
        const std::string record1("\x0C\x0B\x03\x09\x07\x4B\x02\x04\x00", 9);
        QCOMPARE(bytes.substr(512, 9), record1);
        QCOMPARE(int(static_cast<unsigned char>(bytes[602])), 75);
        QCOMPARE(int(static_cast<unsigned char>(bytes[608 + 7 + 5])), 50);
        QCOMPARE(int(static_cast<unsigned char>(bytes[960 + 4])), 1);
        QCOMPARE(int(static_cast<unsigned char>(bytes[1460 + 5])), 1);
    }

    void thirdAttemptAveragesOverThree()
    {
        History loaded;
        loaded.attempts[0] = record(20, 5, 60);
        loaded.attempts[1] = record(30, 4, 90);
        loaded.best = 90;
        loaded.average = 75;
        loaded.categories[0] = {60, 90, 0, 0, 0, 75, 90};
        fixtures::Session s; // category 1: 1 of 2 (50); category 3 for the first time: 1 of 1
        s.add(1, true);
        s.add(1, false);
        s.add(3, true);
        const History h = append(loaded, s, 60, {2024, 6, 1, 8, 0});
        QCOMPARE(h.attempts[0].rate, 66);
        QCOMPARE(h.attempts[1].rate, 60);
        QCOMPARE(h.attempts[2].rate, 90);
        QCOMPARE(h.best, 90);
        QCOMPARE(h.average, (60 + 90 + 66) / 3);
        QCOMPARE(h.categories[0], (std::array<int, 7>{50, 60, 90, 0, 0, (50 + 60 + 90) / 3, 90}));
        // Asked once in three attempts, still divided by three.
        QCOMPARE(h.categories[2], (std::array<int, 7>{100, 0, 0, 0, 0, 33, 100}));
    }

    void eleventhAttemptDropsTheOldest()
    {
        History loaded;
        for (int k = 0; k < 10; ++k)
            loaded.attempts[size_t(k)] = record(k, 1 + k, 10 * k); // record 10 (k = 9) has rate 90
        loaded.best = 100; // reached once, by an attempt no longer among the ten
        loaded.categories[1] = {80, 70, 60, 50, 40, 60, 95};
        fixtures::Session s;
        s.add(2, true);
        s.add(2, false);
        const History h = append(loaded, s, 0, {2024, 12, 24, 23, 59});
        QCOMPARE(h.attempts[0].month, 12);
        for (size_t k = 1; k < 10; ++k)
            QCOMPARE(h.attempts[k].rate, loaded.attempts[k - 1].rate);
        QCOMPARE(h.attempts[9].month, 9); // loaded record 10 (month 10) is gone
        QCOMPARE(h.best, 100);            // never lowered
        QCOMPARE(h.average, (0 + 10 + 20 + 30 + 40 + 50 + 60 + 70 + 80 + 50) / 10);
        // E = 0: five attempts, loaded byte 4 dropped, best kept.
        QCOMPARE(h.categories[1], (std::array<int, 7>{50, 80, 70, 60, 50, (50 + 80 + 70 + 60 + 50) / 5, 95}));
    }

    void untouchedCategoriesStayByteForByte()
    {
        History loaded;
        loaded.attempts[0] = record(5, 2, 40);
        for (size_t c = 0; c < 50; ++c)
            loaded.categories[c] = {int(c), 1, 2, 3, 4, 5, 99};
        fixtures::Session s;
        s.add(2, true);
        const History h = append(loaded, s, 0, {2024, 1, 1, 0, 0}, kModeNormal, 50);
        const std::string before = HistoryBytes(loaded, "n");
        const std::string after = HistoryBytes(h, "n");
        QCOMPARE(after.substr(608, 7), before.substr(608, 7));
        QCOMPARE(after.substr(608 + 14, 350 - 14), before.substr(608 + 14, 350 - 14));
        QVERIFY(after.substr(608 + 7, 7) != before.substr(608 + 7, 7));
    }

    void categoriesBeyondTheTestStayUnchanged()
    {
        History loaded;
        loaded.categories[4] = {1, 2, 3, 4, 5, 6, 7};
        fixtures::Session s;
        s.add(5, true);
        // A tally that rates category 5 although the test has only 3 categories.
        const AttemptScore score = ScoreAttempt(*s.questions, *s.answers, 1, 0, {});
        const CategoryTally tally = TallyCategories(*s.questions, score, 50);
        const History h = AppendAttempt(loaded, score, tally, *s.questions, kModeNormal, 3);
        QCOMPARE(h.categories[4], loaded.categories[4]);
    }

    void bytesSaturateInsteadOfWrapping()
    {
        History loaded;
        loaded.correct[0] = 255;
        loaded.wrong[1] = 255;
        fixtures::Session s;
        s.add(1, true, 1);
        s.add(1, false, 2);
        const History h = append(loaded, s, 256 * 60 + 30, {2024, 1, 1, 0, 0});
        QCOMPARE(h.attempts[0].minutes, 255); // 256 minutes would wrap to 0
        QCOMPARE(h.correct[0], 255);
        QCOMPARE(h.wrong[1], 255);
        const std::string bytes = HistoryBytes(h, "n");
        QCOMPARE(int(static_cast<unsigned char>(bytes[512])), 255);
        QCOMPARE(int(static_cast<unsigned char>(bytes[960])), 255);
    }

    void appendedAndSavedFileLoadsBack()
    {
        testsupport::TempInstall install;
        const QString his = install.historyDir(QStringLiteral("oracle")) + QStringLiteral("t.HIS");
        const QString qdf = install.questionDir(QStringLiteral("oracle")) + QStringLiteral("t.qdf");
        QVERIFY(CreateEmptyHistory(his, qdf));
        for (int attempt = 1; attempt <= 12; ++attempt) {
            fixtures::Session s;
            s.add(1, attempt % 2 == 0, 1);
            s.add(2, true, 2);
            QVERIFY(
                SaveHistory(his, append(LoadHistory(his), s, 60 * attempt, {2024, attempt % 12 + 1, 1, 0, 0}), qdf));
        }
        const History h = LoadHistory(his);
        QCOMPARE(h.attempts[0].minutes, 12);
        QCOMPARE(h.attempts[9].minutes, 3);
        QCOMPARE(h.correct[0], 6);
        QCOMPARE(h.wrong[0], 6);
        QCOMPARE(h.correct[1], 12);
        QCOMPARE(h.best, 100);
        QCOMPARE(h.average, (100 + 50 + 100 + 50 + 100 + 50 + 100 + 50 + 100 + 50) / 10);
        QCOMPARE(testsupport::readBytes(his).substr(0, 4), std::string(".HIS"));
    }
};

QUARVEL_TEST_MAIN(TestRecording)
#include "TestRecording.moc"

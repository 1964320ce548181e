// The drill file: its exact bytes, reading back what was written, every broken line named with
// its number, and an update that never touches a file it cannot read.
#include "results/DrillFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace
{

int day(int yyyymmdd)
{
    return *drillday::fromText(std::to_string(yyyymmdd));
}

DrillDeck sampleDeck()
{
    DrillDeck deck;
    deck.cards = {{3, 0.212, 6.4133, day(20261210), day(20261211), 1, 0},
                  {41, 1.0 / 3.0, 0.1 + 9.2, day(20261130), day(20270105), 7, 2}};
    return deck;
}

const std::string kCard = "3 0.212 6.4133 20261210 20261211 1 0";

} // namespace

class TestDrillFile : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void bytesOfADeck()
    {
        DrillDeck deck;
        deck.cards = {sampleDeck().cards[0], {12, 36500.0, 10.0, day(20240229), day(20260228), 3, 1}};
        QCOMPARE(DrillFileBytes(deck), "QUARVEL-DRILL 1\r\n" + kCard + "\r\n12 36500 10 20240229 20260228 3 1\r\n");
        QCOMPARE(DrillFileBytes(DrillDeck{}), std::string("QUARVEL-DRILL 1\r\n"));
    }

    void readsBackWhatItWrote()
    {
        const DrillDeck deck = sampleDeck();
        FileError error;
        const auto read = ParseDrillFile(DrillFileBytes(deck), QStringLiteral("t.DRL"), &error);
        QVERIFY2(read, qPrintable(error.text()));
        QVERIFY(read->cards == deck.cards); // the same doubles to the last bit
    }

    void readsLineFeedsBlanksAndEmptyLines()
    {
        const auto read =
            ParseDrillFile("QUARVEL-DRILL 1\n\n3  0.212\t6.4133 20261210 20261211 1 0 \n", QStringLiteral("t"));
        QVERIFY(read);
        QCOMPARE(read->cards.size(), size_t(1));
        QCOMPARE(read->cards[0], sampleDeck().cards[0]);
    }

    void brokenFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        const QByteArray head = "QUARVEL-DRILL 1\r\n" + QByteArray::fromStdString(kCard) + "\r\n";
        QTest::newRow("empty") << QByteArray() << 1;
        QTest::newRow("another header") << QByteArray("QUARVEL-DRILL 2\r\n") << 1;
        QTest::newRow("a history file") << QByteArray(".HIS\0\0\0", 7) << 1;
        QTest::newRow("six fields") << head + "4 1 5 20261210 20261211 1\r\n" << 3;
        QTest::newRow("eight fields") << head + "4 1 5 20261210 20261211 1 0 0\r\n" << 3;
        QTest::newRow("number 0") << head + "0 1 5 20261210 20261211 1 0\r\n" << 3;
        QTest::newRow("signed number") << head + "+4 1 5 20261210 20261211 1 0\r\n" << 3;
        QTest::newRow("number too large") << head + "99999999999 1 5 20261210 20261211 1 0\r\n" << 3;
        QTest::newRow("stability below the minimum") << head + "4 0.0001 5 20261210 20261211 1 0\r\n" << 3;
        QTest::newRow("stability not a number") << head + "4 nan 5 20261210 20261211 1 0\r\n" << 3;
        QTest::newRow("stability with exponent") << head + "4 1e3 5 20261210 20261211 1 0\r\n" << 3;
        QTest::newRow("difficulty above 10") << head + "4 1 10.5 20261210 20261211 1 0\r\n" << 3;
        QTest::newRow("no such date") << head + "4 1 5 20260230 20261211 1 0\r\n" << 3;
        QTest::newRow("due before the last review") << head + "4 1 5 20261210 20261209 1 0\r\n" << 3;
        QTest::newRow("no reviews") << head + "4 1 5 20261210 20261211 0 0\r\n" << 3;
        QTest::newRow("as many lapses as reviews") << head + "4 1 5 20261210 20261211 2 2\r\n" << 3;
        QTest::newRow("a number twice") << head + QByteArray::fromStdString(kCard) + "\r\n" << 3;
        QTest::newRow("numbers falling") << head + "2 1 5 20261210 20261211 1 0\r\n" << 3;
        QTest::newRow("a control byte") << head + "\r\n4 1 5 20261210\x01 20261211 1 0\r\n" << 4;
    }
    void brokenFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        FileError error;
        QVERIFY(!ParseDrillFile(std::string_view(bytes.constData(), size_t(bytes.size())), QStringLiteral("t.DRL"),
                                &error));
        QCOMPARE(error.file, QStringLiteral("t.DRL"));
        QCOMPARE(error.line, line);
        QVERIFY(!error.message.isEmpty() && !error.messageJa.isEmpty());
    }

    void aMissingFileIsAnEmptyDeck()
    {
        testsupport::TempInstall install;
        const auto deck = LoadDrillDeck(install.root() + QStringLiteral("HIST/oracle/none.DRL"));
        QVERIFY(deck && deck->cards.empty());
    }

    void updateWritesTheDeckAndReadsItBack()
    {
        testsupport::TempInstall install;
        const QString path = install.root() + QStringLiteral("HIST/oracle/t1.DRL");
        const int today = day(20261210);
        QVERIFY(!UpdateDrillFile(path, {{5, fsrs::Grade::Good}}, today));
        QVERIFY(!QFile::exists(path)); // a right answer alone brings nothing in: no file
        QVERIFY(!UpdateDrillFile(path, {{5, fsrs::Grade::Again}}, today));
        QVERIFY(!UpdateDrillFile(path, {{5, fsrs::Grade::Good}}, today + 1));
        const auto deck = LoadDrillDeck(path);
        QVERIFY(deck);
        QCOMPARE(deck->cards.size(), size_t(1));
        QCOMPARE(deck->cards[0].reviews, 2);
        QCOMPARE(deck->cards[0].lastReview, today + 1);
        QCOMPARE(QDir(install.root() + QStringLiteral("HIST/oracle/")).entryList(QDir::Files), QStringList{"t1.DRL"});
    }

    void aFileThatDoesNotReadIsLeftAlone()
    {
        testsupport::TempInstall install;
        const std::string broken = "QUARVEL-DRILL 1\r\n" + kCard + "\r\n5 x\r\n";
        const QString path = install.writeFile(QStringLiteral("HIST/oracle/t1.DRL"), broken);
        const auto error = UpdateDrillFile(path, {{9, fsrs::Grade::Again}}, day(20261210));
        QVERIFY(error);
        QCOMPARE(error->line, 3);
        QVERIFY(error->text().contains(QStringLiteral("t1.DRL:3:")));
        QCOMPARE(testsupport::readBytes(path), broken);
    }
};

QUARVEL_TEST_MAIN(TestDrillFile)
#include "TestDrillFile.moc"

#include "styles/StyleData.h"
#include "support/TestSupport.h"

using namespace styledata;

class TestStyleData : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void itemsBeginAtEachAt()
    {
        using Items = std::vector<std::string>;
        QCOMPARE(splitItems("@10,20,60,40@70,20,120,40"), (Items{"10,20,60,40", "70,20,120,40"}));
        QCOMPARE(splitItems("lead@a@@b"), (Items{"a", "", "b"}));
        QCOMPARE(splitItems("no items"), Items{});
        QCOMPARE(splitFields("1,2,label, with comma", ','), (Items{"1", "2", "label", " with comma"}));
        QCOMPARE(splitFields("", ';'), Items{""});
    }

    void numbersAreDecimalIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value"); // -1: refused
        QTest::newRow("plain") << "120" << 120;
        QTest::newRow("sign") << "+7" << 7;
        QTest::newRow("leading blank") << " 20" << 20;
        QTest::newRow("trailing blank") << "20 " << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("hex") << "0x10" << -1;
        QTest::newRow("full-width digit") << "１" << -1;
        QTest::newRow("overflow") << "99999999999" << -1;
    }
    void numbersAreDecimalIntegers()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        const auto parsed = parseInt(text.toStdString());
        QCOMPARE(parsed.value_or(-1), value);
    }

    void fourNumbersOrNothing()
    {
        QCOMPARE(parseInts("1,2,3,4", 4).value(), (std::vector<int>{1, 2, 3, 4}));
        QVERIFY(!parseInts("1,2,3", 4));
        QVERIFY(!parseInts("1,2,x,4", 4));
    }

    void trimmingAndFolding()
    {
        QCOMPARE(trimmed("\t select \r\n"), std::string("select"));
        QCOMPARE(trimmed("   "), std::string());
        // "ＳＥ" in CP932 is 82 72 82 64: no byte in A-Z, so nothing changes; "\x83\x41" (ア) has a
        // trail byte 'A' that does fold, as the byte-wise rule says.
        QCOMPARE(lowerAsciiBytes("SELECT \x82\x72\x82\x64 \x83\x41"), std::string("select \x82\x72\x82\x64 \x83\x61"));
    }
};

QUARVEL_TEST_MAIN(TestStyleData)
#include "TestStyleData.moc"

// The hex digits shared by the question source's "%" form and the form parameters.
#include "bank/Hex.h"
#include "support/TestSupport.h"

class TestHex : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void decodesPairsOfDigits_data()
    {
        QTest::addColumn<QByteArray>("digits");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("upper case") << QByteArray("8EC0FF") << true << QByteArray("\x8E\xC0\xFF");
        QTest::newRow("lower case") << QByteArray("8ec0ff") << true << QByteArray("\x8E\xC0\xFF");
        QTest::newRow("mixed case") << QByteArray("aB0a") << true << QByteArray("\xAB\x0A");
        QTest::newRow("zero byte") << QByteArray("00") << true << QByteArray("\0", 1);
        QTest::newRow("empty") << QByteArray("") << true << QByteArray();
        QTest::newRow("odd length") << QByteArray("41F") << false << QByteArray();
        QTest::newRow("letter past F") << QByteArray("4G") << false << QByteArray();
        QTest::newRow("digit neighbours") << QByteArray("/:") << false << QByteArray();
        QTest::newRow("sign") << QByteArray("+1") << false << QByteArray();
        QTest::newRow("blank") << QByteArray("4 ") << false << QByteArray();
        QTest::newRow("high byte") << QByteArray("\xA4"
                                                 "1")
                                   << false << QByteArray();
    }
    void decodesPairsOfDigits()
    {
        QFETCH(QByteArray, digits);
        QFETCH(bool, valid);
        QFETCH(QByteArray, bytes);
        const auto decoded = hex::decode(std::string_view(digits.constData(), size_t(digits.size())));
        QCOMPARE(decoded.has_value(), valid);
        if (valid)
            QCOMPARE(QByteArray::fromStdString(*decoded), bytes);
    }

    // Every byte written as two upper-case digits decodes to itself.
    void writesUpperCaseDigitsThatDecodeBack()
    {
        std::string all;
        for (int b = 0; b < 256; ++b)
            hex::appendByte(all, static_cast<unsigned char>(b));
        QCOMPARE(all.size(), size_t(512));
        QCOMPARE(all.substr(0, 6), std::string("000102"));
        QCOMPARE(all.substr(0x5A * 2, 2), std::string("5A"));
        QCOMPARE(all.substr(510), std::string("FF"));
        const auto back = hex::decode(all);
        QVERIFY(back.has_value());
        for (int b = 0; b < 256; ++b)
            QCOMPARE(static_cast<unsigned char>((*back)[size_t(b)]), static_cast<unsigned char>(b));
    }
};

QUARVEL_TEST_MAIN(TestHex)
#include "TestHex.moc"

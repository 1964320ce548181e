#include "bank/Cp932.h"
#include "support/TestSupport.h"

#include <QStringDecoder>

class TestCp932 : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void roundTripsWindowsOnlyCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("wave dash is FF5E") << QStringLiteral("～") << QByteArray("\x81\x60");
        QTest::newRow("circled one") << QStringLiteral("①") << QByteArray("\x87\x40");
        QTest::newRow("roman one") << QStringLiteral("Ⅰ") << QByteArray("\x87\x54");
        QTest::newRow("not sign") << QStringLiteral("￢") << QByteArray("\x81\xca");
        QTest::newRow("half-width katakana") << QStringLiteral("ｱｲｳ") << QByteArray("\xb1\xb2\xb3");
        QTest::newRow("mixed") << QStringLiteral("テスト名 : ABC")
                               << QByteArray("\x83\x65\x83\x58\x83\x67\x96\xbc : ABC");
    }
    void roundTripsWindowsOnlyCharacters()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(QByteArray::fromStdString(cp932::fromUnicode(text)), bytes);
        QCOMPARE(cp932::toUnicode(bytes.toStdString()), text);
        QCOMPARE(cp932::fromUnicodeStrict(text).value(), bytes.toStdString());
    }

    void rejectsWhatCp932CannotHold()
    {
        QVERIFY(!cp932::fromUnicodeStrict(QStringLiteral("emoji 😀")).has_value());
        QCOMPARE(cp932::fromUnicode(QStringLiteral("a😀b")), std::string("a?b"));
        QVERIFY(!cp932::toUnicodeStrict(std::string("\x83")).has_value()); // lone lead byte
        QVERIFY(cp932::toUnicodeStrict(std::string("abc")).has_value());
    }

    // The converters are kept between calls: a failed conversion must not leave its error (or a
    // held-back lead byte) to the next one.
    void conversionAfterAFailureStartsClean()
    {
        QVERIFY(!cp932::toUnicodeStrict(std::string("\x83")).has_value());
        QCOMPARE(cp932::toUnicodeStrict(std::string("\x83\x65")).value(), QStringLiteral("テ"));
        QVERIFY(!cp932::fromUnicodeStrict(QStringLiteral("😀")).has_value());
        QCOMPARE(cp932::fromUnicodeStrict(QStringLiteral("テ")).value(), std::string("\x83\x65"));
        // A run of failures, one per character, and the kept converters still convert.
        QCOMPARE(cp932::fromUnicode(QString(200, QChar(0xE4)) + QStringLiteral("テ")),
                 std::string(200, '?') + "\x83\x65");
        QCOMPARE(cp932::toUnicode(std::string(50, '\x80') + "\x83\x65").right(1), QStringLiteral("テ"));
    }

    // Plain text skips the converter; every byte below 0x80 must still give what the table gives.
    void asciiAsTheTableHasIt()
    {
        std::string all;
        for (int b = 0; b < 0x80; ++b)
            all += char(b);
        QStringDecoder table("windows-31j", QStringConverter::Flag::Stateless);
        const QString expected = table.decode(QByteArray::fromStdString(all));
        QCOMPARE(cp932::toUnicode(all), expected);
        QCOMPARE(cp932::fromUnicode(expected), all);
        for (int b = 0; b < 0x80; ++b) {
            const std::string one(1, char(b));
            QCOMPARE(cp932::toUnicode(one), expected.mid(b, 1));
            QCOMPARE(cp932::fromUnicode(expected.mid(b, 1)), one);
        }
    }
};

QUARVEL_TEST_MAIN(TestCp932)
#include "TestCp932.moc"

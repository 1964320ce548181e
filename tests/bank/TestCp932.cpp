#include "bank/Cp932.h"
#include "support/TestSupport.h"

class TestCp932 : public QObject {
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
        QTest::newRow("mixed") << QStringLiteral("テスト名 : ABC") << QByteArray("\x83\x65\x83\x58\x83\x67\x96\xbc : ABC");
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
};

QUARVEL_TEST_MAIN(TestCp932)
#include "TestCp932.moc"

#include "bank/Cp932.h"
#include "styles/TextEntryStyle.h"
#include "support/TestSupport.h"

using namespace textentry;

class TestTextEntryStyle : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void judging_data()
    {
        QTest::addColumn<QString>("correct");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("right");
        QTest::newRow("on exact") << "SELECT"
                                  << "on"
                                  << "SELECT" << true;
        QTest::newRow("on case differs") << "SELECT"
                                         << "on"
                                         << "Select" << false;
        QTest::newRow("off case differs") << "SELECT"
                                          << "off"
                                          << "Select" << true;
        QTest::newRow("off mode with blanks") << "SELECT"
                                              << " off "
                                              << "select" << true;
        QTest::newRow("off full-width typed") << "select"
                                              << "off"
                                              << "ＳＥＬＥＣＴ" << false;
        QTest::newRow("off full-width both") << "ＳＥＬＥＣＴ"
                                             << "off"
                                             << "ＳＥＬＥＣＴ" << true;
        QTest::newRow("blanks around typed") << "ls -l"
                                             << "on"
                                             << "  ls -l\t" << true;
        QTest::newRow("blank inside counts") << "ls -l"
                                             << "on"
                                             << "ls  -l" << false;
        QTest::newRow("correct ends in blank") << "ls "
                                               << "on"
                                               << "ls " << false;
        QTest::newRow("empty matches empty") << ""
                                             << "on"
                                             << "   " << true;
        QTest::newRow("other mode") << "SELECT"
                                    << "yes"
                                    << "SELECT" << false;
        QTest::newRow("mode case matters") << "SELECT"
                                           << "ON"
                                           << "SELECT" << false;
        // 表 is 95 5C: its trail byte is no letter and must not upset what follows.
        QTest::newRow("letters after kanji") << "表A"
                                             << "off"
                                             << "表a" << true;
    }
    void judging()
    {
        QFETCH(QString, correct);
        QFETCH(QString, mode);
        QFETCH(QString, typed);
        QFETCH(bool, right);
        StyleQuestion question;
        question.dataA = cp932::fromUnicode(correct);
        question.dataB = cp932::fromUnicode(mode);
        const TextEntry entry = fromHandOver(question);
        QCOMPARE(judge(entry, cp932::fromUnicodeStrict(typed)), right);
    }

    void trailBytesFoldLikeLetters()
    {
        // "ア" is 83 41 in CP932 and "ヂ" 83 61: byte-wise folding makes them equal, as the
        // original comparison does.
        TextEntry entry;
        entry.correct = cp932::fromUtf8("ア");
        entry.mode = "off";
        QCOMPARE(entry.correct, std::string("\x83\x41"));
        QVERIFY(judge(entry, cp932::fromUtf8("ヂ")));
        entry.mode = "on";
        QVERIFY(!judge(entry, cp932::fromUtf8("ヂ")));
    }

    void textCp932CannotHoldNeverMatches()
    {
        const TextEntry entry{.correct = "??", .mode = "on"};
        const auto typed = cp932::fromUnicodeStrict(QStringLiteral("😀"));
        QVERIFY(!typed);
        QVERIFY(!judge(entry, typed));
    }

    void maximumLength_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("valid");
        QTest::newRow("number") << "8" << 8 << true;
        QTest::newRow("blanks") << " 12 " << 12 << true;
        QTest::newRow("missing") << "" << 0 << true;
        QTest::newRow("zero") << "0" << 0 << true;
        QTest::newRow("not a number") << "ten" << 0 << false;
    }
    void maximumLength()
    {
        QFETCH(QString, text);
        QFETCH(int, length);
        QFETCH(bool, valid);
        StyleQuestion question;
        question.dataC = text.toStdString();
        const TextEntry entry = fromHandOver(question);
        QCOMPARE(entry.maxLength, length);
        QCOMPARE(entry.maxLengthValid, valid);
    }
};

QUARVEL_TEST_MAIN(TestTextEntryStyle)
#include "TestTextEntryStyle.moc"

#include "bank/Cp932.h"
#include "results/ResultView.h"
#include "support/TestSupport.h"

using Flags = std::array<unsigned char, kMaxChoices>;
Q_DECLARE_METATYPE(Flags)

namespace
{

Flags flags(std::initializer_list<int> positions)
{
    Flags f{};
    for (int p : positions)
        f[size_t(p - 1)] = 1;
    return f;
}

} // namespace

class TestResultView : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void tableRows_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<Flags>("answer");
        QTest::addColumn<Flags>("key");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QString>("answerText");
        QTest::addColumn<QString>("keyText");
        QTest::addColumn<QString>("mark");
        QTest::newRow("a and c against b") << 2 << flags({1, 3}) << flags({2}) << false << " a c"
                                           << " b"
                                           << "  ×";
        QTest::newRow("j") << 1 << flags({10}) << flags({10}) << true << " j"
                           << " j"
                           << "  ○";
        QTest::newRow("nothing") << 1 << flags({}) << flags({4}) << false << ""
                                 << " d"
                                 << "  ×";
        QTest::newRow("graphic") << 3 << flags({1}) << flags({1}) << true << "ｸﾞﾗﾌｨｯｸ表示"
                                 << ""
                                 << "  ○";
        QTest::newRow("panel") << 4 << flags({}) << flags({1}) << false << "パネル表示"
                               << ""
                               << "  ×";
        QTest::newRow("text") << 5 << flags({1}) << flags({1}) << true << "ﾃｷｽﾄ入力"
                              << ""
                              << "  ○";
        QTest::newRow("labelled panel") << 6 << flags({}) << flags({1}) << false << "パネル表示"
                                        << ""
                                        << "  ×";
        QTest::newRow("connector") << 7 << flags({1}) << flags({1}) << true << "ｺﾈｸﾄ表示"
                                   << ""
                                   << "  ○";
    }
    void tableRows()
    {
        QFETCH(int, style);
        QFETCH(Flags, answer);
        QFETCH(Flags, key);
        QFETCH(bool, right);
        SessionQuestion q;
        q.style = style;
        q.keyFlags = key;
        AnswerRecord a;
        a.answerFlags = answer;
        const ResultRow row = MakeResultRow(12, q, a, right);
        QCOMPARE(row.number, QStringLiteral("Q.12"));
        QTEST(row.answer, "answerText");
        QTEST(row.key, "keyText");
        QTEST(row.mark, "mark");
    }

    void exhibitLine()
    {
        const std::string text = "<INCLUDE IMG>@net.jpg@Map.BMP\r\nWhich route?\r\nPick one.";
        const QuestionExhibits ex = SplitExhibits(text, QStringLiteral("/q/oracle"));
        QCOMPARE(ex.paths,
                 (QStringList{QStringLiteral("/q/oracle/img/net.jpg"), QStringLiteral("/q/oracle/img/Map.BMP")}));
        QCOMPARE(ex.text, std::string("Which route?\r\nPick one."));

        const QuestionExhibits five = SplitExhibits("x<INCLUDE IMG>@1@2@3@4@5\r\nT", QStringLiteral("/d/"));
        QCOMPARE(five.paths.size(), 4);
        QCOMPARE(five.paths.first(), QStringLiteral("/d/img/1"));

        const QuestionExhibits only = SplitExhibits("<INCLUDE IMG>@a.jpg", QStringLiteral("/d/"));
        QCOMPARE(only.paths.size(), 1);
        QVERIFY(only.text.empty());

        // A CP932 name whose second byte is "@" (ァ is 83 40) stays one name.
        const QuestionExhibits kana = SplitExhibits("<INCLUDE IMG>@\x83\x40.jpg@b.jpg\r\nT", QStringLiteral("/d"));
        QCOMPARE(kana.paths, (QStringList{QStringLiteral("/d/img/ァ.jpg"), QStringLiteral("/d/img/b.jpg")}));

        // Only the first line can carry exhibits.
        const QuestionExhibits later = SplitExhibits("Look:\r\n<INCLUDE IMG>@a.jpg", QStringLiteral("/d/"));
        QVERIFY(later.paths.isEmpty());
        QCOMPARE(later.text, std::string("Look:\r\n<INCLUDE IMG>@a.jpg"));

        const QuestionExhibits none = SplitExhibits("Plain\r\ntext", QStringLiteral("/d/"));
        QVERIFY(none.paths.isEmpty());
        QCOMPARE(none.text, std::string("Plain\r\ntext"));
    }

    void detailOfAChoiceQuestion()
    {
        SessionQuestion q;
        q.style = kStyleMultiple;
        q.shownChoiceCount = 3;
        q.choices = {"one", "two", "three", "left-over"};
        q.explanation = "\r\nBecause.";
        q.references[0] = {"Book A", "12"};
        q.references[1] = {"  ", "7"}; // title left out, page kept
        q.references[2] = {"Book C", "0"};
        q.references[3] = {"", "0"};
        const std::string expected =
            cp932::fromUtf8("【問題】\r\nQ?\r\n\r\n【選択肢】\r\na. one\r\nb. two\r\nc. three\r\n"
                            "\r\n【解説】\r\nBecause.\r\n\r\n【参照】\r\n"
                            "Book A 12P7P\r\nBook C ");
        QCOMPARE(cp932::toUnicode(QuestionDetailText(q, "Q?")), cp932::toUnicode(expected));
    }

    void detailOfAStyleQuestionHasNoChoices()
    {
        SessionQuestion q;
        q.style = kStylePanel;
        q.shownChoiceCount = 3;
        q.choices = {"a@1,2", "b@3", "c@4"};
        q.explanation = "E";
        q.references[1] = {"Second", "0"};
        const std::string expected =
            cp932::fromUtf8("【問題】\r\nDrag.\r\n\r\n【解説】E\r\n\r\n【参照】\r\n\r\nSecond ");
        QCOMPARE(cp932::toUnicode(QuestionDetailText(q, "Drag.")), cp932::toUnicode(expected));
    }

    void dateAndTimeTexts()
    {
        QCOMPARE(AttemptDateText({2024, 3, 9, 14, 5}), QStringLiteral("2024/3/9 14:5"));
        QCOMPARE(AttemptTimeText(754 / 60, 754 % 60), QStringLiteral("12' 34"));
        QCOMPARE(AttemptTimeText(0, 0), QStringLiteral("0' 0"));
    }

    void faqAddressEncodesItsValues_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QString>("address");
        QTest::newRow("plain") << QByteArray("1Z0-007") << "http://faq.example/q?testid=1Z0-007&testno=42";
        QTest::newRow("query characters")
            << QByteArray("A&B=C D") << "http://faq.example/q?testid=A%26B%3DC%20D&testno=42";
        QTest::newRow("CP932 bytes") << QByteArray("\x83\x65") << "http://faq.example/q?testid=%83e&testno=42";
    }
    void faqAddressEncodesItsValues()
    {
        QFETCH(QByteArray, code);
        QTEST(FaqAddress(QStringLiteral("http://faq.example/q"), code.toStdString(), 42), "address");
    }
};

QUARVEL_TEST_MAIN(TestResultView)
#include "TestResultView.moc"

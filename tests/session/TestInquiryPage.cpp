#include "bank/Cp932.h"
#include "session/InquiryPage.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

namespace
{

std::string sjis(const char* utf8)
{
    return cp932::fromUtf8(utf8);
}

QStringList shown(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const std::string& line : lines)
        out << cp932::toUnicode(line);
    return out;
}

SessionQuestion question(int style, std::vector<std::string> choices, std::vector<int> correct)
{
    SessionQuestion q;
    q.number = 42;
    q.style = style;
    q.shownChoiceCount = int(choices.size());
    for (size_t i = 0; i < choices.size(); ++i)
        q.choices[i] = choices[i];
    for (int c : correct)
        q.keyFlags[size_t(c - 1)] = 1;
    return q;
}

inquiry::Flags flags(std::vector<int> positions)
{
    inquiry::Flags f{};
    for (int p : positions)
        f[size_t(p - 1)] = 1;
    return f;
}

} // namespace

class TestInquiryPage : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void letters()
    {
        QCOMPARE(inquiry::choiceLetters(flags({1, 3})), QStringLiteral(" a c"));
        QCOMPARE(inquiry::choiceLetters(flags({1, 3}), true), QStringLiteral(" A C"));
        QCOMPARE(inquiry::choiceLetters(flags({10})), QStringLiteral(" j"));
        QCOMPARE(inquiry::choiceLetters(flags({})), QString());
    }

    void explanationText()
    {
        SessionQuestion q;
        q.explanation = sjis("\r\n理由");
        q.references[0] = {sjis("学習ノート"), "12"};
        q.references[1] = {"   ", "0"};   // blank and without page: nothing
        q.references[2] = {"", "7"};      // a page without text still shows
        q.references[3] = {"Guide", "0"}; // text without page
        QCOMPARE(cp932::toUnicode(inquiry::explanationText(q)),
                 QStringLiteral("\r\n理由\r\n \r\n【参照】\r\n学習ノート\r\n→12P\r\n→7P\r\nGuide"));
    }

    void examAnswerBlock_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("correctChoice");
        // Choices a..d with a and c correct; the user ticked radio b, or check boxes b and d.
        QTest::newRow("single choice, b ticked")
            << 1 << QStringList{"A : w", "B : x", "D : z", "正解 : A C", "解答 : B "} << 0;
        QTest::newRow("multiple choice, b and d ticked")
            << 2 << QStringList{"A : w", "B : x", "D : z", "正解 : A C", "解答 : B D "} << 0;
        QTest::newRow("style screen judged right") << 4 << QStringList{"解答 : ○"} << 2;
        QTest::newRow("style screen, other choice ticked") << 3 << QStringList{"解答 : ×"} << 1;
        QTest::newRow("style question without a key") << 7 << QStringList{"解答 : ×"} << 0;
    }

    void examAnswerBlock()
    {
        QFETCH(int, style);
        QFETCH(QStringList, expected);
        QFETCH(int, correctChoice);
        // "Ahyy" fills a slot and is never listed.
        const SessionQuestion q = question(style, {"w", "x", "Ahyy", "z"}, {1, 3});
        const bool single = style == kStyleSingle || style >= kStyleGraphic;
        const inquiry::Flags radio = single ? flags({2}) : flags({});
        const inquiry::Flags check = style == kStyleMultiple ? flags({2, 4}) : flags({});
        QCOMPARE(shown(inquiry::examAnswerBlock(q, radio, check, correctChoice)), expected);
    }

    void resultAnswerBlock_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("style 1") << 1 << false << QStringList{"A : w", "B : x", "正解 : A", "解答 : B D "};
        QTest::newRow("style 3 right") << 3 << true << QStringList{"解答 : ○"};
        QTest::newRow("style 4 wrong") << 4 << false << QStringList{"解答 : ×"};
        QTest::newRow("style 5") << 5 << true << QStringList{};
        QTest::newRow("style 7") << 7 << false << QStringList{};
    }

    void resultAnswerBlock()
    {
        QFETCH(int, style);
        QFETCH(bool, right);
        QFETCH(QStringList, expected);
        const SessionQuestion q = question(style, {"w", "x"}, {1});
        QCOMPARE(shown(inquiry::resultAnswerBlock(q, flags({2, 4}), right)), expected);
    }

    // Every value lands escaped; placeholders stand alone on their lines, blanks around allowed.
    void page()
    {
        QTemporaryDir dir;
        const QString proto = dir.filePath(QStringLiteral("QuesProto"));
        const QString page = dir.filePath(QStringLiteral("Ques.htm"));
        QFile file(proto);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "<html>\r\n#CGI_URL#\r\n<input value=\"\r\n  #NAME#\t\r\n\">\r\nName: #NAME#\r\n#SERIAL#\r\n#MAIL#\r\n"
            "#ORGA#\r\n#QUESNUM#\r\n#TEST#\r\n<textarea>\r\n#QUES#\r\n</textarea>\r\n#ANSW#\r\n#OTHER#\r\n</html>");
        file.close();

        inquiry::InquiryValues values;
        values.serial = "S-1";
        values.name = sjis("<b>\"山田&太郎\"</b>");
        values.email = "a'b@example.org";
        values.organisation = sjis("研究所");
        values.inquiryAddress = "http://h/cgi?a=1&b=\"2\"";
        values.testCode = "1Z0-001";
        values.testTitle = sjis("<script>試験</script>");
        SessionQuestion q = question(kStyleSingle, {"x"}, {1});
        q.text = sjis("<INCLUDE IMG>@a.jpg\r\n表 <T> と\r\n2 行目");
        QVERIFY(inquiry::writeInquiryPage(proto, page, values, q, {sjis("正解 : A"), "<i>"}));

        const QString expected =
            QStringLiteral("<html>\r\n<form ACTION=\"http://h/cgi?a=1&amp;b=&quot;2&quot;\" METHOD=\"post\">\r\n"
                           "<input value=\"\r\n&lt;b&gt;&quot;山田&amp;太郎&quot;&lt;/b&gt;\r\n\">\r\n"
                           "Name: #NAME#\r\nS-1\r\na&#39;b@example.org\r\n研究所\r\n42\r\n"
                           "1Z0-001 : &lt;script&gt;試験&lt;/script&gt;\r\n<textarea>\r\n表 &lt;T&gt; と\r\n2 行目\r\n"
                           "</textarea>\r\n正解 : A\r\n&lt;i&gt;\r\n#OTHER#\r\n</html>\r\n");
        QCOMPARE(cp932::toUnicode(testsupport::readBytes(page)), expected);

        FileError error;
        QVERIFY(!inquiry::writeInquiryPage(dir.filePath(QStringLiteral("Missing")), page, values, q, {}, &error));
        QVERIFY(error.text().contains(QStringLiteral("Missing")));
    }
};

QUARVEL_TEST_MAIN(TestInquiryPage)
#include "TestInquiryPage.moc"

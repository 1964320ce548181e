// GIFT text through the reader and the mapping onto our styles, read back as the program reads it.
#include "ImportFixtures.h"

#include "bank/Cp932.h"

#include <QTest>

using namespace importfixtures;

namespace
{

// `count` questions, each in its own category/sub-category as `path(i)` says, with `choices` answers.
std::string manyQuestions(int count, const std::function<QString(int)>& path, int choices = 2)
{
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += QStringLiteral("$CATEGORY: %1\n\nQ%2 {=a").arg(path(i)).arg(i).toStdString();
        for (int k = 1; k < choices; ++k)
            out += " ~w" + std::to_string(k);
        out += "}\n\n";
    }
    return out;
}

} // namespace

class TestGiftImport : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void mapping_data()
    {
        QTest::addColumn<QByteArray>("gift");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("correct");
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("explanation");

        QTest::newRow("single choice, name and BOM")
            << QByteArray("\xEF\xBB\xBF// a comment line\n::Q1:: Which? {=right ~wrong1 ~wrong2}\n") << 1 << 1
            << QStringList{"right", "wrong1", "wrong2"} << "Which?"
            << "";
        QTest::newRow("answers over several lines with feedback")
            << QByteArray("What is 2+2? {\n  ~3 #too small\n  =4 #right\n\n  ~5\n####Count them.\n}\n") << 1 << 1
            << QStringList{"4", "3", "5"} << "What is 2+2?"
            << "Count them.\na: right\nb: too small";
        QTest::newRow("partial credit counts as wrong")
            << QByteArray("Q {=%100%A ~%50%B ~C}") << 1 << 1 << QStringList{"A", "B", "C"} << "Q"
            << "";
        QTest::newRow("positive weights adding to 100: multiple choice")
            << QByteArray("Q {~%50%A ~%-100%C ~%50%B}") << 2 << 2 << QStringList{"A", "B", "C"} << "Q"
            << "";
        QTest::newRow("thirds add up to 100") << QByteArray("Q {~%33.33333%A ~%33.33333%B ~%33.33333%C ~D}") << 2 << 3
                                              << QStringList{"A", "B", "C", "D"} << "Q"
                                              << "";
        QTest::newRow("true") << QByteArray("Grass is green. {T}") << 1 << 1 << QStringList{"正しい", "誤り"}
                              << "Grass is green."
                              << "";
        QTest::newRow("false with feedback") << QByteArray("The sun is cold. {FALSE#wrong, it is hot#right}") << 1 << 1
                                             << QStringList{"誤り", "正しい"} << "The sun is cold."
                                             << "a: right\nb: wrong, it is hot";
        QTest::newRow("missing word") << QByteArray("Water boils at {=100 ~50 ~80} degrees.") << 1 << 1
                                      << QStringList{"100", "50", "80"} << "Water boils at ＿＿＿ degrees."
                                      << "";
        QTest::newRow("escapes") << QByteArray("Esc \\= \\~ \\# \\{ \\} \\: \\\\ end\\nnext {=a\\=b ~c\\#d ~e\\~f}")
                                 << 1 << 1 << QStringList{"a=b", "c#d", "e~f"} << "Esc = ~ # { } : \\ end\nnext"
                                 << "";
        QTest::newRow("short answer") << QByteArray("Who? {=Alice =%50%alice smith}") << 5 << 1
                                      << QStringList{"a@Alice", "b@off", "c@21"} << "Who?"
                                      << "";
        QTest::newRow("exact number") << QByteArray("Year? {#1822}") << 5 << 1 << QStringList{"a@1822", "b@off", "c@14"}
                                      << "Year?"
                                      << "";
        QTest::newRow("number with zero tolerance")
            << QByteArray("Year? {#1822:0}") << 5 << 1 << QStringList{"a@1822", "b@off", "c@14"} << "Year?"
            << "";
        QTest::newRow("html text with an entity") << QByteArray("[html]<p>A &amp; B<br>C&#12354;</p> {=x ~y}") << 1 << 1
                                                  << QStringList{"x", "y"} << "A & B\nCあ"
                                                  << "";
        QTest::newRow("wave dash becomes the CP932 tilde") << QByteArray("Range 1\xE3\x80\x9C"
                                                                         "5 {=a ~b}")
                                                           << 1 << 1 << QStringList{"a", "b"} << "Range 1～5"
                                                           << "";
    }
    void mapping()
    {
        QFETCH(QByteArray, gift);
        compareSingleQuestion(importText(Format::Gift, gift.toStdString()));
    }

    void reportLines_data()
    {
        QTest::addColumn<QByteArray>("gift");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<QString>("report");

        QTest::newRow("essay") << QByteArray("Write. {}") << 1 << "bank.gift:3: skipped: essay";
        QTest::newRow("matching") << QByteArray("Match. {=a -> 1 =b -> 2}") << 1 << "skipped: matching";
        QTest::newRow("tolerance") << QByteArray("N {#1822:5}") << 1 << "number with a tolerance or a range";
        QTest::newRow("range") << QByteArray("N {#1..5}") << 1 << "number with a tolerance or a range";
        QTest::newRow("description") << QByteArray("Just a text.") << 1 << "skipped: description";
        QTest::newRow("two blanks: cloze") << QByteArray("A {=x ~y} and {=z ~w}.") << 1 << "skipped: cloze";
        QTest::newRow("empty short answer") << QByteArray("Q {=}") << 1 << "skipped: the answer at 100 % is empty";
        QTest::newRow("weights below 100") << QByteArray("Q {~%40%A ~%40%B ~C}") << 1 << "add up to 80 %";
        QTest::newRow("two answers at 100")
            << QByteArray("Q {=A =%100%B ~C}\n") << 1 << "2 answers at 100 %: a single-choice question has one";
        QTest::newRow("partial credit") << QByteArray("Q {=A ~%50%B ~C}") << 0
                                        << "bank.gift:3: answers with partial credit count as wrong: \"B\" (50 %)";
        QTest::newRow("further short answers")
            << QByteArray("Q {=cat =dog}") << 0
            << "only \"cat\" is kept as the correct text; also accepted were \"dog\"";
        QTest::newRow("three-level category")
            << QByteArray("$CATEGORY: $course$/Net/Routing/Static\n\nQ {=a ~b}") << 0
            << "category Net/Routing/Static: the levels below \"Net/Routing\" are merged into it";
        QTest::newRow("character outside CP932")
            << QByteArray("Smile \xF0\x9F\x98\x80 {=a ~b}") << 0 << "U+1F600 at character 7 of the question text";
    }
    void reportLines()
    {
        QFETCH(QByteArray, gift);
        QFETCH(int, skipped);
        QFETCH(QString, report);
        // A first question that always imports, so the one under test never leaves the file empty.
        const Imported imported = importText(Format::Gift, "Base {=a ~b}\n\n" + gift.toStdString());
        QVERIFY2(!imported.error, qPrintable(imported.error ? imported.error->text() : QString()));
        QCOMPARE(imported.result.skipped, skipped);
        QCOMPARE(imported.result.imported, 2 - skipped);
        QVERIFY2(imported.reportText().contains(report), qPrintable(imported.reportText()));
    }

    void categories()
    {
        const Imported imported = importText(Format::Gift, "Loose {=a ~b}\n\n"
                                                           "$CATEGORY: $course$/top/Net/Routing/Static\n"
                                                           "Q1 {=a ~b}\n\n"
                                                           "$CATEGORY: Net\n\nQ2 {=a ~b}\n\n"
                                                           "$CATEGORY: Net/Switching\n\nQ3 {=a ~b}\n");
        QVERIFY(!imported.error);
        const QuestionBank& bank = *imported.bank;
        QCOMPARE(bank.categoryCount, 2);
        QCOMPARE(bank.category(1).name, std::string("bank")); // named after the file
        QCOMPARE(bank.category(1).sub(1).name, std::string("bank"));
        QCOMPARE(bank.category(2).name, std::string("Net"));
        QCOMPARE(bank.category(2).sub(1).name, std::string("Routing"));
        QCOMPARE(bank.category(2).sub(2).name, std::string("Net")); // one level: the sub-category repeats it
        QCOMPARE(bank.category(2).sub(3).name, std::string("Switching"));
        QCOMPARE(bank.question(4).category, 2);
        QCOMPARE(bank.question(4).subCategory, 3);
    }

    void header()
    {
        std::string gift;
        for (int i = 0; i < 60; ++i)
            gift += "Q" + std::to_string(i) + " {=a ~b}\n\n";
        Imported imported = importText(Format::Gift, gift);
        QVERIFY(!imported.error);
        QCOMPARE(imported.bank->mockCount, 50);
        QCOMPARE(imported.bank->mockMinutes, 50);
        QVERIFY(imported.result.source.starts_with("# Imported from bank.gift (GIFT)"));
        QVERIFY(imported.result.source.find("\ncode: bank\ntitle: bank\n") != std::string::npos);

        imported = importText(Format::Gift, "Q {=a ~b}", options("QV-9", "題名"));
        QVERIFY(!imported.error);
        QCOMPARE(imported.bank->mockCount, 1);
        QVERIFY(imported.result.source.find("\ncode: QV-9\ntitle: 題名\n") != std::string::npos);
    }

    void limits_data()
    {
        QTest::addColumn<QByteArray>("gift");
        QTest::addColumn<QString>("error");

        auto one = [](int) { return QStringLiteral("A/B"); };
        QTest::newRow("500 questions") << QByteArray::fromStdString(manyQuestions(501, one))
                                       << "bank.gift:2003: more than 500 questions: this is question 501";
        QTest::newRow("50 categories") << QByteArray::fromStdString(manyQuestions(51, [](int i) {
            return QStringLiteral("C%1/S").arg(i);
        })) << "bank.gift:203: more than 50 categories: \"C50\" would be category 51";
        QTest::newRow("20 sub-categories")
            << QByteArray::fromStdString(manyQuestions(21, [](int i) { return QStringLiteral("C/S%1").arg(i); }))
            << "bank.gift:83: more than 20 sub-categories in category \"C\": \"S20\" would be number 21";
        QTest::newRow("10 choices") << QByteArray::fromStdString(manyQuestions(1, one, 11))
                                    << "bank.gift:3: more than 10 choices in one question";
        QTest::newRow("nothing importable") << QByteArray("Essay {}") << "bank.gift: nothing could be imported";
    }
    void limits()
    {
        QFETCH(QByteArray, gift);
        const Imported imported = importText(Format::Gift, gift.toStdString());
        QVERIFY(imported.error);
        QTEST(imported.error->text(), "error");
        QVERIFY(imported.result.source.empty());
    }

    void brokenFiles_data()
    {
        QTest::addColumn<QByteArray>("gift");
        QTest::addColumn<QString>("error");

        QTest::newRow("ends inside {") << QByteArray("Q1 {=a ~b}\n\nQ2 {=a\n~b\n\n~c")
                                       << "bank.gift:3: the answer list opened here is not closed with \"}\"";
        QTest::newRow("name not closed") << QByteArray("\n::Q1 text {=a}")
                                         << "bank.gift:2: the question's name is not closed";
        QTest::newRow("not UTF-8") << QByteArray("Q {=a}\n\xFF\xFE") << "bank.gift:2: the line is not UTF-8 text";
    }
    void brokenFiles()
    {
        QFETCH(QByteArray, gift);
        QFETCH(QString, error);
        const Imported imported = importText(Format::Gift, gift.toStdString());
        QVERIFY(imported.error);
        QVERIFY2(imported.error->text().startsWith(error), qPrintable(imported.error->text()));
    }
};

QTEST_GUILESS_MAIN(TestGiftImport)
#include "TestGiftImport.moc"

#include "bank/Cp932.h"
#include "session/QuestionLayout.h"
#include "styles/StyleQuestion.h"
#include "support/TestSupport.h"

using namespace questionlayout;

class TestExamLayout : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void spoken_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("no choices") << "Type the word." << QStringList{} << "Type the word.";
        QTest::newRow("choices lettered in order") << "Which?" << QStringList{"one", "two"} << "Which?\na. one\nb. two";
        QTest::newRow("a choice on several lines reads as one")
            << "Q" << QStringList{"first\nsecond\n"} << "Q\na. first second";
        QTest::newRow("blanks around the text dropped") << "  Q \n" << QStringList{"  x "} << "Q\na. x";
    }

    void spoken()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, choices);
        QFETCH(QString, spoken);
        QCOMPARE(spokenQuestion(text, choices), spoken);
    }

    void imageLine_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("shown");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("no line") << QByteArray("What is 1 + 1?\r\nPick one.") << false
                                 << QByteArray("What is 1 + 1?\r\nPick one.") << QStringList{};
        QTest::newRow("two names") << QByteArray("<INCLUDE IMG>@net1.jpg@net2.BMP\r\nLook at both.") << true
                                   << QByteArray("Look at both.") << QStringList{"net1.jpg", "net2.BMP"};
        QTest::newRow("LF only") << QByteArray("<INCLUDE IMG>@a.jpg\nText") << true << QByteArray("Text")
                                 << QStringList{"a.jpg"};
        QTest::newRow("line alone") << QByteArray("<INCLUDE IMG>@a.jpg") << true << QByteArray()
                                    << QStringList{"a.jpg"};
        QTest::newRow("text before first @ ignored")
            << QByteArray("<INCLUDE IMG>xx@a.jpg\r\nT") << true << QByteArray("T") << QStringList{"a.jpg"};
        QTest::newRow("more than four names") << QByteArray("<INCLUDE IMG>@1@2@3@4@5@6\r\nT") << true << QByteArray("T")
                                              << QStringList{"1", "2", "3", "4"};
        QTest::newRow("marker on the second line is text") << QByteArray("Q\r\n<INCLUDE IMG>@a.jpg") << false
                                                           << QByteArray("Q\r\n<INCLUDE IMG>@a.jpg") << QStringList{};
        QTest::newRow("empty") << QByteArray() << false << QByteArray() << QStringList{};
    }
    void imageLine()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, names);
        const ImageLine line = splitImageLine(text.toStdString());
        QTEST(line.present, "present");
        QTEST(QByteArray::fromStdString(line.shownText), "shown");
        QCOMPARE(line.count, names.size());
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(QString::fromStdString(line.names[size_t(i)]), names.at(i));
    }

    // "ァ" is 0x83 0x40 in CP932: its second byte is "@" and must not split the name.
    void doubleByteNameKeepsItsSecondByte()
    {
        const std::string name = cp932::fromUtf8("ァイル.jpg");
        QCOMPARE(name[1], '@');
        const ImageLine line = splitImageLine("<INCLUDE IMG>@" + name + "@b.jpg\r\nT");
        QCOMPARE(line.count, 2);
        QCOMPARE(line.names[0], name);
        QCOMPARE(line.names[1], std::string("b.jpg"));
        QCOMPARE(imagePath(QStringLiteral("/q/oracle/"), line.names[0]), QStringLiteral("/q/oracle/img/ァイル.jpg"));
    }

    void paths()
    {
        QCOMPARE(questionDataDir(QStringLiteral("/inst/QDAT/cisco/QV-200.qdf")), QStringLiteral("/inst/QDAT/cisco/"));
        QCOMPARE(questionDataDir(QString()), QString());
        QCOMPARE(imagePath(QStringLiteral("/inst/QDAT/cisco"), "x.jpg"), QStringLiteral("/inst/QDAT/cisco/img/x.jpg"));
    }

    void choicesStack()
    {
        std::array<int, kChoiceCount> lines{};
        lines.fill(1);
        lines[0] = 3;
        const auto places = placeChoices(lines);
        QCOMPARE(places[0].buttonTop, 5);
        QCOMPARE(places[0].textTop, 7);
        QCOMPARE(places[0].textHeight, 46);                  // 3 x 12 + 10
        QCOMPARE(places[1].textTop - places[0].textTop, 45); // 3 x 12 + 9
        QCOMPARE(places[1].buttonTop, 7 + 36 + 7);
        QCOMPARE(places[1].textHeight, 22);
        QCOMPARE(places[2].textTop, places[1].textTop + 21);
        QCOMPARE(places[2].buttonTop, places[1].textTop + 19);
    }

    void scrollBarRule()
    {
        QVERIFY(!questionNeedsScrollBar(12));
        QVERIFY(questionNeedsScrollBar(13));
    }

    void styleHandOver_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<int>("correctChoice");
        QTest::addColumn<QStringList>("data"); // areas 1..5 (style 3) or dataA..C
        QTest::newRow("graphic") << 3 << QStringList{"b@10,10,20,20", "a@1,2,3,4", "x", "e@5,5,9,9"} << 2
                                 << QStringList{"1,2,3,4", "10,10,20,20", "", "", "5,5,9,9"};
        QTest::newRow("graphic examines six")
            << 3 << QStringList{"", "", "", "", "", "a@6,6,7,7", "a@no"} << 6 << QStringList{"6,6,7,7", "", "", "", ""};
        QTest::newRow("panel keeps leading @") << 4 << QStringList{"a@@1,2", "b@10,20,60,40@70,20,120,40", "c@x"} << 1
                                               << QStringList{"@@1,2", "@10,20,60,40@70,20,120,40", "@x"};
        QTest::newRow("panel examines three")
            << 4 << QStringList{"x", "y", "z", "a@@1"} << 0 << QStringList{"", "", ""};
        QTest::newRow("text entry drops both marks")
            << 5 << QStringList{"b@off", "a@SELECT", "c@20"} << 2 << QStringList{"SELECT", "off", "20"};
        QTest::newRow("last a@ wins") << 7 << QStringList{"a@@1", "a@@2"} << 2 << QStringList{"@@2", "", ""};
        QTest::newRow("upper case is no mark") << 6 << QStringList{"A@@1"} << 0 << QStringList{"", "", ""};
    }
    void styleHandOver()
    {
        QFETCH(int, style);
        QFETCH(QStringList, choices);
        QFETCH(QStringList, data);
        std::array<std::string, kMaxChoices> stored{};
        for (int i = 0; i < choices.size(); ++i)
            stored[size_t(i)] = choices.at(i).toStdString();
        const StyleQuestion q = FillStyleQuestion("Q", stored, style, QStringLiteral("/d/"));
        QTEST(q.correctChoice, "correctChoice");
        if (style == 3) {
            for (int i = 0; i < 5; ++i)
                QCOMPARE(QString::fromStdString(q.areas[size_t(i)]), data.at(i));
        } else {
            QCOMPARE(QString::fromStdString(q.dataA), data.at(0));
            QCOMPARE(QString::fromStdString(q.dataB), data.at(1));
            QCOMPARE(QString::fromStdString(q.dataC), data.at(2));
        }
    }

    void stylePictures()
    {
        const std::array<std::string, kMaxChoices> none{};
        const std::string text = "<INCLUDE IMG>@q.jpg@answer.jpg\r\nConnect them.";
        const StyleQuestion connector = FillStyleQuestion(text, none, 7, QStringLiteral("/d/"));
        QCOMPARE(connector.picturePath, QStringLiteral("/d/img/q.jpg"));
        QCOMPARE(connector.answerPicturePath, QStringLiteral("/d/img/answer.jpg"));
        const StyleQuestion panel = FillStyleQuestion(text, none, 4, QStringLiteral("/d/"));
        QCOMPARE(panel.picturePath, QStringLiteral("/d/img/q.jpg"));
        QVERIFY(panel.answerPicturePath.isEmpty());
        // The marker must open the line for the style screens.
        const StyleQuestion late = FillStyleQuestion(" <INCLUDE IMG>@q.jpg\r\nT", none, 4, QStringLiteral("/d/"));
        QVERIFY(late.picturePath.isEmpty());
    }

    void styleVerdictChoice()
    {
        QCOMPARE(styleAnswerChoice(3, 5), 5);
        QCOMPARE(styleAnswerChoice(3, 6), 0);
        QCOMPARE(styleAnswerChoice(4, 3), 3);
        QCOMPARE(styleAnswerChoice(7, 4), 0);
        QCOMPARE(styleAnswerChoice(5, 0), 0);
        QCOMPARE(styleAnswerChoice(1, 1), 0);
    }
};

QUARVEL_TEST_MAIN(TestExamLayout)
#include "TestExamLayout.moc"

#include "bank/Cp932.h"
#include "session/ReviewRows.h"
#include "support/TestSupport.h"

#include <memory>

class TestReviewRows : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void questionTextIsOneLineWithoutTheImageLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one line") << QStringLiteral("次のうち正しいものはどれか。")
                                  << QStringLiteral("次のうち正しいものはどれか。");
        QTest::newRow("image line") << QStringLiteral("<INCLUDE IMG>@net.jpg@db.jpg\r\n図を見て答えよ。\r\n二行目")
                                    << QStringLiteral("図を見て答えよ。 二行目");
        QTest::newRow("marker inside the first line")
            << QStringLiteral("  <INCLUDE IMG>@a.jpg\r\n本文") << QStringLiteral("本文");
        // Only the first line can be the image line: a later marker is question text.
        QTest::newRow("marker on a later line")
            << QStringLiteral("本文\r\n<INCLUDE IMG>@a.jpg") << QStringLiteral("本文 <INCLUDE IMG>@a.jpg");
        QTest::newRow("image line only") << QStringLiteral("<INCLUDE IMG>@a.jpg") << QString();
        QTest::newRow("blank lines and trailing break")
            << QStringLiteral("\r\n一行目\r\n\r\n\r\n二行目\r\n") << QStringLiteral("一行目 二行目");
        QTest::newRow("bare line feeds") << QStringLiteral("<INCLUDE IMG>@a.jpg\nA\nB") << QStringLiteral("A B");
        QTest::newRow("empty") << QString() << QString();
    }
    void questionTextIsOneLineWithoutTheImageLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(cp932::toUnicode(review::questionText(cp932::fromUnicode(text))), shown);
    }

    void rowsCarryPositionTextAndMark()
    {
        auto session = std::make_unique<SessionTable>();
        auto answers = std::make_unique<AnswerTable>();
        session->question(1).text = "first";
        session->question(2).text = "<INCLUDE IMG>@x.jpg\r\nsecond";
        answers->at(2).marked = 1;
        answers->at(3).marked = 0;
        const auto rows = review::rows(*session, *answers, 3);
        QCOMPARE(int(rows.size()), 3);
        QCOMPARE(rows[0].position, std::string("Q.1"));
        QCOMPARE(rows[1].text, std::string("second"));
        QCOMPARE(rows[0].mark, std::string());
        QCOMPARE(rows[1].mark, std::string(" X"));
        QCOMPARE(rows[2].position, std::string("Q.3"));
        QCOMPARE(int(review::rows(*session, *answers, 900).size()), kMaxQuestions);
        QVERIFY(review::rows(*session, *answers, -2).empty());
    }

    void pagesOfFourteenRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("position");
        QTest::newRow("hidden row") << 0 << 0;
        QTest::newRow("below the list") << -5 << 0;
        QTest::newRow("first") << 1 << 0;
        QTest::newRow("last of page 1") << 14 << 0;
        QTest::newRow("first of page 2") << 15 << 224;
        QTest::newRow("last of page 2") << 28 << 224;
        QTest::newRow("first of page 3") << 29 << 448;
        QTest::newRow("500") << 500 << 35 * 224;
    }
    void pagesOfFourteenRows()
    {
        QFETCH(int, row);
        QFETCH(int, position);
        QCOMPARE(review::scrollPosition(row), position);
    }

    void gridAndContentHeights_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("content");
        QTest::newRow("none") << 0 << 17 << 1;
        QTest::newRow("14 rows fill a page") << 14 << 241 << 225;
        // 20 rows: the second page must reach a scroll position of one whole page.
        QTest::newRow("20 rows") << 20 << 337 << 448;
        QTest::newRow("500") << 500 << 8017 << 36 * 224;
        QTest::newRow("beyond 500") << 700 << 8017 << 36 * 224;
    }
    void gridAndContentHeights()
    {
        QFETCH(int, count);
        QFETCH(int, grid);
        QFETCH(int, content);
        QCOMPARE(review::gridHeight(count), grid);
        QCOMPARE(review::contentHeight(count), content);
        // Every page's scroll position is reachable in a 224-pixel box.
        QVERIFY(std::max(0, review::contentHeight(count) - review::kPageHeight) >=
                review::scrollPosition(std::clamp(count, 0, kMaxQuestions)));
    }

    void jumpOnlyToAQuestion_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("target");
        QTest::newRow("hidden row") << 0 << 0;
        QTest::newRow("first") << 1 << 1;
        QTest::newRow("last") << 20 << 20;
        QTest::newRow("past the end") << 21 << 0;
    }
    void jumpOnlyToAQuestion()
    {
        QFETCH(int, selected);
        QFETCH(int, target);
        QCOMPARE(review::jumpTarget(selected, 20), target);
    }
};

QUARVEL_TEST_MAIN(TestReviewRows)
#include "TestReviewRows.moc"

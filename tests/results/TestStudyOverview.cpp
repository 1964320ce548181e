// The advisor's diagnosis without widgets: press rows, crown, the history text, the summary page
// and the diagnosis form's placeholders; and the adaptive view's table.
#include "bank/Cp932.h"
#include "results/AdaptiveTable.h"
#include "results/ReportPage.h"
#include "results/StudyOverview.h"
#include "support/TestSupport.h"

namespace
{

std::vector<std::string> fillLines(const std::vector<StudyTest>& tests, const DiagnosisProfile& profile,
                                   const std::vector<std::string>& templateLines)
{
    const std::string page = htmlpage::fill(templateLines, DiagnosisPlaceholders(profile, tests));
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t at; (at = page.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(page.substr(from, at - from));
    return lines;
}

StudyTest studyTest(const std::string& code, int average, int best)
{
    StudyTest t;
    t.code = code;
    t.title = cp932::fromUtf8("試験");
    t.history.average = average;
    t.history.best = best;
    t.categoryNames = {"Net"};
    t.history.categories[0] = {50, 40, 30, 20, 10, 30, 90};
    return t;
}

} // namespace

class TestStudyOverview : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void pressSelectsARow_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("test");
        QTest::newRow("first row") << 8 << 1;
        QTest::newRow("half rounds down to even 0") << 20 << 1;
        QTest::newRow("second row") << 32 << 2;
        QTest::newRow("44: 1.5 rounds to 2") << 44 << 3;
        QTest::newRow("68: 2.5 rounds to 2") << 68 << 3;
        QTest::newRow("above the list") << 0 << 1;
    }
    void pressSelectsARow()
    {
        QFETCH(int, y);
        QFETCH(int, test);
        QCOMPARE(StudyTestAt(y), test);
    }

    void barsAndCrown()
    {
        QCOMPARE(StudyCrownX(70), 189);
        QCOMPARE(StudyBarLength(50), 150);
        QCOMPARE(StudyBarLength(180), 300); // a damaged history never runs past the bar
        QCOMPARE(StudyBestText(80), std::string("(80%)"));
        QCOMPARE(StudyTargetRate("70"), 70);
        QCOMPARE(StudyTargetRate("x"), -1);
    }

    void historyText()
    {
        History h;
        h.attempts[0] = {5, 3, 9, 14, 7, 66, 2, 12};
        h.best = 66;
        h.average = 66;
        h.categories[0] = {50, 40, 30, 20, 10, 30, 90};
        const std::string text = StudyHistoryText(h, {cp932::fromUtf8("ネット")});
        const std::string expected =
            cp932::fromUtf8("■過去10回の履歴\r\n"
                            "所要時間 :05分 モード :2 解いた問題数 :12問 テスト日時 :03月09日 14:07 正答率 :66%\r\n");
        QVERIFY(text.starts_with(expected));
        const std::string empty =
            cp932::fromUtf8("所要時間 :00分 モード :0 解いた問題数 :0問 テスト日時 :00月00日 00:00 正答率 :0%\r\n");
        QCOMPARE(text.substr(expected.size(), empty.size()), empty);
        QVERIFY(text.ends_with(cp932::fromUtf8("●最高正答率 :66%●平均正答率 :66%\r\n"
                                               "■カテゴリー毎の過去5回の履歴\r\n"
                                               "ネット:50%, 40%, 30%, 20%, 10%,  最高:90% 平均:30%\r\n")));
    }

    void diagnosisFormForTwoTests()
    {
        std::vector<StudyTest> tests{studyTest(" QV-1 ", 40, 50), studyTest("QV-\"2\"", 70, 80)};
        tests[1].categoryNames = {"a<b>&\"c\""};
        DiagnosisProfile profile;
        profile.name = "\"><script>";
        profile.inquiryAddress = "http://127.0.0.1:9/form?a=1&b=2";
        const auto lines =
            fillLines(tests, profile, {"<html>", " #CGI_URL# ", "#NAME#", "#TEST#", "#FILE#", "#OTHER#"});
        QCOMPARE(std::count(lines.begin(), lines.end(), "</OPTION><OPTION>"), 2L);
        QCOMPARE(lines[1], std::string("<form ACTION=\"http://127.0.0.1:9/form?a=1&amp;b=2\" METHOD=\"post\">"));
        QCOMPARE(lines[2], std::string("&quot;&gt;&lt;script&gt;"));
        QCOMPARE(lines[4], cp932::fromUtf8(" QV-1  : 試験"));
        QCOMPARE(lines[6], cp932::fromUtf8("QV-&quot;2&quot; : 試験"));
        // One hidden field per test: the trimmed code, the history text escaped, then `">`.
        const std::string first = "<input TYPE=\"HIDDEN\" NAME=\"QV-1\" value=\"";
        QVERIFY(lines[7].starts_with(first));
        QCOMPARE(lines[7].substr(first.size()),
                 htmlpage::escapeAttribute(StudyHistoryText(tests[0].history, tests[0].categoryNames)));
        QCOMPARE(lines[8], std::string("\">"));
        QVERIFY(lines[9].starts_with("<input TYPE=\"HIDDEN\" NAME=\"QV-&quot;2&quot;\" value=\""));
        QVERIFY(lines[9].find("a&lt;b&gt;&amp;&quot;c&quot;:") != std::string::npos);
        QVERIFY(lines[9].find('\r') == std::string::npos); // line breaks kept as character references
        QCOMPARE(lines[11], std::string("#OTHER#"));
    }

    void summaryPage()
    {
        std::vector<StudyTest> tests{studyTest("QV-1", 0, 50), studyTest("QV-2", 100, 100)};
        tests[1].categoryNames = {"Net", "Bad"};
        tests[1].history.categories[1][5] = 101; // outside 0..100: neither line
        const auto lines = SummaryPageLines("<Sato>", tests);
        QCOMPARE(lines[2], cp932::fromUtf8("<small>(氏名：</small>&lt;Sato&gt;)</h4>"));
        QCOMPARE(std::count(lines.begin(), lines.end(), *ReportBarLine(0, 30)), 1L);
        QCOMPARE(std::count(lines.begin(), lines.end(), *ReportBarLine(100, 30)), 1L);
        QCOMPARE(std::count(lines.begin(), lines.end(), *ReportBarLine(30, 15)), 2L);
        QCOMPARE(std::count(lines.begin(), lines.end(),
                            cp932::fromUtf8("<tr valign=\"top\"><td width=\"200\"><b><small>Net</small></b></td>")),
                 2L);
        QVERIFY(std::none_of(lines.begin(), lines.end(), [](const std::string& l) { return l.find("Bad") != l.npos; }));
        QVERIFY(std::find(lines.begin(), lines.end(),
                          cp932::fromUtf8("<td><small>最高得点率は50%です</small><BR>　</td></tr>")) != lines.end());
        QCOMPARE(lines.back(), std::string("</html>"));
        QVERIFY(std::none_of(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("<p>"); }));
    }

    void summaryPageForecastLine()
    {
        std::vector<StudyTest> tests{studyTest("QV-1", 40, 50), studyTest("QV-2", 60, 70)};
        PassForecast f;
        f.probability = 0.724;
        f.low = 0.58;
        f.high = 0.836;
        f.categories = {{1, "Net", 5, 10, 7, 0.7, 0.02}, {2, "<A&B>", 5, 10, 4, 0.4, 0.091}};
        tests[1].forecast = f;
        tests[0].forecast = PassForecast{}; // nothing to go on: no line
        const auto lines = SummaryPageLines("Sato", tests);
        const auto second = std::find(lines.begin(), lines.end(), cp932::fromUtf8("<h4>QV-2 : 試験</h4>"));
        QVERIFY(second != lines.end());
        QCOMPARE(cp932::toUnicode(*(second + 1)),
                 QStringLiteral("<p><small>合格予測 "
                                "72%（58～84%）　最も伸びしろの大きいカテゴリー：&lt;A&amp;B&gt;（+9%）</small></p>"));
        QCOMPARE(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("<p>"); }),
                 1L);
        // A learner sure to pass: no category is worth naming for a gain that rounds to nothing.
        f.probability = 0.999;
        f.low = 0.99;
        f.high = 1;
        f.categories[0].gain = 0.003;
        f.categories[1].gain = 0.004;
        tests[1].forecast = f;
        const auto sure = SummaryPageLines("Sato", tests);
        const auto line = std::find(sure.begin(), sure.end(), cp932::fromUtf8("<h4>QV-2 : 試験</h4>")) + 1;
        QCOMPARE(cp932::toUnicode(*line), QStringLiteral("<p><small>合格予測 100%（99～100%）</small></p>"));
    }

    void adaptiveTable()
    {
        std::vector<CategoryNames> names(2);
        names[0].name = "Net";
        names[0].subCategories[0] = "IP";
        names[1].name = "Sec";
        const std::vector<std::string> lines{
            JoinAdaptiveLine({"1", "1", "1", "q1", "4", "3", "10"}),
            JoinAdaptiveLine({"2", "2", "25", "q2", "2", "0", "0"}), // no time yet: left out of the average
            JoinAdaptiveLine({"3", "9", "1", "q3", "1", "1", "21"}), // category outside the table
            JoinAdaptiveLine({"4", "1", "1", "q4", "x", "1", "5"}),  // count not a number
        };
        const AdaptiveTable table = BuildAdaptiveTable(lines, names, QStringLiteral("t.ADP"));
        QCOMPARE(table.rows.size(), size_t(4));
        QCOMPARE(table.rows[0][kAdpCategory], std::string("Net"));
        QCOMPARE(table.rows[0][kAdpSubCategory], std::string("IP"));
        QCOMPARE(table.rows[1][kAdpSubCategory], std::string("25"));
        QCOMPARE(table.rows[2][kAdpCategory], std::string("9"));
        QCOMPARE(table.rows[3][kAdpAsked], std::string("x"));
        QCOMPARE(table.asked, 7LL);
        QCOMPARE(table.correct, 5LL);
        QCOMPARE(table.averageSeconds, 12LL); // (10 + 21 + 5) div 3, not weighted by times asked
        QVERIFY(table.problem && table.problem->line == 4);
        QCOMPARE(AdaptiveTotalsText(table), cp932::fromUtf8("出題数の合計 : 7 正解数の合計 : 5 平均回答時間 : 12"));

        const AdaptiveTable zero = BuildAdaptiveTable({lines[1]}, names, QStringLiteral("t.ADP"));
        QCOMPARE(zero.averageSeconds, 0LL);
        QVERIFY(!zero.problem);
    }
};

QUARVEL_TEST_MAIN(TestStudyOverview)
#include "TestStudyOverview.moc"

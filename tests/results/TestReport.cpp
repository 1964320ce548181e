// The printed report: bar lines, the page's figures as the history will store them, the XBM
// byte layout, the charts, and the files written into Print/.
#include "ResultFixtures.h"
#include "bank/Cp932.h"
#include "results/Recording.h"
#include "results/ReportPage.h"
#include "results/screens/ReportChart.h"
#include "results/screens/ReportWriter.h"
#include "support/TestSupport.h"

#include <QImage>

namespace
{

bool contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    return lines;
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

    // A test of three categories: category 1 asked now (2 of 2 right), category 2 asked before
    // only (stored average 60), category 3 never asked. One earlier attempt (E = 8 afterwards).
    ReportData reportData(const std::string& name = "Sato")
    {
        History loaded;
        loaded.attempts[0] = {20, 3, 1, 9, 0, 40, 2, 10};
        loaded.best = 40;
        loaded.average = 40;
        loaded.categories[0] = {40, 0, 0, 0, 0, 40, 40};
        loaded.categories[1] = {60, 0, 0, 0, 0, 60, 60};
        fixtures::Session s;
        s.add(1, true);
        s.add(1, true);
        const AttemptScore score = ScoreAttempt(*s.questions, *s.answers, s.count, 754, {2024, 3, 9, 14, 5});
        ReportData d;
        d.userName = name;
        d.code = "QV-100";
        d.title = cp932::fromUtf8("基礎");
        d.mode = kModeMock;
        d.score = score;
        d.after = AppendAttempt(loaded, score, TallyCategories(*s.questions, score, 3), *s.questions, d.mode, 3);
        d.categoryNames = {"Alpha", "Beta", "Gamma"};
        return d;
    }

  private Q_SLOTS:
    void barLine_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("line");
        QTest::newRow("0") << 0 << 30 << R"(<td><img src="black.gif" width=400 height=30></td></tr>)";
        QTest::newRow("100") << 100 << 30 << R"(<td><img src="red.gif" width=400 height=30></td></tr>)";
        QTest::newRow("37")
            << 37 << 30
            << R"(<td><img src="red.gif" width=148 height=30><img src="black.gif" width=252 height=30></td></tr>)";
        QTest::newRow("category")
            << 1 << 15
            << R"(<td><img src="red.gif" width=4 height=15><img src="black.gif" width=396 height=15></td></tr>)";
        QTest::newRow("below 0") << -1 << 15 << QString();
        QTest::newRow("above 100") << 101 << 15 << QString();
    }
    void barLine()
    {
        QFETCH(int, percent);
        QFETCH(int, height);
        QFETCH(QString, line);
        QCOMPARE(QString::fromStdString(ReportBarLine(percent, height).value_or("")), line);
    }

    // Both pages' tables from one history: a damaged category is left out, names are escaped, and
    // only the shape's attributes differ.
    void barTableShapes()
    {
        History history;
        history.average = 101; // damaged: an empty bar
        history.categories[0][5] = 50;
        history.categories[1][5] = -1;
        history.categories[2][5] = 100;
        const std::vector<std::string> names{"A&B", "Lost", "C", "Unrecorded"};
        BarTableShape plain;
        plain.bestCell = "BEST";
        plain.categoryHeading = true;
        const std::vector<std::string> report = BarTableLines(history, names, plain);
        const std::vector<std::string> expected{"<table>",
                                                cp932::fromUtf8("<tr><td><b><small>■総合成績</small></b></td>"),
                                                "<td><img src=\"print_scale.gif\"><BR></td></tr>",
                                                "<tr><td></td>",
                                                "<td></td></tr>",
                                                "<tr><td></td>",
                                                "BEST",
                                                cp932::fromUtf8("<tr><td><b><small>■カテゴリ別成績</small></b></td>"),
                                                "<td><img src=\"print_scale.gif\"><BR></td></tr>",
                                                "<tr><td><small>A&amp;B</small></td>",
                                                *ReportBarLine(50, 15),
                                                "<tr><td><small>C</small></td>",
                                                *ReportBarLine(100, 15),
                                                "<tr><td><small>Unrecorded</small></td>",
                                                *ReportBarLine(0, 15),
                                                "</table>"};
        QCOMPARE(report, expected);
        BarTableShape top;
        top.rowAttributes = " valign=\"top\"";
        top.categoryCellAttributes = " width=\"200\"";
        top.boldCategoryNames = true;
        const std::vector<std::string> overview = BarTableLines(history, names, top);
        QCOMPARE(overview.size(), expected.size() - 2);
        QCOMPARE(overview[3], std::string("<tr valign=\"top\"><td></td>"));
        QCOMPARE(overview[5], std::string("<tr><td></td>"));
        QCOMPARE(overview[7], std::string("<tr valign=\"top\"><td width=\"200\"><b><small>A&amp;B</small></b></td>"));
    }

    void pageFiguresAsTheHistoryWillHoldThem()
    {
        const std::vector<std::string> lines = ReportPageLines(reportData());
        // Average of 40 and 100 over two records; best 100.
        QVERIFY(contains(lines, *ReportBarLine(70, 30)));
        QVERIFY(
            contains(lines, cp932::fromUtf8("<td><small>*これまでの最高正答率は100％です。</small><BR>　</td></tr>")));
        // Category 1: (100 + 40) div 2; category 2 keeps its stored 60; category 3 a black bar.
        const auto alpha = std::find(lines.begin(), lines.end(), "<tr><td><small>Alpha</small></td>");
        QVERIFY(alpha != lines.end());
        QCOMPARE(*(alpha + 1), *ReportBarLine(70, 15));
        QCOMPARE(*(alpha + 3), *ReportBarLine(60, 15));
        QCOMPARE(*(alpha + 4), std::string("<tr><td><small>Gamma</small></td>"));
        QCOMPARE(*(alpha + 5), *ReportBarLine(0, 15));
        QVERIFY(contains(lines, cp932::fromUtf8("<h4><small>■科目：</small>QV-100\r\n基礎</h4>")));
        QVERIFY(contains(lines, cp932::fromUtf8("<h4><small>■モード：</small>模擬試験</h4>")));
        QVERIFY(contains(lines, cp932::fromUtf8("<h4><small>■実施日時：</small>2024/3/9 14:5</h4>")));
        QVERIFY(contains(lines, cp932::fromUtf8("<h4><small>■所要時間：</small>12' 34</h4>")));
        QVERIFY(contains(lines, R"(<img src="SEISEKI.png">)"));
        QVERIFY(contains(lines, R"(<img src="TIME.png">)"));
        QCOMPARE(lines.back(), std::string("</html>"));
    }

    void categoryOutsideTheRangeIsLeftOut()
    {
        ReportData d = reportData();
        d.after.categories[2][5] = 130; // a damaged history
        const std::vector<std::string> lines = ReportPageLines(d);
        QVERIFY(!contains(lines, "<tr><td><small>Gamma</small></td>"));
        QVERIFY(contains(lines, "<tr><td><small>Beta</small></td>"));
    }

    void valuesAreEscaped()
    {
        ReportData d = reportData(R"(<b>"A&B"</b>)");
        d.categoryNames[0] = "<i>x</i>";
        const std::vector<std::string> lines = ReportPageLines(d);
        QVERIFY(
            contains(lines, cp932::fromUtf8("<h4><small>■氏名：</small>&lt;b&gt;&quot;A&amp;B&quot;&lt;/b&gt;</h4>")));
        QVERIFY(contains(lines, "<tr><td><small>&lt;i&gt;x&lt;/i&gt;</small></td>"));
    }

    void forecastLineAndCategoryTable()
    {
        ReportData d = reportData();
        QVERIFY(!contains(ReportPageLines(d), cp932::fromUtf8("<h4>合格予測</h4>"))); // none made: none shown
        PassForecast f;
        f.probability = 0.724;
        f.low = 0.58;
        f.high = 0.836;
        f.passMark = 70;
        f.questionCount = 15;
        f.categories = {{1, "Alpha", 5, 12, 9, 0.75, 0.05}, {2, "<i>x</i>", 5.33, 0, 0, 0.6, 0.121}};
        d.forecast = f;
        const std::vector<std::string> lines = ReportPageLines(d);
        const auto heading = std::find(lines.begin(), lines.end(), cp932::fromUtf8("<h4>合格予測</h4>"));
        QVERIFY(heading != lines.end());
        QVERIFY(heading < std::find(lines.begin(), lines.end(), R"(<img src="SEISEKI.png">)"));
        // Decoded: a character CP932 lacks would have become "?" on the way into the page.
        QCOMPARE(cp932::toUnicode(*(heading + 1)),
                 QStringLiteral("<h4><small>■今日、模擬試験を受けて合格する見込み：</small>72%<small>（80%の区間 "
                                "58～84%）</small></h4>"));
        QCOMPARE(
            cp932::toUnicode(*(heading + 2)),
            QStringLiteral("<p><small>合格点 70%、模擬試験 15 問。カテゴリーの正答率が 10 ポイント上がったときに合格の"
                           "見込みが上がる幅を「伸びしろ」に示します。</small></p>"));
        QCOMPARE(cp932::toUnicode(*(heading + 4)),
                 QStringLiteral("<tr><th>カテゴリー</th><th>出題数</th><th>解答数</th><th>正解数</th><th>推定正答率</"
                                "th><th>伸びしろ</th></tr>"));
        QVERIFY(contains(
            lines,
            R"(<tr><td>Alpha</td><td align="right">5</td><td align="right">12</td><td align="right">9</td><td align="right">75%</td><td align="right">+5%</td></tr>)"));
        QVERIFY(contains(
            lines,
            R"(<tr><td>&lt;i&gt;x&lt;/i&gt;</td><td align="right">5.3</td><td align="right">0</td><td align="right">0</td><td align="right">60%</td><td align="right">+12%</td></tr>)"));
        QVERIFY(contains(
            lines, cp932::fromUtf8("<p><small>最も伸びしろの大きいカテゴリー：</small>&lt;i&gt;x&lt;/i&gt;</p>")));
    }

    void forecastWithoutProbabilitySaysWhy_data()
    {
        QTest::addColumn<int>("passMark");
        QTest::addColumn<QString>("line");
        QTest::newRow("nothing recorded") << 70 << QStringLiteral("記録が足りないため、予測できません");
        QTest::newRow("no pass mark") << -1 << QStringLiteral("合格点が定められていないため、予測できません");
    }
    void forecastWithoutProbabilitySaysWhy()
    {
        QFETCH(int, passMark);
        QFETCH(QString, line);
        ReportData d = reportData();
        PassForecast f;
        f.passMark = passMark;
        f.categories = {{1, "Alpha", 5, 0, 0, std::nullopt, std::nullopt}};
        d.forecast = f;
        const std::vector<std::string> lines = ReportPageLines(d);
        QVERIFY(contains(lines, cp932::fromUnicode(QStringLiteral("<h4><small>■合格予測：</small>") + line +
                                                   QStringLiteral("</h4>"))));
        QVERIFY(contains(
            lines,
            R"(<tr><td>Alpha</td><td align="right">5</td><td align="right">0</td><td align="right">0</td><td align="right">--</td><td align="right">--</td></tr>)"));
    }

    void xbmLayout()
    {
        QImage image(kReportChartWidth, kReportChartHeight, QImage::Format_RGB888);
        image.fill(Qt::white);
        image.setPixelColor(9, 0, Qt::black);
        image.setPixelColor(0, 1, QColor(0xFF, 0x00, 0x00));     // no blue: set
        image.setPixelColor(607, 139, QColor(0x00, 0x00, 0x01)); // some blue: not set
        const std::vector<std::string> lines = splitLines(xbmText(image));
        QCOMPARE(lines.size(), size_t(3 + 140 + 1));
        QCOMPARE(lines[0], std::string("#define TEST_width 608"));
        QCOMPARE(lines[1], std::string("#define TEST_height 140"));
        QCOMPARE(lines[2], std::string("static char TEST_bits[] = {"));
        QCOMPARE(lines.back(), std::string("};"));
        for (size_t y = 0; y < 140; ++y) {
            const std::string& row = lines[3 + y];
            QCOMPARE(row.size(), size_t(76 * 5)); // "0xHH," times 76, the last one too
            QCOMPARE(std::count(row.begin(), row.end(), ','), 76L);
        }
        QCOMPARE(lines[3].substr(0, 10), std::string("0x00,0x02,"));
        QCOMPARE(lines[4].substr(0, 5), std::string("0x01,"));
        QCOMPARE(lines[5], lines[142]); // white rows are all 0x00
        QVERIFY(lines[5].find_first_not_of("0x,") == std::string::npos);
    }

    void chartsAreDrawnBlackOnWhite()
    {
        AttemptScore score;
        score.rate = 50;
        score.elapsedMinutes = 12;
        const TrendChart chart = BuildTrendChart(History{}, score, 30);
        const QImage rate = drawReportChart(chart, ReportChartKind::Rate);
        QCOMPARE(rate.size(), QSize(608, 140));
        QCOMPARE(rate.depth(), 1);
        QCOMPARE(rate.pixelColor(0, 70), QColor(Qt::black));   // the surrounding rectangle
        QCOMPARE(rate.pixelColor(300, 10), QColor(Qt::black)); // the plot frame
        QCOMPARE(rate.pixelColor(300, 60), QColor(Qt::white));
        QCOMPARE(rate.pixelColor(511, 60), QColor(Qt::black)); // the current attempt's outer circle at 50 %
        QCOMPARE(rate.pixelColor(515, 60), QColor(Qt::white)); // white inside the inner circle
        // 12 minutes of T = 30: y = 110 - Round(12 x 50 / 30) = 90.
        const QImage time = drawReportChart(chart, ReportChartKind::Time);
        QCOMPARE(time.pixelColor(511, 90), QColor(Qt::black));
        QVERIFY(time != rate);
    }

    void writesTheFilesIntoPrint()
    {
        testsupport::TempInstall install;
        const QString print = install.programDir() + QStringLiteral("Print/");
        const TrendChart chart = BuildTrendChart(History{}, reportData().score, 30);
        auto error = WriteReport(print, reportData(), chart);
        QVERIFY(error && error->text().contains(QStringLiteral("Print")));

        install.writeFile(QStringLiteral("BIN/Print/red.gif"), std::string("GIF"));
        error = WriteReport(print, reportData(), chart);
        QVERIFY(error && error->text().contains(QStringLiteral("PrintProto")));
        QVERIFY(!QFile::exists(print + QStringLiteral("SEISEKI.xbm")));

        install.writeFile(QStringLiteral("BIN/Print/printproto"), std::string("<html>\r\n<body>\r\n"));
        QVERIFY(!WriteReport(print, reportData(), chart));
        const std::string page = testsupport::readBytes(print + QStringLiteral("Print.htm"));
        QVERIFY(page.starts_with("<html>\r\n<body>\r\n<hr>\r\n"));
        QCOMPARE(testsupport::readBytes(print + QStringLiteral("SEISEKI.xbm")),
                 xbmText(drawReportChart(chart, ReportChartKind::Rate)));
        for (const char* name : {"TIME.xbm", "SEISEKI.png", "TIME.png"})
            QVERIFY2(QFile::exists(print + QLatin1String(name)), name);
        QCOMPARE(QImage(print + QStringLiteral("TIME.png")).size(), QSize(608, 140));
        // The PNG holds the very pixels drawn, however it is packed.
        const QImage drawn = drawReportChart(chart, ReportChartKind::Time).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(QImage(print + QStringLiteral("TIME.png")).convertToFormat(QImage::Format_RGB32), drawn);
    }

    // A one-bit picture gives the XBM its 24-bit form would give, whichever colour each index holds.
    void xbmOfOneBitPictures_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QRgb>("zero");
        QTest::addColumn<QRgb>("one");
        QTest::newRow("msb first") << int(QImage::Format_Mono) << qRgb(255, 255, 255) << qRgb(0, 0, 0);
        QTest::newRow("lsb first") << int(QImage::Format_MonoLSB) << qRgb(255, 255, 255) << qRgb(0, 0, 0);
        QTest::newRow("table swapped") << int(QImage::Format_Mono) << qRgb(0, 0, 0) << qRgb(255, 255, 255);
        QTest::newRow("red and blue") << int(QImage::Format_Mono) << qRgb(255, 0, 0) << qRgb(0, 0, 255);
    }

    void xbmOfOneBitPictures()
    {
        QFETCH(int, format);
        QFETCH(QRgb, zero);
        QFETCH(QRgb, one);
        QImage bits(kReportChartWidth, kReportChartHeight, QImage::Format(format));
        bits.setColorTable({zero, one});
        bits.fill(0);
        for (const QPoint p : {QPoint(0, 0), QPoint(9, 0), QPoint(7, 1), QPoint(8, 1), QPoint(607, 139)})
            bits.setPixel(p, 1);
        QCOMPARE(xbmText(bits), xbmText(bits.convertToFormat(QImage::Format_RGB888)));
    }
};

QUARVEL_TEST_MAIN(TestReport)
#include "TestReport.moc"

// The diagnosis screen and the adaptive history view, driven as a person would: the test list,
// a test's categories, the adaptive list and its deletion, the two pages and the greeting.
#include "ForecastFixtures.h"
#include "bank/Cp932.h"
#include "bank/QuestionFileWriter.h"
#include "results/AdaptiveRecord.h"
#include "results/screens/TAdaptiveForm.h"
#include "results/screens/TStudyForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCourseMenuForm.h"
#include "support/TestSupport.h"
#include "ui/ShellOpen.h"

#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>

namespace
{

const QColor kRed(0xFF, 0x00, 0x00);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kYellow(0xFF, 0xFF, 0x00);

template <typename T = QWidget> T* control(QWidget* screen, const char* name)
{
    T* found = screen->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

QColor pixel(QWidget* screen, const char* name, int x, int y)
{
    return control<QLabel>(screen, name)->pixmap().toImage().pixelColor(x, y);
}

// Dark pixels inside the bar of list row `row` (1-based): the forecast's black writing, smoothed.
int blackInBar(QWidget* screen, int row)
{
    const QImage bars = control<QLabel>(screen, "Image0")->pixmap().toImage();
    int black = 0;
    for (int y = 24 * row - 14; y < 24 * row - 1; ++y)
        for (int x = 4; x < 296; ++x) {
            const QColor c = bars.pixelColor(x, y);
            black += c.red() < 128 && c.green() < 128 && c.blue() < 128 ? 1 : 0;
        }
    return black;
}

} // namespace

class TestStudyForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    QList<CourseTest> m_tests;
    QStringList m_opened;

    TStudyForm* study() { return screens().StudyForm; }

    // Test i: `categories` categories "分類1".., average and best as given, target 70.
    void addTest(const std::string& code, int categories, int average, int best)
    {
        auto bank = testsupport::oneCategoryBank(3, 10, {"right", "wrong"});
        bank->categoryCount = categories;
        for (int c = 1; c <= categories; ++c) {
            bank->category(c).name = cp932::fromUtf8("分類") + std::to_string(c);
            bank->category(c).sub(1) = {cp932::fromUtf8("小分類"), 1};
        }
        QuestionHeader header;
        header.targetRate = "70";
        header.code = code;
        header.title = cp932::fromUtf8("試験 ") + code;
        CourseTest test;
        test.questionFile = m_install->writeFile(QStringLiteral("QDAT/v/%1.qdf").arg(QString::fromStdString(code)),
                                                 QuestionFileBytes(header, *bank));
        test.historyFile = m_install->historyDir(QStringLiteral("v")) + QString::fromStdString(code) + ".HIS";
        test.adaptiveFile = m_install->historyDir(QStringLiteral("v")) + QString::fromStdString(code) + ".ADP";
        test.code = header.code;
        test.title = header.title;
        test.targetRate = header.targetRate;
        History history;
        history.average = average;
        history.best = best;
        for (int c = 1; c <= categories; ++c)
            history.categories[size_t(c - 1)] = {40, 0, 0, 0, 0, 10 * c, 90};
        QVERIFY(SaveHistory(test.historyFile, history, test.questionFile));
        m_tests << test;
    }

    // A test of three categories of ten questions (the second named `secondName`), a mock exam of
    // 15 at 70%, sat `attempts` times with all five right in categories 1 and 3 and `netRight` of
    // five in category 2; replaces test 1.
    void forecastTest(int attempts, int netRight, const std::string& secondName = "Net", bool idleAfter = true)
    {
        auto bank = forecastfixtures::bank({10, 10, 10}, 15);
        bank->category(2).name = secondName;
        QuestionHeader header;
        header.targetRate = "70";
        header.code = "QV-F";
        header.title = "F";
        CourseTest& test = m_tests[0];
        test.questionFile = m_install->writeFile(QStringLiteral("QDAT/v/QV-F.qdf"), QuestionFileBytes(header, *bank));
        test.historyFile = m_install->historyDir(QStringLiteral("v")) + QStringLiteral("QV-F.HIS");
        History history;
        for (int k = 0; k < attempts; ++k) {
            for (int c = 0; c < 3; ++c)
                forecastfixtures::answer(history, c * 10 + 1, 10, c == 1 ? netRight : 5, c == 1 ? 5 - netRight : 0);
            forecastfixtures::attempt(history, QDate(2026, 5, 25 + k), 15, (10 + netRight) * 100 / 15);
        }
        QVERIFY(SaveHistory(test.historyFile, history, test.questionFile));
        study()->today = [] { return QDate(2026, 6, 1); };
        study()->refresh();
        if (idleAfter)
            idle();
    }

    // The forecasts the list leaves to idle time.
    void idle()
    {
        for (int tick = 0; tick < 100 && control<QTimer>(study(), "ForecastTimer")->isActive(); ++tick)
            study()->ForecastTimerTimer();
    }

    void openFirstTest()
    {
        study()->LabelImageMouseDown(100, 8);
        while (control<QTimer>(study(), "Timer1")->isActive())
            study()->Timer1Timer();
    }

  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        layout::setProgramDir(m_install->programDir());
        createScreens();
        m_tests.clear();
        addTest("QV-1", 3, 50, 80);
        addTest("QV-2", 12, 0, 0);
        addTest("QV-3", 2, 100, 100);
        m_install->writeFile(QStringLiteral("HIST/v/QV-2.ADP"),
                             AdaptiveRecordBytes({JoinAdaptiveLine({"1", "1", "1", "q1", "4", "3", "10"}),
                                                  JoinAdaptiveLine({"2", "13", "1", "q2", "2", "1", "21"})}));
        study()->testSource = [this] { return m_tests; };
        m_opened.clear();
        ui::testing::setOpener([this](const QString& target, bool) { m_opened << target; });
        ui::testing::clearShownMessages();
        setProgramEndHandler([] {});
        study()->show();
    }

    void cleanup()
    {
        destroyScreens();
        setProgramEndHandler({});
        m_install.reset();
    }

    void testListBarsCrownAndIcons()
    {
        QCOMPARE(study()->windowTitle(), QStringLiteral("アドバイザーの診断"));
        QCOMPARE(control<QLabel>(study(), "Image0")->pixmap().height(), 24 * 3 + 8);
        QCOMPARE(control<QLabel>(study(), "LabelImage")->pixmap().height(), 24 * 3 - 1);
        // Test 1: average 50 gives 150 red pixels, the silver rest runs to 300.
        QCOMPARE(pixel(study(), "Image0", 149, 16), kRed);
        QCOMPARE(pixel(study(), "Image0", 150, 16), kSilver);
        QCOMPARE(pixel(study(), "Image0", 299, 16), kSilver);
        QCOMPARE(pixel(study(), "Image0", 0, 40), kSilver);             // test 2: average 0
        QCOMPARE(pixel(study(), "Image0", 299, 64), kRed);              // test 3: average 100
        QVERIFY(pixel(study(), "Image0", 197, 5) != QColor(Qt::black)); // crown at 3 x 70 - 21 = 189
        // The adaptive icon stands before test 2 only.
        QVERIFY(pixel(study(), "LabelImage", 5, 24 * 2 - 13 + 5) != QColor(Qt::black));
        QCOMPARE(pixel(study(), "LabelImage", 5, 24 - 13 + 5), QColor(Qt::black));
    }

    // The names column is 273 pixels wide: a name it cuts short is shown whole where the mouse rests.
    void cutNameIsHintedWhole_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("hinted");
        QTest::newRow("short title") << QStringLiteral("試験") << false;
        QTest::newRow("long title")
            << QStringLiteral("データベース基礎 ― SQL・設計・トランザクション・バックアップと復旧 <b>&</b>") << true;
    }
    void cutNameIsHintedWhole()
    {
        QFETCH(QString, title);
        QFETCH(bool, hinted);
        m_tests[1].title = cp932::fromUnicode(title);
        study()->refresh();
        const QString name = QStringLiteral("QV-2 : ") + title;
        QLabel* names = control<QLabel>(study(), "LabelImage");
        QHelpEvent rest(QEvent::ToolTip, QPoint(100, 24 + 12), names->mapToGlobal(QPoint(100, 24 + 12)));
        QApplication::sendEvent(names, &rest);
        QTextDocument shown;
        shown.setHtml(QToolTip::text());
        QCOMPARE(QToolTip::isVisible() ? shown.toPlainText() : QString(), hinted ? name : QString());
        QToolTip::hideText();
    }

    void forecastOnTheBarAndInTheView()
    {
        QCOMPARE(blackInBar(study(), 1), 0); // histories without attempts or answers: nothing claimed
        forecastTest(3, 2);
        const std::optional<PassForecast>& forecast = study()->studyTests().front().forecast;
        QVERIFY(forecast && forecast->probability);
        QVERIFY(blackInBar(study(), 1) > 50);
        QCOMPARE(blackInBar(study(), 2), 0);
        QCOMPARE(pixel(study(), "Image0", 299, 16), kSilver); // the bar's end stays free

        openFirstTest();
        QLabel* label = control<QLabel>(study(), "Label7");
        QVERIFY(label->isVisible());
        const QRegularExpression shape(QStringLiteral("^合格予測 (\\d+)% \\((\\d+)–(\\d+)%\\)　▲Net \\(\\+\\d+%\\)$"));
        const QRegularExpressionMatch match = shape.match(label->text());
        QVERIFY2(match.hasMatch(), qPrintable(label->text()));
        QVERIFY(match.captured(2).toInt() <= match.captured(1).toInt());
        QVERIFY(match.captured(1).toInt() <= match.captured(3).toInt());
        study()->Button1Click();
        QVERIFY(!label->isVisible());
    }

    void forecastsFillInWhenIdleAndAreKept()
    {
        forecastTest(2, 2);
        auto* timer = control<QTimer>(study(), "ForecastTimer");
        const double made = *study()->studyTests().front().forecast->probability;
        study()->refresh(); // same files, same day: at once
        QVERIFY(!timer->isActive());
        QCOMPARE(*study()->studyTests().front().forecast->probability, made);

        // One more attempt recorded: the forecast is made again, after the list has shown.
        History history = LoadHistory(m_tests[0].historyFile);
        forecastfixtures::attempt(history, QDate(2026, 6, 1), 15, 100);
        forecastfixtures::answer(history, 11, 10, 5, 0);
        QVERIFY(SaveHistory(m_tests[0].historyFile, history, m_tests[0].questionFile));
        study()->refresh();
        QVERIFY(timer->isActive());
        QVERIFY(!study()->studyTests().front().forecast);
        QCOMPARE(blackInBar(study(), 1), 0);
        study()->ForecastTimerTimer();
        QVERIFY(!timer->isActive());
        QVERIFY(*study()->studyTests().front().forecast->probability > made);
        QVERIFY(blackInBar(study(), 1) > 50);
    }

    void openingATestMakesItsForecastAtOnce()
    {
        forecastTest(2, 2, "Net", false);
        QVERIFY(control<QTimer>(study(), "ForecastTimer")->isActive());
        openFirstTest();
        QVERIFY(study()->studyTests().front().forecast.has_value());
        QVERIFY(control<QLabel>(study(), "Label7")->text().startsWith(QStringLiteral("合格予測 ")));
        QVERIFY(blackInBar(study(), 1) > 50);
    }

    void forecastViewShowsCategoryNamesAsTyped()
    {
        forecastTest(2, 2, "<b>A&B</b>");
        openFirstTest();
        QLabel* label = control<QLabel>(study(), "Label7");
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY2(label->text().contains(QStringLiteral("▲<b>A&B</b>")), qPrintable(label->text()));
    }

    void testWithoutForecastShowsNoForecastLine()
    {
        openFirstTest(); // test 1 has no attempt recorded
        QVERIFY(!study()->studyTests().front().forecast);
        QVERIFY(!control(study(), "Label7")->isVisible());
    }

    void pressOpensTheCategoryView()
    {
        study()->LabelImageMouseDown(100, 44); // (44 - 8) / 24 = 1.5 rounds to 2: the third test
        QCOMPARE(study()->openedTest(), 3);
        QCOMPARE(control<QLabel>(study(), "Label1")->text(), QStringLiteral("QV-3 : 試験 QV-3"));
        auto* timer = control<QTimer>(study(), "Timer1");
        QVERIFY(timer->isActive());
        study()->LabelImageMouseDown(100, 8); // ignored while a view is open
        QCOMPARE(study()->openedTest(), 3);
        for (int tick = 0; tick < 1000 && timer->isActive(); ++tick)
            study()->Timer1Timer();
        QVERIFY(!timer->isActive());
        QCOMPARE(control(study(), "Label1")->y(), 50);
        QVERIFY(control(study(), "ScrollBox2")->isVisible());
        QVERIFY(control(study(), "Button1")->isVisible());
        QVERIFY(!control(study(), "ScrollBox1")->isVisible());
        // Category 1 of test 3: five-attempt average 10 gives 20 yellow pixels from x = 310.
        QCOMPARE(control<QLabel>(study(), "Image1")->pixmap().height(), 40);
        QCOMPARE(pixel(study(), "Image1", 329, 5), kYellow);
        QCOMPARE(pixel(study(), "Image1", 330, 5), kSilver);
        QCOMPARE(pixel(study(), "Image1", 509, 25), kSilver);

        study()->Button1Click();
        QVERIFY(!study()->isCategoryViewOpen());
        QVERIFY(control(study(), "ScrollBox1")->isVisible());
        QVERIFY(!control(study(), "Label1")->isVisible());
    }

    // The list by keys alone: Tab reaches it, the arrows choose a test, A opens its adaptive list,
    // Enter its categories, as the clicks on its icon and its name do.
    void listByKeys_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("adaptiveShown");
        QTest::addColumn<int>("opened");
        QTest::newRow("Down, A: the icon of test 2") << QList<int>{Qt::Key_Down, Qt::Key_A} << 2 << true << 0;
        QTest::newRow("A on test 1: no record") << QList<int>{Qt::Key_A} << 1 << false << 0;
        QTest::newRow("End, Enter: test 3") << QList<int>{Qt::Key_End, Qt::Key_Return} << 3 << false << 3;
        QTest::newRow("past the ends") << QList<int>{Qt::Key_Up, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down,
                                                     Qt::Key_Space}
                                       << 3 << false << 3;
    }
    void listByKeys()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, row);
        QFETCH(bool, adaptiveShown);
        QFETCH(int, opened);
        testsupport::activate(study());
        QWidget* list = control(study(), "ScrollBox1");
        for (int i = 0; i < 10 && QApplication::focusWidget() != list; ++i)
            testsupport::typeKeys(study(), {Qt::Key_Tab});
        QCOMPARE(QApplication::focusWidget(), list);
        QCOMPARE(study()->keyRow(), 1);
        QVERIFY(control(study(), "KeyRow")->isVisible());
        for (const int key : keys)
            testsupport::typeKeys(study(), {Qt::Key(key)});
        QCOMPARE(study()->keyRow(), row);
        QCOMPARE(screens().AdaptiveForm->isVisible(), adaptiveShown);
        QCOMPARE(study()->isCategoryViewOpen() ? study()->openedTest() : 0, opened);
    }

    void manyCategoriesScroll()
    {
        study()->LabelImageMouseDown(100, 32); // test 2, twelve categories
        while (control<QTimer>(study(), "Timer1")->isActive())
            study()->Timer1Timer();
        QCOMPARE(control<QLabel>(study(), "Image1")->pixmap().height(), 240);
        QCoreApplication::processEvents();
        QVERIFY(control<QScrollArea>(study(), "ScrollBox2")->verticalScrollBar()->maximum() > 0);
    }

    void adaptiveListAndItsDeletion()
    {
        study()->LabelImageMouseDown(5, 8); // icon column of test 1: no record, nothing opens
        TAdaptiveForm* view = screens().AdaptiveForm;
        QVERIFY(!view->isVisible());
        study()->LabelImageMouseDown(5, 32);
        QVERIFY(view->isVisible());
        QCOMPARE(view->size(), QSize(760, 560));
        QCOMPARE(control<QLabel>(view, "Label1")->text(), QStringLiteral("テスト名 : 試験 QV-2"));
        auto* grid = control<QTableWidget>(view, "SG");
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->columnWidth(3), 288);
        QCOMPARE(grid->item(0, 6)->text(), QStringLiteral("平均回答時間"));
        QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("分類1"));
        QCOMPARE(grid->item(1, 2)->text(), QStringLiteral("小分類"));
        QCOMPARE(grid->item(2, 1)->text(), QStringLiteral("13")); // no category 13: the number
        QCOMPARE(control<QLabel>(view, "Label2")->text(),
                 QStringLiteral("出題数の合計 : 6 正解数の合計 : 4 平均回答時間 : 15"));

        view->Image1Click();
        QVERIFY(!view->isVisible());
        QVERIFY(!QFile::exists(m_tests[1].adaptiveFile));
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(pixel(study(), "LabelImage", 5, 24 * 2 - 13 + 5), QColor(Qt::black)); // icon gone

        view->setTest(m_tests[1].adaptiveFile, m_tests[1].questionFile, QStringLiteral("x"));
        view->showModal();
        QVERIFY(!view->isVisible());
        QCOMPARE(ui::testing::shownMessages().last().text, QStringLiteral("Adaptive履歴はありません。"));
    }

    void questionFileNameIgnoresCase()
    {
        TAdaptiveForm* view = screens().AdaptiveForm;
        QString upper = m_tests[1].questionFile;
        upper.replace(QStringLiteral(".qdf"), QStringLiteral(".QDF"));
        view->setTest(m_tests[1].adaptiveFile, upper, QStringLiteral("x"));
        view->showModal();
        QCOMPARE(control<QTableWidget>(view, "SG")->item(1, 1)->text(), QStringLiteral("分類1"));
    }

    void diagnosisFormAndSummaryPage()
    {
        study()->Button3Click(); // no FormProto
        study()->Button4Click(); // no Print/
        QVERIFY(m_opened.isEmpty());
        QCOMPARE(ui::testing::shownMessages().size(), 2);
        QVERIFY(ui::testing::shownMessages()[0].text.contains(QStringLiteral("FormProto")));
        QVERIFY(ui::testing::shownMessages()[1].text.contains(QStringLiteral("Print")));

        m_install->writeFile(QStringLiteral("BIN/FormProto"),
                             std::string("<select>\r\n#TEST#\r\n</select>\r\n#FILE#\r\n"));
        m_install->writeFile(QStringLiteral("BIN/Print/PrintProto"), std::string("<body>\r\n"));
        study()->Button3Click();
        study()->Button4Click();
        QCOMPARE(m_opened, (QStringList{m_install->programDir() + QStringLiteral("Form.htm"),
                                        m_install->programDir() + QStringLiteral("Print/PrintSum.htm")}));
        const std::string form = testsupport::readBytes(m_opened[0]);
        QCOMPARE(std::count(form.begin(), form.end(), '\n'), 2L + 3 * 2 + 3 * 2);
        QVERIFY(form.find(cp932::fromUtf8("分類12:40%, 0%")) != std::string::npos);
        const std::string summary = testsupport::readBytes(m_opened[1]);
        QVERIFY(summary.starts_with("<body>\r\n<hr>\r\n"));
        QVERIFY(summary.find(cp932::fromUtf8("<h4>QV-3 : 試験 QV-3</h4>")) != std::string::npos);
    }

    void greetingAndGoingBack()
    {
        settings::WriteSetting(QString::fromLatin1(settings::kSection), QStringLiteral("Name"),
                               QStringLiteral(" 拓海 "));
        study()->Shape3MouseDown();
        QCOMPARE(ui::testing::shownMessages().last().title, QStringLiteral("Thank you!!"));
        settings::WriteSetting(QString::fromLatin1(settings::kSection), QStringLiteral("Name"), QStringLiteral("遥"));
        study()->Shape3MouseDown();
        QCOMPARE(ui::testing::shownMessages().last().title, QStringLiteral("Bump me one!!"));
        QVERIFY(ui::testing::shownMessages().last().text.contains(QStringLiteral("遥")));
        settings::WriteSetting(QString::fromLatin1(settings::kSection), QStringLiteral("Name"), QStringLiteral("他"));
        study()->Shape3MouseDown();
        QCOMPARE(ui::testing::shownMessages().size(), 2);

        study()->LabelImageMouseDown(100, 8);
        study()->Button2Click();
        QVERIFY(!study()->isVisible());
        QVERIFY(!study()->isCategoryViewOpen());
        QVERIFY(screens().CourseMenuForm->isVisible());
    }
};

QUARVEL_TEST_MAIN(TestStudyForm)
#include "TestStudyForm.moc"

// The result screen's part in the adaptive record (after the history is saved, only when the
// adaptive option was on) and its printed report button.
#include "bank/Cp932.h"
#include "install/Selection.h"
#include "results/AdaptiveRecord.h"
#include "results/screens/TResultForm.h"
#include "session/ExamSession.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "support/ExamSession.h"
#include "support/TestSupport.h"
#include "ui/ShellOpen.h"

class TestResultRecordsAdaptive : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    CourseTest m_test;
    QStringList m_opened;

    // Bank of three questions (numbers 1..3); the session asks 2 (right) and 3 (wrong).
    void setSession(bool adaptive)
    {
        ExamSession& session = examSession();
        session.bank = *testsupport::oneCategoryBank(3, 30, {"yes", "no"});
        session.settings.mode = kModeNormal;
        session.settings.adaptive = adaptive;
        session.settings.questionCount = 2;
        session.sessionQuestions.count = 2;
        for (int r = 1; r <= 2; ++r) {
            session.sessionQuestions.question(r) = testsupport::singleChoiceQuestion(r + 1);
            session.answers.at(r) = testsupport::choiceAnswer(r == 1 ? 0 : 1, 8 * r);
        }
        session.elapsedSeconds = 120;
    }

    void showResult()
    {
        screens().ResultForm->clock = [] { return QDateTime(QDate(2024, 3, 9), QTime(14, 5, 30)); };
        screens().ResultForm->show();
    }

  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        layout::setProgramDir(m_install->programDir());
        createScreens();
        m_test.questionFile = m_install->questionDir(QStringLiteral("v")) + QStringLiteral("t.qdf");
        m_test.historyFile = m_install->historyDir(QStringLiteral("v")) + QStringLiteral("t.HIS");
        m_test.adaptiveFile = m_install->historyDir(QStringLiteral("v")) + QStringLiteral("t.ADP");
        m_test.code = "QV-1";
        m_test.title = cp932::fromUtf8("基礎");
        QVERIFY(CreateEmptyHistory(m_test.historyFile, m_test.questionFile));
        selection().setTest(m_test);
        selection().setTheme(VendorTheme{});
        m_opened.clear();
        ui::testing::setOpener([this](const QString& target, bool) { m_opened << target; });
        ui::testing::clearShownMessages();
        setProgramEndHandler([] {});
    }

    void cleanup()
    {
        destroyScreens();
        setProgramEndHandler({});
        m_install.reset();
    }

    void adaptiveRecordOnlyWhenChosen_data()
    {
        QTest::addColumn<bool>("adaptive");
        QTest::newRow("off") << false;
        QTest::newRow("on") << true;
    }
    void adaptiveRecordOnlyWhenChosen()
    {
        QFETCH(bool, adaptive);
        setSession(adaptive);
        showResult();
        screens().ResultForm->Button3Click();
        QCOMPARE(LoadHistory(m_test.historyFile).attempts[0].rate, 50);
        QCOMPARE(QFile::exists(m_test.adaptiveFile), adaptive);
        if (!adaptive)
            return;
        const auto lines = ReadAdaptiveRecord(m_test.adaptiveFile);
        QVERIFY(lines && lines->size() == 3);
        QCOMPARE(SplitAdaptiveLine((*lines)[0])->at(kAdpAsked), std::string("0"));
        QCOMPARE(SplitAdaptiveLine((*lines)[1])->at(kAdpCorrect), std::string("1"));
        QCOMPARE(SplitAdaptiveLine((*lines)[2])->at(kAdpAverageSeconds), std::string("16"));
        QVERIFY(ui::testing::shownMessages().isEmpty());
    }

    void badRecordIsReportedAfterTheHistoryIsSaved()
    {
        const std::string bad = JoinAdaptiveLine({"2", "1", "1", "q", "one", "0", "0"}) + "\r\n";
        m_install->writeFile(QStringLiteral("HIST/v/t.ADP"), bad);
        setSession(true);
        showResult();
        screens().ResultForm->Button3Click();
        QCOMPARE(LoadHistory(m_test.historyFile).attempts[0].rate, 50);
        QCOMPARE(testsupport::readBytes(m_test.adaptiveFile), bad);
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        QCOMPARE(ui::testing::shownMessages().first().title, QStringLiteral("Error"));
        QVERIFY(
            ui::testing::shownMessages().first().text.startsWith(m_test.adaptiveFile + QStringLiteral(" 1 行目: ")));
    }

    void reportButtonWritesAndOpensThePage()
    {
        m_test.targetRate = "50";
        selection().setTest(m_test);
        setSession(false);
        examSession().bank.mockCount = 2;
        showResult();
        screens().ResultForm->Button8Click(); // no Print/ directory
        QVERIFY(m_opened.isEmpty());
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        QVERIFY(ui::testing::shownMessages().first().text.contains(QStringLiteral("Print")));

        m_install->writeFile(QStringLiteral("BIN/Print/PrintProto"), std::string("<html><body>\r\n"));
        screens().ResultForm->Button8Click();
        QCOMPARE(m_opened, QStringList{m_install->programDir() + QStringLiteral("Print/Print.htm")});
        const std::string page = testsupport::readBytes(m_opened.first());
        QVERIFY(page.find(cp932::fromUtf8("■正答率：</small>50％")) != std::string::npos);
        QVERIFY(page.find(cp932::fromUtf8("■科目：</small>QV-1\r\n基礎")) != std::string::npos);
        // The forecast counts this attempt, as of its day.
        QVERIFY(page.find(cp932::fromUtf8("■今日、模擬試験を受けて合格する見込み：</small>")) != std::string::npos);
        QVERIFY(page.find("<tr><td>Basics</td><td align=\"right\">2</td><td align=\"right\">2</td>") !=
                std::string::npos);
        // The report never records the attempt: the history is still empty.
        QCOMPARE(LoadHistory(m_test.historyFile).attempts[0].month, 0);
    }
};

QUARVEL_TEST_MAIN(TestResultRecordsAdaptive)
#include "TestResultRecordsAdaptive.moc"

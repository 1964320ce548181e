#include "bank/Cp932.h"
#include "install/Selection.h"
#include "results/HistoryFile.h"
#include "session/ExamSession.h"
#include "session/ReviewRows.h"
#include "session/screens/TConfirmForm.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "support/TestSupport.h"
#include "ui/PictureButton.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>

#include <memory>

class TestReviewScreen : public QObject
{
    Q_OBJECT

    TConfirmForm* form() const { return screens().ConfirmForm; }
    QTableWidget* grid(const char* name) const { return form()->findChild<QTableWidget*>(QLatin1String(name)); }
    int scroll() const
    {
        return form()->findChild<QScrollArea*>(QStringLiteral("ScrollBox1"))->verticalScrollBar()->value();
    }
    QString cell(const char* name, int row, int column) const
    {
        const QTableWidgetItem* item = grid(name)->item(row, column);
        return item ? item->text() : QString();
    }

    // A session of `count` single-choice questions "問題 n"; question 3 begins with an image line.
    void setSession(int count)
    {
        ExamSession& session = examSession();
        session.settings.questionCount = count;
        session.sessionQuestions.count = count;
        for (int j = 1; j <= count; ++j) {
            SessionQuestion& q = session.sessionQuestions.question(j);
            q.bankIndex = j;
            q.number = j;
            q.style = kStyleSingle;
            q.text = cp932::fromUtf8("問題 " + std::to_string(j));
            q.storedChoiceCount = q.shownChoiceCount = 2;
            q.correctCount = 1;
            q.choices[0] = "yes";
            q.choices[1] = "no";
            q.keyFlags[0] = 1;
        }
        if (count >= 3)
            session.sessionQuestions.question(3).text = cp932::fromUtf8("<INCLUDE IMG>@net.jpg\r\n図の問題\r\n続き");
    }

    // Double-clicks the middle of row `row` as a person would.
    void doubleClickRow(int row)
    {
        QTableWidget* list = grid("StringGrid1");
        const QPoint at = list->visualRect(list->model()->index(row, 1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        createScreens();
        setProgramEndHandler([] {});
    }
    void cleanup()
    {
        destroyScreens();
        setProgramEndHandler({});
        m_install.reset();
    }

    void listsEveryQuestionWithItsMark()
    {
        setSession(20);
        examSession().answers.at(2).marked = 1;
        examSession().answers.at(20).marked = 1;
        form()->showModal();
        QVERIFY(form()->isVisible());
        QCOMPARE(form()->windowTitle(), QStringLiteral("確認"));
        QCOMPARE(grid("StringGrid1")->rowCount(), 21);
        QCOMPARE(grid("StringGrid2")->rowCount(), 21);
        QCOMPARE(grid("StringGrid1")->height(), 21 * 16 + 1);
        QCOMPARE(cell("StringGrid1", 1, 0), QStringLiteral("Q.1"));
        QCOMPARE(cell("StringGrid1", 1, 1), QStringLiteral("問題 1"));
        QCOMPARE(cell("StringGrid1", 3, 1), QStringLiteral("図の問題 続き"));
        QCOMPARE(cell("StringGrid1", 20, 0), QStringLiteral("Q.20"));
        QCOMPARE(cell("StringGrid2", 2, 0), QStringLiteral(" X"));
        QCOMPARE(cell("StringGrid2", 20, 0), QStringLiteral(" X"));
        QCOMPARE(cell("StringGrid2", 1, 0), QString());
        QVERIFY(!grid("StringGrid2")->isEnabled());
        // The hidden row 0 stands above the scroll box's top edge.
        QCOMPARE(grid("StringGrid1")->y(), -16);

        // Unmarked on the exam screen and back through its score button: the mark is gone.
        form()->hide();
        examSession().answers.at(2).marked = 0;
        form()->showModal();
        QCOMPARE(cell("StringGrid2", 2, 0), QString());
        QCOMPARE(cell("StringGrid2", 20, 0), QStringLiteral(" X"));
    }

    void turnsOverInPagesOfFourteen()
    {
        setSession(20);
        form()->resetPosition();
        form()->showModal();
        grid("StringGrid1")->setCurrentCell(14, 0);
        QCOMPARE(scroll(), 0);
        QCOMPARE(grid("StringGrid2")->currentRow(), 14);
        grid("StringGrid1")->setCurrentCell(15, 1);
        QCOMPARE(scroll(), 224);
        QCOMPARE(grid("StringGrid2")->currentRow(), 15);
        QVERIFY(grid("StringGrid2")->selectionModel()->isRowSelected(15));

        // The selection survives the next show (score button, time-up); a reset goes back to 0.
        form()->hide();
        form()->showModal();
        QCOMPARE(form()->selectedRow(), 15);
        QCOMPARE(scroll(), 224);
        form()->resetPosition();
        QCOMPARE(form()->selectedRow(), 0);
        QCOMPARE(scroll(), 0);
    }

    void shorterSessionDropsAStaleSelection()
    {
        setSession(20);
        form()->showModal();
        grid("StringGrid1")->setCurrentCell(18, 0);
        form()->hide();
        setSession(5);
        form()->showModal();
        QCOMPARE(grid("StringGrid1")->rowCount(), 6);
        QCOMPARE(form()->selectedRow(), 0);
        QCOMPARE(scroll(), 0);
    }

    void doubleClickJumpsBackInReviewMode()
    {
        setSession(20);
        form()->resetPosition();
        form()->showModal();
        grid("StringGrid1")->setCurrentCell(15, 0);
        doubleClickRow(16);
        QVERIFY(!form()->isVisible());
        QCOMPARE(examSession().currentQuestion, 16);
        QCOMPARE(examSession().reviewMode, 1);
    }

    void doubleClickOnTheHiddenRowDoesNothing()
    {
        setSession(3);
        form()->resetPosition();
        form()->showModal();
        examSession().currentQuestion = 3;
        form()->StringGrid1DblClick();
        QVERIFY(form()->isVisible());
        QCOMPARE(examSession().currentQuestion, 3);
        QCOMPARE(examSession().reviewMode, 0);
    }

    void keys_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("jumpedTo"); // 0: still on the review screen
        using K = QList<int>;
        QTest::newRow("down from the hidden row") << 5 << K{Qt::Key_Down} << 1 << 0;
        QTest::newRow("down twice") << 5 << K{Qt::Key_Down, Qt::Key_Down} << 2 << 0;
        QTest::newRow("up stops at the first") << 5 << K{Qt::Key_Down, Qt::Key_Up} << 1 << 0;
        QTest::newRow("down stops at the last") << 2 << K{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down} << 2 << 0;
        QTest::newRow("enter jumps") << 5 << K{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return} << 2 << 2;
        QTest::newRow("keypad enter jumps") << 5 << K{Qt::Key_Down, Qt::Key_Enter} << 1 << 1;
        QTest::newRow("enter on the hidden row stays") << 5 << K{Qt::Key_Return} << 0 << 0;
        QTest::newRow("past the first page") << 20 << K(15, Qt::Key_Down) << 15 << 0;
    }

    // Up and Down move the selection as a row click does, Enter jumps as a double-click does.
    void keys()
    {
        QFETCH(int, count);
        QFETCH(QList<int>, keys);
        QFETCH(int, row);
        QFETCH(int, jumpedTo);
        setSession(count);
        form()->resetPosition();
        form()->showModal();
        examSession().currentQuestion = count;
        for (int key : keys)
            QTest::keyClick(grid("StringGrid1"), Qt::Key(key));
        QCOMPARE(form()->selectedRow(), row);
        QCOMPARE(grid("StringGrid2")->currentRow(), row);
        QCOMPARE(form()->isVisible(), jumpedTo == 0);
        QCOMPARE(examSession().reviewMode, jumpedTo == 0 ? 0 : 1);
        if (jumpedTo != 0)
            QCOMPARE(examSession().currentQuestion, jumpedTo);
        QCOMPARE(scroll(), review::scrollPosition(row));
    }

    void scoreEndsTheSession()
    {
        CourseTest test;
        test.questionFile = m_install->questionDir(QStringLiteral("oracle")) + QStringLiteral("t.qdf");
        test.historyFile = m_install->historyDir(QStringLiteral("oracle")) + QStringLiteral("t.HIS");
        QVERIFY(CreateEmptyHistory(test.historyFile, test.questionFile));
        selection().setTest(test);
        selection().setTheme(VendorTheme{});
        setSession(2);
        form()->showModal();
        auto* button = form()->findChild<ui::PictureButton*>(QStringLiteral("Button1"));
        QVERIFY(button);
        QCOMPARE(button->size(), QSize(95, 38));
        QCOMPARE(button->hint(), QStringLiteral("模擬試験の採点を行います"));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!form()->isVisible());
        QVERIFY(!screens().ExamModeForm->isVisible());
    }

    void closeBoxIsRefused()
    {
        setSession(2);
        form()->showModal();
        QVERIFY(!form()->close());
        QVERIFY(form()->isVisible());
    }

  private:
    std::unique_ptr<testsupport::TempInstall> m_install;
};

QUARVEL_TEST_MAIN(TestReviewScreen)
#include "TestReviewScreen.moc"

#include "bank/Cp932.h"
#include "bank/QuestionFileWriter.h"
#include "install/Selection.h"
#include "session/ExamSession.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "shell/screens/TGenericMBForm.h"
#include "support/TestSupport.h"
#include "ui/CompactCheckDelegate.h"
#include "ui/PictureButton.h"
#include "ui/Sound.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>

#include <memory>

namespace
{
struct CategorySpec {
    std::string name;
    std::vector<std::pair<std::string, int>> subs; // name and question count
};

// Three categories: One (a 10, b 20, c 10), a nameless one, Three (d 30, e 30): 100 questions.
std::vector<CategorySpec> standardCategories()
{
    return {{"One", {{"a", 10}, {"b", 20}, {"c", 10}}}, {" ", {}}, {"Three", {{"d", 30}, {"e", 30}}}};
}

// A question data file with one record per counted question, so that the counts are true.
// keepRecords >= 0 drops the records behind it, so that the category table promises too many.
CourseTest writeTest(const testsupport::TempInstall& install, int mockCount, int mockMinutes,
                     const std::vector<CategorySpec>& categories, int keepRecords = -1)
{
    auto bank = std::make_unique<QuestionBank>();
    bank->mockMinutes = mockMinutes;
    bank->categoryCount = int(categories.size());
    int j = 0;
    for (int c = 1; c <= int(categories.size()); ++c) {
        CategoryEntry& category = bank->category(c);
        category.name = categories[size_t(c - 1)].name;
        for (int k = 1; k <= int(categories[size_t(c - 1)].subs.size()); ++k) {
            const auto& [name, count] = categories[size_t(c - 1)].subs[size_t(k - 1)];
            category.sub(k) = {name, count};
            category.questionCount += count;
            for (int n = 0; n < count; ++n) {
                QuestionRecord& r = bank->question(++j);
                r.number = j;
                r.category = c;
                r.subCategory = k;
                r.text = "Question " + std::to_string(j);
                r.storedChoiceCount = 4;
                r.shownChoiceCount = 4;
                r.correctCount = 1;
                r.style = kStyleSingle;
                r.choices = {"w", "x", "y", "z"};
            }
        }
    }
    if (keepRecords >= 0)
        j = keepRecords;
    bank->recordsRead = j;
    bank->questionCount = j;
    QuestionHeader header;
    header.mockCount = mockCount;
    header.targetRate = "70";
    header.code = "QV-101";
    header.title = cp932::fromUtf8("ネットワーク基礎");
    header.updated = "20240102030405";

    CourseTest test;
    test.questionFile = install.writeFile(QStringLiteral("QDAT/oracle/qv101.qdf"), QuestionFileBytes(header, *bank));
    test.historyFile = install.historyDir(QStringLiteral("oracle")) + QStringLiteral("qv101.HIS");
    test.code = header.code;
    test.title = header.title;
    test.questionCount = j;
    return test;
}

template <typename T> T* child(const char* name)
{
    T* widget = screens().CatSelForm->findChild<T*>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

QStringList messageTexts()
{
    QStringList texts;
    for (const ui::ShownMessage& m : ui::testing::shownMessages())
        texts << m.title + QLatin1Char('|') + m.text;
    return texts;
}
} // namespace

class TestCatSelForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    TCatSelForm* form() { return screens().CatSelForm; }

    // settle: let the activation arrive now rather than in the middle of a test step (a slow
    // run may also let real timers tick then).
    void showTest(const CourseTest& test, bool settle = true)
    {
        VendorTheme theme;
        theme.directory = QStringLiteral("oracle");
        selection().setTest(test);
        selection().setTheme(theme);
        form()->show();
        if (settle)
            QCoreApplication::processEvents();
    }
    void showStandard(int mockCount = 60, int mockMinutes = 90)
    {
        showTest(writeTest(*m_install, mockCount, mockMinutes, standardCategories()));
    }
    int available() { return examSession().settings.availableCount; }

  private Q_SLOTS:
    void initTestCase()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        // Listed by the course menu when it is created.
        writeTest(*m_install, 60, 90, standardCategories());
        createScreens();
    }
    void cleanupTestCase()
    {
        destroyScreens();
        m_install.reset();
    }
    void init()
    {
        ui::testing::clearShownMessages();
        ui::testing::clearPlayedSounds();
    }
    void cleanup()
    {
        for (ui::Screen* screen : screens().all())
            screen->hide();
    }

    void showBuildsTheCategoryControls()
    {
        showStandard();
        QCOMPARE(form()->windowTitle(), QStringLiteral("QV-101 : ネットワーク基礎"));
        QCOMPARE(form()->categoryCount(), 3);

        QCheckBox* one = form()->categoryBox(1);
        QListWidget* oneList = form()->categoryList(1);
        QCOMPARE(one->objectName(), QStringLiteral("Cat1Label"));
        QCOMPARE(one->text(), QStringLiteral("One"));
        QCOMPARE(one->checkState(), Qt::Checked);
        QCOMPARE(oneList->count(), 3);
        QCOMPARE(oneList->item(1)->text(), QStringLiteral("b (20問)"));
        QVERIFY(oneList->selectedItems().isEmpty());
        QCOMPARE(oneList->height(), 36);
        // The nameless category is hidden but keeps its place in the layout.
        QVERIFY(form()->categoryBox(2)->isHidden());
        QVERIFY(form()->categoryList(2)->isHidden());
        QCOMPARE(one->geometry(), QRect(16, 8, 489, 17));
        QCOMPARE(oneList->geometry(), QRect(40, 24, 500, 36));
        QCOMPARE(form()->categoryBox(2)->y(), 66);
        QCOMPARE(form()->categoryBox(3)->y(), 88);
        QCOMPARE(form()->categoryList(3)->y(), 104);

        QCOMPARE(available(), 100);
        QCOMPARE(child<QLabel>("Label4")->text(), QStringLiteral("題／100題中"));
        QVERIFY(child<QRadioButton>("RadioButton2")->isChecked());
        QVERIFY(!child<QCheckBox>("cbAdaptive")->isChecked());
    }

    // The controls of one showing serve the next: a test with other categories shows only its
    // own, every tick back on, nothing left of the earlier ticks, texts or hidden places.
    void nextShowingReusesTheControlsCleanly()
    {
        showTest(writeTest(*m_install, 60, 90,
                           {{"Wide", {{"p", 5}, {"q", 5}, {"r", 5}, {"s", 5}}},
                            {"Two", {{"t", 5}}},
                            {" ", {}},
                            {"Four", {{"u", 5}}}}));
        QCOMPARE(form()->categoryCount(), 4);
        QListWidget* wide = form()->categoryList(1);
        wide->item(3)->setCheckState(Qt::Unchecked);
        QCOMPARE(form()->categoryBox(1)->checkState(), Qt::PartiallyChecked);
        wide->setCurrentRow(2);
        form()->hide();

        showTest(writeTest(*m_install, 60, 90, {{" ", {}}, {"Beta", {{"x", 10}, {"y", 10}}}}));
        QCOMPARE(form()->categoryCount(), 2);
        QCOMPARE(form()->categoryList(1), wide); // the same widget, now for a hidden category
        QVERIFY(wide->isHidden() && form()->categoryBox(1)->isHidden());
        QCOMPARE(form()->categoryBox(1)->text(), QString());
        QCOMPARE(wide->count(), 0);
        QListWidget* beta = form()->categoryList(2);
        QVERIFY(!beta->isHidden());
        QCOMPARE(form()->categoryBox(2)->text(), QStringLiteral("Beta"));
        QCOMPARE(beta->accessibleName(), QStringLiteral("Betaの小カテゴリ"));
        QCOMPARE(beta->count(), 2);
        QCOMPARE(beta->item(0)->text(), QStringLiteral("x (10問)"));
        QCOMPARE(beta->height(), 24);
        QCOMPARE(available(), 20);
        for (const char* name : {"Cat3Label", "Cat4Label"})
            QVERIFY2(child<QCheckBox>(name)->isHidden(), name);
        form()->hide();

        // Back to the first test: its ticks are new, its fourth item made again.
        showTest(writeTest(*m_install, 60, 90,
                           {{"Wide", {{"p", 5}, {"q", 5}, {"r", 5}, {"s", 5}}},
                            {"Two", {{"t", 5}}},
                            {" ", {}},
                            {"Four", {{"u", 5}}}}));
        QCOMPARE(form()->categoryBox(1)->checkState(), Qt::Checked);
        QCOMPARE(wide->count(), 4);
        QCOMPARE(wide->item(3)->checkState(), Qt::Checked);
        QCOMPARE(wide->item(3)->flags() & Qt::ItemIsUserCheckable, Qt::ItemIsUserCheckable);
        QCOMPARE(wide->currentRow(), -1);
        QVERIFY(!form()->categoryBox(4)->isHidden());
        QCOMPARE(available(), 30);
        wide->item(0)->setCheckState(Qt::Unchecked);
        QCOMPARE(available(), 25);
        form()->hide();
        showStandard();
    }

    void startedFromTheCourseMenuInItsPlace()
    {
        TCourseMenuForm* menu = screens().CourseMenuForm;
        menu->show();
        menu->setGeometry(123, 77, 760, 560);
        menu->Button2Click();
        QVERIFY(!menu->isVisible());
        QVERIFY(form()->isVisible());
        QCOMPARE(form()->geometry(), QRect(123, 77, 760, 560));
        QCOMPARE(form()->windowTitle(), QStringLiteral("QV-101 : ネットワーク基礎"));
        QCOMPARE(available(), 100);
    }

    void modesProposeAndLock()
    {
        // A equal to M: showing takes T, the mock exam A x 1.5.
        showStandard(100, 130);
        auto* edit1 = child<QLineEdit>("Edit1");
        auto* edit2 = child<QLineEdit>("Edit2");
        QCOMPARE(edit1->text(), QStringLiteral("100"));
        QCOMPARE(edit2->text(), QStringLiteral("130"));

        form()->categoryBox(3)->click();
        child<QRadioButton>("RadioButton1")->click();
        QCOMPARE(available(), 100); // every category ticked again
        QCOMPARE(edit1->text(), QStringLiteral("100"));
        QCOMPARE(edit2->text(), QStringLiteral("150"));
        QVERIFY(!edit1->isEnabled() && !edit2->isEnabled());
        QVERIFY(!form()->categoryBox(1)->isEnabled() && !form()->categoryList(3)->isEnabled());

        child<QRadioButton>("RadioButton3")->click();
        QCOMPARE(edit1->text(), QStringLiteral("100"));
        QVERIFY(edit1->isEnabled() && form()->categoryBox(1)->isEnabled());
    }

    void greyBoxAndCategoriesOnly()
    {
        showStandard();
        QListWidget* list = form()->categoryList(1);
        QCheckBox* box = form()->categoryBox(1);
        list->item(1)->setCheckState(Qt::Unchecked); // b, 20 questions
        QCOMPARE(box->checkState(), Qt::PartiallyChecked);
        QCOMPARE(available(), 80);
        QCOMPARE(child<QLineEdit>("Edit1")->text(), QStringLiteral("80"));
        QCOMPARE(child<QLabel>("Label4")->text(), QStringLiteral("題／80題中"));
        QVERIFY(!examSession().settings.isChecked(1, 2));

        auto* categoriesOnly = child<QCheckBox>("CheckBox1");
        categoriesOnly->click();
        QCOMPARE(box->checkState(), Qt::Checked);
        QCOMPARE(list->item(1)->checkState(), Qt::Checked);
        QCOMPARE(available(), 100);
        QVERIFY(list->isHidden());
        QVERIFY(form()->categoryList(3)->isHidden());
        QCOMPARE(box->y(), 8);
        QCOMPARE(form()->categoryBox(3)->y(), 48);
        // No grey from a click while only the categories are shown.
        box->click();
        QCOMPARE(box->checkState(), Qt::Unchecked);
        QCOMPARE(available(), 60);
        box->click();
        QCOMPARE(box->checkState(), Qt::Checked);

        categoriesOnly->click();
        QVERIFY(!list->isHidden());
        QCOMPARE(list->y(), 24);
        QCOMPARE(form()->categoryBox(3)->y(), 88);
    }

    void boxClicksTickTheirList()
    {
        showStandard();
        QListWidget* list = form()->categoryList(3);
        QCheckBox* box = form()->categoryBox(3);
        box->click();
        QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
        QCOMPARE(available(), 40);
        list->item(0)->setCheckState(Qt::Checked);
        QCOMPARE(box->checkState(), Qt::PartiallyChecked);
        // A click on a grey box ticks the whole category.
        box->click();
        QCOMPARE(list->item(1)->checkState(), Qt::Checked);
        QCOMPARE(available(), 100);

        list->setCurrentRow(1);
        form()->CheckListBox1Exit(3);
        QVERIFY(list->selectedItems().isEmpty());
    }

    void ctrlXClearsEveryTick()
    {
        showStandard();
        auto* edit = child<QLineEdit>("Edit2");
        QTest::keyClick(edit, Qt::Key_X); // X alone is typing
        QCOMPARE(available(), 100);
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(available(), 0);
        QCOMPARE(form()->categoryBox(1)->checkState(), Qt::Unchecked);
        QCOMPARE(form()->categoryList(3)->item(1)->checkState(), Qt::Unchecked);
        QCOMPARE(child<QLineEdit>("Edit1")->text(), QStringLiteral("0"));

        // Ctrl held down, then X on another control.
        form()->categoryBox(1)->click();
        QCOMPARE(available(), 40);
        QTest::keyPress(form()->categoryList(1), Qt::Key_Control);
        QTest::keyClick(form()->categoryList(1), Qt::Key_X);
        QCOMPARE(available(), 0);
        QTest::keyRelease(form()->categoryList(1), Qt::Key_Control);
        form()->categoryBox(1)->click();
        QTest::keyClick(form()->categoryList(1), Qt::Key_X);
        QCOMPARE(available(), 40);
    }

    void startChecksShowTheirMessages_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<bool>("untickAll");
        QTest::addColumn<QString>("message");
        QTest::newRow("count 0, nothing ticked")
            << "0"
            << "60" << true << QStringLiteral("選択しているカテゴリには問題がありません");
        QTest::newRow("abc") << "abc"
                             << "60" << false << QStringLiteral("出題数と制限時間を確認してください");
    }
    void startChecksShowTheirMessages()
    {
        QFETCH(QString, count);
        QFETCH(QString, minutes);
        QFETCH(bool, untickAll);
        QFETCH(QString, message);
        showStandard();
        if (untickAll) {
            form()->categoryBox(1)->click();
            form()->categoryBox(3)->click();
        }
        child<QLineEdit>("Edit1")->setText(count);
        child<QLineEdit>("Edit2")->setText(minutes);
        form()->Button1Click();
        QCOMPARE(messageTexts(), QStringList{QStringLiteral("Error|") + message});
        QVERIFY(form()->isVisible());
        QVERIFY(!screens().GenericMBForm->isVisible());
    }

    void startStoresTheSessionAndShowsTheNotice_data()
    {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("timed");
        QTest::newRow("45 minutes") << "45" << 2700 << 1;
        QTest::newRow("untimed") << "0" << 0 << 0;
    }
    void startStoresTheSessionAndShowsTheNotice()
    {
        QFETCH(QString, minutes);
        QFETCH(int, seconds);
        QFETCH(int, timed);
        showStandard();
        ExamSession& session = examSession();
        session.answers.at(1).marked = 1;
        session.answers.at(500).secondsOnQuestion = 77;

        form()->categoryList(1)->item(2)->setCheckState(Qt::Unchecked); // c, 10 questions
        child<QRadioButton>("RadioButton3")->click();
        child<QCheckBox>("cbAdaptive")->click();
        child<QLineEdit>("Edit1")->setText(QStringLiteral("30"));
        child<QLineEdit>("Edit2")->setText(minutes);
        form()->Button1Click();

        QVERIFY(ui::testing::shownMessages().isEmpty());
        const SessionSettings& s = session.settings;
        QCOMPARE(s.mode, int(kModeTraining));
        QCOMPARE(s.questionCount, 30);
        QCOMPARE(s.timeLimitSeconds, seconds);
        QCOMPARE(s.timeLimitOn, timed);
        QCOMPARE(s.availableCount, 90);
        QVERIFY(s.adaptive);
        QVERIFY(s.isChecked(1, 1) && s.isChecked(1, 2) && !s.isChecked(1, 3));
        QVERIFY(s.isChecked(3, 2) && !s.isChecked(3, 3));
        QCOMPARE(session.sessionQuestions.count, 30);
        for (int q = 1; q <= 30; ++q)
            QVERIFY(session.sessionQuestions.question(q).subCategory != 3 ||
                    session.sessionQuestions.question(q).category != 1);
        QCOMPARE(session.answers.at(500).secondsOnQuestion, 0);

        QVERIFY(!form()->isVisible());
        QVERIFY(screens().GenericMBForm->isVisible());
        QCOMPARE(screens().GenericMBForm->findChild<QLabel*>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("制限時間 : ") + minutes + QStringLiteral("分"));
        // Categories made at show are gone once the screen is hidden.
        QCOMPARE(form()->categoryCount(), 0);

        // The next showing starts from clean answer records.
        screens().GenericMBForm->hide();
        session.answers.at(1).marked = 1;
        showStandard();
        QCOMPARE(session.answers.at(1).marked, 0);
    }

    void sessionIsAsLongAsTheFileAllows()
    {
        // The table promises 100 questions; only the first 12 (all of sub-category a, 2 of b) exist.
        showTest(writeTest(*m_install, 60, 90, standardCategories(), 12));
        QCOMPARE(available(), 100);
        child<QLineEdit>("Edit1")->setText(QStringLiteral("30"));
        form()->Button1Click();
        QVERIFY(ui::testing::shownMessages().isEmpty());
        QCOMPARE(examSession().sessionQuestions.count, 12);
        QCOMPARE(examSession().settings.questionCount, 12);
        QCOMPARE(screens().GenericMBForm->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("問題数   : 12問"));
        screens().GenericMBForm->hide();

        // The only records present lie in an unticked sub-category.
        showTest(writeTest(*m_install, 60, 90, standardCategories(), 10));
        form()->categoryList(1)->item(0)->setCheckState(Qt::Unchecked);
        QCOMPARE(available(), 90);
        child<QLineEdit>("Edit1")->setText(QStringLiteral("30"));
        form()->Button1Click();
        QCOMPARE(messageTexts(), QStringList{QStringLiteral("Error|選択しているカテゴリには問題がありません")});
        QVERIFY(form()->isVisible());
        QVERIFY(!screens().GenericMBForm->isVisible());
    }

    void welcomeSoundOnTheFirstTick()
    {
        showTest(writeTest(*m_install, 60, 90, standardCategories()), false);
        auto* timer = form()->findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 300);
        form()->Timer1Timer();
        QCOMPARE(ui::testing::playedSounds(), QStringList{QStringLiteral("wav/cat.wav")});
        QVERIFY(!timer->isActive());
    }

    void brokenFileGoesBackToTheCourseMenu()
    {
        const QString path = m_install->writeFile(QStringLiteral("QDAT/oracle/broken.qdf"),
                                                  std::string("QFileFormat-v1.4\r\n60/70\r\nninety\r\n"));
        CourseTest test;
        test.questionFile = path;
        test.code = "BR";
        test.title = "Broken";
        test.questionCount = 10;
        showTest(test);
        QCoreApplication::processEvents();
        const QList<ui::ShownMessage> shown = ui::testing::shownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().title, QStringLiteral("Error"));
        QVERIFY(shown.first().text.startsWith(QStringLiteral("問題ファイルを読み込めませんでした。")));
        // All in Japanese, the file and line included: line 3 should hold the time limit.
        QVERIFY(shown.first().text.endsWith(
            QStringLiteral("broken.qdf 3 行目: 模擬試験の制限時間が数値ではありません: \"ninety\"")));
        QVERIFY(!form()->isVisible());
        QVERIFY(screens().CourseMenuForm->isVisible());
        QCOMPARE(form()->categoryCount(), 0);

        // The next test starts normally.
        showStandard();
        QVERIFY(form()->isVisible());
        QCOMPARE(available(), 100);
    }

    void clickOnTheSmallBoxTogglesTheSubCategory()
    {
        showStandard();
        QListWidget* list = form()->categoryList(1);
        const QRect row = list->visualItemRect(list->item(1));
        const QRect box = ui::CompactCheckDelegate::boxRect(row);
        QVERIFY(row.contains(box)); // drawn whole inside the 12-pixel row
        const int before = available();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
        QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
        QVERIFY(available() < before);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
        QCOMPARE(list->item(1)->checkState(), Qt::Checked);
        QCOMPARE(available(), before);
    }

    void backButtonAndCloseBox()
    {
        showStandard();
        QTest::mouseClick(child<ui::PictureButton>("Button2"), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!form()->isVisible());
        QVERIFY(screens().CourseMenuForm->isVisible());
        QCOMPARE(form()->categoryCount(), 0);

        screens().CourseMenuForm->hide();
        showStandard();
        form()->close();
        QVERIFY(!form()->isVisible());
        QVERIFY(screens().CourseMenuForm->isVisible());
        QCOMPARE(form()->categoryCount(), 0);
    }

    // Tab visits the category controls top to bottom, box before list, then what is below.
    void tabVisitsEveryControlInReadingOrder()
    {
        showStandard();
        testsupport::activate(form());
        form()->categoryBox(1)->setFocus();
        QStringList visited;
        for (int i = 0; i < 20; ++i) {
            visited << QApplication::focusWidget()->objectName();
            testsupport::typeKeys(form(), {Qt::Key_Tab});
            if (QApplication::focusWidget() == form()->categoryBox(1))
                break;
        }
        QCOMPARE(visited, (QStringList{"Cat1Label", "CheckListBox1", "Cat3Label", "CheckListBox3", "CheckBox1",
                                       "RadioButton2", "cbAdaptive", "Edit1", "Edit2", "Button1", "Button2"}));
        // Categories only: the lists are out of the way.
        testsupport::typeKeys(form(), {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space});
        QVERIFY(child<QCheckBox>("CheckBox1")->isChecked());
        form()->categoryBox(1)->setFocus();
        testsupport::typeKeys(form(), {Qt::Key_Tab});
        QCOMPARE(QApplication::focusWidget(), form()->categoryBox(3));
    }

    void arrowsWalkBoxesAndItems_data()
    {
        QTest::addColumn<QList<QKeyCombination>>("keys");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("row"); // the list's current row, when a list has the focus
        using K = QList<QKeyCombination>;
        QTest::newRow("down into the list") << K{Qt::Key_Down} << QStringLiteral("CheckListBox1") << 0;
        QTest::newRow("past the list over the hidden category")
            << K{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down} << QStringLiteral("Cat3Label") << -1;
        QTest::newRow("up from a box to the last item above")
            << K{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up} << QStringLiteral("CheckListBox1")
            << 2;
        QTest::newRow("nothing above the first box") << K{Qt::Key_Up} << QStringLiteral("Cat1Label") << -1;
        QTest::newRow("end of the last list stays") << K{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down,
                                                         Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}
                                                    << QStringLiteral("CheckListBox3") << 1;
    }
    void arrowsWalkBoxesAndItems()
    {
        QFETCH(QList<QKeyCombination>, keys);
        QFETCH(QString, focus);
        QFETCH(int, row);
        showStandard();
        testsupport::activate(form());
        form()->categoryBox(1)->setFocus();
        testsupport::typeKeys(form(), keys);
        QWidget* now = QApplication::focusWidget();
        QCOMPARE(now->objectName(), focus);
        if (auto* list = qobject_cast<QListWidget*>(now))
            QCOMPARE(list->currentRow(), row);
        // A list left behind keeps no highlight.
        for (int c : {1, 3})
            if (form()->categoryList(c) != now)
                QVERIFY(form()->categoryList(c)->selectedItems().isEmpty());
    }

    // Space ticks as a click does: the box takes its list along, an item greys its box.
    void spaceTicksBoxesAndItems()
    {
        showStandard();
        testsupport::activate(form());
        form()->categoryBox(1)->setFocus();
        testsupport::typeKeys(form(), {Qt::Key_Space});
        QCOMPARE(form()->categoryBox(1)->checkState(), Qt::Unchecked);
        QCOMPARE(available(), 60);
        testsupport::typeKeys(form(), {Qt::Key_Down, Qt::Key_Down, Qt::Key_Space});
        QCOMPARE(form()->categoryList(1)->item(1)->checkState(), Qt::Checked);
        QCOMPARE(form()->categoryBox(1)->checkState(), Qt::PartiallyChecked);
        QCOMPARE(available(), 80);
        testsupport::typeKeys(form(), {Qt::CTRL | Qt::Key_X});
        QCOMPARE(available(), 0);
    }

    void enterStartsEscapeGoesBack_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shown"); // the screen visible afterwards
        const int enter = Qt::Key_Return, escape = Qt::Key_Escape;
        QTest::newRow("enter on a box") << QStringLiteral("Cat1Label") << enter << QStringLiteral("GenericMBForm");
        QTest::newRow("enter in a list") << QStringLiteral("CheckListBox3") << enter << QStringLiteral("GenericMBForm");
        QTest::newRow("enter on a mode") << QStringLiteral("RadioButton2") << enter << QStringLiteral("GenericMBForm");
        QTest::newRow("enter in the count")
            << QStringLiteral("Edit1") << int(Qt::Key_Enter) << QStringLiteral("GenericMBForm");
        QTest::newRow("enter on the back button")
            << QStringLiteral("Button2") << enter << QStringLiteral("CourseMenuForm");
        QTest::newRow("escape in a list")
            << QStringLiteral("CheckListBox1") << escape << QStringLiteral("CourseMenuForm");
        QTest::newRow("escape in the time") << QStringLiteral("Edit2") << escape << QStringLiteral("CourseMenuForm");
    }
    void enterStartsEscapeGoesBack()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, shown);
        showStandard();
        testsupport::activate(form());
        form()->findChild<QWidget*>(focus)->setFocus();
        testsupport::typeKeys(form(), {Qt::Key(key)});
        QVERIFY(!form()->isVisible());
        for (ui::Screen* screen : screens().all())
            QCOMPARE(screen->isVisible(), screen->objectName() == shown);
    }

    void enterWithABadCountStays()
    {
        showStandard();
        testsupport::activate(form());
        child<QLineEdit>("Edit1")->setText(QStringLiteral("0"));
        testsupport::typeKeys(form(), {Qt::Key_Return});
        QVERIFY(form()->isVisible());
        QCOMPARE(messageTexts(), QStringList{QStringLiteral("Error|問題数を増やしてください")});
    }

    void rightButtonDoesNotMovePictureButtons()
    {
        showStandard();
        for (const char* name : {"Button1", "Button2"}) {
            auto* button = child<ui::PictureButton>(name);
            const QPoint at = button->pos();
            QTest::mousePress(button, Qt::RightButton, {}, QPoint(5, 5));
            QCOMPARE(button->pos(), at);
            QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(5, 5));
            QCOMPARE(button->pos(), at);
            QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
            QCOMPARE(button->pos(), at + QPoint(2, 2));
            QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(500, 500)); // released off it: no click
            QCOMPARE(button->pos(), at);
        }
        QVERIFY(form()->isVisible());
    }
};

QUARVEL_TEST_MAIN(TestCatSelForm)
#include "TestCatSelForm.moc"

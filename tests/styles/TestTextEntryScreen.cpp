// The text entry style's answer and view screens as a person uses them.
#include "bank/Cp932.h"
#include "session/ExamSession.h"
#include "shell/screens/ScreenCatalogue.h"
#include "styles/StyleHandOver.h"
#include "styles/screens/TfrmSelStyle5.h"
#include "styles/screens/TfrmSelStyle5View.h"
#include "support/TestSupport.h"
#include "ui/PictureButton.h"

#include <QLabel>
#include <QLineEdit>

class TestTextEntryScreen : public QObject
{
    Q_OBJECT

    TfrmSelStyle5* screen() const { return screens().frmSelStyle5; }
    QLineEdit* edit(QWidget* parent) const { return parent->findChild<QLineEdit*>(QStringLiteral("Edit1")); }

    void handOver(const char* correctUtf8, const char* mode, const char* length)
    {
        StyleQuestion& q = examSession().styleHandOver.question(kStyleTextEntry);
        q = StyleQuestion{};
        q.dataA = cp932::fromUtf8(correctUtf8);
        q.dataB = mode;
        q.dataC = length;
        q.correctChoice = 1;
        q.questionNumber = 4;
    }
    // Typed text arrives as key events carrying it, as from an input method.
    static void type(QLineEdit* edit, const QString& text)
    {
        QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, text, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, edit, Qt::Key_unknown, text, Qt::NoModifier);
    }
    void ask()
    {
        examSession().styleHandOver.passed = 0;
        screen()->showModal();
    }

  private Q_SLOTS:
    void init()
    {
        createScreens();
        ui::testing::clearShownMessages();
    }
    void cleanup() { destroyScreens(); }

    void typingAndJudging_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("passed");
        QTest::newRow("exact") << "SELECT" << 1;
        QTest::newRow("other case") << "Select" << 1;
        QTest::newRow("blanks around") << "  select " << 1;
        QTest::newRow("full-width") << "ＳＥＬＥＣＴ" << 0;
        QTest::newRow("wrong") << "UPDATE" << 0;
        QTest::newRow("not in CP932") << "SELECT😀" << 0;
    }
    void typingAndJudging()
    {
        QFETCH(QString, typed);
        QFETCH(int, passed);
        handOver("SELECT", "off", "");
        ask();
        QVERIFY(screen()->isVisible());
        QCOMPARE(screen()->windowTitle(), QStringLiteral("Quarvel 記述式"));
        QCOMPARE(screen()->size(), QSize(350, 86));
        QCOMPARE(screen()->findChild<QLabel*>(QStringLiteral("sAns"))->text(), QStringLiteral("SELECT"));
        QVERIFY(!screen()->findChild<QLabel*>(QStringLiteral("sAns"))->isVisible());
        type(edit(screen()), typed);
        screen()->Button1Click();
        QVERIFY(!screen()->isVisible());
        QCOMPARE(examSession().styleHandOver.passed, passed);
    }

    void enterConfirmsAndEveryShowingStartsEmpty()
    {
        handOver("ls -l", "on", "5");
        ask();
        QCOMPARE(edit(screen())->maxLength(), 5);
        QTest::keyClicks(edit(screen()), QStringLiteral("ls -lR"));
        QCOMPARE(edit(screen())->text(), QStringLiteral("ls -l")); // the sixth character is refused
        QTest::keyClick(edit(screen()), Qt::Key_Return);
        QVERIFY(!screen()->isVisible());
        QCOMPARE(examSession().styleHandOver.passed, 1);
        ask();
        QCOMPARE(edit(screen())->text(), QString());
        screen()->close(); // the close box
        QCOMPARE(examSession().styleHandOver.passed, 0);
    }

    void aLengthThatIsNoNumberIsReportedAndLiftsTheLimit()
    {
        handOver("x", "on", "ten");
        ask();
        QVERIFY(screen()->isVisible());
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        QVERIFY(ui::testing::shownMessages()[0].text.contains(QStringLiteral("問題 4")));
        QCOMPARE(edit(screen())->maxLength(), 32767);
    }

    void viewShowsTheTextTheJudgeUses()
    {
        handOver("ネットワーク ", "on", "20"); // a correct text that ends in a blank
        TfrmSelStyle5View* view = screens().frmSelStyle5View;
        examSession().styleHandOver.passed = 1;
        view->showModal();
        QVERIFY(view->isVisible());
        QVERIFY(edit(view)->isReadOnly());
        QCOMPARE(edit(view)->text(), QStringLiteral("ネットワーク "));
        QCOMPARE(view->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("正解"));
        view->Button1Click();
        QVERIFY(!view->isVisible());
        QCOMPARE(examSession().styleHandOver.passed, 1);

        // Typed exactly as shown, the answer is still wrong: the input is trimmed, the text is not.
        ask();
        type(edit(screen()), QStringLiteral("ネットワーク "));
        screen()->pressOk();
        QCOMPARE(examSession().styleHandOver.passed, 0);
    }
};

QUARVEL_TEST_MAIN(TestTextEntryScreen)
#include "TestTextEntryScreen.moc"

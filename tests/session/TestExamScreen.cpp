#include "bank/Cp932.h"
#include "install/Selection.h"
#include "results/screens/TResultForm.h"
#include "session/ExamClock.h"
#include "session/ExamSession.h"
#include "session/screens/TCaseStudyForm.h"
#include "session/screens/TCheatForm.h"
#include "session/screens/TConfirmForm.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "styles/screens/TfrmSelStyle3.h"
#include "styles/screens/TfrmSelStyle5.h"
#include "support/ExamSession.h"
#include "support/TestSupport.h"
#include "ui/PictureButton.h"
#include "ui/Sound.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>

#include <memory>

namespace
{

SessionQuestion question(int style, const std::string& text, std::vector<std::string> choices, int correctCount = 1)
{
    SessionQuestion q;
    q.style = style;
    q.text = text;
    q.storedChoiceCount = int(choices.size());
    q.shownChoiceCount = int(choices.size());
    q.correctCount = correctCount;
    for (size_t i = 0; i < choices.size() && i < size_t(kMaxChoices); ++i)
        q.choices[i] = choices[i];
    for (int i = 0; i < correctCount; ++i)
        q.keyFlags[size_t(i)] = 1;
    return q;
}

SessionQuestion plain(int n)
{
    return question(kStyleSingle, "Question " + std::to_string(n), {"one", "two", "three", "four"});
}

// Sets the screen's Visible flag aside: what the user would see if the window were on screen.
bool shown(const QWidget* w)
{
    return !w->isHidden();
}

// Accepts a session style screen's work with the given verdict as soon as it is shown.
class VerdictOnShow : public QObject
{
  public:
    explicit VerdictOnShow(int verdict) : m_verdict(verdict) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            examSession().styleHandOver.passed = m_verdict;
        return QObject::eventFilter(watched, event);
    }

  private:
    int m_verdict;
};

} // namespace

class TestExamScreen : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    QString m_questionFile;
    bool m_programEnded = false;

    TExamModeForm* form() const { return screens().ExamModeForm; }
    template <typename T> T* child(const QString& name) const
    {
        T* found = form()->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    ui::PictureButton* button(const QString& name) const { return child<ui::PictureButton>(name); }
    QLabel* label(const QString& name) const { return child<QLabel>(name); }
    QTimer* timer() const { return child<QTimer>(QStringLiteral("Timer1")); }
    bool showsPicture(const QString& buttonName, const QString& pictureName) const
    {
        return button(buttonName)->pixmap().cacheKey() == label(pictureName)->pixmap().cacheKey();
    }

    void startSession(const std::vector<SessionQuestion>& questions, int limitSeconds)
    {
        testsupport::startExamSession(questions, limitSeconds);
    }
    void tick(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            form()->Timer1Timer();
    }
    int timeUpMessages() const { return int(timeUpOwners().size()); }
    // The windows the time-up messages stood over, in order.
    QStringList timeUpOwners() const
    {
        QStringList owners;
        for (const ui::ShownMessage& m : ui::testing::shownMessages())
            if (m.title == QStringLiteral("タイムアップ") && m.text == QStringLiteral("タイムアップです。"))
                owners << m.over;
        return owners;
    }
    void writeCaseStudy()
    {
        m_install->writeFile(QStringLiteral("QDAT/oracle/QV-101.ini"),
                             cp932::fromUtf8("[case study]\r\n社内ネットワークの事例です。\r\n"));
    }

  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        m_questionFile = m_install->questionDir(QStringLiteral("oracle")) + QStringLiteral("QV-101.qdf");
        createScreens();
        m_programEnded = false;
        setProgramEndHandler([this] { m_programEnded = true; });
        CourseTest test;
        test.questionFile = m_questionFile;
        test.title = cp932::fromUtf8("データベース基礎");
        selection().setTest(test);
        selection().setTheme(VendorTheme{});
        ui::testing::clearShownMessages();
        ui::testing::clearPlayedSounds();
    }
    void cleanup()
    {
        setProgramEndHandler({});
        destroyScreens();
        m_install.reset();
    }

    void sessionStart()
    {
        startSession({plain(1), plain(2), plain(3)}, 1800);
        QCOMPARE(form()->windowTitle(), QStringLiteral("Quarvel - 模擬試験中..."));
        QCOMPARE(form()->size(), QSize(760, 560));
        QVERIFY(timer()->isActive());
        QCOMPARE(timer()->interval(), 1000);
        QCOMPARE(examSession().currentQuestion, 1);
        QCOMPARE(examSession().elapsedSeconds, 0);
        QCOMPARE(label(QStringLiteral("Label0"))->text(), QStringLiteral("Q.1"));
        QCOMPARE(label(QStringLiteral("Label12"))->text(), QStringLiteral("制限時間 : 30' 0"));
        QCOMPARE(label(QStringLiteral("Label5"))->text(), QStringLiteral("問題数 : 全3問"));
        QCOMPARE(child<QTextEdit>(QStringLiteral("Memo12"))->toPlainText(), QStringLiteral("データベース基礎"));
        QCOMPARE(child<QTextEdit>(QStringLiteral("Memo1"))->toPlainText(), QStringLiteral("Question 1"));
        QVERIFY(showsPicture(QStringLiteral("Button2"), QStringLiteral("tsugiIMG")));
        QVERIFY(showsPicture(QStringLiteral("Button6"), QStringLiteral("modoruGIMG")));
        QVERIFY(!button(QStringLiteral("Button6"))->isEnabled());
        QVERIFY(!shown(button(QStringLiteral("Image5")))); // no case study
        QCOMPARE(examSession().caseStudyClosed, 1);
        QVERIFY(!shown(screens().CaseStudyForm));
    }

    void oneQuestionSession()
    {
        startSession({plain(1)}, 600);
        QVERIFY(showsPicture(QStringLiteral("Button2"), QStringLiteral("saitenIMG")));
        form()->Button2Click();
        QVERIFY(screens().ConfirmForm->isVisible());
        QCOMPARE(examSession().currentQuestion, 2);
        QCOMPARE(label(QStringLiteral("Label0"))->text(), QStringLiteral("Q.1"));
    }

    void nextOnTheLastQuestionOpensTheReview()
    {
        startSession({plain(1), plain(2), plain(3)}, 0);
        form()->Button2Click();
        QVERIFY(showsPicture(QStringLiteral("Button2"), QStringLiteral("tsugiIMG")));
        QVERIFY(showsPicture(QStringLiteral("Button6"), QStringLiteral("modoruIMG")));
        form()->Button2Click();
        QCOMPARE(label(QStringLiteral("Label0"))->text(), QStringLiteral("Q.3"));
        QVERIFY(showsPicture(QStringLiteral("Button2"), QStringLiteral("saitenIMG")));
        QVERIFY(!screens().ConfirmForm->isVisible());
        form()->Button2Click();
        QVERIFY(screens().ConfirmForm->isVisible());
        // The last question stays behind the review.
        QCOMPARE(label(QStringLiteral("Label0"))->text(), QStringLiteral("Q.3"));
        QCOMPARE(child<QTextEdit>(QStringLiteral("Memo1"))->toPlainText(), QStringLiteral("Question 3"));
        // Back from the last question: the next picture returns.
        screens().ConfirmForm->hide();
        form()->reviewJump(3);
        form()->scoreSession();
        startSession({plain(1), plain(2)}, 0);
        form()->Button2Click();
        QVERIFY(showsPicture(QStringLiteral("Button2"), QStringLiteral("saitenIMG")));
        form()->Button6Click();
        QVERIFY(showsPicture(QStringLiteral("Button2"), QStringLiteral("tsugiIMG")));
        QCOMPARE(examSession().currentQuestion, 1);
        form()->Button6Click(); // nothing before the first
        QCOMPARE(examSession().currentQuestion, 1);
    }

    void noTimeLimit()
    {
        startSession({plain(1), plain(2)}, 0);
        QCOMPARE(label(QStringLiteral("Label12"))->text(), QStringLiteral("制限時間 : 0' 0"));
        tick(70);
        QVERIFY(timer()->isActive());
        QVERIFY(ui::testing::playedSounds().isEmpty());
        QCOMPARE(timeUpMessages(), 0);
        QVERIFY(!screens().ConfirmForm->isVisible());
        examSession().elapsedSeconds = 65;
        tick();
        QCOMPARE(label(QStringLiteral("Label11"))->text(), QStringLiteral("残り時間 : -1' -5"));
    }

    void thirtyMinutes()
    {
        startSession({plain(1), plain(2)}, 1800);
        tick(1741); // elapsed 0..1740 shown; 60 seconds left at the last
        QCOMPARE(ui::testing::playedSounds(), (QStringList{"wav/10min.wav", "wav/05min.wav", "wav/01min.wav"}));
        QCOMPARE(label(QStringLiteral("Label11"))->text(), QStringLiteral("残り時間 : 1' 0"));

        auto handColourNear = [this](int elapsed, const QColor& wanted) {
            const QImage image = label(QStringLiteral("Image3"))->pixmap().toImage();
            const QPoint end = QPoint(59, 53) + (examclock::handEnd(elapsed) - QPoint(59, 53)) * 3 / 4;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    if (image.pixelColor(end + QPoint(dx, dy)) == wanted)
                        return true;
            return false;
        };
        tick(); // 59 left: black
        QVERIFY(handColourNear(1741, Qt::black));
        tick(); // 58 left: red
        QVERIFY(handColourNear(1742, Qt::red));
        QCOMPARE(timeUpMessages(), 0);

        tick(57); // up to the last tick with time left
        QCOMPARE(examSession().elapsedSeconds, 1800);
        QVERIFY(timer()->isActive());
        tick(); // zero left
        QCOMPARE(timeUpMessages(), 1);
        QVERIFY(!timer()->isActive());
        QVERIFY(screens().ConfirmForm->isVisible());
        QCOMPARE(label(QStringLiteral("Label11"))->text(), QStringLiteral("残り時間 : 0' 0"));
        QCOMPARE(examSession().answers.at(1).secondsOnQuestion, 1800);
        QCOMPARE(ui::testing::playedSounds().size(), 3);
        QCOMPARE(timeUpOwners(), QStringList{QStringLiteral("ExamModeForm")});

        // A stray tick after time-up (a timer started again) counts nothing and reports nothing.
        tick(5);
        QCOMPARE(examSession().elapsedSeconds, 1800);
        QCOMPARE(label(QStringLiteral("Label11"))->text(), QStringLiteral("残り時間 : 0' 0"));
        QCOMPARE(timeUpMessages(), 1);

        // A review jump after time-up: the clock stays stopped, and closing without leaving keeps it so.
        screens().ConfirmForm->hide();
        form()->reviewJump(2);
        ui::testing::queueAnswer(QMessageBox::No);
        QVERIFY(!form()->close());
        QVERIFY(!timer()->isActive());
        QCOMPARE(timeUpMessages(), 1);
    }

    void timeUpWhileTheReviewIsShowing()
    {
        startSession({plain(1), plain(2)}, 60);
        tick(50);
        form()->Button4Click();
        QVERIFY(screens().ConfirmForm->isVisible());
        QCOMPARE(examSession().answers.at(1).secondsOnQuestion, 50);
        tick(11);
        QCOMPARE(timeUpMessages(), 1);
        // Not scored again: the time on the question was accounted once.
        QCOMPARE(examSession().answers.at(1).secondsOnQuestion, 50);
    }

    void timeUpWaitsForTheCaseStudy()
    {
        writeCaseStudy();
        startSession({plain(1), plain(2)}, 60);
        QCOMPARE(examSession().caseStudyClosed, 0);
        QVERIFY(screens().CaseStudyForm->isVisible());
        QVERIFY(shown(button(QStringLiteral("Image5"))));
        QVERIFY(examSession().caseStudy.present);
        tick(75);
        // Time-up is told at the limit, over the case study, and the clock stands still there;
        // only the end of the session waits for the window.
        QCOMPARE(timeUpOwners(), QStringList{QStringLiteral("CaseStudyForm")});
        QVERIFY(timer()->isActive());
        QVERIFY(!screens().ConfirmForm->isVisible());
        QCOMPARE(examSession().elapsedSeconds, 60);
        QCOMPARE(label(QStringLiteral("Label11"))->text(), QStringLiteral("残り時間 : 0' 0"));

        screens().CaseStudyForm->hide();
        examSession().closeCaseStudy();
        QCOMPARE(examSession().questionStartSeconds, 60);
        QCOMPARE(examSession().caseStudyClosed, 1);
        tick();
        QCOMPARE(timeUpMessages(), 1);
        QVERIFY(!timer()->isActive());
        QVERIFY(screens().ConfirmForm->isVisible());
        QCOMPARE(examSession().elapsedSeconds, 60);
        QCOMPARE(examSession().answers.at(1).secondsOnQuestion, 0);
    }

    // Opened again from its button, the case study is in front when time runs out: the message
    // comes over it, and the review after it.
    void timeUpComesOverTheCaseStudyOpenedAgain()
    {
        writeCaseStudy();
        startSession({plain(1), plain(2)}, 60);
        screens().CaseStudyForm->hide();
        examSession().closeCaseStudy();
        form()->Image5Click();
        QVERIFY(screens().CaseStudyForm->isShownModally());
        QCOMPARE(screens().CaseStudyForm->owner(), form());
        tick(61);
        QCOMPARE(timeUpOwners(), QStringList{QStringLiteral("CaseStudyForm")});
        QVERIFY(screens().ConfirmForm->isVisible());
        QVERIFY(!timer()->isActive());
    }

    // Every tick shows the face with one hand, whether time is kept or not.
    void clockFaceShowsOneHand_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("ticks");
        QTest::newRow("no limit") << 0 << 70;
        QTest::newRow("time kept") << 1800 << 70;
        QTest::newRow("no limit, past an hour") << 0 << 3725;
    }
    void clockFaceShowsOneHand()
    {
        QFETCH(int, limit);
        QFETCH(int, ticks);
        startSession({plain(1), plain(2)}, limit);
        tick(ticks);
        const int picture = selection().theme().picture;
        const QImage face = label(QStringLiteral("invisibleclock"))
                                ->pixmap()
                                .copy(0, examclock::faceTop(picture), examclock::kFaceWidth, examclock::kFaceHeight)
                                .toImage();
        const QImage shownFace = label(QStringLiteral("Image3"))->pixmap().toImage();
        const QPoint centre = examclock::kHandCentre;
        auto touched = [&](int second) {
            const QPoint half = centre + (examclock::handEnd(second) - centre) / 2;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    if (shownFace.pixel(half + QPoint(dx, dy)) != face.pixel(half + QPoint(dx, dy)))
                        return true;
            return false;
        };
        const int last = (ticks - 1) % 60;
        QVERIFY(touched(last));
        for (int second = 0; second < 60; ++second) {
            const int apart = std::min((second - last + 60) % 60, (last - second + 60) % 60);
            if (apart >= 3 && touched(second))
                QFAIL(qPrintable(QStringLiteral("an old hand at second %1 is still on the face").arg(second)));
        }
    }

    void paceHint()
    {
        std::vector<SessionQuestion> questions;
        for (int i = 1; i <= 60; ++i)
            questions.push_back(plain(i));
        startSession(questions, 3600);
        for (int i = 1; i < 10; ++i)
            form()->Button2Click();
        QCOMPARE(examSession().currentQuestion, 10);
        QLabel* hint1 = label(QStringLiteral("Label3"));
        QLabel* hint2 = label(QStringLiteral("Label4"));
        examSession().elapsedSeconds = 600;
        tick(2); // 600, 601: on pace
        QVERIFY(!shown(hint1));
        tick(); // 602
        QVERIFY(shown(hint1));
        QVERIFY(shown(hint2));
        QCOMPARE(hint1->text(), QStringLiteral("そろそろ次の問題へ"));
        QCOMPARE(hint2->text(), QStringLiteral("進みましょう。"));
        tick();
        QVERIFY(!shown(hint1));
        QVERIFY(!shown(hint2));
        tick();
        QVERIFY(shown(hint1));
        form()->Button2Click();
        QVERIFY(!shown(hint1));
        QVERIFY(!shown(hint2));
    }

    void answersComeBack()
    {
        startSession({plain(1), question(kStyleMultiple, "Pick two", {"w", "x", "y", "z"}, 2), plain(3)}, 0);
        child<QRadioButton>(QStringLiteral("RadioButton2"))->click();
        form()->Button2Click();
        QVERIFY(shown(child<QCheckBox>(QStringLiteral("CheckBox1"))));
        QVERIFY(!shown(child<QRadioButton>(QStringLiteral("RadioButton1"))));
        child<QCheckBox>(QStringLiteral("CheckBox1"))->click();
        child<QCheckBox>(QStringLiteral("CheckBox3"))->click();
        child<QCheckBox>(QStringLiteral("CheckBox0"))->click();
        form()->Button6Click();
        QVERIFY(child<QRadioButton>(QStringLiteral("RadioButton2"))->isChecked());
        QVERIFY(!child<QCheckBox>(QStringLiteral("CheckBox0"))->isChecked());
        form()->Button2Click();
        QVERIFY(child<QCheckBox>(QStringLiteral("CheckBox1"))->isChecked());
        QVERIFY(!child<QCheckBox>(QStringLiteral("CheckBox2"))->isChecked());
        QVERIFY(child<QCheckBox>(QStringLiteral("CheckBox3"))->isChecked());
        QVERIFY(child<QCheckBox>(QStringLiteral("CheckBox0"))->isChecked());
        form()->Button2Click(); // to question 3: nothing ticked there
        QVERIFY(!child<QRadioButton>(QStringLiteral("RadioButton2"))->isChecked());
        QVERIFY(!child<QCheckBox>(QStringLiteral("CheckBox0"))->isChecked());

        const AnswerRecord& first = examSession().answers.at(1);
        QCOMPARE(first.answerFlags, (std::array<unsigned char, 10>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(first.marked, 0);
        const AnswerRecord& second = examSession().answers.at(2);
        QCOMPARE(second.answerFlags, (std::array<unsigned char, 10>{1, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(second.marked, 1);
    }

    void multipleChoiceTickLimit()
    {
        startSession({question(kStyleMultiple, "Pick two", {"w", "x", "y", "z"}, 2)}, 0);
        auto box = [this](int k) { return child<QCheckBox>(QStringLiteral("CheckBox%1").arg(k)); };
        box(1)->click();
        box(2)->click();
        box(3)->click();
        QVERIFY(box(1)->isChecked());
        QVERIFY(box(2)->isChecked());
        QVERIFY(!box(3)->isChecked());
        box(1)->click();
        box(3)->click();
        QVERIFY(box(3)->isChecked());
    }

    void timeOnQuestions()
    {
        startSession({plain(1), plain(2)}, 0);
        tick(3);
        form()->Button2Click();
        tick(2);
        form()->Button6Click();
        tick(4);
        form()->Button4Click();
        QCOMPARE(examSession().answers.at(1).secondsOnQuestion, 7);
        QCOMPARE(examSession().answers.at(2).secondsOnQuestion, 2);
    }

    void questionTextScrollBar()
    {
        auto lines = [](int n) {
            std::string text;
            for (int i = 1; i <= n; ++i)
                text += (i > 1 ? "\r\n" : "") + std::string("line ") + std::to_string(i);
            return text;
        };
        startSession({question(kStyleSingle, lines(12), {"a"}), question(kStyleSingle, lines(13), {"a"}),
                      question(kStyleSingle, std::string(2000, 'x'), {"a"})},
                     0);
        auto* memo = child<QTextEdit>(QStringLiteral("Memo1"));
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        form()->Button2Click();
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        form()->Button2Click(); // one long paragraph: its wrapped lines count
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    void choicesStackByTheirLines()
    {
        const std::string longText = cp932::fromUtf8(QString(120, QChar(0x3042)).toStdString()); // あ x 120
        startSession({question(kStyleSingle, "Q", {"first\r\nsecond\r\nthird", "one line", longText, "last"})}, 0);
        auto memo = [this](int n) { return child<QTextEdit>(QStringLiteral("Memo%1").arg(n)); };
        auto radio = [this](int k) { return child<QRadioButton>(QStringLiteral("RadioButton%1").arg(k)); };
        QCOMPARE(radio(1)->y(), 5);
        QCOMPARE(memo(2)->y(), 7);
        QCOMPARE(memo(2)->height(), 46);
        QCOMPARE(memo(3)->y() - memo(2)->y(), 45);
        QCOMPARE(radio(2)->y(), memo(2)->y() + 43);
        QCOMPARE(memo(3)->height(), 22);
        // 120 wide characters do not fit on one 489-pixel line: the wrapped lines count.
        QVERIFY(memo(4)->height() >= 34);
        QCOMPARE(memo(5)->y(), memo(4)->y() + memo(4)->height() - 1);
        QVERIFY(shown(radio(4)));
        QVERIFY(!shown(radio(5)));
        QVERIFY(!shown(memo(6)));
        QCOMPARE(radio(1)->text(), QStringLiteral("a."));
    }

    void imageLineAndExhibitButtons()
    {
        startSession(
            {question(kStyleSingle, "<INCLUDE IMG>@net1.jpg@net2.jpg\r\nLook at both pictures.", {"a", "b"}),
             question(kStylePanel, "<INCLUDE IMG>@panel.jpg\r\nDrag the panels.", {"a@@1,1,2,2", "b@@3,3,4,4", "c@@5"}),
             plain(3)},
            0);
        QCOMPARE(child<QTextEdit>(QStringLiteral("Memo1"))->toPlainText(), QStringLiteral("Look at both pictures."));
        QVERIFY(shown(button(QStringLiteral("RefImg1"))));
        QVERIFY(shown(button(QStringLiteral("RefImg2"))));
        QVERIFY(!shown(button(QStringLiteral("RefImg3"))));
        const QString dir = m_install->questionDir(QStringLiteral("oracle"));
        QCOMPARE(form()->imagePath(2), dir + QStringLiteral("img/net2.jpg"));
        form()->RefImgClick(2);
        QCOMPARE(examSession().exhibitPath, dir + QStringLiteral("img/net2.jpg"));

        form()->Button2Click();
        for (int i = 1; i <= 4; ++i)
            QVERIFY(!shown(button(QStringLiteral("RefImg%1").arg(i))));
        QVERIFY(shown(button(QStringLiteral("ButtonType4"))));
        QVERIFY(shown(label(QStringLiteral("Label6"))));
        QVERIFY(!shown(child<QRadioButton>(QStringLiteral("RadioButton1"))));
        QVERIFY(!shown(child<QTextEdit>(QStringLiteral("Memo2"))));
        QCOMPARE(examSession().styleHandOver.question(kStylePanel).picturePath, dir + QStringLiteral("img/panel.jpg"));
        QCOMPARE(examSession().styleHandOver.question(kStylePanel).dataB, std::string("@@3,3,4,4"));

        form()->Button2Click();
        QVERIFY(!shown(button(QStringLiteral("RefImg1"))));
        QVERIFY(!shown(button(QStringLiteral("ButtonType4"))));
        QVERIFY(form()->imagePath(1).isEmpty());
    }

    void styleAnswerIsKeptInHiddenControls()
    {
        QDir().mkpath(m_install->questionDir(QStringLiteral("oracle")) + QStringLiteral("img"));
        QImage(80, 80, QImage::Format_RGB32)
            .save(m_install->questionDir(QStringLiteral("oracle")) + QStringLiteral("img/router.bmp"));
        startSession({question(kStyleGraphic, "<INCLUDE IMG>@router.bmp\r\nClick the router.",
                               {"b@50,50,60,60", "a@10,10,20,20"}),
                      plain(2)},
                     0);
        VerdictOnShow right(1);
        screens().frmSelStyle3->installEventFilter(&right);
        form()->ButtonType3Click();
        QVERIFY(screens().frmSelStyle3->isVisible());
        screens().frmSelStyle3->hide();
        QVERIFY(child<QRadioButton>(QStringLiteral("RadioButton2"))->isChecked());
        form()->Button2Click();
        QCOMPARE(examSession().answers.at(1).answerFlags[1], 1);
        form()->Button6Click();
        QVERIFY(child<QCheckBox>(QStringLiteral("CheckBox2"))->isChecked()); // restored, hidden
        form()->Button2Click();
        form()->Button6Click();
        QCOMPARE(examSession().answers.at(1).answerFlags,
                 (std::array<unsigned char, 10>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));

        // Pressed again and closed without a verdict: the earlier answer is gone.
        screens().frmSelStyle3->removeEventFilter(&right);
        form()->ButtonType3Click();
        screens().frmSelStyle3->hide();
        form()->Button2Click();
        QCOMPARE(examSession().answers.at(1).answerFlags, (std::array<unsigned char, 10>{}));
    }

    void pauseAndResume()
    {
        startSession({plain(1), plain(2)}, 600);
        form()->Button2Click();
        form()->Button3Click();
        QCOMPARE(examSession().paused, 1);
        QVERIFY(!timer()->isActive());
        QCOMPARE(button(QStringLiteral("Button3"))->hint(), QStringLiteral("試験を再開します"));
        QVERIFY(showsPicture(QStringLiteral("Button3"), QStringLiteral("saikaiIMG")));
        QVERIFY(showsPicture(QStringLiteral("Button4"), QStringLiteral("imasuguGIMG")));
        QVERIFY(showsPicture(QStringLiteral("Button1"), QStringLiteral("kotaeGIMG")));
        QVERIFY(showsPicture(QStringLiteral("Button6"), QStringLiteral("modoruGIMG")));
        QVERIFY(showsPicture(QStringLiteral("Button2"), QStringLiteral("saitenGIMG")));
        for (const char* name : {"Button4", "Button1", "Button6", "Button2"})
            QVERIFY2(!button(QLatin1String(name))->isEnabled(), name);
        // The question stays usable.
        QVERIFY(child<QRadioButton>(QStringLiteral("RadioButton1"))->isEnabled());

        // Closing, then staying: a paused clock stays paused.
        ui::testing::queueAnswer(QMessageBox::No);
        QVERIFY(!form()->close());
        QVERIFY(!timer()->isActive());

        form()->Button3Click();
        QCOMPARE(examSession().paused, 0);
        QVERIFY(timer()->isActive());
        QCOMPARE(button(QStringLiteral("Button3"))->hint(), QStringLiteral("試験を中断します"));
        QVERIFY(showsPicture(QStringLiteral("Button3"), QStringLiteral("itiziIMG")));
        QVERIFY(showsPicture(QStringLiteral("Button4"), QStringLiteral("imasuguIMG")));
        QVERIFY(showsPicture(QStringLiteral("Button6"), QStringLiteral("modoruIMG")));
        QVERIFY(showsPicture(QStringLiteral("Button2"), QStringLiteral("saitenIMG")));
        for (const char* name : {"Button4", "Button1", "Button6", "Button2"})
            QVERIFY2(button(QLatin1String(name))->isEnabled(), name);
    }

    void closeConfirmation()
    {
        startSession({plain(1)}, 600);
        ui::testing::queueAnswer(QMessageBox::No);
        QVERIFY(!form()->close());
        QVERIFY(form()->isVisible());
        QVERIFY(timer()->isActive());
        QCOMPARE(ui::testing::shownMessages().last().title, QStringLiteral("確認"));
        QCOMPARE(ui::testing::shownMessages().last().text, QStringLiteral("テストを終了しますか?"));
        QVERIFY(!m_programEnded);
        ui::testing::queueAnswer(QMessageBox::Yes);
        QVERIFY(form()->close());
        QVERIFY(m_programEnded);
    }

    void reviewModeAndScore()
    {
        startSession({plain(1), plain(2), plain(3)}, 600);
        form()->Button2Click();
        child<QCheckBox>(QStringLiteral("CheckBox0"))->click();
        form()->Button4Click();
        QVERIFY(screens().ConfirmForm->isVisible());
        screens().ConfirmForm->hide();
        form()->reviewJump(2);
        QCOMPARE(examSession().currentQuestion, 2);
        QCOMPARE(examSession().reviewMode, 1);
        QCOMPARE(form()->windowTitle(), QStringLiteral("見直し中"));
        QCOMPARE(label(QStringLiteral("Label0"))->text(), QStringLiteral("Q.2"));
        QVERIFY(child<QCheckBox>(QStringLiteral("CheckBox0"))->isChecked());
        for (const char* name : {"Button2", "Button3", "Button6"})
            QVERIFY2(!shown(button(QLatin1String(name))), name);
        QCOMPARE(button(QStringLiteral("Button4"))->x(), 654);
        QCOMPARE(button(QStringLiteral("Button1"))->x(), 554);
        QVERIFY(timer()->isActive());

        form()->Button4Click();
        QVERIFY(screens().ConfirmForm->isVisible());
        form()->scoreSession();
        QVERIFY(!form()->isVisible());
        QVERIFY(!screens().ConfirmForm->isVisible());
        QVERIFY(screens().ResultForm->isVisible());
        QVERIFY(!timer()->isActive());
        QCOMPARE(button(QStringLiteral("Button4"))->x(), 144);
        QCOMPARE(button(QStringLiteral("Button1"))->x(), 352);
        for (const char* name : {"Button2", "Button3", "Button6"})
            QVERIFY2(shown(button(QLatin1String(name))), name);
        QCOMPARE(form()->windowTitle(), QStringLiteral("Quarvel - 模擬試験中..."));
    }

    void explanation()
    {
        startSession({question(kStyleMultiple, "Pick two", {"w", "x", "y", "z"}, 2), plain(2)}, 0);
        examSession().sessionQuestions.question(1).keyFlags = {0, 1, 0, 1};
        form()->Button1Click();
        QCOMPARE(examSession().answers.at(1).explanationViewed, 1);
        QVERIFY(screens().CheatForm->isVisible());
        auto textColour = [this](int memo) {
            return child<QTextEdit>(QStringLiteral("Memo%1").arg(memo))->palette().color(QPalette::Text);
        };
        QCOMPARE(textColour(3), QColor(Qt::red));
        QCOMPARE(textColour(5), QColor(Qt::red));
        QCOMPARE(textColour(2), QColor(Qt::black));
        form()->Button2Click();
        QVERIFY(!screens().CheatForm->isVisible());
        QCOMPARE(textColour(3), QColor(Qt::black));
        QCOMPARE(examSession().answers.at(1).explanationViewed, 1);
        QCOMPARE(examSession().answers.at(2).explanationViewed, 0);
    }

    void hundredthQuestionLabel()
    {
        std::vector<SessionQuestion> questions;
        for (int i = 1; i <= 100; ++i)
            questions.push_back(plain(i));
        startSession(questions, 0);
        QLabel* q = label(QStringLiteral("Label0"));
        const int bigSize = q->font().pixelSize();
        QCOMPARE(q->y(), 1);
        form()->reviewJump(100);
        QCOMPARE(q->text(), QStringLiteral("Q.100"));
        QCOMPARE(q->y(), 5);
        QVERIFY(q->font().pixelSize() < bigSize);
    }

    void textsDoNotKeepTheFocus()
    {
        startSession({plain(1)}, 0);
        activate();
        child<QTextEdit>(QStringLiteral("Memo1"))->setFocus();
        QVERIFY(child<QWidget>(QStringLiteral("Panel1"))->hasFocus());
        child<QTextEdit>(QStringLiteral("Memo3"))->setFocus();
        QVERIFY(form()->findChild<QScrollArea*>(QStringLiteral("Panel2"))->hasFocus());
    }

    void keys_data()
    {
        QTest::addColumn<bool>("multiple");
        QTest::addColumn<bool>("pausedFirst");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("question");
        QTest::addColumn<QString>("ticked");
        QTest::addColumn<bool>("marked");
        using K = QList<int>;
        QTest::newRow("letter selects radio") << false << false << K{Qt::Key_B} << 1 << QStringLiteral("b") << false;
        QTest::newRow("another letter moves radio")
            << false << false << K{Qt::Key_B, Qt::Key_D} << 1 << QStringLiteral("d") << false;
        QTest::newRow("same letter keeps radio")
            << false << false << K{Qt::Key_C, Qt::Key_C} << 1 << QStringLiteral("c") << false;
        QTest::newRow("letter of no shown choice")
            << false << false << K{Qt::Key_E, Qt::Key_J} << 1 << QStringLiteral("") << false;
        QTest::newRow("letters toggle check boxes")
            << true << false << K{Qt::Key_A, Qt::Key_C} << 1 << QStringLiteral("ac") << false;
        QTest::newRow("letter again unticks")
            << true << false << K{Qt::Key_A, Qt::Key_A} << 1 << QStringLiteral("") << false;
        QTest::newRow("tick limit holds")
            << true << false << K{Qt::Key_A, Qt::Key_B, Qt::Key_C} << 1 << QStringLiteral("ab") << false;
        QTest::newRow("right is next") << false << false << K{Qt::Key_Right} << 2 << QStringLiteral("") << false;
        QTest::newRow("page down is next") << false << false << K{Qt::Key_PageDown} << 2 << QStringLiteral("") << false;
        QTest::newRow("left is previous")
            << false << false << K{Qt::Key_Right, Qt::Key_Right, Qt::Key_Left} << 2 << QStringLiteral("") << false;
        QTest::newRow("page up is previous")
            << false << false << K{Qt::Key_PageDown, Qt::Key_PageUp} << 1 << QStringLiteral("") << false;
        QTest::newRow("nothing before the first")
            << false << false << K{Qt::Key_Left} << 1 << QStringLiteral("") << false;
        QTest::newRow("m marks") << false << false << K{Qt::Key_M} << 1 << QStringLiteral("") << true;
        QTest::newRow("m again unmarks") << false << false << K{Qt::Key_M, Qt::Key_M} << 1 << QStringLiteral("")
                                         << false;
        QTest::newRow("answer and mark kept across keys")
            << false << false << K{Qt::Key_B, Qt::Key_M, Qt::Key_Right, Qt::Key_Left} << 1 << QStringLiteral("b")
            << true;
        QTest::newRow("paused: no next") << false << true << K{Qt::Key_Right} << 1 << QStringLiteral("") << false;
    }

    // Keys end in what the mouse does to the same control, from wherever the focus sits.
    void keys()
    {
        QFETCH(bool, multiple);
        QFETCH(bool, pausedFirst);
        QFETCH(QList<int>, keys);
        QFETCH(int, question);
        QFETCH(QString, ticked);
        QFETCH(bool, marked);
        const SessionQuestion first =
            multiple ? ::question(kStyleMultiple, "Pick two", {"w", "x", "y", "z"}, 2) : plain(1);
        startSession({first, plain(2), plain(3)}, 600);
        activate();
        if (pausedFirst)
            form()->Button3Click();
        for (int key : keys)
            QTest::keyClick(form()->focusWidget() ? form()->focusWidget() : form(), Qt::Key(key));
        QCOMPARE(examSession().currentQuestion, question);
        QString now;
        for (int k = 1; k <= kMaxChoices; ++k) {
            const auto* radio = child<QRadioButton>(QStringLiteral("RadioButton%1").arg(k));
            const auto* box = child<QCheckBox>(QStringLiteral("CheckBox%1").arg(k));
            if (radio->isChecked() || box->isChecked())
                now += QChar(u'a' + (k - 1));
        }
        QCOMPARE(now, ticked);
        QCOMPARE(child<QCheckBox>(QStringLiteral("CheckBox0"))->isChecked(), marked);
    }

    void scoreKey_data()
    {
        QTest::addColumn<bool>("pausedFirst");
        QTest::addColumn<bool>("inReview");
        QTest::addColumn<bool>("reviewShown");
        QTest::newRow("running") << false << false << true;
        QTest::newRow("paused: the score button is greyed") << true << false << false;
        QTest::newRow("review mode: the moved score button") << false << true << true;
    }

    // S presses the score button: the answer on screen is kept and the review opens.
    void scoreKey()
    {
        QFETCH(bool, pausedFirst);
        QFETCH(bool, inReview);
        QFETCH(bool, reviewShown);
        startSession({plain(1), plain(2), plain(3)}, 600);
        if (inReview)
            form()->reviewJump(2);
        activate();
        if (pausedFirst)
            form()->Button3Click();
        QTest::keyClick(form()->focusWidget(), Qt::Key_B);
        QTest::keyClick(form()->focusWidget(), Qt::Key_S);
        QCOMPARE(screens().ConfirmForm->isVisible(), reviewShown);
        QCOMPARE(examSession().answers.at(examSession().currentQuestion).answerFlags[1],
                 static_cast<unsigned char>(reviewShown ? 1 : 0));
        QCOMPARE(button(QStringLiteral("Button4"))->hint(), QStringLiteral("模擬試験の採点を行います"));
        QCOMPARE(button(QStringLiteral("Button4"))->toolTip(), QStringLiteral("模擬試験の採点を行います (S)"));
    }

    void buttonKeys_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("paused");
        QTest::addColumn<bool>("explanationShown");
        QTest::addColumn<bool>("styleScreenShown");
        using K = QList<int>;
        QTest::newRow("p pauses") << int(kStyleSingle) << K{Qt::Key_P} << 1 << false << false;
        QTest::newRow("p again resumes") << int(kStyleSingle) << K{Qt::Key_P, Qt::Key_P} << 0 << false << false;
        QTest::newRow("k explains") << int(kStyleSingle) << K{Qt::Key_K} << 0 << true << false;
        QTest::newRow("paused: k does nothing") << int(kStyleSingle) << K{Qt::Key_P, Qt::Key_K} << 1 << false << false;
        QTest::newRow("o opens the answer screen") << int(kStyleGraphic) << K{Qt::Key_O} << 0 << false << true;
        QTest::newRow("o on a choice question") << int(kStyleSingle) << K{Qt::Key_O} << 0 << false << false;
    }

    // Each remaining button of the exam has one key, which presses it as a click would.
    void buttonKeys()
    {
        QFETCH(int, style);
        QFETCH(QList<int>, keys);
        QFETCH(int, paused);
        QFETCH(bool, explanationShown);
        QFETCH(bool, styleScreenShown);
        QDir().mkpath(m_install->questionDir(QStringLiteral("oracle")) + QStringLiteral("img"));
        QImage(80, 80, QImage::Format_RGB32)
            .save(m_install->questionDir(QStringLiteral("oracle")) + QStringLiteral("img/router.bmp"));
        startSession(
            {question(style, "<INCLUDE IMG>@router.bmp\r\nFirst", {"b@50,50,60,60", "a@10,10,20,20"}), plain(2)}, 600);
        activate();
        for (int key : keys)
            QTest::keyClick(form()->focusWidget(), Qt::Key(key));
        QCOMPARE(examSession().paused, paused);
        QCOMPARE(timer()->isActive(), paused == 0);
        QCOMPARE(screens().CheatForm->isVisible(), explanationShown);
        QCOMPARE(examSession().answers.at(1).explanationViewed, explanationShown ? 1 : 0);
        QCOMPARE(screens().frmSelStyle3->isVisible(), styleScreenShown);
        screens().frmSelStyle3->hide();
        screens().CheatForm->hide();
        QCOMPARE(button(QStringLiteral("Button3"))->toolTip(),
                 paused ? QStringLiteral("試験を再開します (P)") : QStringLiteral("試験を中断します (P)"));
        QCOMPARE(button(QStringLiteral("Button1"))->toolTip(), QStringLiteral("正解及び解説を表示します (K)"));
        QCOMPARE(button(QStringLiteral("ButtonType3"))->toolTip(), QStringLiteral("解答画面を開く (O)"));
    }

    // The answer screen is a window of its own: what is typed there is text, never an exam key.
    void typingOnTheAnswerScreenIsNoExamKey()
    {
        startSession({question(kStyleTextEntry, "Type it.", {"c@10", "a@spkmab", "b@off"}), plain(2)}, 600);
        activate();
        QTest::keyClick(form()->focusWidget(), Qt::Key_O);
        TfrmSelStyle5* answerScreen = screens().frmSelStyle5;
        QVERIFY(answerScreen->isVisible());
        answerScreen->activateWindow();
        QApplication::setActiveWindow(answerScreen);
        auto* edit = answerScreen->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        QTest::keyClicks(edit, QStringLiteral("spkmab"));
        QCOMPARE(edit->text(), QStringLiteral("spkmab"));
        QCOMPARE(examSession().paused, 0);
        QVERIFY(!screens().ConfirmForm->isVisible());
        QVERIFY(!screens().CheatForm->isVisible());
        QVERIFY(!child<QCheckBox>(QStringLiteral("CheckBox0"))->isChecked());
        QCOMPARE(form()->tickedRadioButtons(), (std::array<unsigned char, kMaxChoices>{}));
        answerScreen->hide();
    }

    void tabFollowsReadingOrder_data()
    {
        QTest::addColumn<bool>("multiple");
        QTest::addColumn<bool>("inReview");
        QTest::addColumn<QStringList>("order");
        const QStringList exhibits{"RefImg1", "RefImg2", "CheckBox0"};
        QTest::newRow("multiple choice") << true << false
                                         << exhibits + QStringList{"CheckBox1", "CheckBox2", "CheckBox3", "Button3",
                                                                   "Button4",   "Button1",   "Button6",   "Button2"};
        // The radio choices are one stop, as everywhere: Up and Down (or a-j) move within them.
        QTest::newRow("single choice") << false << false
                                       << exhibits + QStringList{"RadioButton1", "Button3", "Button4",
                                                                 "Button1",      "Button6", "Button2"};
        QTest::newRow("review mode: score and explanation moved")
            << true << true << exhibits + QStringList{"CheckBox1", "CheckBox2", "CheckBox3", "Button1", "Button4"};
    }

    // Tab reads the screen as it stands: the question panel, the choices, then the button row
    // left to right; it never stops in a text and comes back round.
    void tabFollowsReadingOrder()
    {
        QFETCH(bool, multiple);
        QFETCH(bool, inReview);
        QFETCH(QStringList, order);
        SessionQuestion first = question(multiple ? kStyleMultiple : kStyleSingle,
                                         "<INCLUDE IMG>@one.jpg@two.jpg\r\nLook", {"x", "y", "z"}, 2);
        // On the second question, where previous is not greyed.
        startSession({plain(1), first, plain(3)}, 600);
        if (inReview)
            form()->reviewJump(2);
        else
            form()->Button2Click();
        activate();
        QCOMPARE(form()->focusWidget()->objectName(), QStringLiteral("CheckBox0"));
        QStringList walked;
        for (int i = 0; i < order.size() + 1; ++i) {
            walked << form()->focusWidget()->objectName();
            QTest::keyClick(form()->focusWidget(), Qt::Key_Tab);
        }
        // Start from the first of the order, wherever the walk began.
        const qsizetype start = walked.indexOf(order.first());
        QVERIFY2(start >= 0, qPrintable(walked.join(u' ')));
        QStringList cycle = walked.mid(start) + walked.mid(1, start);
        cycle = cycle.mid(0, order.size());
        QCOMPARE(cycle, order);
    }

    // A letter ticks a choice the panel has scrolled away, and brings it into view as a click
    // could only have done on a visible one.
    void letterScrollsToItsChoice()
    {
        std::vector<std::string> choices;
        for (int k = 0; k < kMaxChoices; ++k)
            choices.push_back("line one\r\nline two\r\nline three\r\nline four");
        startSession({question(kStyleSingle, "Long list", choices), plain(2)}, 0);
        activate();
        auto* panel = child<QScrollArea>(QStringLiteral("Panel2"));
        QCOMPARE(panel->verticalScrollBar()->value(), 0);
        QTest::keyClick(form()->focusWidget(), Qt::Key_J);
        auto* last = child<QRadioButton>(QStringLiteral("RadioButton10"));
        QVERIFY(last->isChecked());
        const QRect inView(last->mapTo(panel->viewport(), QPoint(0, 0)), last->size());
        QVERIFY(panel->viewport()->rect().contains(inView));
        QTest::keyClick(form()->focusWidget(), Qt::Key_A);
        QCOMPARE(panel->verticalScrollBar()->value(), 0);
    }

    // A screen reader hears the number, the text and the choices of the question on screen.
    void questionPanelIsSpoken()
    {
        startSession({plain(1), question(kStyleMultiple, "Which two?\r\nPick them.", {"red", "two\r\nlines"}, 2)}, 0);
        auto* panel = child<QFrame>(QStringLiteral("Panel1"));
        QCOMPARE(panel->accessibleName(), QStringLiteral("Q.1"));
        QCOMPARE(panel->accessibleDescription(), QStringLiteral("Question 1\na. one\nb. two\nc. three\nd. four"));
        form()->Button2Click();
        QCOMPARE(panel->accessibleName(), QStringLiteral("Q.2"));
        QCOMPARE(panel->accessibleDescription(), QStringLiteral("Which two?\nPick them.\na. red\nb. two lines"));
        QCOMPARE(child<QCheckBox>(QStringLiteral("CheckBox2"))->accessibleName(), QStringLiteral("b. two lines"));
    }

  private:
    void activate()
    {
        form()->activateWindow();
        QApplication::setActiveWindow(form());
    }
};

QUARVEL_TEST_MAIN(TestExamScreen)
#include "TestExamScreen.moc"

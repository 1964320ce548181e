#include "bank/Cp932.h"
#include "bank/SettingsStore.h"
#include "install/Selection.h"
#include "session/ExamSession.h"
#include "session/screens/TCheatForm.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "styles/screens/TfrmSelStyle4View.h"
#include "support/TestSupport.h"
#include "ui/PictureButton.h"
#include "ui/ShellOpen.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>

#include <memory>

namespace
{

SessionQuestion question(int style, std::vector<int> correct)
{
    SessionQuestion q;
    q.number = 7;
    q.style = style;
    q.text = "Question";
    q.shownChoiceCount = 4;
    q.correctCount = int(correct.size());
    q.choices = {"w", "x", "y", "z"};
    for (int c : correct)
        q.keyFlags[size_t(c - 1)] = 1;
    q.explanation = cp932::fromUtf8("\r\n理由");
    q.references[0] = {"Guide", "12"};
    return q;
}

const QByteArray kLaunchProto = "<html><FRAMESET>\r\n#CDPATH#\r\n</FRAMESET></html>\r\n";
const QByteArray kQuesProto = "<html>\r\n#CGI_URL#\r\n#ANSW#\r\n</form></html>\r\n";

} // namespace

class TestCheatForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    QStringList m_opened;

    TExamModeForm* exam() const { return screens().ExamModeForm; }
    TCheatForm* form() const { return screens().CheatForm; }
    template <typename T> T* child(const QString& name) const
    {
        T* found = form()->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    ui::PictureButton* button(const char* name) const { return child<ui::PictureButton>(QLatin1String(name)); }
    bool showsPicture(const char* buttonName, const char* pictureName) const
    {
        return button(buttonName)->pixmap().cacheKey() ==
               child<QLabel>(QLatin1String(pictureName))->pixmap().cacheKey();
    }
    QStringList messages() const
    {
        QStringList out;
        for (const ui::ShownMessage& m : ui::testing::shownMessages())
            out << m.title + QLatin1Char('|') + m.text;
        return out;
    }

    void startSession(const std::vector<SessionQuestion>& questions)
    {
        ExamSession& session = examSession();
        session.settings.questionCount = int(questions.size());
        session.sessionQuestions.count = int(questions.size());
        for (size_t i = 0; i < questions.size(); ++i)
            session.sessionQuestions.questions[i] = questions[i];
        session.answers = AnswerTable{};
        exam()->show();
        exam()->move(100, 50);
    }

  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        m_install->writeFile(QStringLiteral("BIN/LaunchProto"), kLaunchProto);
        m_install->writeFile(QStringLiteral("BIN/QuesProto"), kQuesProto);
        createScreens();
        CourseTest test;
        test.questionFile = m_install->questionDir(QStringLiteral("oracle")) + QStringLiteral("QV-101.qdf");
        test.code = "1Z0-001";
        selection().setTest(test);
        selection().setTheme(VendorTheme{});
        form()->discRoots = [] { return QStringList(); };
        settings::WriteSetting(QString::fromLatin1(settings::kDiscSection), QStringLiteral("CD_PATH"),
                               QStringLiteral("NA"));
        m_opened.clear();
        ui::testing::setOpener([this](const QString& target, bool) { m_opened << target; });
        ui::testing::clearShownMessages();
    }
    void cleanup()
    {
        ui::testing::setOpener({});
        destroyScreens();
        m_install.reset();
    }

    void showsLettersExplanationAndLinks()
    {
        SessionQuestion linked = question(kStyleMultiple, {1, 3});
        linked.links[0] = {cp932::fromUtf8("図解"), "CBT_LINK:a.htm"};
        startSession({linked, question(kStyleSingle, {2})});
        exam()->Button1Click();
        QVERIFY(form()->isVisible());
        QCOMPARE(form()->windowTitle(), QStringLiteral("正解"));
        QCOMPARE(child<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral(" a c"));
        QCOMPARE(child<QPlainTextEdit>(QStringLiteral("Memo1"))->toPlainText(),
                 QStringLiteral("\n理由\n \n【参照】\nGuide\n→12P"));
        QVERIFY(button("Button3")->isEnabled());
        QCOMPARE(button("Button3")->hint(), QStringLiteral("図解"));
        QVERIFY(showsPicture("Button3", "Image33"));
        QVERIFY(!button("Button4")->isEnabled());
        QVERIFY(showsPicture("Button4", "Image4"));

        // The next question has no links at all.
        exam()->Button2Click();
        QVERIFY(!form()->isVisible());
        exam()->Button1Click();
        QCOMPARE(child<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral(" b"));
        for (const char* name : {"Button3", "Button4"}) {
            QVERIFY2(!button(name)->isEnabled(), name);
            QVERIFY2(button(name)->hint().isEmpty(), name);
        }
        QVERIFY(showsPicture("Button3", "Image3"));
        QCOMPARE(examSession().answers.at(1).explanationViewed, 1);
        QCOMPARE(examSession().answers.at(2).explanationViewed, 1);
    }

    void styleViewButtons_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("visible");
        QTest::newRow("single choice") << 1 << QString();
        QTest::newRow("graphic") << 3 << "Image8";
        QTest::newRow("panel") << 4 << "Image9";
        QTest::newRow("text entry") << 5 << "ButtonType5";
        QTest::newRow("labelled panel") << 6 << "Image10";
        QTest::newRow("connector") << 7 << "Image11";
    }

    void styleViewButtons()
    {
        QFETCH(int, style);
        QFETCH(QString, visible);
        startSession({question(style, {1})});
        exam()->Button1Click();
        for (const char* name : {"Image8", "Image9", "ButtonType5", "Image10", "Image11"})
            QCOMPARE(!button(name)->isHidden(), visible == QLatin1String(name));
    }

    void styleViewOpensWithTheQuestionHandedOver()
    {
        SessionQuestion q = question(kStylePanel, {1});
        q.choices = {"a@@1,2", "b@@3", "c@@4", ""};
        startSession({q});
        exam()->Button1Click();
        examSession().styleHandOver.question(kStylePanel) = StyleQuestion{};
        form()->Image9Click();
        QCOMPARE(examSession().styleHandOver.question(kStylePanel).dataA, std::string("@@1,2"));
        // The view was asked with that data: it has no picture, so it says so instead of opening.
        QVERIFY(!screens().frmSelStyle4View->isVisible());
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        QCOMPARE(ui::testing::shownMessages().first().title, QStringLiteral("Error"));
    }

    // Folded beside the exam, unfolded upwards, and back where the user left it for the rest of the run.
    void foldUnfoldAndRememberedPlace()
    {
        startSession({question(kStyleSingle, {1}), question(kStyleSingle, {2})});
        exam()->Button1Click();
        const QPoint folded(exam()->x() + exam()->width() - 194, exam()->y() + 415);
        QCOMPARE(form()->pos(), folded);
        QCOMPARE(form()->size(), QSize(194, 95));
        QCOMPARE(button("Button2")->hint(), QStringLiteral("解説を表示します"));

        form()->Button2Click();
        QVERIFY(form()->isUnfolded());
        QCOMPARE(form()->pos(), folded - QPoint(0, 155));
        QCOMPARE(form()->size(), QSize(194, 250));
        QCOMPARE(button("Button2")->hint(), QStringLiteral("解説を隠します"));
        QVERIFY(showsPicture("Button2", "Image2"));

        form()->move(30, 40);
        form()->resize(300, 320);
        auto* panel = child<QFrame>(QStringLiteral("Panel1"));
        QCOMPARE(panel->size(), QSize(294, 223));
        QCOMPARE(child<QPlainTextEdit>(QStringLiteral("Memo1"))->size(), QSize(294, 178));
        QCOMPARE(button("Button3")->y(), 193);
        QCOMPARE(button("Button5")->y(), 185);

        form()->Button2Click(); // fold: the place is remembered
        QCOMPARE(form()->size(), QSize(194, 95));
        QCOMPARE(form()->pos(), folded);
        QCOMPARE(exam()->SaveLeft, QStringLiteral("30"));
        QCOMPARE(exam()->SaveHeight, QStringLiteral("320"));

        exam()->Button2Click(); // next question closes the window
        QVERIFY(!form()->isVisible());
        exam()->Button1Click();
        QVERIFY(!form()->isUnfolded());
        form()->Button2Click();
        QCOMPARE(form()->pos(), QPoint(30, 40));
        QCOMPARE(form()->size(), QSize(300, 320));

        // Closing while unfolded remembers too, and the next show is folded again.
        form()->move(60, 70);
        form()->Button1Click();
        QVERIFY(!form()->isVisible());
        QCOMPARE(exam()->SaveLeft, QStringLiteral("60"));
        exam()->Button1Click();
        QCOMPARE(form()->size(), QSize(194, 95));
        QVERIFY(showsPicture("Button2", "Image1"));
    }

    // A window left open would show the answer of the question left behind.
    void reviewJumpAndScoringCloseIt()
    {
        startSession({question(kStyleSingle, {1}), question(kStyleSingle, {2})});
        exam()->Button1Click();
        form()->Button2Click();
        exam()->reviewJump(2);
        QVERIFY(!form()->isVisible());
        QVERIFY(!form()->isUnfolded());
        exam()->Button1Click();
        QCOMPARE(child<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral(" b"));
        exam()->scoreSession();
        QVERIFY(!form()->isVisible());
    }

    void closingTurnsTheChoicesBlack()
    {
        startSession({question(kStyleMultiple, {2, 4})});
        exam()->Button1Click();
        auto colour = [this](int memo) {
            return exam()->findChild<QTextEdit*>(QStringLiteral("Memo%1").arg(memo))->palette().color(QPalette::Text);
        };
        QCOMPARE(colour(3), QColor(Qt::red));
        form()->Button1Click();
        QCOMPARE(colour(3), QColor(Qt::black));
        QCOMPARE(colour(5), QColor(Qt::black));
    }

    void links_data()
    {
        QTest::addColumn<QString>("location");
        QTest::addColumn<bool>("disc");
        QTest::addColumn<QString>("opened"); // "" nothing, "Launch" the launch page, else a file in BIN/
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("message");
        QTest::newRow("web location") << "http://127.0.0.1:9/ref/" << false << "Launch"
                                      << "http://127.0.0.1:9/ref/docs/a.htm"
                                      << "";
        QTest::newRow("no location, no disc: Ref/") << "NA" << false << "Ref/docs/a.htm"
                                                    << ""
                                                    << "";
        QTest::newRow("disc holds it") << "NA" << true << "Launch"
                                       << "file:///"
                                       << "";
        QTest::newRow("httpx location") << "httpx://h/" << false << ""
                                        << ""
                                        << "Error|CD-ROMが装着されていません。";
    }

    void links()
    {
        QFETCH(QString, location);
        QFETCH(bool, disc);
        QFETCH(QString, opened);
        QFETCH(QString, frame);
        QFETCH(QString, message);
        m_install->writeFile(QStringLiteral("BIN/Ref/docs/a.htm"), QByteArray("<p>doc</p>"));
        m_install->writeFile(QStringLiteral("disc/docs/a.htm"), QByteArray("<p>doc</p>"));
        const QString discRoot = m_install->root() + QStringLiteral("disc/");
        if (disc) {
            form()->discRoots = [discRoot] { return QStringList{discRoot}; };
            QFile::remove(m_install->programDir() + QStringLiteral("Ref/docs/a.htm"));
        }
        settings::WriteSetting(QString::fromLatin1(settings::kDiscSection), QStringLiteral("CD_PATH"), location);
        SessionQuestion q = question(kStyleSingle, {1});
        q.links[0] = {"Doc", "CBT_LINK:docs\\a.htm"};
        startSession({q});
        exam()->Button1Click();
        form()->Button3Click();

        QCOMPARE(messages(), message.isEmpty() ? QStringList() : QStringList{message});
        if (opened.isEmpty()) {
            QVERIFY(m_opened.isEmpty());
            return;
        }
        QCOMPARE(m_opened.size(), 1);
        if (opened == QLatin1String("Launch")) {
            QCOMPARE(m_opened.first(), m_install->programDir() + QStringLiteral("Launch.htm"));
            const QString page = QString::fromStdString(testsupport::readBytes(m_opened.first()));
            QVERIFY2(page.contains(QStringLiteral("<FRAME SRC=\"") + frame), qPrintable(page));
        } else {
            QCOMPARE(m_opened.first(), QFileInfo(m_install->programDir() + opened).canonicalFilePath());
        }
    }

    void missingLinkOnAMountedDisc()
    {
        const QString discRoot = m_install->root() + QStringLiteral("disc/");
        QDir().mkpath(discRoot);
        form()->discRoots = [discRoot] { return QStringList{discRoot}; };
        SessionQuestion q = question(kStyleSingle, {1});
        q.links[1] = {"Doc", "CBT_LINK:none.htm"};
        startSession({q});
        form()->CBTClick(2, 1);
        QCOMPARE(messages(), QStringList{QStringLiteral("|CBTのCD-ROMをセットしてください。")});
        QVERIFY(m_opened.isEmpty());
    }

    void inquiryPage()
    {
        startSession({question(kStyleSingle, {1, 3})});
        exam()->findChild<QRadioButton*>(QStringLiteral("RadioButton2"))->setChecked(true);
        exam()->Button1Click();
        form()->Button5Click();
        QCOMPARE(m_opened, QStringList{m_install->programDir() + QStringLiteral("Ques.htm")});
        const QString page = cp932::toUnicode(testsupport::readBytes(m_opened.first()));
        QVERIFY2(page.contains(QStringLiteral("A : w\r\nB : x\r\nC : y\r\nD : z\r\n正解 : A C\r\n解答 : B \r\n")),
                 qPrintable(page));
    }

    void inquiryPageWithoutTemplate()
    {
        QFile::remove(m_install->programDir() + QStringLiteral("QuesProto"));
        startSession({question(kStyleSingle, {1})});
        exam()->Button1Click();
        form()->Button5Click();
        QVERIFY(m_opened.isEmpty());
        QCOMPARE(messages().size(), 1);
        QVERIFY(messages().first().startsWith(QStringLiteral("Error|")));
        QVERIFY(messages().first().contains(QStringLiteral("QuesProto")));
        QVERIFY(form()->isVisible()); // the session goes on
    }
};

QUARVEL_TEST_MAIN(TestCheatForm)
#include "TestCheatForm.moc"

// The exhibit and case study windows beside the exam screen.
#include "bank/Cp932.h"
#include "install/Selection.h"
#include "results/screens/TResultForm.h"
#include "session/ExamSession.h"
#include "session/screens/TCaseStudyForm.h"
#include "session/screens/TConfirmForm.h"
#include "session/screens/TExamModeForm.h"
#include "session/screens/TRefImgForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "support/ExamSession.h"
#include "support/TestSupport.h"
#include "ui/PictureButton.h"

#include <QBuffer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QWindow>

#include <memory>

namespace
{

QByteArray picture(QSize size, const char* format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 220, 240));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

SessionQuestion single(int n, const std::string& text)
{
    SessionQuestion q;
    q.number = n;
    q.style = kStyleSingle;
    q.text = text;
    q.storedChoiceCount = q.shownChoiceCount = 2;
    q.correctCount = 1;
    q.choices[0] = "yes";
    q.choices[1] = "no";
    q.keyFlags[0] = 1;
    return q;
}

} // namespace

class TestExhibits : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    QString m_questionFile;

    TExamModeForm* exam() const { return screens().ExamModeForm; }
    TCaseStudyForm* caseStudy() const { return screens().CaseStudyForm; }
    TRefImgForm* exhibit() const { return screens().RefImgForm; }
    ui::PictureButton* button(QWidget* parent, const QString& name) const
    {
        auto* found = parent->findChild<ui::PictureButton*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }

    void writeImage(const QString& name, const QByteArray& bytes)
    {
        m_install->writeFile(QStringLiteral("QDAT/cisco/img/") + name, bytes);
    }
    void writeCaseStudy(const char* imageLinesUtf8)
    {
        m_install->writeFile(QStringLiteral("QDAT/cisco/QV-201.ini"),
                             cp932::fromUtf8(std::string("QV-201 test settings\r\n1\r\n\r\n[case study]\r\n"
                                                         "株式会社クオーツは本社と支店の二拠点です。\r\n"
                                                         "[CASE STUDY IMAGE]\r\n") +
                                             imageLinesUtf8));
    }
    int messagesNaming(const QString& name) const
    {
        int count = 0;
        for (const ui::ShownMessage& m : ui::testing::shownMessages())
            count += m.title == QStringLiteral("Error") && m.text.contains(name) ? 1 : 0;
        return count;
    }

  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        m_questionFile = m_install->questionDir(QStringLiteral("cisco")) + QStringLiteral("QV-201.qdf");
        createScreens();
        setProgramEndHandler([] {});
        CourseTest test;
        test.questionFile = m_questionFile;
        test.title = cp932::fromUtf8("ネットワーク基礎");
        selection().setTest(test);
        selection().setTheme(VendorTheme{});
        ui::testing::clearShownMessages();
    }
    void cleanup()
    {
        setProgramEndHandler({});
        destroyScreens();
        m_install.reset();
    }

    void caseStudyFirstThenItsButton()
    {
        writeImage(QStringLiteral("office.jpg"), picture({320, 200}, "JPG"));
        writeImage(QStringLiteral("rack.bmp"), picture({200, 150}, "BMP"));
        writeCaseStudy("IMG1=office.jpg\r\nIMG2=RACK.BMP\r\nIMG3=none\r\n");
        testsupport::startExamSession({single(1, "Q1"), single(2, "Q2")}, 0);

        QVERIFY(caseStudy()->isVisible());
        QVERIFY(caseStudy()->isShownModally());
        QCOMPARE(caseStudy()->windowTitle(), QStringLiteral("事例"));
        QCOMPARE(caseStudy()->size(), QSize(760, 560));
        auto* memo = caseStudy()->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("株式会社クオーツは本社と支店の二拠点です。"));
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        const std::array<int, 4> xs{8, 96, 184, 272};
        for (int i = 1; i <= 4; ++i) {
            ui::PictureButton* b = button(caseStudy(), QStringLiteral("RefImg%1").arg(i));
            QCOMPARE(b->isVisible(), i <= 2);
            QCOMPARE(b->geometry(), QRect(xs[size_t(i - 1)], 528, 81, 24));
        }
        QCOMPARE(examSession().caseStudyClosed, 0);
        QVERIFY(button(exam(), QStringLiteral("Image5"))->isVisibleTo(exam()));

        // The second image, named in capitals and stored in lower case, opens beside the text.
        caseStudy()->RefImgClick(2);
        QVERIFY(exhibit()->isVisible());
        QCOMPARE(exhibit()->windowTitle(), QStringLiteral("図の参照"));
        QCOMPARE(exhibit()->findChild<QLabel*>(QStringLiteral("Image1"))->size(), QSize(200, 150));
        // The exhibit stays usable beside the modal case study.
        QCOMPARE(exhibit()->windowHandle()->transientParent(), caseStudy()->windowHandle());
        // Closed by its own button and opened again: the first picture, beside the case study.
        exhibit()->Button1Click();
        QVERIFY(!exhibit()->isVisible());
        QVERIFY(caseStudy()->isVisible());
        caseStudy()->RefImgClick(1);
        QVERIFY(exhibit()->isVisible());
        QCOMPARE(exhibit()->findChild<QLabel*>(QStringLiteral("Image1"))->size(), QSize(320, 200));
        QCOMPARE(exhibit()->windowHandle()->transientParent(), caseStudy()->windowHandle());

        // Closing the case study closes the exhibit, counts no time and frees time-up.
        for (int i = 0; i < 40; ++i)
            exam()->Timer1Timer();
        caseStudy()->Button1Click();
        QVERIFY(!caseStudy()->isVisible());
        QVERIFY(!exhibit()->isVisible());
        QCOMPARE(examSession().caseStudyClosed, 1);
        QCOMPARE(examSession().questionStartSeconds, 40);

        // Later the exam screen's button opens it again, with the same buttons.
        exam()->Image5Click();
        QVERIFY(caseStudy()->isVisible());
        QVERIFY(button(caseStudy(), QStringLiteral("RefImg2"))->isVisible());
        caseStudy()->close(); // the close box ends the showing like the button
        QVERIFY(!caseStudy()->isVisible());
        QCOMPARE(examSession().caseStudyClosed, 1);
    }

    void timeUpWaitsForTheFirstShowingOnly()
    {
        writeCaseStudy("IMG1=none\r\n");
        testsupport::startExamSession({single(1, "Q1")}, 30);
        for (int i = 0; i < 45; ++i)
            exam()->Timer1Timer();
        QVERIFY(!screens().ConfirmForm->isVisible());
        caseStudy()->close();
        exam()->Timer1Timer();
        QVERIFY(screens().ConfirmForm->isVisible());
        // Scoring from the review closes the case study window (opened again meanwhile).
        caseStudy()->show();
        exam()->scoreSession();
        QVERIFY(!caseStudy()->isVisible());
    }

    void missingCaseStudyImageKeepsItsButton()
    {
        writeCaseStudy("IMG1=gone.jpg\r\n");
        testsupport::startExamSession({single(1, "Q1")}, 0);
        ui::PictureButton* first = button(caseStudy(), QStringLiteral("RefImg1"));
        QVERIFY(first->isVisible());
        caseStudy()->RefImgClick(1);
        QVERIFY(!exhibit()->isVisible());
        QCOMPARE(messagesNaming(QStringLiteral("gone.jpg")), 1);
        QVERIFY(caseStudy()->isVisible()); // the session goes on
    }

    void twoExhibitsInARowResizeTheWindow()
    {
        writeImage(QStringLiteral("wide.bmp"), picture({400, 120}, "BMP"));
        writeImage(QStringLiteral("tall.jpg"), picture({180, 300}, "JPG"));
        testsupport::startExamSession({single(1, "<INCLUDE IMG>@wide.bmp@tall.jpg\r\nLook.")}, 0);
        QVERIFY(!caseStudy()->isVisible());
        exam()->RefImgClick(1);
        QVERIFY(exhibit()->isVisible());
        QCOMPARE(exhibit()->size(), QSize(400, 155)); // picture + 65 less the title bar
        const QRect close = button(exhibit(), QStringLiteral("Button1"))->geometry();
        QCOMPARE(close.size(), QSize(81, 24));
        QCOMPARE(close.right(), 400 - 12 - 1);
        QVERIFY(close.top() >= 120);

        exam()->RefImgClick(2);
        QVERIFY(exhibit()->isVisible());
        QCOMPARE(exhibit()->size(), QSize(180, 335));
        QCOMPARE(exhibit()->shownPath(), exam()->imagePath(2));
        QVERIFY(button(exhibit(), QStringLiteral("Button1"))->geometry().top() >= 300);

        // It stays open while the person moves on, until its own button closes it.
        exhibit()->Button1Click();
        QVERIFY(!exhibit()->isVisible());
    }

    // An exhibit belongs to the window it was opened from and, there, to the question it shows a
    // picture of: it goes when that question or window goes, and only then.
    void exhibitGoesWithWhatItBelongsTo_data()
    {
        QTest::addColumn<QString>("openedFrom");
        QTest::addColumn<QString>("event");
        QTest::addColumn<bool>("closes");
        QTest::newRow("next question") << "question"
                                       << "next" << true;
        QTest::newRow("previous question") << "question"
                                           << "previous" << true;
        QTest::newRow("review by the score button") << "question"
                                                    << "score" << true;
        QTest::newRow("review after the last question") << "question"
                                                        << "next past the last" << true;
        QTest::newRow("session scored") << "question"
                                        << "scored" << true;
        QTest::newRow("case study opened and closed") << "question"
                                                      << "case study" << false;
        QTest::newRow("pause") << "question"
                               << "pause" << false;
        QTest::newRow("case study closed") << "case study"
                                           << "close case study" << true;
        QTest::newRow("another result row") << "result"
                                            << "other row" << true;
        QTest::newRow("result screen left") << "result"
                                            << "leave result" << true;
    }
    void exhibitGoesWithWhatItBelongsTo()
    {
        QFETCH(QString, openedFrom);
        QFETCH(QString, event);
        writeImage(QStringLiteral("a.bmp"), picture({100, 80}, "BMP"));
        writeCaseStudy("IMG1=a.bmp\r\n");
        const std::string text = "<INCLUDE IMG>@a.bmp\r\nLook.";
        testsupport::startExamSession({single(1, text), single(2, text), single(3, text)}, 0);
        caseStudy()->Button1Click();
        exam()->Button2Click(); // on question 2, so that both ways lead elsewhere
        QWidget* owner = exam();
        if (openedFrom == QLatin1String("question")) {
            exam()->RefImgClick(1);
        } else if (openedFrom == QLatin1String("case study")) {
            exam()->Image5Click();
            caseStudy()->RefImgClick(1);
            owner = caseStudy();
        } else {
            exam()->scoreSession();
            screens().ResultForm->StringGrid1SelectCell(1);
            screens().ResultForm->Image11Click();
            owner = screens().ResultForm;
        }
        QVERIFY(exhibit()->isVisible());
        QCOMPARE(exhibit()->owner(), owner);
        QCOMPARE(exhibit()->windowHandle()->transientParent(), owner->windowHandle());

        if (event == QLatin1String("next"))
            exam()->Button2Click();
        else if (event == QLatin1String("previous"))
            exam()->Button6Click();
        else if (event == QLatin1String("score"))
            exam()->Button4Click();
        else if (event == QLatin1String("next past the last")) {
            exam()->Button2Click();
            QVERIFY(!exhibit()->isVisible()); // question 3 is a new question already
            exam()->RefImgClick(1);
            exam()->Button2Click();
        } else if (event == QLatin1String("scored"))
            exam()->scoreSession();
        else if (event == QLatin1String("case study")) {
            exam()->Image5Click();
            caseStudy()->Button1Click();
        } else if (event == QLatin1String("pause"))
            exam()->Button3Click();
        else if (event == QLatin1String("close case study"))
            caseStudy()->Button1Click();
        else if (event == QLatin1String("other row"))
            screens().ResultForm->StringGrid1SelectCell(2);
        else if (event == QLatin1String("leave result"))
            screens().ResultForm->Button3Click();
        QTEST(!exhibit()->isVisible(), "closes");
        if (event == QLatin1String("score") || event == QLatin1String("next past the last"))
            QVERIFY(screens().ConfirmForm->isVisible());
    }

    void brokenExhibitGivesAMessage()
    {
        const QByteArray jpeg = picture({320, 240}, "JPG");
        writeImage(QStringLiteral("cut.jpg"), jpeg.left(jpeg.size() / 3));
        writeImage(QStringLiteral("fine.bmp"), picture({100, 80}, "BMP"));
        testsupport::startExamSession({single(1, "<INCLUDE IMG>@fine.bmp@cut.jpg\r\nLook.")}, 0);
        exam()->RefImgClick(1);
        QVERIFY(exhibit()->isVisible());
        exam()->RefImgClick(2);
        QCOMPARE(messagesNaming(QStringLiteral("cut.jpg")), 1);
        // Not left showing the previous picture as if it were the one asked for.
        QVERIFY(!exhibit()->isVisible());
        QVERIFY(exam()->isVisible());
    }
};

QUARVEL_TEST_MAIN(TestExhibits)
#include "TestExhibits.moc"

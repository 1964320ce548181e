// The screens past the opening one, and the pictures a screen draws once, wait until first
// reached or shown, or until the program is idle after the opening screen has been painted; a
// screen drawn late looks exactly as one drawn early.
#include "bank/Cp932.h"
#include "bank/QuestionFileWriter.h"
#include "install/Selection.h"
#include "session/screens/TExamModeForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCourseMenuForm.h"
#include "shell/screens/TMainMenuForm.h"
#include "support/ExamSession.h"
#include "support/TestSupport.h"
#include "ui/PictureButton.h"

#include <QLabel>

#include <memory>

namespace
{

std::string testFile(const std::string& code, std::array<bool, 5> badges)
{
    auto bank = testsupport::oneCategoryBank(2, 10, {"right", "wrong"});
    QuestionHeader header;
    header.targetRate = "70";
    header.code = code;
    header.title = cp932::fromUtf8("準備テスト ") + code;
    header.badges = badges;
    header.updated = "20261201090000";
    return QuestionFileBytes(header, *bank);
}

QImage pictureOf(const QWidget* screen, const QString& name)
{
    const auto* label = screen->findChild<QLabel*>(name);
    return label ? label->pixmap().toImage() : QImage();
}

// Whether the idle passes have made and drawn every screen.
bool allPrepared()
{
    const QList<ui::Screen*> made = screens().made();
    for (const ui::Screen* screen : made)
        if (!screen->isPrepared())
            return false;
    return made.size() == 27;
}

// The course menu's x for a press on tab n.
int tabX(int n)
{
    return n * 77 + 10;
}

} // namespace

class TestScreenPreparation : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;

  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        m_install->writeFile(QStringLiteral("QDAT/oracle/a.qdf"), testFile("OR-1", {}));
        m_install->writeFile(QStringLiteral("QDAT/oracle/b.qdf"), testFile("OR-2", {false, true, false, false, false}));
        m_install->writeFile(QStringLiteral("QDAT/cisco/c.qdf"), testFile("CS-1", {true, false, false, false, false}));
        createScreens();
    }
    void cleanup()
    {
        destroyScreens();
        m_install.reset();
    }

    void courseMenuListsAtCreationAndDrawsWhenShown()
    {
        TCourseMenuForm* menu = screens().CourseMenuForm;
        QVERIFY(!menu->isPrepared());
        QCOMPARE(selection().vendorTests().size(), 2);
        // The rows exist and say what they list; their pictures wait.
        QVERIFY(menu->findChild<QLabel*>(QStringLiteral("RDB2"))->toolTip().contains(QStringLiteral("OR-2")));
        QVERIFY(pictureOf(menu, QStringLiteral("RDB1")).isNull());

        menu->show();
        QVERIFY(menu->isPrepared());
        for (const QString& name : {QStringLiteral("RDB1"), QStringLiteral("RDB2"), QStringLiteral("Image4"),
                                    QStringLiteral("Image5"), QStringLiteral("HiGradeImg"), QStringLiteral("Button2")})
            QVERIFY2(!pictureOf(menu, name).isNull(), qPrintable(name));
    }

    void tabPressedBeforeTheFirstShowLooksAsOnePressedAfter_data()
    {
        QTest::addColumn<int>("tab");
        QTest::newRow("oracle") << 1;
        QTest::newRow("cisco") << 2;
    }
    void tabPressedBeforeTheFirstShowLooksAsOnePressedAfter()
    {
        QFETCH(int, tab);
        TCourseMenuForm* menu = screens().CourseMenuForm;
        menu->Image4MouseDown(tabX(tab));
        menu->show();
        const QStringList names{QStringLiteral("Image4"),     QStringLiteral("Image5"),  QStringLiteral("RDB1"),
                                QStringLiteral("HiGradeImg"), QStringLiteral("Button1"), QStringLiteral("Button3")};
        QList<QImage> late;
        for (const QString& name : names)
            late << pictureOf(menu, name);

        menu->Image4MouseDown(tabX(3 - tab));
        menu->Image4MouseDown(tabX(tab));
        for (int i = 0; i < names.size(); ++i)
            QVERIFY2(pictureOf(menu, names.at(i)) == late.at(i), qPrintable(names.at(i)));
    }

    void idleDrawingBeginsAfterTheOpeningScreenIsPainted()
    {
        prepareScreensWhenIdle();
        screens().MainMenuForm->show();
        QCoreApplication::processEvents();
        screens().MainMenuForm->grab(); // the first paint, whatever the platform did so far
        for (int pass = 0; pass < 200 && !allPrepared(); ++pass)
            QCoreApplication::processEvents();
        QVERIFY(allPrepared());
        // Drawn while idle, the course menu shows its tab at once.
        QVERIFY(!pictureOf(screens().CourseMenuForm, QStringLiteral("RDB1")).isNull());
    }

    void examPicturesFollowTheVendorColour()
    {
        const SessionQuestion q = testsupport::singleChoiceQuestion(1);
        TExamModeForm* exam = screens().ExamModeForm;
        TCourseMenuForm* menu = screens().CourseMenuForm;

        menu->Image4MouseDown(tabX(1));
        testsupport::startExamSession({q, q}, 0);
        const QImage oracle = pictureOf(exam, QStringLiteral("Button2"));
        exam->hide();
        menu->Image4MouseDown(tabX(2));
        testsupport::startExamSession({q, q}, 0);
        const QImage cisco = pictureOf(exam, QStringLiteral("Button2"));
        QVERIFY(!oracle.isNull() && !cisco.isNull());
        QVERIFY(oracle != cisco);
        exam->hide();
        menu->Image4MouseDown(tabX(1));
        testsupport::startExamSession({q, q}, 0);
        QCOMPARE(pictureOf(exam, QStringLiteral("Button2")), oracle);
    }
};

QUARVEL_TEST_MAIN(TestScreenPreparation)
#include "TestScreenPreparation.moc"

#include "bank/Cp932.h"
#include "bank/QuestionFileWriter.h"
#include "install/Selection.h"
#include "session/screens/TExamModeForm.h"
#include "shell/NoticeLayout.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "shell/screens/TGenericMBForm.h"
#include "support/TestSupport.h"
#include "ui/Artwork.h"
#include "ui/Sound.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <memory>

namespace
{
// One category of 40 single-choice questions; the mock exam is 30 questions in 45 minutes.
CourseTest writeTest(const testsupport::TempInstall& install, const char* titleUtf8 = "データベース入門")
{
    auto bank = testsupport::oneCategoryBank(40, 45, {"p", "q", "r"});
    QuestionHeader header;
    header.mockCount = 30;
    header.targetRate = "65";
    header.code = "QV-200";
    header.title = cp932::fromUtf8(titleUtf8);
    header.updated = "20240501000000";

    CourseTest test;
    test.questionFile = install.writeFile(QStringLiteral("QDAT/oracle/qv200.qdf"), QuestionFileBytes(header, *bank));
    test.historyFile = install.historyDir(QStringLiteral("oracle")) + QStringLiteral("qv200.HIS");
    test.code = header.code;
    test.title = header.title;
    test.questionCount = 40;
    return test;
}

QString labelText(const char* name)
{
    return screens().GenericMBForm->findChild<QLabel*>(QLatin1String(name))->text();
}
} // namespace

class TestStartNotice : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    TGenericMBForm* notice() { return screens().GenericMBForm; }
    QTimer* timer() { return notice()->findChild<QTimer*>(QStringLiteral("Timer1")); }

    // Goes the user's way: the category selection screen, 30 questions in 45 minutes, start.
    void startSession(const char* titleUtf8 = "データベース入門", VendorTheme theme = {})
    {
        theme.directory = QStringLiteral("oracle");
        selection().setTest(writeTest(*m_install, titleUtf8));
        selection().setTheme(theme);
        screens().CourseMenuForm->show();
        TCatSelForm* catSel = screens().CatSelForm;
        catSel->show();
        QCoreApplication::processEvents();
        catSel->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("30"));
        catSel->findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("45"));
        catSel->Button1Click();
        QVERIFY(notice()->isVisible());
        // Only the notice's own sounds from here on (the earlier screens' timers may have ticked).
        ui::testing::clearPlayedSounds();
    }

  private Q_SLOTS:
    void initTestCase()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        createScreens();
    }
    void cleanupTestCase()
    {
        destroyScreens();
        m_install.reset();
    }
    void cleanup()
    {
        for (ui::Screen* screen : screens().all())
            screen->hide();
    }

    void showsTestCountAndLimit()
    {
        startSession();
        QCOMPARE(labelText("Label3"), QStringLiteral("テスト名 : データベース入門 "));
        QCOMPARE(labelText("Label1"), QStringLiteral("問題数   : 30問"));
        QCOMPARE(labelText("Label2"), QStringLiteral("制限時間 : 45分"));
        QVERIFY(!screens().CourseMenuForm->isVisible());
        QVERIFY(timer()->isActive());
        QCOMPARE(timer()->interval(), 100);
        QCOMPARE(notice()->ticks(), 0);
    }

    // The notice wears the vendor's colours and a frame, as the screens around it do.
    void wearsTheVendorLook_data()
    {
        QTest::addColumn<uint>("colour1");
        QTest::addColumn<uint>("colour2");
        QTest::newRow("default vendor") << 0x656699u << 0xC0C0C0u;
        QTest::newRow("blue vendor") << 0x804010u << 0x00FFFFu;
    }
    void wearsTheVendorLook()
    {
        QFETCH(uint, colour1);
        QFETCH(uint, colour2);
        VendorTheme theme;
        theme.picture = 3;
        theme.colour1 = colour1;
        theme.colour2 = colour2;
        startSession("データベース入門", theme);
        const QColor face = ui::fromBgr(colour1);
        const QImage seen = notice()->grab().toImage();
        QCOMPARE(seen.pixelColor(notice()->width() / 2, notice()->height() - 12), face);
        QVERIFY(seen.pixelColor(notice()->width() - 1, notice()->height() / 2) != face); // the frame
        QVERIFY(seen.pixelColor(6, notice()->height() / 2) != face);                     // the side bar
        for (const char* name : {"Label3", "Label1", "Label2"}) {
            const QLabel* label = notice()->findChild<QLabel*>(QLatin1String(name));
            QCOMPARE(label->palette().color(QPalette::WindowText), ui::fromBgr(colour2));
            QVERIFY(label->x() > 16);
        }
    }

    void longTitleIsShownWhole()
    {
        // 60 characters: wider than the notice's 400 pixels.
        startSession("データベース基礎 ― "
                     "SQL・設計・トランザクション・バックアップと復旧・性能管理・セキュリティの総合演習問題集・改訂版");
        const QLabel* title = notice()->findChild<QLabel*>(QStringLiteral("Label3"));
        QVERIFY(notice()->width() > notice::kWidth);
        QVERIFY(title->fontMetrics().horizontalAdvance(title->text()) <= title->width() || title->wordWrap());
        QVERIFY(title->geometry().right() < notice()->width());
        QVERIFY(notice()->findChild<QLabel*>(QStringLiteral("Label2"))->geometry().bottom() < notice()->height());
    }

    void titleWrapsOnlyWhenTheScreenIsTooNarrow_data()
    {
        QTest::addColumn<int>("titleWidth");
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("lines");
        QTest::newRow("short title keeps the size") << 200 << 1280 << 400 << 1;
        QTest::newRow("long title widens") << 600 << 1280 << 640 << 1;
        QTest::newRow("too long for the screen wraps") << 900 << 800 << 760 << 2;
    }
    void titleWrapsOnlyWhenTheScreenIsTooNarrow()
    {
        QFETCH(int, titleWidth);
        QFETCH(int, screenWidth);
        const notice::Layout layout = notice::layoutFor(titleWidth, screenWidth);
        QTEST(layout.width, "width");
        QTEST(layout.titleLines, "lines");
        QCOMPARE(layout.height, notice::kHeight + (layout.titleLines - 1) * notice::kLineHeight);
    }

    void handsOverOnTheTwentyFirstTick()
    {
        startSession();
        for (int tick = 1; tick <= 20; ++tick)
            notice()->Timer1Timer();
        QCOMPARE(ui::testing::playedSounds(), QStringList{QStringLiteral("wav/start.wav")});
        QVERIFY(notice()->isVisible());
        QVERIFY(!screens().ExamModeForm->isVisible());
        notice()->Timer1Timer();
        QVERIFY(!notice()->isVisible());
        QVERIFY(!timer()->isActive());
        QVERIFY(screens().ExamModeForm->isVisible());
        QCOMPARE(ui::testing::playedSounds().size(), 1);
    }

    void spaceSkipsTheWait_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("space") << int(Qt::Key_Space);
        QTest::newRow("enter") << int(Qt::Key_Return);
    }
    void spaceSkipsTheWait()
    {
        QFETCH(int, key);
        startSession();
        notice()->Timer1Timer();
        QTest::keyClick(notice(), Qt::Key(key));
        QVERIFY(!notice()->isVisible());
        QVERIFY(!timer()->isActive());
        QVERIFY(screens().ExamModeForm->isVisible());
        // The sound of the first tick was already asked for; nothing more comes.
        QCOMPARE(ui::testing::playedSounds(), QStringList{QStringLiteral("wav/start.wav")});

        // A tick that was already queued does not show the exam screen a second time.
        screens().ExamModeForm->hide();
        notice()->Timer1Timer();
        QVERIFY(!screens().ExamModeForm->isVisible());
    }

    // The Enter that started the test, still held, does not skip the notice.
    void heldEnterDoesNotSkip()
    {
        startSession();
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(notice(), &held);
        QVERIFY(notice()->isVisible());
    }
};

QUARVEL_TEST_MAIN(TestStartNotice)
#include "TestStartNotice.moc"

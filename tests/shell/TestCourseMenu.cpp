#include "bank/Cp932.h"
#include "bank/QuestionFileWriter.h"
#include "bank/SettingsStore.h"
#include "online/screens/TSyncForm.h"
#include "online/screens/TUpdateForm.h"
#include "results/HistoryFile.h"
#include "results/screens/TStudyForm.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCatSelForm.h"
#include "shell/screens/TCourseMenuForm.h"
#include "support/TestSupport.h"
#include "ui/Artwork.h"
#include "ui/PictureButton.h"
#include "ui/ShellOpen.h"
#include "ui/Sound.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <memory>

namespace
{
// A complete small test: one category of three single-choice questions.
std::string testFile(const std::string& code, std::array<bool, 5> badges = {})
{
    auto bank = testsupport::oneCategoryBank(3, 10, {"right", "wrong"});
    QuestionHeader header;
    header.mockCount = 3;
    header.targetRate = "70";
    header.code = code;
    header.title = cp932::fromUtf8("模擬テスト ") + code;
    header.badges = badges;
    header.updated = "20240512093000";
    return QuestionFileBytes(header, *bank);
}

QString settingDefaultDir()
{
    return settings::ReadSetting(QString::fromLatin1(settings::kSection), QStringLiteral("DefaultDir"));
}

void storeDefaultDir(const QString& value)
{
    settings::WriteSetting(QString::fromLatin1(settings::kSection), QStringLiteral("DefaultDir"), value);
}

QStringList rowTexts(TCourseMenuForm& form)
{
    QStringList texts;
    for (int r = 1;; ++r) {
        auto* row = form.findChild<QLabel*>(QStringLiteral("RDB%1").arg(r));
        if (!row)
            return texts;
        texts << row->toolTip();
    }
}
} // namespace

class TestCourseMenu : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    QStringList m_opened;
    int m_programEnds = 0;

    testsupport::TempInstall& install() { return *m_install; }

    // The menu on screen and active over Oracle with three tests, Cisco with two, Sun with twenty.
    TCourseMenuForm& showThreeVendors()
    {
        for (int i = 1; i <= 3; ++i)
            install().writeFile(QStringLiteral("QDAT/oracle/o%1.qdf").arg(i), testFile("O" + std::to_string(i)));
        for (int i = 1; i <= 2; ++i)
            install().writeFile(QStringLiteral("QDAT/cisco/c%1.qdf").arg(i), testFile("C" + std::to_string(i)));
        for (int i = 1; i <= 20; ++i)
            install().writeFile(QStringLiteral("QDAT/sun/s%1.qdf").arg(i, 2, 10, QLatin1Char('0')),
                                testFile("S" + std::to_string(i)));
        createScreens();
        TCourseMenuForm& form = *screens().CourseMenuForm;
        form.show();
        testsupport::activate(&form);
        return form;
    }

  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        storeDefaultDir(QString());
        ui::testing::clearShownMessages();
        ui::testing::clearPlayedSounds();
        m_opened.clear();
        ui::testing::setOpener([this](const QString& target, bool maximised) {
            m_opened << target + (maximised ? QStringLiteral(" max") : QStringLiteral(" normal"));
        });
        m_programEnds = 0;
        setProgramEndHandler([this] { ++m_programEnds; });
    }

    void cleanup()
    {
        destroyScreens();
        m_install.reset();
    }

    void opensOnStoredTabOrFirst_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("vendor");
        QTest::newRow("nothing stored") << QString() << QString() << QStringLiteral("oracle");
        QTest::newRow("DefaultDir 2") << QStringLiteral("2") << QString() << QStringLiteral("cisco");
        QTest::newRow("DefaultDir 5") << QStringLiteral("5") << QString() << QStringLiteral("oracle");
        QTest::newRow("argument CISCO") << QString() << QStringLiteral("CISCO") << QStringLiteral("cisco");
    }
    void opensOnStoredTabOrFirst()
    {
        QFETCH(QString, stored);
        QFETCH(QString, argument);
        QFETCH(QString, vendor);
        install().writeFile(QStringLiteral("QDAT/oracle/o1.qdf"), testFile("O1"));
        install().writeFile(QStringLiteral("QDAT/cisco/c1.qdf"), testFile("C1"));
        storeDefaultDir(stored);
        Selection selection;
        TCourseMenuForm form(selection);
        form.FormCreate({QStringLiteral("quarvel"), argument});
        QCOMPARE(form.tabs().size(), 2);
        QCOMPARE(selection.theme().directory, vendor);
        QCOMPARE(form.currentTab(), vendor == QLatin1String("oracle") ? 1 : 2);
        QCOMPARE(selection.vendorTests().size(), 1);
        // The vendor's look and its legend follow the tab.
        QCOMPARE(selection.theme().picture, vendor == QLatin1String("oracle") ? 1 : 3);
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label4"))->isHidden(), vendor != QLatin1String("oracle"));
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label2"))->isHidden(), vendor != QLatin1String("cisco"));
        QCOMPARE(form.findChild<ui::PictureButton*>(QStringLiteral("Button1"))->hint(),
                 vendor == QLatin1String("oracle") ? QStringLiteral("ORACLE MASTERに関する情報を表示します")
                                                   : QStringLiteral("CISCOに関する情報を表示します"));
    }

    void tabPressSwitchesVendorAndMissesBetweenTabs()
    {
        install().writeFile(QStringLiteral("QDAT/oracle/o1.qdf"), testFile("O1"));
        install().writeFile(QStringLiteral("QDAT/cisco/c1.qdf"), testFile("C1"));
        install().writeFile(QStringLiteral("QDAT/cisco/c2.qdf"), testFile("C2"));
        Selection selection;
        TCourseMenuForm form(selection);
        QCOMPARE(selection.theme().directory, QStringLiteral("oracle"));
        form.Image4MouseDown(161);
        QCOMPARE(selection.theme().directory, QStringLiteral("oracle"));
        form.Image4MouseDown(162);
        QCOMPARE(selection.theme().directory, QStringLiteral("cisco"));
        QCOMPARE(selection.vendorTests().size(), 2);
        QCOMPARE(rowTexts(form).size(), 2);
        // A real press on the strip goes through the same rule.
        QTest::mousePress(form.findChild<QLabel*>(QStringLiteral("Image4")), Qt::LeftButton, {}, QPoint(85, 10));
        QCOMPARE(selection.theme().directory, QStringLiteral("oracle"));
        QCOMPARE(rowTexts(form), QStringList{QStringLiteral("O1 : 模擬テスト O1 (全3問) 問題更新日 : 2024/05/12")});
    }

    void legendIsLaidOutFromX176()
    {
        install().writeFile(QStringLiteral("QDAT/oracle/o1.qdf"), testFile("O1"));
        Selection selection;
        TCourseMenuForm form(selection);
        auto* icon = form.findChild<QLabel*>(QStringLiteral("Label4Icon"));
        auto* label4 = form.findChild<QLabel*>(QStringLiteral("Label4"));
        auto* icon5 = form.findChild<QLabel*>(QStringLiteral("Label5Icon"));
        QCOMPARE(icon->x(), 176);
        QCOMPARE(label4->x(), 200);
        QCOMPARE(label4->text(), QStringLiteral("-- Certified Developer"));
        QCOMPARE(icon5->x(), label4->geometry().right() + 1 + 6);
    }

    void sixteenRowsFitSeventeenScroll_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("16") << 16 << false;
        QTest::newRow("17") << 17 << true;
    }
    void sixteenRowsFitSeventeenScroll()
    {
        QFETCH(int, rows);
        QFETCH(bool, scrolls);
        for (int i = 1; i <= rows; ++i)
            install().writeFile(QStringLiteral("QDAT/sun/t%1.qdf").arg(i, 2, 10, QLatin1Char('0')),
                                testFile("T" + std::to_string(i)));
        Selection selection;
        TCourseMenuForm form(selection);
        form.show();
        auto* box = form.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
        QCOMPARE(box->verticalScrollBarPolicy(), scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        QCOMPARE(box->widget()->height(), (rows - 1) * 24 + 25);
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("RDB%1").arg(rows))->geometry(),
                 QRect(22, rows * 24 - 16, 560, 21));
        // Every row's picture fits inside the background: none is cut off at the bottom.
        QVERIFY(box->viewport()->height() >= 16 * 24 - 16 + 21);
        QVERIFY(box->viewport()->height() < 17 * 24 - 16 + 21);
    }

    void listIsSortedAndFiltered()
    {
        install().writeFile(QStringLiteral("QDAT/oracle/b.qdf"), testFile("lower-b"));
        install().writeFile(QStringLiteral("QDAT/oracle/B.qdf"), testFile("upper-B"));
        install().writeFile(QStringLiteral("QDAT/oracle/a.qdf"), testFile("lower-a"));
        std::string old = testFile("old");
        old.replace(0, 16, "QFileFormat-v1.3");
        install().writeFile(QStringLiteral("QDAT/oracle/0old.qdf"), old);
        Selection selection;
        TCourseMenuForm form(selection);
        QStringList codes;
        for (const CourseTest& t : selection.vendorTests())
            codes << QString::fromStdString(t.code);
        QCOMPARE(codes, (QStringList{QStringLiteral("upper-B"), QStringLiteral("lower-a"), QStringLiteral("lower-b")}));
        QVERIFY(ui::testing::shownMessages().isEmpty());
    }

    void unreadableHeaderIsReportedWhenShownAndLeftOut()
    {
        install().writeFile(QStringLiteral("QDAT/oracle/good.qdf"), testFile("GOOD"));
        std::string broken = testFile("BROKEN");
        const size_t line10 = broken.find("\r\n3\r\n", broken.find("20240512093000"));
        broken.replace(line10, 5, "\r\nthree\r\n");
        install().writeFile(QStringLiteral("QDAT/oracle/broken.qdf"), broken);
        Selection selection;
        TCourseMenuForm form(selection);
        QCOMPARE(selection.vendorTests().size(), 1);
        // Found while the menu was being created: told when it is first shown, once.
        QVERIFY(ui::testing::shownMessages().isEmpty());
        form.show();
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        QCOMPARE(ui::testing::shownMessages().first().title, QStringLiteral("Error"));
        QVERIFY(ui::testing::shownMessages().first().text.contains(QStringLiteral("broken.qdf 10 行目: ")));
        form.hide();
        form.show();
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        // While shown, a tab press reports at once.
        form.Image4MouseDown(100);
        QCOMPARE(ui::testing::shownMessages().size(), 2);
        QVERIFY(!QFileInfo::exists(install().historyDir(QStringLiteral("oracle")) + QStringLiteral("broken.HIS")));
    }

    void emptyVendorShowsEmptyListAndStartsNothing()
    {
        QDir().mkpath(install().questionDir(QStringLiteral("ibm")));
        createScreens();
        TCourseMenuForm& form = *screens().CourseMenuForm;
        QCOMPARE(selection().theme().directory, QStringLiteral("ibm"));
        QVERIFY(selection().vendorTests().isEmpty());
        QCOMPARE(form.selectedRow(), 0);
        QCOMPARE(selection().highestBadgeLevel(), 0);
        form.show();
        form.Button2Click();
        form.Image7Click();
        QVERIFY(form.isVisible());
        QVERIFY(!screens().CatSelForm->isVisible());
        QVERIFY(!screens().SyncForm->isVisible());
        QCOMPARE(settingDefaultDir(), QString());
    }

    void noVendorAtAllLeavesStripAndListEmpty()
    {
        Selection selection;
        TCourseMenuForm form(selection);
        form.show();
        QVERIFY(form.tabs().isEmpty());
        QVERIFY(selection.vendorTests().isEmpty());
        form.Image4MouseDown(100);
        form.Button1Click();
        form.Button2Click();
        QVERIFY(m_opened.isEmpty());
        QVERIFY(form.isVisible());
        QVERIFY(ui::testing::shownMessages().isEmpty());
    }

    void badgeIconAndHighestLevel()
    {
        install().writeFile(QStringLiteral("QDAT/oracle/a.qdf"), testFile("A", {true, false, false, false, true}));
        install().writeFile(QStringLiteral("QDAT/oracle/b.qdf"), testFile("B", {false, true, false, false, false}));
        Selection selection;
        TCourseMenuForm form(selection);
        QCOMPARE(selection.highestBadgeLevel(), 3);
        const CourseTest& a = selection.vendorTests().first();
        QVERIFY(a.badges[0] && a.badges[4] && !a.noBadge);
        // Row 1 starts selected and shows the badge-5 icon in its selected look.
        const QImage row = form.findChild<QLabel*>(QStringLiteral("RDB1"))->pixmap().toImage();
        QCOMPARE(row.copy(0, 0, 18, 18), form.findChild<QLabel*>(QStringLiteral("OM5S"))->pixmap().toImage());
        const QImage big = form.findChild<QLabel*>(QStringLiteral("HiGradeImg"))->pixmap().toImage();
        QCOMPARE(big,
                 form.findChild<QLabel*>(QStringLiteral("OMBigImg"))->pixmap().toImage().copy(2 * 129, 0, 129, 42));
    }

    void rowClickMovesTheSelection()
    {
        install().writeFile(QStringLiteral("QDAT/oracle/a.qdf"), testFile("A", {true, false, false, false, false}));
        install().writeFile(QStringLiteral("QDAT/oracle/b.qdf"), testFile("B", {false, true, false, false, false}));
        Selection selection;
        TCourseMenuForm form(selection);
        auto icon = [&](int row) {
            return form.findChild<QLabel*>(QStringLiteral("RDB%1").arg(row))->pixmap().toImage().copy(0, 0, 18, 18);
        };
        auto source = [&](const char* name) {
            return form.findChild<QLabel*>(QLatin1String(name))->pixmap().toImage();
        };
        QCOMPARE(icon(1), source("OM1S"));
        QCOMPARE(icon(2), source("OM2"));
        QTest::mousePress(form.findChild<QLabel*>(QStringLiteral("RDB2")), Qt::LeftButton, {}, QPoint(100, 5));
        QCOMPARE(form.selectedRow(), 2);
        QCOMPARE(icon(1), source("OM1"));
        QCOMPARE(icon(2), source("OM2S"));
    }

    void historiesAreCreatedForListedTests()
    {
        install().writeFile(QStringLiteral("QDAT/cisco/net1.qdf"), testFile("N1"));
        const std::string existing(kHistorySize, '\x05');
        install().writeFile(QStringLiteral("HIST/cisco/net2.HIS"), existing);
        install().writeFile(QStringLiteral("QDAT/cisco/net2.qdf"), testFile("N2"));
        Selection selection;
        TCourseMenuForm form(selection);
        const QString created = install().historyDir(QStringLiteral("cisco")) + QStringLiteral("net1.HIS");
        QCOMPARE(testsupport::readBytes(created),
                 EmptyHistoryBytes(install().questionDir(QStringLiteral("cisco")) + QStringLiteral("net1.qdf")));
        QCOMPARE(testsupport::readBytes(install().historyDir(QStringLiteral("cisco")) + QStringLiteral("net2.HIS")),
                 existing);
    }

    void startHandsOverToCategorySelection()
    {
        install().writeFile(QStringLiteral("QDAT/oracle/o1.qdf"), testFile("O1"));
        install().writeFile(QStringLiteral("QDAT/cisco/c1.qdf"), testFile("C1"));
        install().writeFile(QStringLiteral("QDAT/cisco/c2.qdf"), testFile("C2"));
        createScreens();
        TCourseMenuForm& form = *screens().CourseMenuForm;
        form.show();
        QCOMPARE(form.size(), QSize(760, 560));
        form.Image4MouseDown(2 * 77 + 10);
        form.RDBClick(2);
        form.move(40, 30);
        const QRect before = form.geometry();
        form.Button2Click();
        QCOMPARE(settingDefaultDir(), QStringLiteral("2"));
        QCOMPARE(selection().test().code, std::string("C2"));
        QCOMPARE(form.recordedGeometry(), before);
        QVERIFY(!form.isVisible());
        QVERIFY(screens().CatSelForm->isVisible());
    }

    void otherButtons()
    {
        install().writeFile(QStringLiteral("QDAT/japan/j1.qdf"), testFile("J1"));
        install().writeFile(QStringLiteral("QDAT/japan/j2.qdf"), testFile("J2"));
        install().writeFile(QStringLiteral("BIN/online"), std::string("  about.html \r\nhttp://ignored/\r\n"));
        createScreens();
        TCourseMenuForm& form = *screens().CourseMenuForm;
        form.show();

        form.Button1Click();
        form.Image2Click();
        QCOMPARE(m_opened, (QStringList{install().programDir() + QStringLiteral("japan-info.html max"),
                                        install().programDir() + QStringLiteral("about.html max")}));
        install().writeFile(QStringLiteral("BIN/online"), std::string("https://example.org/quarvel\r\n"));
        form.Image2Click();
        QCOMPARE(m_opened.last(), QStringLiteral("https://example.org/quarvel max"));

        form.RDBClick(2);
        form.Image7Click();
        QCOMPARE(selection().test().code, std::string("J2"));
        QVERIFY(screens().SyncForm->isVisible());
        screens().SyncForm->hide();

        form.Button3Click();
        QVERIFY(!form.isVisible());
        QVERIFY(screens().StudyForm->isVisible());
    }

    void missingOnlineFileIsAnError()
    {
        install().writeFile(QStringLiteral("QDAT/oracle/o1.qdf"), testFile("O1"));
        Selection selection;
        TCourseMenuForm form(selection);
        form.Image2Click();
        QVERIFY(m_opened.isEmpty());
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        QCOMPARE(ui::testing::shownMessages().first().title, QStringLiteral("Error"));
    }

    void welcomeSoundOnFirstTickOnly()
    {
        install().writeFile(QStringLiteral("QDAT/oracle/o1.qdf"), testFile("O1"));
        Selection selection;
        TCourseMenuForm form(selection);
        auto* timer = form.findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(!timer->isActive());
        form.show();
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 300);
        form.Timer1Timer();
        QVERIFY(!timer->isActive());
        QCOMPARE(ui::testing::playedSounds(), QStringList{QStringLiteral("wav/test.wav")});
    }

    void closeBoxAndExitEndTheProgram()
    {
        install().writeFile(QStringLiteral("QDAT/oracle/o1.qdf"), testFile("O1"));
        createScreens();
        TCourseMenuForm& form = *screens().CourseMenuForm;
        form.show();
        form.close();
        QCOMPARE(m_programEnds, 1);
        form.show();
        form.Button4Click();
        QCOMPARE(m_programEnds, 2);
        QVERIFY(!form.isVisible());
    }

    void keysChangeTabAndRow_data()
    {
        QTest::addColumn<QList<QKeyCombination>>("keys");
        QTest::addColumn<QString>("vendor");
        QTest::addColumn<int>("row");
        using K = QList<QKeyCombination>;
        QTest::newRow("down, down, up") << K{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up} << QStringLiteral("oracle") << 2;
        QTest::newRow("end, home") << K{Qt::Key_End, Qt::Key_Home} << QStringLiteral("oracle") << 1;
        QTest::newRow("right starts at row 1") << K{Qt::Key_Down, Qt::Key_Right} << QStringLiteral("cisco") << 1;
        QTest::newRow("left at the first") << K{Qt::Key_Left} << QStringLiteral("oracle") << 1;
        QTest::newRow("ctrl+tab") << K{Qt::CTRL | Qt::Key_Tab} << QStringLiteral("cisco") << 1;
        QTest::newRow("ctrl+backtab goes round")
            << K{Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, Qt::Key_End} << QStringLiteral("sun") << 20;
        // Tab takes the focus from the list to the first button; the arrows still work there.
        QTest::newRow("from a focused button")
            << K{Qt::Key_Tab, Qt::Key_Down, Qt::Key_Right, Qt::Key_Down} << QStringLiteral("cisco") << 2;
    }

    // Keys act as presses on the tab strip and clicks on rows, from the list or from a button.
    void keysChangeTabAndRow()
    {
        QFETCH(QList<QKeyCombination>, keys);
        QFETCH(QString, vendor);
        QFETCH(int, row);
        TCourseMenuForm& form = showThreeVendors();
        QCOMPARE(QApplication::focusWidget(), form.findChild<QScrollArea*>(QStringLiteral("ScrollBox1")));
        testsupport::typeKeys(&form, keys);
        QCOMPARE(selection().theme().directory, vendor);
        QCOMPARE(form.selectedRow(), row);
        // The selected look follows, and only one row has it.
        for (int r = 1; r <= selection().vendorTests().size(); ++r) {
            const QImage icon =
                form.findChild<QLabel*>(QStringLiteral("RDB%1").arg(r))->pixmap().toImage().copy(0, 0, 18, 18);
            QCOMPARE(icon == form.findChild<QLabel*>(QStringLiteral("OM0S"))->pixmap().toImage(), r == row);
        }
        QVERIFY(form.isVisible());
    }

    void selectedRowIsScrolledIntoView()
    {
        TCourseMenuForm& form = showThreeVendors();
        testsupport::typeKeys(&form, {Qt::Key_Right, Qt::Key_Right, Qt::Key_End});
        auto* box = form.findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
        // What the list's background shows of the row (the last row reaches 4 pixels beyond it).
        auto shown = [&](int r) {
            const QRect row =
                form.findChild<QLabel*>(QStringLiteral("RDB%1").arg(r))->geometry() & box->widget()->rect();
            const int top = box->verticalScrollBar()->value();
            return row.top() >= top && row.bottom() < top + box->viewport()->height();
        };
        QVERIFY(shown(20));
        testsupport::typeKeys(&form, {Qt::Key_PageUp});
        QCOMPARE(form.selectedRow(), 4);
        QVERIFY(shown(4));
        testsupport::typeKeys(&form, {Qt::Key_Home});
        QCOMPARE(box->verticalScrollBar()->value(), 0);
    }

    // The selected row is lit while the list has the focus; a click on a row moves the
    // selection but not the focus, as before.
    void rowHighlightFollowsTheFocus()
    {
        TCourseMenuForm& form = showThreeVendors();
        auto frame = [&](int r) {
            return form.findChild<QLabel*>(QStringLiteral("RDB%1").arg(r))->pixmap().toImage().pixelColor(300, 0);
        };
        const QColor oracle = ui::fromBgr(selection().theme().colour1);
        QCOMPARE(frame(1), oracle);
        QCOMPARE(frame(2), QColor(Qt::black));
        testsupport::typeKeys(&form, {Qt::Key_Tab});
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Button1"));
        QCOMPARE(frame(1), QColor(Qt::black));
        QTest::mousePress(form.findChild<QLabel*>(QStringLiteral("RDB2")), Qt::LeftButton, {}, QPoint(100, 5));
        QCOMPARE(form.selectedRow(), 2);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Button1"));
        QCOMPARE(frame(2), QColor(Qt::black));
        testsupport::typeKeys(&form, {Qt::SHIFT | Qt::Key_Backtab});
        QCOMPARE(frame(2), oracle);
    }

    void enterStartsTheSelectedTest_data()
    {
        QTest::addColumn<int>("tabs"); // presses of Tab before Enter
        QTest::addColumn<bool>("started");
        QTest::newRow("from the list") << 0 << true;
        QTest::newRow("on the start button") << 3 << true;
        QTest::newRow("on the diagnosis button: that button") << 4 << false;
    }
    void enterStartsTheSelectedTest()
    {
        QFETCH(int, tabs);
        QFETCH(bool, started);
        TCourseMenuForm& form = showThreeVendors();
        testsupport::typeKeys(&form, {Qt::Key_Right, Qt::Key_Down});
        for (int i = 0; i < tabs; ++i)
            testsupport::typeKeys(&form, {Qt::Key_Tab});
        testsupport::typeKeys(&form, {Qt::Key_Return});
        QCOMPARE(screens().CatSelForm->isVisible(), started);
        QCOMPARE(screens().StudyForm->isVisible(), !started);
        if (started) {
            QCOMPARE(selection().test().code, std::string("C2"));
            QCOMPARE(settingDefaultDir(), QStringLiteral("2"));
        }
    }

    void keepsScreenshotWhenAsked()
    {
        const QString dir = qEnvironmentVariable("QUARVEL_SCREENSHOTS");
        if (dir.isEmpty())
            QSKIP("set QUARVEL_SCREENSHOTS to a directory to keep a picture of the menu");
        const std::array<std::array<bool, 5>, 5> badges{{{true, false, false, false, false},
                                                         {false, true, false, false, false},
                                                         {false, false, true, false, false},
                                                         {false, false, false, true, false},
                                                         {}}};
        for (int i = 0; i < 18; ++i)
            install().writeFile(QStringLiteral("QDAT/oracle/t%1.qdf").arg(i, 2, 10, QLatin1Char('0')),
                                testFile("1Z0-0" + std::to_string(10 + i), badges[size_t(i % 5)]));
        for (const char* vendor : {"turbolinux", "cisco", "microsoft", "japan"})
            install().writeFile(QStringLiteral("QDAT/%1/x.qdf").arg(QLatin1String(vendor)), testFile("X-1"));
        Selection selection;
        TCourseMenuForm form(selection);
        form.show();
        form.RDBClick(3);
        form.grab().save(dir + QStringLiteral("/coursemenu-oracle.png"));
        form.Image4MouseDown(3 * 77 + 10);
        form.grab().save(dir + QStringLiteral("/coursemenu-cisco.png"));
        form.Image4MouseDown(5 * 77 + 10);
        form.grab().save(dir + QStringLiteral("/coursemenu-japan.png"));
    }
};

QUARVEL_TEST_MAIN(TestCourseMenu)
#include "TestCourseMenu.moc"

#include "bank/SettingsStore.h"
#include "shell/OpticalDrives.h"
#include "shell/screens/ScreenCatalogue.h"
#include "shell/screens/TCourseMenuForm.h"
#include "shell/screens/TMainMenuForm.h"
#include "support/TestSupport.h"
#include "ui/ShellOpen.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTimer>

#include <memory>

namespace
{
QString section()
{
    return QString::fromLatin1(settings::kSection);
}

void storeProfile(const QString& name, const QString& org = {}, const QString& email = {})
{
    settings::WriteSetting(section(), QStringLiteral("Name"), name);
    settings::WriteSetting(section(), QStringLiteral("Org"), org);
    settings::WriteSetting(section(), QStringLiteral("Email"), email);
}

const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kRed(0xFF, 0, 0);
} // namespace

class TestMainMenu : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    int m_programEnds = 0;
    QStringList m_opened;

    TMainMenuForm& form() { return *screens().MainMenuForm; }
    template <typename T> T* child(const char* name)
    {
        T* widget = form().findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }

  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        m_install->writeFile(QStringLiteral("BIN/CGI_URL"),
                             std::string(" \thttp://127.0.0.1:8080/cgi-bin/inquiry  \r\nsecond line\r\n"));
        storeProfile(QString());
        settings::WriteSetting(section(), QStringLiteral("Serial"), QStringLiteral("QV-0001"));
        ui::testing::clearShownMessages();
        m_programEnds = 0;
        setProgramEndHandler([this] { ++m_programEnds; });
        m_opened.clear();
        ui::testing::setOpener([this](const QString& target, bool maximised) {
            m_opened << target + (maximised ? QStringLiteral(" max") : QStringLiteral(" normal"));
        });
    }

    void cleanup()
    {
        destroyScreens();
        m_install.reset();
    }

    void creationReadsInquiryAddress()
    {
        createScreens();
        QCOMPARE(form().inquiryAddress(), QStringLiteral("http://127.0.0.1:8080/cgi-bin/inquiry"));
        destroyScreens();
        QFile::remove(m_install->programDir() + QStringLiteral("CGI_URL"));
        createScreens();
        QCOMPARE(form().inquiryAddress(), QString());
    }

    void looksAsDesigned()
    {
        createScreens();
        QCOMPARE(form().size(), QSize(400, 436));
        QVERIFY(form().windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(child<QLabel>("Label17")->text(), QStringLiteral(" Ver 1.6"));
        QCOMPARE(child<QLabel>("Image1")->pixmap().size(), QSize(400, 300));
        QCOMPARE(child<QWidget>("Shape1")->geometry(), QRect(5, 304, 389, 129));
    }

    void profileFaceHandsOverAfterTheFiftySecondTick()
    {
        storeProfile(QStringLiteral("山田 太郎"), QStringLiteral("Quarvel研修センター"),
                     QStringLiteral("taro@example.jp"));
        createScreens();
        form().show();
        QVERIFY(!form().isEntryFaceShown());
        QCOMPARE(child<QLabel>("Label12")->text(), QStringLiteral("山田 太郎"));
        QCOMPARE(child<QLabel>("Label14")->text(), QStringLiteral("taro@example.jp"));
        QCOMPARE(form().profile().serial, QStringLiteral("QV-0001"));
        QVERIFY(child<QTimer>("Timer1")->isActive());
        for (int tick = 1; tick <= 51; ++tick)
            form().Timer1Timer();
        QVERIFY(form().isVisible());
        form().Timer1Timer(); // the 52nd
        QVERIFY(!form().isVisible());
        QVERIFY(screens().CourseMenuForm->isVisible());
        QVERIFY(!child<QTimer>("Timer1")->isActive());
        // A tick still on its way does not show the menu a second time.
        screens().CourseMenuForm->hide();
        form().Timer1Timer();
        QVERIFY(!screens().CourseMenuForm->isVisible());
    }

    void linkBlinksEveryFifthTick()
    {
        createScreens();
        form().show();
        QCOMPARE(form().linkColour(), kSilver);
        QList<QColor> colours;
        for (int tick = 0; tick < 11; ++tick) {
            form().Timer1Timer();
            colours << form().linkColour();
        }
        QCOMPARE(colours,
                 (QList<QColor>{kRed, kRed, kRed, kRed, kRed, kSilver, kSilver, kSilver, kSilver, kSilver, kRed}));
        QCOMPARE(child<QLabel>("Label8")->palette().color(QPalette::WindowText), kRed);
        form().Label8Click();
        QCOMPARE(m_opened, QStringList{TMainMenuForm::vendorSiteAddress() + QStringLiteral(" normal")});
    }

    void withoutNameNothingLeadsOn()
    {
        storeProfile(QStringLiteral("   "));
        createScreens();
        form().show();
        QVERIFY(form().isEntryFaceShown());
        QVERIFY(child<QLineEdit>("Edit1")->isVisibleTo(&form()));
        QVERIFY(!child<QLabel>("Label12")->isVisibleTo(&form()));
        QCOMPARE(form().focusWidget(), child<QLineEdit>("Edit1"));
        for (int tick = 0; tick < 100; ++tick)
            form().Timer1Timer();
        form().Image1Click();
        form().Shape1MouseDown();
        QTest::mouseClick(child<QLabel>("Image1"), Qt::LeftButton, {}, QPoint(200, 150));
        QTest::keyClick(&form(), Qt::Key_Space);
        QTest::keyClick(&form(), Qt::Key_Return);
        QVERIFY(form().isVisible());
        QVERIFY(!screens().CourseMenuForm->isVisible());
    }

    // Without a profile, Tab goes round the visible controls only, and Space on any of them but
    // the buttons leaves the screen where it is, with nothing stored.
    void withoutNameTabAndSpaceNeverSkipTheProfile()
    {
        createScreens();
        form().show();
        testsupport::activate(&form());
        QSet<QWidget*> stops;
        for (int i = 0; i < 14; ++i) {
            testsupport::typeKeys(&form(), {Qt::Key_Tab});
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus && focus != &form());
            QVERIFY2(focus->isVisible(), qPrintable(focus->objectName()));
            stops.insert(focus);
            if (!qobject_cast<QPushButton*>(focus) && !qobject_cast<QLineEdit*>(focus))
                testsupport::typeKeys(&form(), {Qt::Key_Space});
            QVERIFY(form().isVisible());
        }
        QCOMPARE(stops.size(), 6);
        QVERIFY(!form().showsScreenFocus());
        QVERIFY(!screens().CourseMenuForm->isVisible());
        QCOMPARE(settings::ReadSetting(section(), QStringLiteral("Name")), QString());
    }

    // With a profile the screen itself holds the focus, and shows it on the profile's frame.
    void profileFaceShowsWhereTheKeysGo()
    {
        storeProfile(QStringLiteral("Hanako"));
        createScreens();
        form().show();
        testsupport::activate(&form());
        QCOMPARE(QApplication::focusWidget(), &form());
        QVERIFY(form().showsScreenFocus());
        testsupport::typeKeys(&form(), {Qt::Key_Tab});
        QCOMPARE(QApplication::focusWidget(), child<QLabel>("Label8"));
        QVERIFY(!form().showsScreenFocus());
    }

    // OK and Cancel look different while they hold the focus.
    void buttonsShowTheFocus_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("OK") << QStringLiteral("Button1");
        QTest::newRow("Cancel") << QStringLiteral("Button2");
    }
    void buttonsShowTheFocus()
    {
        QFETCH(QString, button);
        createScreens();
        form().show();
        testsupport::activate(&form());
        auto* pressable = form().findChild<QPushButton*>(button);
        const QImage unfocused = pressable->grab().toImage();
        pressable->setFocus(Qt::TabFocusReason);
        QVERIFY(pressable->hasFocus());
        QVERIFY(pressable->grab().toImage() != unfocused);
    }

    // A quick double click on the link is two clicks on the link; none reaches the frame beneath.
    void doubleClickOnTheLinkStaysOnTheLink()
    {
        storeProfile(QStringLiteral("Hanako"));
        createScreens();
        form().show();
        testsupport::doubleClick(child<QLabel>("Label8"), {5, 5});
        QCOMPARE(m_opened.size(), 2);
        QVERIFY(form().isVisible());
    }

    void clickOnPictureOrFrameGoesOnWithProfile()
    {
        storeProfile(QStringLiteral("Hanako"));
        createScreens();
        form().show();
        QTest::mouseClick(child<QLabel>("Image1"), Qt::LeftButton, {}, QPoint(200, 150));
        QVERIFY(!form().isVisible());
        QVERIFY(screens().CourseMenuForm->isVisible());
        screens().CourseMenuForm->hide();
        form().show();
        QTest::mousePress(child<QLabel>("Label13"), Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(!form().isVisible());
    }

    void entryFaceRefusesEmptyNameAndUnstorableText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("org");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QString() << QString() << QStringLiteral("名前を入力してください。");
        QTest::newRow("blanks") << QStringLiteral("  ") << QStringLiteral("x")
                                << QStringLiteral("名前を入力してください。");
        QTest::newRow("emoji in name") << QStringLiteral("Taro 😀") << QString()
                                       << QStringLiteral("氏名に使用できない文字が含まれています。");
        QTest::newRow("hangul in org") << QStringLiteral("Taro") << QStringLiteral("한국")
                                       << QStringLiteral("所属に使用できない文字が含まれています。");
    }
    void entryFaceRefusesEmptyNameAndUnstorableText()
    {
        QFETCH(QString, name);
        QFETCH(QString, org);
        QFETCH(QString, message);
        createScreens();
        form().show();
        child<QLineEdit>("Edit1")->setText(name);
        child<QLineEdit>("Edit2")->setText(org);
        form().Button1Click();
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        QCOMPARE(ui::testing::shownMessages().first().title, QStringLiteral("Error"));
        QCOMPARE(ui::testing::shownMessages().first().text, message);
        QVERIFY(form().isVisible());
        QCOMPARE(settings::ReadSetting(section(), QStringLiteral("Org")), QString());
    }

    void entryFaceStoresProfileAndGoesOn()
    {
        createScreens();
        form().show();
        QVERIFY(form().isEntryFaceShown());
        child<QLineEdit>("Edit1")->setText(QStringLiteral("鈴木 一郎～①"));
        child<QLineEdit>("Edit2")->setText(QStringLiteral("Ｑ大学"));
        child<QLineEdit>("Edit3")->setText(QStringLiteral("ichiro@example.jp"));
        form().Button1Click();
        QVERIFY(ui::testing::shownMessages().isEmpty());
        QCOMPARE(settings::ReadSetting(section(), QStringLiteral("Name")), QStringLiteral("鈴木 一郎～①"));
        QCOMPARE(settings::ReadSetting(section(), QStringLiteral("Org")), QStringLiteral("Ｑ大学"));
        QCOMPARE(settings::ReadSetting(section(), QStringLiteral("Email")), QStringLiteral("ichiro@example.jp"));
        QCOMPARE(form().profile().name, QStringLiteral("鈴木 一郎～①"));
        QCOMPARE(form().profile().serial, QStringLiteral("QV-0001"));
        QVERIFY(!form().isEntryFaceShown());
        QCOMPARE(child<QLabel>("Label13")->text(), QStringLiteral("Ｑ大学"));
        QVERIFY(!form().isVisible());
        QVERIFY(screens().CourseMenuForm->isVisible());
    }

    void enterGoesOnWhereAClickWould_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("goesOn");
        QTest::newRow("profile shown") << QStringLiteral("Hanako") << true;
        QTest::newRow("entry face waits") << QString() << false;
    }
    void enterGoesOnWhereAClickWould()
    {
        QFETCH(QString, name);
        QFETCH(bool, goesOn);
        storeProfile(name);
        createScreens();
        form().show();
        testsupport::activate(&form());
        testsupport::typeKeys(&form(), {Qt::Key_Return});
        QCOMPARE(form().isVisible(), !goesOn);
        QCOMPARE(screens().CourseMenuForm->isVisible(), goesOn);
    }

    // The entry face from the keyboard alone: it starts in the name field, Tab goes on through the
    // fields, Enter in the last one is OK.
    void entryFaceByKeyboard()
    {
        createScreens();
        form().show();
        testsupport::activate(&form());
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("Edit1"));
        QTest::keyClicks(child<QLineEdit>("Edit1"), QStringLiteral("Jiro"));
        testsupport::typeKeys(&form(), {Qt::Key_Tab, Qt::Key_Tab});
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("Edit3"));
        testsupport::typeKeys(&form(), {Qt::Key_Return});
        QCOMPARE(settings::ReadSetting(section(), QStringLiteral("Name")), QStringLiteral("Jiro"));
        QVERIFY(screens().CourseMenuForm->isVisible());
    }

    // The vendor link is a Tab stop: Enter opens it, Space still leads on.
    void linkByKeyboard()
    {
        storeProfile(QStringLiteral("Hanako"));
        createScreens();
        form().show();
        testsupport::activate(&form());
        testsupport::typeKeys(&form(), {Qt::Key_Tab});
        QCOMPARE(QApplication::focusWidget(), child<QLabel>("Label8"));
        QCOMPARE(child<QLabel>("Label8")->frameShape(), QFrame::Box);
        testsupport::typeKeys(&form(), {Qt::Key_Return});
        QCOMPARE(m_opened, QStringList{TMainMenuForm::vendorSiteAddress() + QStringLiteral(" normal")});
        QVERIFY(form().isVisible());
        testsupport::typeKeys(&form(), {Qt::Key_Space});
        QVERIFY(!form().isVisible());
    }

    void cancelEndsTheProgram()
    {
        createScreens();
        form().show();
        form().Button2Click();
        QCOMPARE(m_programEnds, 1);
    }

    void opticalDrivesFromMountTable_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QStringList>("roots");
        QTest::newRow("none") << QByteArray("proc /proc proc rw 0 0\n/dev/sda1 / ext4 rw 0 0\n") << QStringList();
        QTest::newRow("one disc") << QByteArray("/dev/sda1 / ext4 rw 0 0\n/dev/sr0 /media/cdrom iso9660 ro 0 0\n")
                                  << QStringList{QStringLiteral("/media/cdrom/")};
        QTest::newRow("udf and iso in mount order")
            << QByteArray("/dev/sr1 /mnt/b udf ro 0 0\n/dev/sda2 /home ext4 rw 0 0\n/dev/sr0 /mnt/a iso9660 ro 0 0")
            << QStringList{QStringLiteral("/mnt/b/"), QStringLiteral("/mnt/a/")};
        QTest::newRow("escaped blank") << QByteArray("/dev/sr0 /media/My\\040Disc iso9660 ro 0 0\n")
                                       << QStringList{QStringLiteral("/media/My Disc/")};
        QTest::newRow("short lines") << QByteArray("garbage\n\n iso9660\n") << QStringList();
    }
    void opticalDrivesFromMountTable()
    {
        QFETCH(QByteArray, table);
        QFETCH(QStringList, roots);
        QCOMPARE(opticalDiscRoots(table), roots);
    }

    void atMostTwentyFiveDrives()
    {
        QByteArray table;
        for (int i = 0; i < 30; ++i)
            table += "/dev/sr" + QByteArray::number(i) + " /mnt/d" + QByteArray::number(i) + " iso9660 ro 0 0\n";
        const QStringList roots = opticalDiscRoots(table);
        QCOMPARE(roots.size(), kMaxOpticalDrives);
        QCOMPARE(roots.last(), QStringLiteral("/mnt/d24/"));
    }

    void keepsScreenshotWhenAsked()
    {
        const QString dir = qEnvironmentVariable("QUARVEL_SCREENSHOTS");
        if (dir.isEmpty())
            QSKIP("set QUARVEL_SCREENSHOTS to a directory to keep a picture of the screen");
        createScreens();
        form().show();
        form().grab().save(dir + QStringLiteral("/mainmenu-entry.png"));
        storeProfile(QStringLiteral("山田 太郎"), QStringLiteral("Quarvel研修センター"),
                     QStringLiteral("taro@example.jp"));
        form().hide();
        form().show();
        form().grab().save(dir + QStringLiteral("/mainmenu-profile.png"));
    }
};

QUARVEL_TEST_MAIN(TestMainMenu)
#include "TestMainMenu.moc"

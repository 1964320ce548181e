// The graphic style's answer and view screens, driven as a person would: mouse presses on the
// picture and the markers, the keyboard crosshair, OK and the close box.
#include "session/ExamSession.h"
#include "shell/screens/ScreenCatalogue.h"
#include "styles/StyleHandOver.h"
#include "styles/screens/TfrmSelStyle3.h"
#include "styles/screens/TfrmSelStyle3View.h"
#include "support/TestSupport.h"
#include "ui/PictureButton.h"

#include <QBuffer>
#include <QLabel>

#include <memory>

class TestGraphicScreen : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    QString m_picture;

    TfrmSelStyle3* screen() const { return screens().frmSelStyle3; }
    QLabel* child(QWidget* parent, const QString& name) const
    {
        auto* found = parent->findChild<QLabel*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QLabel* picture() const { return child(screen(), QStringLiteral("DestImg")); }
    QLabel* marker(int m) const { return child(screen(), QStringLiteral("CsrImg%1").arg(m)); }

    void handOver(std::array<std::string, 5> areas, const QString& picturePath = {})
    {
        StyleQuestion& q = examSession().styleHandOver.question(kStyleGraphic);
        q = StyleQuestion{};
        q.picturePath = picturePath.isEmpty() ? m_picture : picturePath;
        q.areas = areas;
        q.correctChoice = 1;
        q.questionNumber = 7;
    }
    // As the exam screen asks: verdict reset, modal showing.
    void ask()
    {
        examSession().styleHandOver.passed = 0;
        screen()->showModal();
    }
    void press(QWidget* target, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(target, button, Qt::NoModifier, at);
        QTest::mouseRelease(target, button, Qt::NoModifier, at);
    }

  private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
        m_picture = m_install->writeFile(QStringLiteral("QDAT/cisco/img/net.bmp"), bytes);
        createScreens();
        ui::testing::clearShownMessages();
    }
    void cleanup()
    {
        destroyScreens();
        m_install.reset();
    }

    void sizedToThePictureInTheCentre()
    {
        handOver({"10,10,50,50"});
        ask();
        QVERIFY(screen()->isVisible());
        QCOMPARE(screen()->windowTitle(), QStringLiteral("Quarvel グラフィック表示"));
        QCOMPARE(picture()->geometry(), QRect(0, 0, 300, 200));
        // Outer height = picture + 65, of which 30 are the title bar.
        QCOMPARE(screen()->size(), QSize(300, 235));
        const QRect ok = screen()->okButton()->geometry();
        QCOMPARE(ok.size(), QSize(81, 24));
        QCOMPARE(ok.right(), 300 - 12 - 1);
        QVERIFY(ok.top() >= 200);
        QVERIFY(ok.bottom() < 235);
    }

    void mousePlacesRemovesAndJudges()
    {
        handOver({"0,0,100,100", "100,0,200,100", "200,0,300,100"});
        ask();
        press(picture(), {50, 50});
        press(picture(), {150, 50}, Qt::RightButton); // any button places
        press(picture(), {250, 150});                 // outside the third area
        press(picture(), {250, 50});                  // all placed: ignored
        QVERIFY(marker(3)->isVisible());
        QCOMPARE(marker(3)->pos(), QPoint(250 - 16, 150 - 16));
        QCOMPARE(screen()->answer().markers()[2].y, 150);

        // Moving the third marker: a right click on it, then a new click.
        press(marker(3), {16, 16}, Qt::RightButton);
        QVERIFY(!marker(3)->isVisible());
        press(picture(), {250, 50});
        screen()->Button1Click();
        QVERIFY(!screen()->isVisible());
        QCOMPARE(examSession().styleHandOver.passed, 1);

        // Showing again starts over.
        ask();
        for (int m = 1; m <= 5; ++m)
            QVERIFY(!marker(m)->isVisible());
        QCOMPARE(screen()->answer().latest(), std::nullopt);
        press(picture(), {50, 50});
        screen()->Button1Click();
        QCOMPARE(examSession().styleHandOver.passed, 0);
    }

    void leftClickOnAMarkerPlacesASecond()
    {
        handOver({"10,10,90,90", "10,10,90,90"});
        ask();
        press(picture(), {40, 40});
        press(marker(1), {20, 10}); // the picture's point (44, 34)
        QVERIFY(marker(1)->isVisible());
        QVERIFY(marker(2)->isVisible());
        QCOMPARE(screen()->answer().markers()[1].x, 44);
        QCOMPARE(screen()->answer().markers()[1].y, 34);
        screen()->pressOk();
        QCOMPARE(examSession().styleHandOver.passed, 1);
    }

    // A quick second click arrives as a double-click; it places a marker as a second press does.
    void quickSecondClickPlacesAnother_data()
    {
        QTest::addColumn<bool>("onMarker");
        QTest::addColumn<int>("placed");
        QTest::newRow("on the picture") << false << 2;
        QTest::newRow("on a placed marker") << true << 3;
    }
    void quickSecondClickPlacesAnother()
    {
        QFETCH(bool, onMarker);
        QFETCH(int, placed);
        handOver({"10,10,90,90", "10,10,90,90", "10,10,90,90"});
        ask();
        if (onMarker) {
            press(picture(), {40, 40});
            testsupport::doubleClick(marker(1), {16, 16});
        } else {
            testsupport::doubleClick(picture(), {40, 40});
        }
        for (int m = 1; m <= 3; ++m)
            QCOMPARE(marker(m)->isVisible(), m <= placed);
        QCOMPARE(screen()->answer().markers()[size_t(placed - 1)].x, 40);
    }

    void keyboardAlone()
    {
        handOver({"100,60,140,100", "250,150,290,190"});
        ask();
        QCOMPARE(screen()->crosshair(), QPoint(150, 100));
        QTest::keyClick(picture(), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(picture(), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(picture(), Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(picture(), Qt::Key_Up, Qt::ShiftModifier);
        QTest::keyClick(picture(), Qt::Key_Up);
        QCOMPARE(screen()->crosshair(), QPoint(120, 89));
        QTest::keyClick(picture(), Qt::Key_Space);
        QVERIFY(marker(1)->isVisible());
        // A wrong place, taken back with Delete under the crosshair.
        for (int i = 0; i < 13; ++i)
            QTest::keyClick(picture(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(picture(), Qt::Key_Return);
        QCOMPARE(screen()->answer().markers()[1].x, 250);
        QTest::keyClick(picture(), Qt::Key_Delete);
        QVERIFY(!marker(2)->isVisible());
        for (int i = 0; i < 12; ++i)
            QTest::keyClick(picture(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(picture(), Qt::Key_Down); // clamped to the picture's last row
        QCOMPARE(screen()->crosshair(), QPoint(250, 199));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(picture(), Qt::Key_Up, Qt::ShiftModifier);
        QTest::keyClick(picture(), Qt::Key_Space);  // (250, 169): on the second area's left border
        QTest::keyClick(picture(), Qt::Key_Delete); // taken back: the latest
        QTest::keyClick(picture(), Qt::Key_Right);
        QTest::keyClick(picture(), Qt::Key_Space);
        // Tab reaches OK; Space presses it.
        QVERIFY(screen()->okButton()->focusPolicy() & Qt::TabFocus);
        QTest::keyClick(screen()->okButton(), Qt::Key_Space);
        QVERIFY(!screen()->isVisible());
        QCOMPARE(examSession().styleHandOver.passed, 1);
    }

    void theCloseBoxLeavesTheVerdictAtZero()
    {
        handOver({"0,0,300,200"});
        ask();
        press(picture(), {10, 10});
        screen()->close();
        QVERIFY(!screen()->isVisible());
        QCOMPARE(examSession().styleHandOver.passed, 0);
    }

    void brokenAreaIsNamedAndNeverHit()
    {
        handOver({"0,0,300,200", "", "0,0,300,200"}); // "a@" and "c@" without "b@"
        ask();
        QVERIFY(screen()->isVisible());
        const auto messages = ui::testing::shownMessages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].title, QStringLiteral("Error"));
        QVERIFY(messages[0].text.contains(QStringLiteral("問題 7")));
        press(picture(), {10, 10});
        press(picture(), {20, 20});
        screen()->pressOk();
        QCOMPARE(examSession().styleHandOver.passed, 0);
    }

    void brokenPictureIsReportedAndNotShown_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("missing") << "none.jpg" << QByteArray();
        QTest::newRow("truncated jpeg") << "cut.jpg" << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10);
        QTest::newRow("not a picture") << "notes.bmp" << QByteArray("hello");
    }
    void brokenPictureIsReportedAndNotShown()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QString path = m_install->root() + QStringLiteral("QDAT/cisco/img/") + name;
        if (!bytes.isEmpty())
            path = m_install->writeFile(QStringLiteral("QDAT/cisco/img/") + name, bytes);
        handOver({"0,0,10,10"}, path);
        ask();
        QVERIFY(!screen()->isVisible());
        QCOMPARE(examSession().styleHandOver.passed, 0);
        const auto messages = ui::testing::shownMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].text.contains(name));
    }

    void viewFramesTheAreas()
    {
        handOver({"10,20,60,40", "100,100,101,150", "bad"});
        TfrmSelStyle3View* view = screens().frmSelStyle3View;
        examSession().styleHandOver.passed = 1;
        view->showModal();
        QVERIFY(view->isVisible());
        QCOMPARE(view->windowTitle(), QStringLiteral("Quarvel 正解グラフィック表示"));
        QCOMPARE(view->size(), QSize(300, 235));
        QCOMPARE(ui::testing::shownMessages().size(), 1); // the third area

        QLabel* guide = child(view, QStringLiteral("Guide1"));
        QVERIFY(guide->isVisible());
        QCOMPARE(guide->geometry(), QRect(10, 20, 50, 20));
        const QImage frame = guide->pixmap().toImage();
        QCOMPARE(frame.pixelColor(1, 0), QColor(Qt::black));   // top row from column 1
        QCOMPARE(frame.pixelColor(49, 19), QColor(Qt::black)); // far corner
        QCOMPARE(frame.pixelColor(0, 10).alpha(), 0);          // first column left out
        QCOMPARE(frame.pixelColor(25, 10).alpha(), 0);         // inside stays clear
        QVERIFY(child(view, QStringLiteral("Guide2"))->isVisible());
        QVERIFY(!child(view, QStringLiteral("Guide3"))->isVisible());

        view->Button1Click();
        QVERIFY(!view->isVisible());
        QCOMPARE(examSession().styleHandOver.passed, 1); // a view never changes the verdict
    }
};

QUARVEL_TEST_MAIN(TestGraphicScreen)
#include "TestGraphicScreen.moc"

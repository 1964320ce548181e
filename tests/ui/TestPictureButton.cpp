#include "support/TestSupport.h"
#include "ui/PictureButton.h"

#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <cmath>

class TestPictureButton : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void leftButtonMovesTwoPixelsAndBack()
    {
        QWidget parent;
        ui::PictureButton button(&parent, QStringLiteral("Button1"));
        button.setGeometry(10, 20, 40, 30);
        QSignalSpy clicks(&button, &ui::PictureButton::clicked);
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(button.pos(), QPoint(12, 22));
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(button.pos(), QPoint(10, 20));
        QCOMPARE(clicks.count(), 1);
    }

    void otherButtonsDoNotMoveIt()
    {
        QWidget parent;
        ui::PictureButton button(&parent);
        button.setGeometry(10, 20, 40, 30);
        QTest::mousePress(&button, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(button.pos(), QPoint(10, 20));
        QTest::mouseRelease(&button, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(button.pos(), QPoint(10, 20));
    }

    void anyButtonFeedbackWhenAsked()
    {
        QWidget parent;
        ui::PictureButton button(&parent);
        button.setFeedbackForAnyButton(true);
        button.setGeometry(0, 0, 40, 30);
        QTest::mousePress(&button, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(button.pos(), QPoint(2, 2));
        QTest::mouseRelease(&button, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(button.pos(), QPoint(0, 0));
    }

    // A quick double click is two clicks, each with its feedback.
    void doubleClickIsTwoClicks()
    {
        QWidget parent;
        ui::PictureButton button(&parent);
        button.setGeometry(0, 0, 40, 30);
        QSignalSpy clicks(&button, &ui::PictureButton::clicked);
        testsupport::doubleClick(&button, {5, 5});
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(button.pos(), QPoint(0, 0));
    }

    void releaseOutsideIsNoClick()
    {
        QWidget parent;
        ui::PictureButton button(&parent);
        button.setGeometry(0, 0, 40, 30);
        QSignalSpy clicks(&button, &ui::PictureButton::clicked);
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(60, 60));
        QCOMPARE(button.pos(), QPoint(0, 0));
        QCOMPARE(clicks.count(), 0);
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("clicks");
        QTest::newRow("space") << int(Qt::Key_Space) << true << 1;
        QTest::newRow("return") << int(Qt::Key_Return) << true << 1;
        QTest::newRow("enter") << int(Qt::Key_Enter) << true << 1;
        QTest::newRow("other key") << int(Qt::Key_A) << true << 0;
        QTest::newRow("disabled space") << int(Qt::Key_Space) << false << 0;
        QTest::newRow("disabled return") << int(Qt::Key_Return) << false << 0;
    }

    // A key presses the button as the mouse does: sunk while held, clicked on release.
    void keys()
    {
        QFETCH(int, key);
        QFETCH(bool, enabled);
        QFETCH(int, clicks);
        QWidget parent;
        ui::PictureButton button(&parent);
        button.setGeometry(10, 20, 40, 30);
        button.setEnabled(enabled);
        QSignalSpy spy(&button, &ui::PictureButton::clicked);
        QTest::keyPress(&button, Qt::Key(key));
        const bool moves = clicks > 0;
        QCOMPARE(button.pos(), moves ? QPoint(12, 22) : QPoint(10, 20));
        QCOMPARE(spy.count(), 0);
        QTest::keyRelease(&button, Qt::Key(key));
        QCOMPARE(button.pos(), QPoint(10, 20));
        QCOMPARE(spy.count(), clicks);
    }

    void focusPolicyFollowsEnabled_data()
    {
        QTest::addColumn<Qt::FocusPolicy>("given");
        QTest::newRow("default") << Qt::TabFocus;
        QTest::newRow("set by a screen") << Qt::StrongFocus;
    }

    void focusPolicyFollowsEnabled()
    {
        QFETCH(Qt::FocusPolicy, given);
        ui::PictureButton button;
        QCOMPARE(button.focusPolicy(), Qt::TabFocus);
        button.setFocusPolicy(given);
        button.setEnabled(false);
        QCOMPARE(button.focusPolicy(), Qt::NoFocus);
        button.setEnabled(true);
        QCOMPARE(button.focusPolicy(), given);
    }

    // A click leaves the focus where it was, so the screen's own keys keep working after it.
    void clickTakesNoFocus()
    {
        QWidget parent;
        ui::PictureButton button(&parent);
        button.setGeometry(0, 0, 40, 30);
        QCOMPARE(int(button.focusPolicy() & Qt::ClickFocus), 0);
    }

    void hintNamesItUnlessNamed()
    {
        ui::PictureButton unnamed;
        unnamed.setHint(QStringLiteral("Next"));
        unnamed.setHint(QStringLiteral("Next question"));
        QCOMPARE(unnamed.accessibleName(), QStringLiteral("Next question"));
        ui::PictureButton named;
        named.setAccessibleName(QStringLiteral("OK"));
        named.setHint(QStringLiteral("Answer"));
        QCOMPARE(named.accessibleName(), QStringLiteral("OK"));
    }

    void shortcutShownAfterHint_data()
    {
        QTest::addColumn<QString>("firstHint");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("laterHint");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("no key: the hint alone") << "Score"
                                                << ""
                                                << ""
                                                << "Score";
        QTest::newRow("key after the hint") << "Score"
                                            << "S"
                                            << ""
                                            << "Score (S)";
        QTest::newRow("key kept when the hint changes") << "Pause"
                                                        << "P"
                                                        << "Resume"
                                                        << "Resume (P)";
        QTest::newRow("key without a hint") << ""
                                            << "O"
                                            << ""
                                            << "(O)";
    }

    // The key is shown to the mouse user, while the hint itself (and the name) stay as given.
    void shortcutShownAfterHint()
    {
        QFETCH(QString, firstHint);
        QFETCH(QString, key);
        QFETCH(QString, laterHint);
        QFETCH(QString, toolTip);
        ui::PictureButton button;
        button.setHint(firstHint);
        button.setShortcutKey(QKeySequence(key));
        if (!laterHint.isEmpty())
            button.setHint(laterHint);
        QCOMPARE(button.toolTip(), toolTip);
        const QString hint = laterHint.isEmpty() ? firstHint : laterHint;
        QCOMPARE(button.hint(), hint);
        QCOMPARE(button.accessibleName(), hint);
    }

    void accessible_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("spokenName");
        QTest::addColumn<QString>("description");
        QTest::newRow("named by its hint") << ""
                                           << "Score the test"
                                           << "S"
                                           << "Score the test"
                                           << "";
        QTest::newRow("own name, hint describes") << "Link 1"
                                                  << "Routing lesson"
                                                  << ""
                                                  << "Link 1"
                                                  << "Routing lesson";
        QTest::newRow("name only") << "Fig. 1"
                                   << ""
                                   << ""
                                   << "Fig. 1"
                                   << "";
    }

    // A screen reader meets a button with a name, and its key where the screen gave one.
    void accessible()
    {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QFETCH(QString, key);
        QFETCH(QString, spokenName);
        QFETCH(QString, description);
        QWidget parent;
        ui::PictureButton button(&parent);
        if (!name.isEmpty())
            button.setAccessibleName(name);
        button.setHint(hint);
        button.setShortcutKey(QKeySequence(key));
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&button);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::Button);
        QCOMPARE(face->text(QAccessible::Name), spokenName);
        QCOMPARE(face->text(QAccessible::Description), description);
        QCOMPARE(face->text(QAccessible::Accelerator), key);
        QAccessibleActionInterface* actions = face->actionInterface();
        QVERIFY(actions);
        QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
                 key.isEmpty() ? QStringList{} : QStringList{key});
    }

    void pressAction_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("clicks");
        QTest::newRow("enabled: one click") << true << 1;
        QTest::newRow("disabled: offered no press, none happens") << false << 0;
    }

    // The reader's press ends in the same clicked() as the mouse, once.
    void pressAction()
    {
        QFETCH(bool, enabled);
        QFETCH(int, clicks);
        QWidget parent;
        ui::PictureButton button(&parent);
        button.setEnabled(enabled);
        QSignalSpy spy(&button, &ui::PictureButton::clicked);
        QAccessibleActionInterface* actions = QAccessible::queryAccessibleInterface(&button)->actionInterface();
        QCOMPARE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()), enabled);
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(spy.count(), clicks);
    }

    void focusRing_data()
    {
        QTest::addColumn<bool>("focused");
        QTest::newRow("focused: ring over the picture") << true;
        QTest::newRow("unfocused: picture only") << false;
    }

    // The ring lies inside the button's own rectangle, over the picture's edge.
    void focusRing()
    {
        QFETCH(bool, focused);
        QWidget window;
        window.resize(100, 100);
        ui::PictureButton button(&window);
        QPixmap picture(40, 30);
        picture.fill(Qt::green);
        button.setPicture(picture);
        QWidget other(&window);
        other.setFocusPolicy(Qt::StrongFocus);
        window.show();
        QApplication::setActiveWindow(&window);
        (focused ? static_cast<QWidget&>(button) : other).setFocus(Qt::TabFocusReason);
        QCOMPARE(button.hasFocus(), focused);
        const QImage image = button.grab().toImage();
        QCOMPARE(image.size(), QSize(40, 30));
        QCOMPARE(image.pixelColor(20, 0), focused ? ui::focusRingColours(Qt::green).outer : QColor(Qt::green));
        QCOMPARE(image.pixelColor(20, 15), QColor(Qt::green));
    }

    // Every theme's buttons: the ring keeps the face's hue, one of its two lines stands out from the
    // face at least 3:1, and the outer line from the black behind the buttons.
    void focusRingStandsOut_data()
    {
        QTest::addColumn<QColor>("face");
        QTest::newRow("dark red-brown") << QColor(0x99, 0x66, 0x65);
        QTest::newRow("teal") << QColor(0x20, 0x90, 0x90);
        QTest::newRow("navy") << QColor(0x2A, 0x4A, 0x6A);
        QTest::newRow("dark grey") << QColor(0x40, 0x40, 0x40);
        QTest::newRow("mid green") << QColor(0x40, 0xA0, 0x40);
        QTest::newRow("pale yellow") << QColor(0xF0, 0xE8, 0xA0);
        QTest::newRow("white") << QColor(Qt::white);
    }

    void focusRingStandsOut()
    {
        QFETCH(QColor, face);
        const ui::FocusRing ring = ui::focusRingColours(face);
        const auto luminance = [](const QColor& c) {
            const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
        };
        const auto contrast = [&](const QColor& a, const QColor& b) {
            const double la = luminance(a) + 0.05, lb = luminance(b) + 0.05;
            return std::max(la, lb) / std::min(la, lb);
        };
        QVERIFY2(std::max(contrast(ring.outer, face), contrast(ring.inner, face)) >= 3.0,
                 qPrintable(ring.outer.name()));
        QVERIFY2(contrast(ring.outer, Qt::black) >= 3.0, qPrintable(ring.outer.name()));
        if (face.hslSaturation() > 0) // the same hue, give or take the rounding to 8-bit channels
            QVERIFY2(std::abs(ring.outer.hslHue() - face.hslHue()) <= 3, qPrintable(ring.outer.name()));
    }

    // Losing the focus with the key held cancels the press, as sliding off with the mouse does.
    void focusLossCancelsKeyPress()
    {
        QWidget parent;
        ui::PictureButton button(&parent);
        button.setGeometry(10, 20, 40, 30);
        QSignalSpy spy(&button, &ui::PictureButton::clicked);
        QTest::keyPress(&button, Qt::Key_Space);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&button, &out);
        QCOMPARE(button.pos(), QPoint(10, 20));
        QTest::keyRelease(&button, Qt::Key_Space);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(button.pos(), QPoint(10, 20));
    }
};

QUARVEL_TEST_MAIN(TestPictureButton)
#include "TestPictureButton.moc"

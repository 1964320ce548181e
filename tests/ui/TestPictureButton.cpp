#include "ui/PictureButton.h"
#include "support/TestSupport.h"

#include <QSignalSpy>

class TestPictureButton : public QObject {
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
};

QUARVEL_TEST_MAIN(TestPictureButton)
#include "TestPictureButton.moc"

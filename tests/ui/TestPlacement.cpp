#include "support/TestSupport.h"
#include "ui/Placement.h"
#include "ui/Screen.h"

class TestPlacement : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void centredAndKeptOnTheDesktop_data()
    {
        QTest::addColumn<QRect>("over");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("at");
        // The desktop is 0,0 1280 x 1024 in every row.
        QTest::newRow("centred") << QRect(100, 100, 800, 600) << QSize(400, 200) << QPoint(300, 300);
        QTest::newRow("pushed off the left and top edges") << QRect(0, 0, 100, 100) << QSize(400, 200) << QPoint(0, 0);
        QTest::newRow("pulled back from the right and bottom") << QRect(1180, 924, 100, 100) << QSize(400, 200)
                                                               << QPoint(880, 824);
        QTest::newRow("larger than the desktop stays at its corner") << QRect(0, 0, 100, 100) << QSize(2000, 1200)
                                                                     << QPoint(0, 0);
    }
    void centredAndKeptOnTheDesktop()
    {
        QFETCH(QRect, over);
        QFETCH(QSize, size);
        QTEST(ui::centredPosition(over, size, QRect(0, 0, 1280, 1024)), "at");
    }

    void modalScreenOpensOverTheScreenItServes()
    {
        ui::Screen exam(QStringLiteral("exam"));
        exam.setGeometry(200, 150, 800, 600);
        exam.show();
        ui::Screen review(QStringLiteral("review"));
        review.resize(300, 200);
        review.showModal();
        // The offscreen platform shifts a shown window by its 2-pixel frame: allow for it.
        const QPoint offset = review.frameGeometry().center() - exam.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 4, "the review screen is not centred over the exam screen");
        QCOMPARE(ui::Screen::servedWindow(&review), &exam);
        review.hide();
        exam.hide();
        QCOMPARE(ui::Screen::servedWindow(&review), nullptr);
    }
};

QUARVEL_TEST_MAIN(TestPlacement)
#include "TestPlacement.moc"

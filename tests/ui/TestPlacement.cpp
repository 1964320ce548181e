#include "support/TestSupport.h"

#include "ui/Placement.h"
#include "ui/Screen.h"
#include <QApplication>

#include <QWindow>

namespace
{
// A screen that puts itself somewhere when shown, as the screens with a place of their own do.
class PlacedScreen : public ui::Screen
{
  public:
    using ui::Screen::Screen;
    QPoint place;

  protected:
    void FormShow() override
    {
        if (!place.isNull())
            move(place);
    }
};

bool centredOver(const QWidget& window, const QWidget& over)
{
    // The offscreen platform shifts a shown window by its 2-pixel frame: allow for it.
    return (window.frameGeometry().center() - over.frameGeometry().center()).manhattanLength() <= 4;
}
} // namespace

class TestPlacement : public QObject
{
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
        QTest::newRow("pulled back from the right and bottom")
            << QRect(1180, 924, 100, 100) << QSize(400, 200) << QPoint(880, 824);
        QTest::newRow("larger than the desktop stays at its corner")
            << QRect(0, 0, 100, 100) << QSize(2000, 1200) << QPoint(0, 0);
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
        QVERIFY2(centredOver(review, exam), "the review screen is not centred over the exam screen");
        QCOMPARE(ui::Screen::servedWindow(&review), &exam);
        QCOMPARE(review.owner(), &exam);
        QCOMPARE(review.windowHandle()->transientParent(), exam.windowHandle());
        review.hide();
        QCOMPARE(review.owner(), nullptr);
        exam.hide();
        QCOMPARE(ui::Screen::servedWindow(&review), nullptr);
    }

    // Every window that follows or serves another opens over it by the same rule, unless it
    // puts itself somewhere; the one it serves is named, whichever window is active.
    void placedOverTheScreenItServes_data()
    {
        QTest::addColumn<bool>("modal");
        QTest::addColumn<QPoint>("ownPlace");
        QTest::newRow("modeless, following") << false << QPoint();
        QTest::newRow("modal") << true << QPoint();
        QTest::newRow("modeless with a place of its own") << false << QPoint(20, 30);
        QTest::newRow("modal with a place of its own") << true << QPoint(20, 30);
    }
    void placedOverTheScreenItServes()
    {
        QFETCH(bool, modal);
        QFETCH(QPoint, ownPlace);
        ui::Screen menu(QStringLiteral("menu"));
        menu.setGeometry(40, 20, 600, 500); // on the offscreen desktop of 800 x 600
        menu.show();
        // A modeless window of the menu's is the active one (an explanation window, an exhibit).
        ui::Screen beside(QStringLiteral("beside"));
        beside.setGeometry(0, 0, 200, 100);
        beside.setOwner(&menu);
        beside.show();
        beside.activateWindow();
        QCoreApplication::processEvents();
        PlacedScreen next(QStringLiteral("next"));
        next.resize(300, 200);
        next.place = ownPlace;
        if (modal)
            next.showModal(&menu);
        else
            next.showOver(&menu);
        if (ownPlace.isNull())
            QVERIFY2(centredOver(next, menu), "not centred over the screen it serves");
        else
            QCOMPARE(next.pos(), ownPlace);
        if (QApplication::activeWindow() == &beside)
            QCOMPARE(ui::Screen::servedWindow(&next), &menu);
    }

    // Minimising a screen takes the windows it owns along (and theirs); restoring brings back
    // those, and only those.
    void ownedWindowsGoAndComeBackWithTheirScreen()
    {
        ui::Screen exam(QStringLiteral("exam"));
        exam.show();
        ui::Screen caseStudy(QStringLiteral("caseStudy"));
        caseStudy.setOwner(&exam);
        caseStudy.show();
        ui::Screen exhibit(QStringLiteral("exhibit"));
        exhibit.setOwner(&caseStudy);
        exhibit.show();
        ui::Screen stranger(QStringLiteral("stranger"));
        stranger.show();
        ui::Screen hiddenOwned(QStringLiteral("hiddenOwned"));
        hiddenOwned.setOwner(&exam);

        exam.setWindowState(exam.windowState() | Qt::WindowMinimized);
        QVERIFY(caseStudy.isMinimized());
        QVERIFY(exhibit.isMinimized());
        QVERIFY(!stranger.isMinimized());
        QVERIFY(!hiddenOwned.isMinimized());
        // Minimised is not hidden: nothing loses its owner or closes.
        QVERIFY(caseStudy.isVisible());
        QCOMPARE(exhibit.owner(), &caseStudy);

        stranger.setWindowState(stranger.windowState() | Qt::WindowMinimized);
        exam.setWindowState(exam.windowState() & ~Qt::WindowMinimized);
        QVERIFY(!caseStudy.isMinimized());
        QVERIFY(!exhibit.isMinimized());
        QVERIFY(stranger.isMinimized());
    }
};

QUARVEL_TEST_MAIN(TestPlacement)
#include "TestPlacement.moc"

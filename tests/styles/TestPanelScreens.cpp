#include "bank/QuestionBank.h"
#include "styles/StyleHandOver.h"
#include "styles/screens/PanelSurface.h"
#include "styles/screens/TfrmSelStyle4.h"
#include "styles/screens/TfrmSelStyle4View.h"
#include "styles/screens/TfrmSelStyle6.h"
#include "styles/screens/TfrmSelStyle6View.h"
#include "support/TestSupport.h"
#include "ui/PictureButton.h"

#include <QImage>

#include <memory>

using panelstyle::Point;

namespace
{

// Grabs `panel` of `surface` near its top-left corner and lets go with that corner at `to`.
void drag(PanelSurface* surface, const panelstyle::PanelBoard& board, int panel, QPoint to, Qt::MouseButton button)
{
    const Point at = board.position(panel);
    const QPoint grab(at.x + 5, at.y + 5);
    QTest::mousePress(surface, button, {}, grab);
    QTest::mouseMove(surface, to + QPoint(5, 5));
    QTest::mouseRelease(surface, button, {}, to + QPoint(5, 5));
}

void key(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = {})
{
    QTest::keyClick(w, k, m);
}

} // namespace

class TestPanelScreens : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    StyleHandOver m_handOver;
    QString m_picture;

    void setQuestion(int style, std::string key, std::string targets, std::string panels, QString picture = {})
    {
        StyleQuestion& q = m_handOver.question(style);
        q = StyleQuestion{};
        q.picturePath = picture.isEmpty() ? m_picture : picture;
        q.dataA = std::move(key);
        q.dataB = std::move(targets);
        q.dataC = std::move(panels);
        q.correctChoice = 1;
        q.questionNumber = 7;
        m_handOver.passed = 0;
        ui::testing::clearShownMessages();
    }

  private Q_SLOTS:
    void initTestCase()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        QImage image(300, 160, QImage::Format_RGB32);
        image.fill(Qt::yellow);
        m_picture = m_install->root() + QStringLiteral("panels.png");
        QVERIFY(image.save(m_picture));
    }

    void mouseAnswerIsJudged_data()
    {
        QTest::addColumn<bool>("crossed");
        QTest::addColumn<int>("passed");
        QTest::newRow("crossed over, as the key asks") << true << 1;
        QTest::newRow("straight") << false << 0;
    }
    void mouseAnswerIsJudged()
    {
        QFETCH(bool, crossed);
        QFETCH(int, passed);
        setQuestion(kStylePanel, "@10,100,60,120;70,10,120,30@70,100,120,120;10,10,60,30",
                    "@10,100,60,120@70,100,120,120", "@10,10,60,30@70,10,120,30");
        TfrmSelStyle4 screen(m_handOver);
        screen.showModal();
        QVERIFY(screen.isVisible());
        QCOMPARE(screen.windowTitle(), QStringLiteral("Quarvel パネル表示"));
        QCOMPARE(screen.height(), 160 + 35); // the picture and the button row
        PanelSurface* surface = screen.surface();
        // Any mouse button drags; the drop lands within the thresholds of its target.
        drag(surface, screen.board(), crossed ? 1 : 0, {20, 110}, Qt::RightButton);
        drag(surface, screen.board(), crossed ? 0 : 1, {110, 100}, Qt::LeftButton);
        QCOMPARE(screen.board().position(crossed ? 0 : 1), (Point{70, 100}));
        QTest::mouseClick(screen.okButton(), Qt::LeftButton);
        QVERIFY(!screen.isVisible());
        QCOMPARE(m_handOver.passed, passed);
        QCOMPARE(surface->pieceCount(), 0);
    }

    void closeBoxLeavesTheVerdictAndReleasesImages()
    {
        setQuestion(kStylePanel, "@10,100,60,120;10,10,60,30", "@10,100,60,120", "@10,10,60,30");
        TfrmSelStyle4 screen(m_handOver);
        screen.showModal();
        drag(screen.surface(), screen.board(), 0, {10, 100}, Qt::LeftButton);
        QCOMPARE(screen.surface()->pieceCount(), 1);
        screen.close();
        QCOMPARE(m_handOver.passed, 0);
        QCOMPARE(screen.surface()->pieceCount(), 0);
        // The next showing starts afresh.
        screen.showModal();
        QCOMPARE(screen.board().position(0), (Point{10, 10}));
        screen.close();
    }

    void brokenDataIsReported_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("panels");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters in a number") << ""
                                             << "@10,10,6O,30"
                                             << "「10,10,6O,30」";
        QTest::newRow("missing picture") << "/nonexistent/none.png"
                                         << "@10,10,60,30"
                                         << "none.png";
    }
    void brokenDataIsReported()
    {
        QFETCH(QString, picture);
        QFETCH(QString, panels);
        QFETCH(QString, message);
        setQuestion(kStylePanel, "@x", "@10,100,60,120", panels.toStdString(), picture);
        TfrmSelStyle4 screen(m_handOver);
        screen.showModal();
        QVERIFY(!screen.isVisible());
        QCOMPARE(m_handOver.passed, 0);
        const auto shown = ui::testing::shownMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Error"));
        QVERIFY2(shown[0].text.contains(message), qPrintable(shown[0].text));
        if (picture.isEmpty())
            QVERIFY(shown[0].text.startsWith(QStringLiteral("問題 7: ")));
    }

    void overThirtyPanelsAreLeftOutWithOneMessage()
    {
        std::string panels;
        for (int k = 0; k < 32; ++k)
            panels += "@" + std::to_string(k * 9) + ",0," + std::to_string(k * 9 + 8) + ",8";
        setQuestion(kStylePanel, "@x", panels, panels);
        TfrmSelStyle4 screen(m_handOver);
        screen.showModal();
        QVERIFY(screen.isVisible());
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        QCOMPARE(screen.board().panelCount(), 30);
        screen.close();
    }

    void keyboardAnswerIsJudgedLikeTheMouse()
    {
        // Labelled: T1 and T3 take "ip", T2 stays empty.
        setQuestion(kStyleLabelledPanel, "@T1;ip@T2;@T3;ip", "@10,100,60,120,T1@70,100,120,120,T2@130,100,180,120,T3",
                    "@10,10,60,30,ip@70,10,120,30,ip");
        TfrmSelStyle6 screen(m_handOver);
        screen.showModal();
        PanelSurface* surface = screen.surface();
        QCOMPARE(screen.focusWidget(), surface);
        QCOMPARE(surface->chosen(), 0);
        // Panel 1: nine steps of 10 down with Alt, Enter: it lands on T1.
        const Qt::KeyboardModifiers big = Qt::AltModifier | Qt::ShiftModifier;
        for (int i = 0; i < 9; ++i)
            key(surface, Qt::Key_Down, big);
        key(surface, Qt::Key_Return);
        QCOMPARE(screen.board().occupant(0), 0);
        // Panel 2 to T2 first, then Delete sends it home, then to T3 (60 right, 90 down).
        key(surface, Qt::Key_Tab);
        QCOMPARE(surface->chosen(), 1);
        key(surface, Qt::Key_Down, big);
        key(surface, Qt::Key_Delete);
        QCOMPARE(screen.board().position(1), (Point{70, 10}));
        for (int i = 0; i < 6; ++i)
            key(surface, Qt::Key_Right, big);
        for (int i = 0; i < 9; ++i)
            key(surface, Qt::Key_Down, big);
        key(surface, Qt::Key_Up, Qt::AltModifier);
        key(surface, Qt::Key_Enter);
        QCOMPARE(screen.board().occupant(2), 1);
        // Tab leaves the panels for OK; Space presses it.
        key(surface, Qt::Key_Tab);
        QCOMPARE(screen.focusWidget(), screen.okButton());
        key(screen.okButton(), Qt::Key_Space);
        QVERIFY(!screen.isVisible());
        QCOMPARE(screen.answerString(), std::string("@T1;ip@T2;@T3;ip"));
        QCOMPARE(m_handOver.passed, 1);
    }

    // The arrows put the chosen panel on one target per press, in reading order; Escape is the
    // close box (no verdict), not a key of the panels.
    void arrowsStepFromTargetToTarget()
    {
        setQuestion(kStyleLabelledPanel, "@T1;ip@T2;@T3;ip", "@130,100,180,120,T3@10,100,60,120,T1@70,100,120,120,T2",
                    "@10,10,60,30,ip@70,10,120,30,ip");
        TfrmSelStyle6 screen(m_handOver);
        screen.showModal();
        PanelSurface* surface = screen.surface();
        key(surface, Qt::Key_Right);
        QCOMPARE(screen.board().position(0), (Point{10, 100}));
        key(surface, Qt::Key_Down);
        key(surface, Qt::Key_Right);
        key(surface, Qt::Key_Right); // no target further on
        QCOMPARE(screen.board().occupant(0), 0);
        key(surface, Qt::Key_Tab);
        key(surface, Qt::Key_Left); // from home backwards: the last free target
        QCOMPARE(screen.board().occupant(2), 1);
        key(surface, Qt::Key_Up); // back to T1
        QCOMPARE(screen.board().occupant(1), 1);
        key(surface, Qt::Key_Down);
        key(surface, Qt::Key_Down);
        QCOMPARE(screen.board().occupant(2), 1);
        key(surface, Qt::Key_Escape);
        QVERIFY(!screen.isVisible());
        QCOMPARE(m_handOver.passed, 0);
    }

    void viewScreensPlaceTheCorrectAnswer()
    {
        setQuestion(kStylePanel, "@10,100,60,120;70,10,120,30@70,100,120,120;10,10,60,30",
                    "@10,100,60,120@70,100,120,120", "@10,10,60,30@70,10,120,30");
        m_handOver.passed = 1;
        TfrmSelStyle4View plain(m_handOver);
        plain.showModal();
        QCOMPARE(plain.windowTitle(), QStringLiteral("Quarvel 正解パネル表示"));
        QCOMPARE(plain.board().position(0), (Point{70, 100}));
        QCOMPARE(plain.board().position(1), (Point{10, 100}));
        // Its panels do not move.
        drag(plain.surface(), plain.board(), 0, {200, 10}, Qt::LeftButton);
        QCOMPARE(plain.board().position(0), (Point{70, 100}));
        plain.pressOk();
        QVERIFY(!plain.isVisible());
        QCOMPARE(m_handOver.passed, 1);

        setQuestion(kStyleLabelledPanel, "@T1;ip@T2;@T3;ip", "@10,100,60,120,T1@70,100,120,120,T2@130,100,180,120,T3",
                    "@10,10,60,30,ip@70,10,120,30,ip");
        TfrmSelStyle6View labelled(m_handOver);
        labelled.showModal();
        QCOMPARE(labelled.board().position(0), (Point{10, 100}));
        QCOMPARE(labelled.board().position(1), (Point{130, 100}));
        labelled.pressOk();
    }
};

QUARVEL_TEST_MAIN(TestPanelScreens)
#include "TestPanelScreens.moc"

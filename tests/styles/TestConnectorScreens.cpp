#include "bank/QuestionBank.h"
#include "styles/StyleHandOver.h"
#include "styles/screens/ConnectorSurface.h"
#include "styles/screens/TfrmSelStyle7.h"
#include "styles/screens/TfrmSelStyle7View.h"
#include "support/TestSupport.h"
#include "ui/PictureButton.h"

#include <QImage>
#include <QPlainTextEdit>

#include <memory>

using connectorstyle::Point;

namespace
{

// Router R at (20,80), switch S at (220,80), host H at (220,180), each 60 x 30; kinds in the band:
// straight (undirected) and serial (directed).
const std::string kObjects = "@20,80,80,110,R@220,80,280,110,S@220,180,280,210,H";
const std::string kKinds = "@10,10,50,30,straight,0@60,10,100,30,serial,1";

void click(QWidget* w, QPoint at, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(w, Qt::LeftButton, modifiers, at);
}

QString memo(QWidget* screen, const char* name)
{
    return screen->findChild<QPlainTextEdit*>(QString::fromLatin1(name))->toPlainText();
}

} // namespace

class TestConnectorScreens : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempInstall> m_install;
    StyleHandOver m_handOver;
    QString m_picture;
    QString m_answerPicture;

    void setQuestion(std::string expected, std::string objects = kObjects)
    {
        StyleQuestion& q = m_handOver.question(kStyleConnector);
        q = StyleQuestion{};
        q.picturePath = m_picture;
        q.answerPicturePath = m_answerPicture;
        q.dataA = std::move(expected);
        q.dataB = std::move(objects);
        q.dataC = kKinds;
        q.correctChoice = 1;
        q.questionNumber = 31;
        m_handOver.passed = 0;
        ui::testing::clearShownMessages();
    }

  private Q_SLOTS:
    void initTestCase()
    {
        m_install = std::make_unique<testsupport::TempInstall>();
        QImage image(320, 240, QImage::Format_RGB32);
        image.fill(Qt::cyan);
        m_picture = m_install->root() + QStringLiteral("p7.png");
        QVERIFY(image.save(m_picture));
        QImage answer(200, 100, QImage::Format_RGB32);
        answer.fill(Qt::green);
        m_answerPicture = m_install->root() + QStringLiteral("p7_answer.png");
        QVERIFY(answer.save(m_answerPicture));
    }

    void mouseAnswer()
    {
        setQuestion("@R;S;straight;0@S;H;serial;1");
        TfrmSelStyle7 screen(m_handOver);
        screen.showModal();
        QVERIFY(screen.isVisible());
        QCOMPARE(screen.windowTitle(), QStringLiteral("Quarvel コネクト表示"));
        QCOMPARE(screen.height(), 240 + 85);
        QCOMPARE(memo(&screen, "Memo2"), QStringLiteral("Answer Data\n1:2:1\nAnswer Data\n2:3:2"));
        ConnectorSurface* surface = screen.surface();
        // Drag the host down 20 pixels; it stays where it was dropped.
        QTest::mousePress(surface, Qt::LeftButton, {}, {230, 190});
        QTest::mouseMove(surface, {230, 210});
        QTest::mouseRelease(surface, Qt::LeftButton, {}, {230, 210});
        QCOMPARE(screen.board().object(3).position, (Point{220, 200}));
        // S then Shift+H, serial: from S to H; then R, Shift+S, straight.
        click(surface, {240, 90});
        click(surface, {240, 210}, Qt::ShiftModifier);
        click(surface, {70, 20});
        click(surface, {30, 90});
        click(surface, {240, 90}, Qt::ShiftModifier);
        click(surface, {20, 20});
        QCOMPARE(screen.board().connectionCount(), 2);
        QCOMPARE(memo(&screen, "Memo1").split(QLatin1Char('\n')).size(), 2);
        QVERIFY(memo(&screen, "Memo1").startsWith(QStringLiteral("2:3:2 LX:")));
        QTest::mouseClick(screen.okButton(), Qt::LeftButton);
        QVERIFY(!screen.isVisible());
        QCOMPARE(m_handOver.passed, 1);
        QVERIFY(screen.surface()->pictures().objects.empty());
        QVERIFY(memo(&screen, "Memo2").endsWith(QStringLiteral("Check Result")));
    }

    void deleteRemovesTheSelectedConnector()
    {
        setQuestion("");
        TfrmSelStyle7 screen(m_handOver);
        screen.showModal();
        ConnectorSurface* surface = screen.surface();
        click(surface, {30, 90});
        click(surface, {240, 90}, Qt::ShiftModifier);
        click(surface, {20, 20});
        // R centre (50,95), S centre (250,95): the straight picture at (130,85)-(170,105).
        click(surface, {150, 95});
        QCOMPARE(screen.board().selectedConnection(), 1);
        QVERIFY(!screen.board().object(1).selected);
        QTest::keyClick(&screen, Qt::Key_Delete);
        QCOMPARE(screen.board().connectionCount(), 0);
        // A question without expected connections is right with none made.
        screen.pressOk();
        QCOMPARE(m_handOver.passed, 1);
    }

    void keyboardAnswerIsJudgedLikeTheMouse()
    {
        setQuestion("@R;S;straight;0@S;H;serial;1");
        TfrmSelStyle7 screen(m_handOver);
        screen.showModal();
        ConnectorSurface* surface = screen.surface();
        QCOMPARE(screen.focusWidget(), surface);
        QCOMPARE(surface->focusKind(), ConnectorSurface::Focus::Object);
        // R: Space; S: Shift+Space; digit 1 makes a straight connection.
        QTest::keyClick(surface, Qt::Key_Space);
        QTest::keyClick(surface, Qt::Key_Tab);
        QTest::keyClick(surface, Qt::Key_Space, Qt::ShiftModifier);
        QTest::keyClick(surface, Qt::Key_1);
        // S again, Shift+Space on H, then Tab into the palette's second kind and Enter.
        QTest::keyClick(surface, Qt::Key_Space);
        QTest::keyClick(surface, Qt::Key_Tab);
        QTest::keyClick(surface, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(screen.board().object(3).position, (Point{220, 190}));
        QTest::keyClick(surface, Qt::Key_Space, Qt::ShiftModifier);
        QTest::keyClick(surface, Qt::Key_Tab);
        QTest::keyClick(surface, Qt::Key_Tab);
        QCOMPARE(surface->focusKind(), ConnectorSurface::Focus::Kind);
        QCOMPARE(surface->focusNumber(), 2);
        QTest::keyClick(surface, Qt::Key_Return);
        QCOMPARE(screen.board().connectionCount(), 2);
        // A wrong third one (there is no kind 3), reached by Tab and deleted.
        QTest::keyClick(surface, Qt::Key_3);
        QCOMPARE(screen.board().connectionCount(), 2);
        QTest::keyClick(surface, Qt::Key_1);
        QCOMPARE(screen.board().connectionCount(), 3);
        for (int k = 0; k < 3; ++k)
            QTest::keyClick(surface, Qt::Key_Tab);
        QCOMPARE(surface->focusKind(), ConnectorSurface::Focus::Connection);
        QCOMPARE(surface->focusNumber(), 3);
        QCOMPARE(screen.board().selectedConnection(), 3);
        QTest::keyClick(surface, Qt::Key_Delete);
        QCOMPARE(screen.board().connectionCount(), 2);
        QCOMPARE(screen.board().selectedConnection(), 2); // the last one is chosen now
        QTest::keyClick(surface, Qt::Key_Tab);
        QCOMPARE(screen.focusWidget(), screen.okButton());
        QCOMPARE(screen.board().selectedConnection(), 0);
        QTest::keyClick(screen.okButton(), Qt::Key_Return);
        QVERIFY(!screen.isVisible());
        QCOMPARE(m_handOver.passed, 1);
    }

    void fiftyFirstConnectionIsRefused()
    {
        setQuestion("");
        TfrmSelStyle7 screen(m_handOver);
        screen.showModal();
        ConnectorSurface* surface = screen.surface();
        click(surface, {30, 90});
        click(surface, {240, 90}, Qt::ShiftModifier);
        for (int k = 0; k < 50; ++k)
            click(surface, {20, 20});
        QVERIFY(ui::testing::shownMessages().isEmpty());
        click(surface, {20, 20});
        QCOMPARE(screen.board().connectionCount(), 50);
        QCOMPARE(ui::testing::shownMessages().size(), 1);
        screen.close();
        QCOMPARE(m_handOver.passed, 0);
        QVERIFY(screen.surface()->pictures().canvas.isNull());
    }

    void brokenDataIsReported_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("objects");
        QTest::newRow("unknown label") << "@R;X;straight;0" << kObjects.c_str();
        QTest::newRow("unknown kind") << "@R;S;fibre;0" << kObjects.c_str();
        QTest::newRow("number") << ""
                                << "@20,80,80,1l0,R";
    }
    void brokenDataIsReported()
    {
        QFETCH(QString, expected);
        QFETCH(QString, objects);
        setQuestion(expected.toStdString(), objects.toStdString());
        TfrmSelStyle7 screen(m_handOver);
        screen.showModal();
        QVERIFY(!screen.isVisible());
        QCOMPARE(m_handOver.passed, 0);
        const auto shown = ui::testing::shownMessages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.startsWith(QStringLiteral("問題 31: ")), qPrintable(shown[0].text));
    }

    void viewShowsTheSecondPicture()
    {
        setQuestion("@R;S;straight;0");
        TfrmSelStyle7View view(m_handOver);
        view.showModal();
        QVERIFY(view.isVisible());
        QCOMPARE(view.windowTitle(), QStringLiteral("Quarvel 正解コネクト表示"));
        QCOMPARE(view.height(), 100 + 30);
        QCOMPARE(view.okButton()->objectName(), QStringLiteral("Button5"));
        QTest::mouseClick(view.okButton(), Qt::LeftButton);
        QVERIFY(!view.isVisible());
        QCOMPARE(m_handOver.passed, 0);
    }
};

QUARVEL_TEST_MAIN(TestConnectorScreens)
#include "TestConnectorScreens.moc"

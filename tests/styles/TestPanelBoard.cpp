#include "styles/PanelBoard.h"
#include "support/TestSupport.h"

using namespace panelstyle;

namespace
{

// Two targets at (10,100) and (70,100), two 50 x 20 panels at (10,10) and (70,10).
const std::string kTargets = "@10,100,60,120@70,100,120,120";
const std::string kPanels = "@10,10,60,30@70,10,120,30";

PanelBoard board(const std::string& targets = kTargets, const std::string& panels = kPanels,
                 Variant variant = Variant::Plain)
{
    PanelParse parsed = parsePanelData(targets, panels, variant);
    return PanelBoard(std::move(parsed.data));
}

// Mouse: grabs the panel at its top-left corner and lets go at `at`.
int dragAndDrop(PanelBoard& b, int panel, Point at)
{
    b.pickUp(panel, {3, 4});
    b.dragTo({at.x + 3, at.y + 4});
    return b.drop();
}

} // namespace

class TestPanelBoard : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void dropRule_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<int>("target"); // -1: home
        QTest::newRow("exact") << 0 << 0 << 0;
        QTest::newRow("49 right, 14 below") << 49 << 14 << 0;
        QTest::newRow("49 left, 14 above") << -49 << -14 << 0;
        QTest::newRow("50 right") << 50 << 0 << -1;
        QTest::newRow("15 below") << 0 << 15 << -1;
    }
    void dropRule()
    {
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(int, target);
        // One target only, so a miss cannot land on a neighbour.
        PanelBoard b = board("@200,100,250,120", kPanels);
        QCOMPARE(dragAndDrop(b, 0, {200 + dx, 100 + dy}), target);
        QCOMPARE(b.position(0), (target < 0 ? Point{10, 10} : Point{200, 100}));
        QCOMPARE(b.occupant(0), target < 0 ? -1 : 0);
    }

    void occupiedTargetSendsHomeAndPickingUpFreesAtOnce()
    {
        PanelBoard b;
        b = board();
        QCOMPARE(dragAndDrop(b, 0, {12, 101}), 0);
        // Near target 0 (taken); target 1 is free but 60 pixels away: home.
        QCOMPARE(dragAndDrop(b, 1, {15, 100}), -1);
        QCOMPARE(b.position(1), (Point{70, 10}));
        QCOMPARE(b.occupant(0), 0);
        b.pickUp(0, {1, 1});
        QCOMPARE(b.occupant(0), -1);
        QCOMPARE(b.lifted(), 0);
        // Dropped far away: home, and the answer is empty again.
        b.dragTo({400, 400});
        QCOMPARE(b.drop(), -1);
        QCOMPARE(b.position(0), (Point{10, 10}));
        QCOMPARE(b.answer(Variant::Plain), std::string());
    }

    void firstFreeTargetInListOrderWins()
    {
        // Two targets within reach of the same drop: list order decides.
        PanelBoard b = board("@40,100,90,120@10,100,60,120", kPanels);
        QCOMPARE(dragAndDrop(b, 0, {20, 100}), 0);
        QCOMPARE(dragAndDrop(b, 1, {20, 100}), 1);
        QCOMPARE(b.position(1), (Point{10, 100}));
    }

    void topPanelIsGrabbed()
    {
        PanelBoard b = board(kTargets, "@10,10,60,30@30,20,80,40");
        QCOMPARE(b.panelAt({35, 25}), 1);
        QCOMPARE(b.panelAt({15, 15}), 0);
        QCOMPARE(b.panelAt({60, 15}), -1); // the right edge lies outside
    }

    void plainAnswers_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("crossed"); // panels crossed over, else straight
        QTest::addColumn<bool>("passed");
        const QString crossed = "@10,100,60,120;70,10,120,30@70,100,120,120;10,10,60,30";
        QTest::newRow("crossed") << crossed << true << true;
        QTest::newRow("blanks around the key") << " " + crossed + "\r\n" << true << true;
        QTest::newRow("straight against crossed key") << crossed << false << false;
        QTest::newRow("key in the other order")
            << "@70,100,120,120;10,10,60,30@10,100,60,120;70,10,120,30" << true << false;
    }
    void plainAnswers()
    {
        QFETCH(QString, key);
        QFETCH(bool, crossed);
        QFETCH(bool, passed);
        PanelBoard b = board();
        dragAndDrop(b, crossed ? 1 : 0, {10, 100});
        dragAndDrop(b, crossed ? 0 : 1, {70, 100});
        QCOMPARE(answerMatches(key.toStdString(), b.answer(Variant::Plain)), passed);
    }

    void labelledAnswers_data()
    {
        QTest::addColumn<QString>("drops"); // per panel: target index or '-' for none
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("passed");
        QTest::newRow("ip on T1 and T3") << "02"
                                         << "@T1;ip@T2;@T3;ip" << true;
        QTest::newRow("the other way round") << "20"
                                             << "@T1;ip@T2;@T3;ip" << true;
        QTest::newRow("empty target filled") << "01"
                                             << "@T1;ip@T2;ip@T3;" << false;
        QTest::newRow("nothing moved") << "--"
                                       << "@T1;@T2;@T3;" << false;
    }
    void labelledAnswers()
    {
        QFETCH(QString, drops);
        QFETCH(QString, answer);
        QFETCH(bool, passed);
        PanelBoard b = board("@10,100,60,120,T1@70,100,120,120,T2@130,100,180,120,T3",
                             "@10,10,60,30,ip@70,10,120,30,ip", Variant::Labelled);
        for (int k = 0; k < 2; ++k)
            if (drops[k] != '-')
                QVERIFY(dragAndDrop(b, k, {10 + 60 * (drops[k].toLatin1() - '0'), 100}) >= 0);
        QCOMPARE(QString::fromStdString(b.answer(Variant::Labelled)), answer);
        QCOMPARE(answerMatches("@T1;ip@T2;@T3;ip", b.answer(Variant::Labelled)), passed);
    }

    void labelsKeepTheirCommas()
    {
        const PanelParse parsed = parsePanelData("@1,2,3,4,a,b", "@1, 2,30,40,x", Variant::Labelled);
        QVERIFY(!parsed.problem);
        QCOMPARE(parsed.data.targets[0].label, std::string("a,b"));
        QCOMPARE(parsed.data.panels[0].box, (Box{1, 2, 30, 40}));
    }

    void viewPlacement()
    {
        // Plain: a panel that two targets ask for ends on the last of them.
        PanelBoard plain = board();
        plain.placeForView(Variant::Plain, "@10,100,60,120;10,10,60,30@70,100,120,120;10,10,60,30");
        QCOMPARE(plain.position(0), (Point{70, 100}));
        QCOMPARE(plain.position(1), (Point{70, 10}));

        // Labelled: interchangeable panels spread over the targets; "@T1;ip" is found inside "@T1;ipx".
        PanelBoard labelled = board("@10,100,60,120,T1@70,100,120,120,T2@130,100,180,120,T3",
                                    "@10,10,60,30,ip@70,10,120,30,ip@130,10,180,30,ipx", Variant::Labelled);
        labelled.placeForView(Variant::Labelled, "@T1;ipx@T2;@T3;ip");
        QCOMPARE(labelled.position(0), (Point{10, 100}));
        QCOMPARE(labelled.position(1), (Point{130, 100}));
        QCOMPARE(labelled.position(2), (Point{130, 10})); // the first match in list order took T1
    }

    void keyboardMovesLikeTheMouse()
    {
        PanelBoard b = board();
        QCOMPARE(dragAndDrop(b, 0, {70, 100}), 1);
        // Arrow keys: 60 down, then 60 left and 51 up; picking it up frees target 1 at once.
        b.nudge(0, 0, 60);
        QCOMPARE(b.occupant(1), -1);
        b.nudge(0, -60, -51);
        QCOMPARE(b.position(0), (Point{10, 109}));
        QCOMPARE(b.drop(), 0);
        QCOMPARE(b.answer(Variant::Plain), std::string("@10,100,60,120;10,10,60,30"));
        b.sendHome(0);
        QCOMPARE(b.position(0), (Point{10, 10}));
        QCOMPARE(b.occupant(0), -1);
    }

    void readingOrder_data()
    {
        QTest::addColumn<QString>("targets");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("one row, listed right to left") << "@70,100,120,120@10,100,60,120" << QList<int>{1, 0};
        QTest::newRow("a row a little askew") << "@70,96,120,116@10,100,60,120@10,140,60,160" << QList<int>{1, 0, 2};
        QTest::newRow("two rows, lower listed first")
            << "@10,200,60,220@70,100,120,120@10,100,60,120@130,200,180,220" << QList<int>{2, 1, 0, 3};
        QTest::newRow("a column") << "@10,60,60,80@10,20,60,40@10,100,60,120" << QList<int>{1, 0, 2};
        QTest::newRow("none") << "" << QList<int>{};
    }
    void readingOrder()
    {
        QFETCH(QString, targets);
        QFETCH(QList<int>, order);
        const PanelData data = parsePanelData(targets.toStdString(), kPanels, Variant::Plain).data;
        const std::vector<int> got = panelstyle::readingOrder(data.targets);
        QCOMPARE(QList<int>(got.begin(), got.end()), order);
    }

    // The arrows: one target per press in reading order, past occupied ones, never off the ends.
    void targetSteps()
    {
        PanelBoard b = board("@10,200,60,220@70,100,120,120@10,100,60,120", kPanels);
        QCOMPARE(b.targetStep(0, false), 0); // from home backwards: the last
        const auto step = [&](int panel, bool forward) {
            const int to = b.targetStep(panel, forward);
            if (to >= 0)
                b.placeOn(panel, to);
            return b.targetOf(panel);
        };
        QCOMPARE(step(0, true), 2);
        QCOMPARE(step(0, true), 1);
        QCOMPARE(b.position(0), (Point{70, 100}));
        QCOMPARE(step(1, true), 2);
        QCOMPARE(step(1, true), 0);  // target 1 is taken
        QCOMPARE(step(1, true), 0);  // the end
        QCOMPARE(step(0, false), 2); // panel 1 left it
        QCOMPARE(b.occupant(1), -1);
        QCOMPARE(b.answer(Variant::Plain), std::string("@10,200,60,220;70,10,120,30@10,100,60,120;10,10,60,30"));
    }

    void badData_data()
    {
        QTest::addColumn<QString>("targets");
        QTest::addColumn<QString>("panels");
        QTest::addColumn<QString>("item"); // the item the problem names
        QTest::newRow("letters") << "@10,100,60,120"
                                 << "@10,10,6O,30"
                                 << "10,10,6O,30";
        QTest::newRow("three numbers") << "@10,100,60" << kPanels.c_str() << "10,100,60";
        QTest::newRow("plain item with a fifth field") << "@1,2,3,4,x" << kPanels.c_str() << "1,2,3,4,x";
        QTest::newRow("empty panel") << kTargets.c_str() << "@10,10,10,30"
                                     << "10,10,10,30";
    }
    void badData()
    {
        QFETCH(QString, targets);
        QFETCH(QString, panels);
        QFETCH(QString, item);
        const PanelParse parsed = parsePanelData(targets.toStdString(), panels.toStdString(), Variant::Plain);
        QVERIFY(parsed.problem);
        QCOMPARE(QString::fromStdString(parsed.problem->item), item);
    }

    void moreThanThirtyAreLeftOut()
    {
        std::string many;
        for (int k = 0; k < 31; ++k)
            many += "@" + std::to_string(k) + ",0," + std::to_string(k + 5) + ",5";
        const PanelParse parsed = parsePanelData(many, many, Variant::Plain);
        QVERIFY(!parsed.problem);
        QVERIFY(parsed.data.truncated);
        QCOMPARE(int(parsed.data.panels.size()), kMaxPanels);
        QCOMPARE(int(parsed.data.targets.size()), kMaxTargets);
    }
};

QUARVEL_TEST_MAIN(TestPanelBoard)
#include "TestPanelBoard.moc"

#include "styles/ConnectorBoard.h"
#include "support/TestSupport.h"

using namespace connectorstyle;

namespace
{

// Three 40 x 20 objects: A at (10,60), B at (110,60), C at (10,120); a 30 x 10 undirected
// "straight" and a 20 x 10 directed "serial" kind in the band.
const std::string kObjects = "@10,60,50,80,A@110,60,150,80,B@10,120,50,140,C";
const std::string kKinds = "@5,5,35,15,straight,0@40,5,60,15,serial,1";

ConnectorBoard board(const std::string& expected = {})
{
    ConnectorParse parsed = parseConnectorData(kObjects, kKinds, expected);
    return ConnectorBoard(std::move(parsed.data));
}

// Clicks `first`, Shift-clicks `second`, then kind `kind`.
ConnectorBoard::Made join(ConnectorBoard& b, int first, int second, int kind)
{
    b.objectMouseDown(first, {1, 1}, false);
    b.objectMouseUp();
    b.objectClick(first);
    b.objectMouseDown(second, {1, 1}, true);
    b.objectMouseUp();
    b.objectClick(second);
    return b.kindClick(kind);
}

} // namespace

class TestConnectorBoard : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void expectedConnections_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("kind");
        QTest::newRow("direction 1") << "B;A;serial;1" << 2 << 1 << 2;
        QTest::newRow("direction 2") << "A;B;serial;2" << 2 << 1 << 2;
        QTest::newRow("undirected: lower first") << "C;A;straight;0" << 1 << 3 << 1;
    }
    void expectedConnections()
    {
        QFETCH(QString, item);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, kind);
        const ConnectorParse parsed = parseConnectorData(kObjects, kKinds, "@" + item.toStdString());
        QVERIFY(!parsed.problem);
        QCOMPARE(parsed.data.expected.size(), size_t(1));
        QCOMPARE(parsed.data.expected[0].from, from);
        QCOMPARE(parsed.data.expected[0].to, to);
        QCOMPARE(parsed.data.expected[0].kind, kind);
        QCOMPARE(parsed.answerData,
                 (QStringList{"Answer Data", QStringLiteral("%1:%2:%3").arg(from).arg(to).arg(kind)}));
    }

    void itemsAndLimits()
    {
        // Labels keep their commas; of two objects with one label the last counts.
        const ConnectorParse parsed = parseConnectorData("@1,50,9,59,R,1@20,50,29,59,R,1", kKinds, "@R,1;R,1;serial;1");
        QVERIFY(!parsed.problem);
        QCOMPARE(parsed.data.objects[0].label, std::string("R,1"));
        QCOMPARE(parsed.data.expected[0].from, 2);
        QVERIFY(parsed.data.kinds[1].directed);
        QVERIFY(!parsed.data.kinds[0].directed);

        std::string many;
        for (int k = 0; k < 21; ++k)
            many += "@" + std::to_string(k * 10) + ",50," + std::to_string(k * 10 + 9) + ",59,o" + std::to_string(k);
        const ConnectorParse full = parseConnectorData(many, kKinds, "");
        QVERIFY(!full.problem);
        QVERIFY(full.data.truncated);
        QCOMPARE(int(full.data.objects.size()), kMaxObjects);
    }

    void badData_data()
    {
        QTest::addColumn<QString>("objects");
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("item");
        QTest::newRow("object number") << "@10,60,5x,80,A" << kKinds.c_str() << ""
                                       << "10,60,5x,80,A";
        QTest::newRow("kind without direction flag") << kObjects.c_str() << "@5,5,35,15,straight"
                                                     << ""
                                                     << "5,5,35,15,straight";
        QTest::newRow("unknown label") << kObjects.c_str() << kKinds.c_str() << "@A;D;straight;0"
                                       << "A;D;straight;0";
        QTest::newRow("unknown kind") << kObjects.c_str() << kKinds.c_str() << "@A;B;cross;0"
                                      << "A;B;cross;0";
        QTest::newRow("direction 3") << kObjects.c_str() << kKinds.c_str() << "@A;B;serial;3"
                                     << "A;B;serial;3";
        QTest::newRow("three fields") << kObjects.c_str() << kKinds.c_str() << "@A;B;serial"
                                      << "A;B;serial";
    }
    void badData()
    {
        QFETCH(QString, objects);
        QFETCH(QString, kinds);
        QFETCH(QString, expected);
        QFETCH(QString, item);
        const ConnectorParse parsed =
            parseConnectorData(objects.toStdString(), kinds.toStdString(), expected.toStdString());
        QVERIFY(parsed.problem);
        QCOMPARE(QString::fromStdString(parsed.problem->item), item);
    }

    void directedKeepsTheOrderUndirectedSorts()
    {
        ConnectorBoard b = board();
        QCOMPARE(join(b, 2, 1, 2), ConnectorBoard::Made::Connection);
        // The pair stays selected: a second kind joins the same two.
        QCOMPARE(b.kindClick(1), ConnectorBoard::Made::Connection);
        QCOMPARE(b.connections()[0].from, 2);
        QCOMPARE(b.connections()[0].to, 1);
        QCOMPARE(b.connections()[1].from, 1);
        QCOMPARE(b.connections()[1].to, 2);
    }

    void thirdShiftClickChangesNothingAndBlocksThePalette()
    {
        ConnectorBoard b = board();
        join(b, 1, 2, 1);
        b.selectObject(3, true);
        QVERIFY(!b.object(3).selected);
        QCOMPARE(b.selectedCountAtClick(), 2);
        QCOMPARE(b.kindClick(1), ConnectorBoard::Made::NoPair);
        QCOMPARE(b.connectionCount(), 1);
        // A click without Shift starts a new selection; one object is not a pair.
        b.selectObject(3, false);
        QCOMPARE(b.object(3).selectionOrder, 1);
        QVERIFY(!b.object(1).selected);
        QCOMPARE(b.kindClick(1), ConnectorBoard::Made::NoPair);
    }

    void stackingAndSelectingAndDeleting()
    {
        ConnectorBoard b = board();
        join(b, 1, 2, 1);
        b.kindClick(1);
        // A centre (30,70), B centre (130,70): midpoint (80,70); the older one 14 above.
        auto drawn = b.layoutConnections();
        QCOMPARE(drawn[1].box, (Box{65, 65, 95, 75}));
        QCOMPARE(drawn[0].box, (Box{65, 51, 95, 61}));
        QCOMPARE(drawn[1].first.from, (Point{50, 70}));
        QCOMPARE(drawn[1].first.to, (Point{65, 70}));
        QCOMPARE(drawn[1].second.from, (Point{95, 70}));
        QCOMPARE(drawn[1].second.to, (Point{110, 70}));
        QCOMPARE(b.listing()[0], QStringLiteral("1:2:1 LX:65:LY:51:RX:95:RY:61"));

        // Strictly inside only; where two overlap the later wins.
        b.surfaceMouseDown({65, 70});
        QCOMPARE(b.selectedConnection(), 0);
        b.surfaceMouseDown({80, 56});
        QCOMPARE(b.selectedConnection(), 1);
        QVERIFY(!b.object(1).selected);
        b.surfaceMouseDown({80, 70});
        QCOMPARE(b.selectedConnection(), 2);
        QVERIFY(b.layoutConnections()[1].highlighted);
        QVERIFY(b.deleteSelected());
        QVERIFY(!b.deleteSelected());
        // The older one goes back to the midpoint.
        QCOMPARE(b.layoutConnections()[0].box, (Box{65, 65, 95, 75}));
    }

    void directedDrawingPointsFromSourceToTarget()
    {
        ConnectorBoard b = board();
        // From B to A: the target lies left, so the left arrow picture and the lines reversed.
        join(b, 2, 1, 2);
        const ConnectionDrawing d = b.layoutConnections()[0];
        QVERIFY(d.directed);
        QVERIFY(!d.pointsRight);
        QCOMPARE(d.box, (Box{70, 65, 90, 75}));
        QCOMPARE(d.leftArrow, (Box{52, 65, 70, 75}));
        QCOMPARE(d.rightArrow, (Box{90, 65, 108, 75}));
        QCOMPARE(d.first.from, (Point{50, 70})); // right edge of the target A
        QCOMPARE(d.first.to, (Point{52, 70}));   // up to the left arrow
        QCOMPARE(d.second.from, (Point{108, 70}));
        QCOMPARE(d.second.to, (Point{110, 70})); // left edge of the source B
    }

    void draggingMovesTheConnection()
    {
        ConnectorBoard b = board();
        join(b, 1, 2, 1);
        b.objectMouseDown(2, {5, 5}, false);
        b.dragTo({115, 165});
        b.objectMouseUp();
        QCOMPARE(b.object(2).position, (Point{110, 160}));
        // B centre now (130,170): midpoint (80,120).
        QCOMPARE(b.layoutConnections()[0].box, (Box{65, 115, 95, 125}));
        b.moveObject(2, -10, 1);
        QCOMPARE(b.object(2).position, (Point{100, 161}));
    }

    void judging_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("made"); // "first second kind" triples
        QTest::addColumn<bool>("passed");
        QTest::newRow("nothing expected, nothing made") << ""
                                                        << "" << true;
        QTest::newRow("undirected either way round") << "@A;B;straight;0"
                                                     << "2 1 1" << true;
        QTest::newRow("directed the wrong way") << "@A;B;serial;1"
                                                << "2 1 2" << false;
        QTest::newRow("one too many") << "@A;B;straight;0"
                                      << "1 2 1,1 3 1" << false;
        QTest::newRow("duplicate with another missing") << "@A;B;straight;0@A;C;straight;0"
                                                        << "1 2 1,2 1 1" << false;
        QTest::newRow("both, other order") << "@A;B;straight;0@C;A;serial;1"
                                           << "3 1 2,1 2 1" << true;
    }
    void judging()
    {
        QFETCH(QString, expected);
        QFETCH(QString, made);
        QFETCH(bool, passed);
        ConnectorBoard b = board(expected.toStdString());
        for (const QString& triple : made.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList n = triple.split(QLatin1Char(' '));
            QCOMPARE(join(b, n[0].toInt(), n[1].toInt(), n[2].toInt()), ConnectorBoard::Made::Connection);
        }
        const ConnectorBoard::Verdict verdict = b.judge();
        QCOMPARE(verdict.passed, passed);
        QCOMPARE(verdict.result.first(), QStringLiteral("Check Result"));
        QCOMPARE(verdict.result.size(), passed ? 1 : 2);
    }

    void fiftyFirstConnectionIsRefused()
    {
        ConnectorBoard b = board();
        join(b, 1, 2, 1);
        for (int k = 2; k <= kMaxConnections; ++k)
            QCOMPARE(b.kindClick(1 + k % 2), ConnectorBoard::Made::Connection);
        QCOMPARE(b.kindClick(1), ConnectorBoard::Made::Full);
        QCOMPARE(b.connectionCount(), kMaxConnections);
    }
};

QUARVEL_TEST_MAIN(TestConnectorBoard)
#include "TestConnectorBoard.moc"

#include "styles/GraphicStyle.h"
#include "support/TestSupport.h"

using namespace graphicstyle;
using AreaTexts = std::array<std::string, kMaxAreas>;

Q_DECLARE_METATYPE(AreaTexts)

class TestGraphicStyle : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void areasAndTheirCount_data()
    {
        QTest::addColumn<AreaTexts>("texts");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("broken");
        QTest::newRow("two") << AreaTexts{"10,10,50,50", "60,10,90,40"} << 2 << QList<int>{};
        QTest::newRow("blank entry not counted") << AreaTexts{"1,1,9,9", " \t", "", "", ""} << 1 << QList<int>{};
        QTest::newRow("blanks around") << AreaTexts{" 1,2,3,4 "} << 1 << QList<int>{};
        // "a@" and "c@" without "b@": N = 2 reads entries 1 and 2, and entry 2 is empty.
        QTest::newRow("gap") << AreaTexts{"1,1,9,9", "", "20,20,30,30"} << 2 << QList<int>{2};
        QTest::newRow("three numbers") << AreaTexts{"1,2,3"} << 1 << QList<int>{1};
        QTest::newRow("five numbers") << AreaTexts{"1,2,3,4,5"} << 1 << QList<int>{1};
        QTest::newRow("not decimal") << AreaTexts{"1,2,x,4", "0x1,2,3,4"} << 2 << QList<int>{1, 2};
    }
    void areasAndTheirCount()
    {
        QFETCH(AreaTexts, texts);
        QFETCH(int, count);
        QFETCH(QList<int>, broken);
        GraphicAnswer answer;
        answer.reset(texts);
        QCOMPARE(answer.count(), count);
        QCOMPARE(int(answer.markers().size()), count);
        const std::vector<int> found = answer.brokenAreas();
        QCOMPARE(QList<int>(found.begin(), found.end()), broken);
        if (!broken.isEmpty()) {
            // A broken area can never be hit: the answer is wrong however the markers lie.
            for (int i = 0; i < count; ++i)
                answer.place({5 + i, 5});
            QVERIFY(!answer.judge());
        }
    }

    void theBorderDoesNotHit_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("hit");
        QTest::newRow("inside") << QPoint(11, 11) << true;
        QTest::newRow("left border") << QPoint(10, 20) << false;
        QTest::newRow("top border") << QPoint(20, 10) << false;
        QTest::newRow("right border") << QPoint(50, 20) << false;
        QTest::newRow("bottom border") << QPoint(20, 40) << false;
        QTest::newRow("last pixel inside") << QPoint(49, 39) << true;
    }
    void theBorderDoesNotHit()
    {
        QFETCH(QPoint, point);
        QFETCH(bool, hit);
        QCOMPARE(hits(Area{10, 10, 50, 40}, point), hit);
        GraphicAnswer answer;
        answer.reset({"10,10,50,40"});
        answer.place(point);
        QCOMPARE(answer.judge(), hit);
    }

    void threeAreasOneMarkerOutside()
    {
        GraphicAnswer answer;
        answer.reset({"0,0,100,100", "200,0,300,100", "400,0,500,100"});
        answer.place({50, 50});
        answer.place({250, 50});
        answer.place({350, 50});           // between the second and third area
        QVERIFY(!answer.place({450, 50})); // all three placed: the click does nothing
        QVERIFY(!answer.judge());
        // Moving the third: remove it, then click again.
        answer.remove(2);
        QCOMPARE(answer.place({450, 50}), std::optional<int>(2));
        QVERIFY(answer.judge());
    }

    void markersAreNotTiedToAreas()
    {
        GraphicAnswer answer;
        answer.reset({"0,0,100,100", "50,50,150,150"});
        answer.place({75, 75}); // inside both
        QVERIFY(answer.judge());
        // A free marker is nowhere, even where an area reaches over the corner of the picture.
        answer.reset({"-10,-10,10,10", "50,50,150,150"});
        answer.place({75, 75});
        QVERIFY(!answer.judge());
    }

    void aMarkerOnAMarkerPlacesAnother()
    {
        GraphicAnswer answer;
        answer.reset({"0,0,100,100", "0,0,100,100", "200,200,300,300"});
        answer.place({40, 40});
        // A left click at (16, 16) within the first symbol is a click on the picture at its centre.
        const QPoint onPicture = QPoint(16, 16) + markerRect({40, 40}).topLeft();
        QCOMPARE(onPicture, QPoint(40, 40));
        QCOMPARE(answer.place(onPicture), std::optional<int>(1));
        QCOMPARE(answer.markers()[1].x, 40);
        QVERIFY(answer.markers()[0].placed);
        QCOMPARE(answer.markerAt({40, 40}), std::optional<int>(1)); // the latest lies on top
    }

    void keyboardRemoval()
    {
        GraphicAnswer answer;
        answer.reset({"0,0,10,10", "0,0,10,10", "0,0,10,10"});
        answer.place({100, 100});
        answer.place({200, 200});
        answer.place({300, 300});
        // Under the crosshair (within 16 pixels of the point) ...
        QCOMPARE(answer.removeAtOrLatest({110, 90}), std::optional<int>(0));
        // ... else the latest placed.
        QCOMPARE(answer.removeAtOrLatest({0, 0}), std::optional<int>(2));
        QCOMPARE(answer.removeAtOrLatest({0, 0}), std::optional<int>(1));
        QCOMPARE(answer.removeAtOrLatest({0, 0}), std::nullopt);
        // A freed marker is the first to be placed again.
        answer.place({5, 5});
        QCOMPARE(answer.latest(), std::optional<int>(0));
    }

    void geometry()
    {
        QCOMPARE(markerRect({100, 50}), QRect(84, 34, 32, 32));
        // The view's frame: from (1, 0) to the area's far corner on the guide's own canvas.
        QCOMPARE(guideFrame(Area{10, 20, 60, 40}), QRect(QPoint(11, 20), QPoint(59, 39)));
        const QSize picture(200, 100);
        QCOMPARE(moveCrosshair({5, 5}, -10, 0, picture), QPoint(0, 5));
        QCOMPARE(moveCrosshair({195, 95}, 10, 10, picture), QPoint(199, 99));
        QCOMPARE(moveCrosshair({50, 50}, 1, -10, picture), QPoint(51, 40));
    }

    void theMessageNamesTheQuestion()
    {
        const QString text = brokenAreasMessage(12, {2, 3});
        QVERIFY(text.contains(QStringLiteral("問題 12")));
        QVERIFY(text.contains(QStringLiteral("2、3")));
    }
};

QUARVEL_TEST_MAIN(TestGraphicStyle)
#include "TestGraphicStyle.moc"

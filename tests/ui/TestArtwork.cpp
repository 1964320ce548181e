#include "support/TestSupport.h"
#include "ui/Artwork.h"
#include "ui/PictureButton.h"

#include <QImage>
#include <QPainter>

using namespace ui::artwork;

namespace
{
// Average colour of a rectangle: enough to tell two themes or two looks apart.
QColor meanColour(const QImage& image, const QRect& area)
{
    qint64 r = 0, g = 0, b = 0, n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            r += c.red();
            g += c.green();
            b += c.blue();
            ++n;
        }
    return n ? QColor(int(r / n), int(g / n), int(b / n)) : QColor();
}

int distance(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// Saves the picture when QUARVEL_SCREENSHOTS names a directory, for looking at the artwork.
void keep(const QPixmap& picture, const QString& name)
{
    const QString dir = qEnvironmentVariable("QUARVEL_SCREENSHOTS");
    if (!dir.isEmpty())
        picture.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}
} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void sourcesHaveTheDocumentedSizes_data()
    {
        QTest::addColumn<QPixmap>("picture");
        QTest::addColumn<QSize>("size");
        QTest::newRow("tab strip") << tabStrip() << QSize(539, 36);
        QTest::newRow("top bar") << topBar(760) << QSize(760, 133);
        QTest::newRow("left bar") << leftBar(24, 500) << QSize(168, 500);
        QTest::newRow("info button") << infoButton(120, 30) << QSize(120, 210);
        QTest::newRow("badge") << badgeIcon(3, false) << QSize(18, 18);
        QTest::newRow("big badge source") << bigBadgeSource() << QSize(516, 294);
        QTest::newRow("big badge") << bigBadge(2, 5) << QSize(129, 42);
        QTest::newRow("clock faces") << clockFaces() << QSize(118, 840);
        QTest::newRow("title") << titlePicture() << QSize(400, 300);
        QTest::newRow("button") << button(QStringLiteral("開始"), 100, 32) << QSize(100, 32);
        QTest::newRow("degenerate button") << button(QString(), 0, 0) << QSize(1, 1);
    }
    void sourcesHaveTheDocumentedSizes()
    {
        QFETCH(QPixmap, picture);
        QFETCH(QSize, size);
        QCOMPARE(picture.size(), size);
    }

    // The title the program ships is the title the code draws (with the fonts of the build).
    void shippedTitleIsTheDrawnOne()
    {
        const QImage shipped = shippedTitlePicture().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shipped.size(), QSize(400, 300));
        QCOMPARE(shipped, titlePicture().toImage().convertToFormat(QImage::Format_RGB32));
    }

    // A screen cuts band (picture - 1); each band must carry its own theme's colour.
    void bandsFollowThemeOrder()
    {
        const QImage bars = topBar(300).toImage();
        const QImage tabs = tabStrip().toImage();
        const QImage left = leftBar(20, 200).toImage();
        for (int t = 1; t <= kThemes; ++t) {
            const QColor theme = ui::fromBgr(themeColour1(t));
            for (int other = 1; other <= kThemes; ++other) {
                if (other == t)
                    continue;
                const QRect bar(0, (t - 1) * 19 + 2, 40, 8);
                QVERIFY2(distance(meanColour(bars, bar), theme) <
                             distance(meanColour(bars, bar), ui::fromBgr(themeColour1(other))),
                         qPrintable(QStringLiteral("top bar band %1").arg(t)));
            }
            // The selected tab is brighter than the normal one of the same theme.
            const QColor normal = meanColour(tabs, QRect((t - 1) * 77 + 4, 3, 6, 12));
            const QColor selected = meanColour(tabs, QRect((t - 1) * 77 + 4, 18 + 3, 6, 12));
            QVERIFY(selected.lightness() > normal.lightness());
            QCOMPARE(left.copy((t - 1) * 20, 0, 20, 200), leftBarBand(20, 200, t).toImage());
        }
    }

    void badgesAreAllDistinct()
    {
        QList<QImage> seen;
        for (bool selected : {false, true})
            for (int badge = 0; badge <= 5; ++badge) {
                const QImage icon = badgeIcon(badge, selected).toImage();
                for (const QImage& earlier : seen)
                    QVERIFY2(icon != earlier, qPrintable(QStringLiteral("badge %1 %2").arg(badge).arg(selected)));
                seen.append(icon);
            }
    }

    void bigBadgeIsTheCutOfItsSource()
    {
        const QImage source = bigBadgeSource().toImage();
        for (int t : {1, 4, 7})
            for (int level = 1; level <= 4; ++level)
                QCOMPARE(bigBadge(level, t).toImage(), source.copy((level - 1) * 129, (t - 1) * 42, 129, 42));
        // Level 0 is a plain plate, unlike every medal plate.
        const QImage plain = bigBadge(0, 1).toImage();
        for (int level = 1; level <= 4; ++level)
            QVERIFY(plain != bigBadge(level, 1).toImage());
        QCOMPARE(bigBadge(9, 1).toImage(), plain);
    }

    // The exam screen draws a black hand from (59, 53): the dial under it must be light.
    void clockDialIsLightWhereTheHandTurns()
    {
        const QImage faces = clockFaces().toImage();
        for (int t = 1; t <= kThemes; ++t) {
            const QImage frame = faces.copy(0, (t - 1) * 120, 118, 120);
            QCOMPARE(frame, clockFace(t).toImage());
            QVERIFY(meanColour(frame, QRect(59 + 18, 53 - 4, 6, 6)).lightness() > 180);
        }
    }

    void greyedButtonIsDullerThanTheThemedOne()
    {
        const QImage live = button(QStringLiteral("次へ"), 100, 32, 0xE68900).toImage();
        const QImage greyed = button(QStringLiteral("次へ"), 100, 32, 0xE68900, true).toImage();
        QVERIFY(meanColour(live, QRect(4, 4, 20, 20)).saturation() >
                meanColour(greyed, QRect(4, 4, 20, 20)).saturation());
    }

    // Picture buttons sit on light and dark screens alike: outside their rounded shape the
    // screen's face shows, never a black corner.
    void buttonCornersShowTheFace_data()
    {
        QTest::addColumn<QPixmap>("picture");
        QTest::newRow("button") << button(QStringLiteral("採点"), 94, 28);
        QTest::newRow("greyed button") << button(QStringLiteral("関連学習1"), 80, 22, 0x656699, true);
        QTest::newRow("information button") << infoButton(116, 30).copy(0, 30, 116, 30);
    }
    void buttonCornersShowTheFace()
    {
        QFETCH(QPixmap, picture);
        QWidget face;
        face.setAutoFillBackground(true);
        face.setPalette(QPalette(QColor(0xF0, 0xF0, 0xF0)));
        face.resize(picture.size() + QSize(20, 20));
        ui::PictureButton shown(&face);
        shown.setPicture(picture);
        shown.move(10, 10);
        const QImage seen = face.grab().toImage();
        const QSize size = picture.size();
        for (const QPoint corner : {QPoint(0, 0), QPoint(size.width() - 1, 0), QPoint(0, size.height() - 1),
                                    QPoint(size.width() - 1, size.height() - 1)})
            QCOMPARE(seen.pixelColor(corner + QPoint(10, 10)), QColor(0xF0, 0xF0, 0xF0));
        QCOMPARE(picture.toImage().pixelColor(size.width() / 2, 2).alpha(), 255); // the face of the button itself
    }

    void outOfRangeThemeIsThemeOne()
    {
        QCOMPARE(themeColour1(0), themeColour1(1));
        QCOMPARE(themeColour1(8), themeColour1(1));
        QCOMPARE(themeColour2(7), std::uint32_t(0));
        QCOMPARE(leftBarBand(10, 10, -3).toImage(), leftBarBand(10, 10, 1).toImage());
    }

    void savesPicturesWhenAsked()
    {
        keep(tabStrip(), QStringLiteral("tabstrip"));
        keep(topBar(760), QStringLiteral("topbar"));
        keep(leftBar(24, 300), QStringLiteral("leftbar"));
        keep(infoButton(120, 30), QStringLiteral("infobutton"));
        keep(bigBadgeSource(), QStringLiteral("bigbadges"));
        keep(clockFaces(), QStringLiteral("clocks"));
        keep(titlePicture(), QStringLiteral("title"));
        QPixmap badges(18 * 6, 36);
        badges.fill(Qt::black);
        {
            QPainter p(&badges);
            for (int b = 0; b <= 5; ++b) {
                p.drawPixmap(b * 18, 0, badgeIcon(b, false));
                p.drawPixmap(b * 18, 18, badgeIcon(b, true));
            }
        }
        keep(badges, QStringLiteral("badges"));
        keep(button(QStringLiteral("テスト開始"), 110, 34, 0x838227), QStringLiteral("button"));
        keep(button(QStringLiteral("テスト開始"), 110, 34, 0x84CEF3), QStringLiteral("button-light"));
        keep(button(QStringLiteral("テスト開始"), 110, 34, 0x838227, true), QStringLiteral("button-greyed"));
    }
};

QUARVEL_TEST_MAIN(TestArtwork)
#include "TestArtwork.moc"

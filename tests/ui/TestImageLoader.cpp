#include "support/TestSupport.h"
#include "ui/ImageLoader.h"

#include <QBuffer>

namespace
{

QByteArray encoded(const char* format, QSize size = QSize(64, 48))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(30, 120, 200));
    for (int x = 0; x < size.width(); ++x)
        image.setPixel(x, x % size.height(), qRgb(255, 255, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        qFatal("cannot write %s", format);
    return bytes;
}

} // namespace

class TestImageLoader : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void picturesThatLoad_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("jpeg") << encoded("JPG");
        QTest::newRow("bitmap") << encoded("BMP");
        QTest::newRow("png") << encoded("PNG");
    }
    void picturesThatLoad()
    {
        QFETCH(QByteArray, bytes);
        testsupport::TempInstall install;
        // Names are matched without regard to case, as on the original platform.
        install.writeFile(QStringLiteral("img/Pic.DAT"), bytes);
        QString error;
        const QImage image = ui::loadImage(install.root() + QStringLiteral("img/pic.dat"), &error);
        QVERIFY2(!image.isNull(), qPrintable(error));
        QCOMPARE(image.size(), QSize(64, 48));
        // JPEG is lossy: the colour is close, not equal.
        const QColor centre = image.pixelColor(40, 20);
        QVERIFY(qAbs(centre.blue() - 200) < 16 && qAbs(centre.red() - 30) < 16);
    }

    void brokenPicturesGiveNothing_data()
    {
        const QByteArray jpeg = encoded("JPG", QSize(320, 240));
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("truncated jpeg") << jpeg.left(jpeg.size() / 2);
        QTest::newRow("jpeg header only") << jpeg.left(20);
        QTest::newRow("jpeg marker only") << QByteArray("\xFF\xD8\xFF\xE0", 4);
        // A frame header claiming 65000 x 65000 pixels.
        QByteArray huge = jpeg;
        const qsizetype sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
        QVERIFY(sof > 0);
        huge[sof + 5] = char(0xFD);
        huge[sof + 6] = char(0xE8);
        huge[sof + 7] = char(0xFD);
        huge[sof + 8] = char(0xE8);
        QTest::newRow("absurd size") << huge;
        QTest::newRow("text") << QByteArray("this is not a picture\r\n");
        QTest::newRow("empty") << QByteArray();
    }
    void brokenPicturesGiveNothing()
    {
        QFETCH(QByteArray, bytes);
        testsupport::TempInstall install;
        const QString path = install.writeFile(QStringLiteral("img/broken.jpg"), bytes);
        QString error;
        QVERIFY(ui::loadImage(path, &error).isNull());
        QVERIFY(!error.isEmpty());
        QVERIFY(ui::loadPicture(path).isNull());
    }

    void missingFile()
    {
        QString error;
        QVERIFY(ui::loadImage(QStringLiteral("/nonexistent/img/none.bmp"), &error).isNull());
        QVERIFY(error.contains(QStringLiteral("none.bmp")));
        QVERIFY(ui::pictureProblemText(QStringLiteral("/q/img/none.bmp")).contains(QStringLiteral("none.bmp")));
    }
};

QUARVEL_TEST_MAIN(TestImageLoader)
#include "TestImageLoader.moc"

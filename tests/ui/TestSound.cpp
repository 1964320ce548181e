#include "support/TestSupport.h"
#include "ui/Sound.h"
#include "ui/SoundModule.h"

#include <QFile>
#include <QTemporaryDir>

namespace
{

QStringList g_warnings;

void keepWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg)
        g_warnings.append(message);
}

// A short, valid wave file: 8 kHz mono 8-bit, 80 samples of silence.
QString writeWave(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    const QByteArray samples(80, '\x80');
    QByteArray data("RIFF");
    auto le32 = [&data](quint32 v) {
        for (int i = 0; i < 4; ++i)
            data.append(char(v >> (8 * i)));
    };
    auto le16 = [&data](quint16 v) { data.append(char(v)).append(char(v >> 8)); };
    le32(36 + samples.size());
    data.append("WAVEfmt ");
    le32(16); // format block: PCM, one channel, 8000 Hz, 8000 bytes/s, 1 byte per frame, 8 bits
    le16(1);
    le16(1);
    le32(8000);
    le32(8000);
    le16(1);
    le16(8);
    data.append("data");
    le32(samples.size());
    data.append(samples);
    file.write(data);
    return path;
}

} // namespace

namespace
{
bool samplesSettled()
{
    const QList<QObject*> all = QCoreApplication::instance()->findChildren<QObject*>();
    for (const QObject* object : all) {
        const int status = object->inherits("QSoundEffect") ? object->property("status").toInt() : 2;
        if (status != 2 && status != 3) // QSoundEffect::Ready, QSoundEffect::Error
            return false;
    }
    return true;
}
} // namespace

class TestSound : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void unusableModuleIsReported_data()
    {
        QTest::addColumn<QString>("fileName"); // written into a temporary directory when not empty
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("candidate");
        QTest::newRow("missing") << QString() << QByteArray() << QStringLiteral("absent/quarvel_sound");
        QTest::newRow("not a library") << QStringLiteral("libquarvel_sound.so") << QByteArray("not ELF\n")
                                       << QStringLiteral("quarvel_sound");
        QTest::newRow("truncated library") << QStringLiteral("libquarvel_sound.so")
                                           << QByteArray("\x7f"
                                                         "ELF\x02\x01\x01",
                                                         7)
                                           << QStringLiteral("quarvel_sound");
        QTest::newRow("library without the entry point") << QString() << QByteArray() << QStringLiteral("Qt6Core");
    }
    void unusableModuleIsReported()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, contents);
        QFETCH(QString, candidate);
        QTemporaryDir dir;
        if (!fileName.isEmpty()) {
            QFile file(dir.filePath(fileName));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
            candidate = dir.filePath(candidate);
        }
        QString why;
        QVERIFY(!ui::soundmodule::load({candidate}, &why));
        QVERIFY(!why.isEmpty());
    }

    // The first candidate that loads wins; the built module plays and stops without a device.
    void builtModuleLoadsAfterMissingOnes()
    {
        const QString built = QStringLiteral(QUARVEL_SOUND_MODULE_DIR "/quarvel_sound");
        QString why;
        const auto play = ui::soundmodule::load({QStringLiteral("absent/quarvel_sound"), built}, &why);
        QVERIFY2(play, qPrintable(why));
        QTemporaryDir dir;
        const QString wave = writeWave(dir.filePath(QStringLiteral("beep.wav")));
        QVERIFY(!wave.isEmpty());
        play(reinterpret_cast<const char16_t*>(wave.utf16()), wave.size());
        // The sample is read on a loader thread of QtMultimedia's; a test that ends while it still
        // works races with the exit inside QtMultimedia. The effect says when it is done
        // (status Ready or Error), seen without linking QtMultimedia here.
        QTRY_VERIFY_WITH_TIMEOUT(samplesSettled(), 20000);
        play(u"", 0);
        QCoreApplication::processEvents();
    }

    // No module beside the test program: sound goes off with one warning, requests are still logged
    // and stopping never loads anything.
    void missingModuleWarnsOnce()
    {
        qputenv("QUARVEL_SILENT", "0");
        QTemporaryDir dir;
        const QString wave = writeWave(dir.filePath(QStringLiteral("beep.wav")));
        ui::testing::clearPlayedSounds();
        g_warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keepWarnings);
        ui::playSound(QString());
        const qsizetype afterStop = g_warnings.size();
        ui::playSound(wave);
        ui::playSound(dir.filePath(QStringLiteral("missing.wav")));
        ui::playSound(wave);
        qInstallMessageHandler(previous);
        qputenv("QUARVEL_SILENT", "1");
        QCOMPARE(afterStop, 0);
        QCOMPARE(g_warnings.size(), 1);
        QVERIFY2(g_warnings.first().contains(QStringLiteral("sound module")), qPrintable(g_warnings.first()));
        QCOMPARE(ui::testing::playedSounds(),
                 (QStringList{QString(), wave, dir.filePath(QStringLiteral("missing.wav")), wave}));
    }
};

QUARVEL_TEST_MAIN(TestSound)
#include "TestSound.moc"

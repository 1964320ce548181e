#include "ui/Sound.h"

#include "bank/FileLookup.h"

#include <QFileInfo>
#include <QCoreApplication>
#include <QSoundEffect>
#include <QUrl>

namespace ui {
namespace {
QStringList& log()
{
    static QStringList played;
    return played;
}
} // namespace

void playSound(const QString& relativePath)
{
    log().append(relativePath);
    if (qEnvironmentVariableIntValue("QUARVEL_SILENT") == 1)
        return;
    const QString path = filelookup::resolve(relativePath);
    if (!QFileInfo(path).isFile())
        return;
    // One effect per request, deleted when the program ends: sounds are short and rare, and a
    // shared effect would cut off the previous sound. isPlaying() is unreliable without a device.
    auto* effect = new QSoundEffect(QCoreApplication::instance());
    effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying())
            effect->deleteLater();
    });
    effect->play();
}

namespace testing {
QStringList playedSounds()
{
    return log();
}
void clearPlayedSounds()
{
    log().clear();
}
} // namespace testing

} // namespace ui

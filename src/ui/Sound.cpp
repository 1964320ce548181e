#include "ui/Sound.h"

#include "bank/FileLookup.h"
#include "ui/SoundModule.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QtDebug>

namespace ui
{

namespace soundmodule
{

QStringList candidates()
{
    // QLibrary adds the platform's prefix and suffix ("libquarvel_sound.so"). A staged tree has the
    // module beside the program; an installed copy in its private library directory, found
    // relative to the program so that an unpacked package works wherever it lies.
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir + QStringLiteral("/quarvel_sound"),
            programDir + QStringLiteral("/" QUARVEL_SOUND_MODULE_FROM_PROGRAM "/quarvel_sound"),
            QStringLiteral("quarvel_sound")};
}

PlayFunction load(const QStringList& candidates, QString* why)
{
    QStringList errors;
    for (const QString& name : candidates) {
        // Never unloaded: effects the module made may still be playing when the caller forgets it.
        QLibrary library(name);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        if (auto play = reinterpret_cast<PlayFunction>(library.resolve(kEntryPoint)))
            return play;
        errors.append(library.errorString());
    }
    if (why)
        *why = errors.join(QStringLiteral("; "));
    return nullptr;
}

} // namespace soundmodule

namespace
{

QStringList& log()
{
    static QStringList played;
    return played;
}

struct Player {
    bool tried = false;
    soundmodule::PlayFunction play = nullptr;
};

// The module's player, loaded by the first call with `loadNow`; nullptr while not loaded or when
// it cannot be, which is said once: sound is then off for the rest of the run.
soundmodule::PlayFunction player(bool loadNow)
{
    static Player player;
    if (!player.tried && loadNow) {
        player.tried = true;
        QString why;
        player.play = soundmodule::load(soundmodule::candidates(), &why);
        if (!player.play)
            qWarning().noquote() << "Sound is off: the sound module could not be loaded:" << why;
    }
    return player.play;
}

} // namespace

void playSound(const QString& relativePath)
{
    log().append(relativePath);
    if (qEnvironmentVariableIntValue("QUARVEL_SILENT") == 1)
        return;
    if (relativePath.isEmpty()) {
        // Stops what is playing; nothing can be while the module is not loaded.
        if (const auto play = player(false))
            play(u"", 0);
        return;
    }
    const QString path = filelookup::resolve(relativePath);
    if (!QFileInfo(path).isFile())
        return;
    if (const auto play = player(true)) {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        play(reinterpret_cast<const char16_t*>(absolute.utf16()), absolute.size());
    }
}

namespace testing
{
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

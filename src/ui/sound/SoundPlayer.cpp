// The body of the quarvel_sound module (ui/SoundModule.h): the only code that links QtMultimedia.
#include "ui/SoundModule.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

#include <type_traits>

namespace
{

// Parent of the effects still playing, so that an empty request can find and stop them.
QObject* holder()
{
    static QPointer<QObject> object;
    if (!object)
        object = new QObject(QCoreApplication::instance());
    return object;
}

} // namespace

extern "C" Q_DECL_EXPORT void quarvel_sound_play(const char16_t* path, qsizetype length)
{
    static_assert(std::is_same_v<decltype(&quarvel_sound_play), ui::soundmodule::PlayFunction>);
    if (!QCoreApplication::instance())
        return;
    if (!path || length <= 0) {
        const auto effects = holder()->findChildren<QSoundEffect*>(QString(), Qt::FindDirectChildrenOnly);
        for (QSoundEffect* effect : effects) {
            effect->stop();
            effect->deleteLater();
        }
        return;
    }
    // One effect per request, deleted when it ends: sounds are short and rare, and a shared
    // effect would cut off the previous sound. isPlaying() is unreliable without a device, so an
    // effect that never plays lives until the program ends.
    auto* effect = new QSoundEffect(holder());
    effect->setSource(QUrl::fromLocalFile(QString::fromUtf16(path, length)));
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying())
            effect->deleteLater();
    });
    effect->play();
}

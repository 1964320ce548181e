#pragma once
// Asynchronous playback of the program's wave files ("wav/test.wav", ...), relative to the
// working directory (the program directory); an empty path stops what is playing. A missing file,
// audio device or sound module (SoundModule.h) is silent. QUARVEL_SILENT=1 turns playback off;
// every request is still logged for tests.
#include <QString>
#include <QStringList>

namespace ui
{

void playSound(const QString& relativePath);

namespace testing
{
QStringList playedSounds();
void clearPlayedSounds();
} // namespace testing

} // namespace ui

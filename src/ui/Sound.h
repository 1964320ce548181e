#pragma once
// Asynchronous playback of the program's wave files ("wav/test.wav", ...), relative to the
// working directory (the program directory). A missing file or audio device is silent.
// QUARVEL_SILENT=1 turns playback off; every request is still logged for tests.
#include <QString>
#include <QStringList>

namespace ui {

void playSound(const QString& relativePath);

namespace testing {
QStringList playedSounds();
void clearPlayedSounds();
} // namespace testing

} // namespace ui

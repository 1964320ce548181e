#pragma once
// The sound player is a module of its own (quarvel_sound), loaded at the first sound rather than
// with the program: QtMultimedia and the audio libraries under it cost every start time and
// memory, and many runs play nothing.
#include <QString>
#include <QStringList>

namespace ui::soundmodule
{

// The module's one entry point: plays the wave file at an absolute path, asynchronously; an empty
// path stops every sound still playing.
using PlayFunction = void (*)(const char16_t* path, qsizetype length);
inline constexpr char kEntryPoint[] = "quarvel_sound_play";

// Where the module is looked for, in order: beside the program, in the installed copy's private
// library directory, then the system's library path.
QStringList candidates();

// The entry point of the first candidate that loads and has it; nullptr when none does (`why`
// then says why). A loaded module stays loaded for the rest of the run.
PlayFunction load(const QStringList& candidates, QString* why = nullptr);

} // namespace ui::soundmodule

#pragma once
// The heaviest realistic installation, written to disk for the screen and start-up benchmarks: one
// vendor ("oracle") with 30 tests, the first of them 500 questions in 50 categories of 20
// sub-categories, every question with ten three-line choices; every test with a full history.
#include <QString>
#include <QStringList>

namespace bench
{

inline constexpr int kHeavyTests = 30;
inline constexpr int kHeavyQuestions = 500;

struct HeavyInstall {
    QString root;       // with a trailing separator; BIN/ is the program directory
    QString programDir; // root + "BIN/"
    QString bigTest;    // the 500-question file (the first row of the course menu)
    QStringList historyFiles;
};

// Writes the installation under `root` (created when missing).
HeavyInstall writeHeavyInstall(const QString& root);

// Deletes every history file, as after a fresh installation.
void removeHistories(const HeavyInstall& install);

} // namespace bench

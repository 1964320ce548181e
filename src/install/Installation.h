#pragma once
// Where the program reads its installation from and writes what it writes, in both layouts.
//
// Staged (portable): the program's directory BIN/ lies beside QDAT/ (or holds it) and can be
// written to. Everything is read and written there, as it always was.
//
// Installed: anything else, typically /usr/bin/quarvel with its data in /usr/share/quarvel/
// (found as ../share/quarvel/ from the program, so an unpacked package works where it lies), or a
// staged tree that cannot be written to. The program then works in a tree of the user's own,
// <XDG data home>/quarvel/ with BIN/, QDAT/ and HIST/, laid out as a staged tree. Its BIN/ and
// QDAT/ hold links to the shared files, refreshed at every start; whatever the program writes
// (histories, Print/, pages, work files, an updated question file) replaces or sits beside those
// links, so a user's copy shadows the shared one, and deleting it brings the shared one back.
#include <QString>

#include <optional>

namespace layout
{

struct Installation {
    bool staged = true;
    // Where the program works and writes, with a trailing separator: the staged BIN/, or the
    // user's <data home>/quarvel/BIN/.
    QString programDir;
    // The read-only files of the program directory and the question data, with trailing
    // separators (installed only; the staged tree is its own).
    QString sharedProgramDir;
    QString sharedQuestionDir;
};

// Decides the layout of a program in `executableDir`. `userDataHome` is the XDG data home
// (~/.local/share); `executableDirWritable` says whether the program's directory can be written.
Installation chooseInstallation(const QString& executableDir, const QString& userDataHome, bool executableDirWritable);

// Makes the user's tree of an installed copy: creates BIN/, QDAT/ and HIST/, links every shared
// file the user has no file of the same name for, and removes links whose shared file is gone.
// Nothing is done for a staged tree. The error, if any, names the directory that cannot be
// written.
std::optional<QString> prepareUserTree(const Installation& installation);

// Chooses the layout of the running program, prepares it and makes its program directory the
// program directory and the working directory. The error names the directory at fault.
std::optional<QString> enterInstallation();

} // namespace layout

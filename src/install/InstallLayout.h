#pragma once
// Where the installation keeps its files. The program lives in a directory with a three-letter
// name (BIN/) beside QDAT/ (question data) and HIST/ (history); text files, templates, Print/ and
// wav/ lie in the program directory, which is also the working directory. An installed copy works
// in a tree of the same shape in the user's data directory (Installation.h).
#include <QString>

namespace layout
{

// The program's directory with a trailing separator. Tests may set it.
QString programDir();
void setProgramDir(const QString& directory);

// Makes the program directory the working directory (done once at start-up).
void enterProgramDir();

// The read-only files of the program directory: the program directory itself, except in an
// installed copy (Installation.h), where they lie in the shared data directory. Reference
// documents are opened from here.
QString sharedProgramDir();
void setSharedProgramDir(const QString& directory);

// The program directory with its last four characters removed: "/opt/q/BIN/" -> "/opt/q/".
QString DataRoot();

// Data root + "QDAT/" when that directory exists, else program directory + "QDAT/".
QString questionRoot();

// The question data directory of a vendor, with the program-directory fallback.
QString QuestionDir(const QString& vendor);

// HIST/<vendor>/ beside the QDAT directory that holds `questionFile`.
QString HistoryDir(const QString& questionFile, const QString& vendor);

// HIST/<vendor>/<base>.HIS and .ADP for a question data file.
QString historyPath(const QString& questionFile, const QString& vendor);
QString adaptivePath(const QString& questionFile, const QString& vendor);

} // namespace layout

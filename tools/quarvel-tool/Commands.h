#pragma once
// Subcommands of quarvel-tool. Each returns the exit status: 0 success, 1 bad input
// ("FILE:LINE: what" on stderr), 2 wrong usage.
#include <QStringList>

int runScramble();
int runQdf(const QStringList& args); // args after "qdf"
int runHis(const QStringList& args); // args after "his"
int runImport(const QStringList& args); // args after "import"
int runExport(const QStringList& args); // args after "export"

int usage();

#pragma once
// Subcommands of quarvel-tool. Each returns the exit status: 0 success, 1 bad input
// ("FILE:LINE: what" on stderr), 2 wrong usage.
#include <QStringList>

int runScramble();
int runQdf(const QStringList& args);    // args after "qdf"
int runHis(const QStringList& args);    // args after "his"
int runAdp(const QStringList& args);    // args after "adp"
int runUpdate(const QStringList& args); // args after "update"
int runSync(const QStringList& args);   // args after "sync"
int runImport(const QStringList& args); // args after "import"
int runExport(const QStringList& args); // args after "export"
int runDrill(const QStringList& args);  // args after "drill"

int runForecast(const QStringList& args); // args after "forecast"

int usage();

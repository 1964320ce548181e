#include "tools/quarvel-tool/Commands.h"

int runScramble()
{
    return usage();
}

int runQdf(const QStringList&)
{
    return usage();
}

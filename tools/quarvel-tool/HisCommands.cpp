#include "tools/quarvel-tool/Commands.h"

int runHis(const QStringList&)
{
    return usage();
}

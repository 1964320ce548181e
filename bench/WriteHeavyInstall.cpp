// Writes the benchmarks' heavy installation (HeavyInstall.h) to DIR and copies the program into
// its BIN/, for profiling a start by hand, e.g. after `WriteHeavyInstall /tmp/heavy`:
//     QT_QPA_PLATFORM=offscreen QUARVEL_EXIT_AFTER_FIRST_PAINT=1 valgrind --tool=callgrind /tmp/heavy/BIN/quarvel
#include "HeavyInstall.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: WriteHeavyInstall DIR\n");
        return 2;
    }
    const bench::HeavyInstall install = bench::writeHeavyInstall(QString::fromLocal8Bit(argv[1]));
    const QString program = install.programDir + QStringLiteral("quarvel");
    QFile::remove(program);
    if (!QFile::copy(QStringLiteral(QUARVEL_PROGRAM_PATH), program)) {
        std::fprintf(stderr, "cannot copy the program\n");
        return 1;
    }
    std::printf("%s\n", qPrintable(program));
    return 0;
}

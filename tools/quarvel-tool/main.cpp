// quarvel-tool: authoring and inspection of Quarvel's files.
#include "tools/quarvel-tool/Commands.h"

#include <QCoreApplication>
#include <cstdio>

int usage()
{
    std::fputs("usage:\n"
               "  quarvel-tool scramble                 stdin -> stdout, every line scrambled, line ends kept\n"
               "  quarvel-tool qdf header FILE          header lines 1-10 as JSON\n"
               "  quarvel-tool qdf json FILE            the whole question bank as JSON\n"
               "  quarvel-tool qdf check FILE           validate a question data file\n"
               "  quarvel-tool qdf pack SRC OUT         readable UTF-8 source -> .qdf\n"
               "  quarvel-tool qdf unpack FILE          .qdf -> readable UTF-8 source on stdout\n"
               "  quarvel-tool his new FILE QDFPATH     create an empty history file\n"
               "  quarvel-tool his json FILE            a history file as JSON\n"
               "  quarvel-tool adp json FILE            an adaptive record as JSON\n"
               "  quarvel-tool update BINDIR [--vendor NAME] [--proxy HOST:PORT] [--timeout SECONDS]\n"
               "                                        the question file update, without a window\n"
               "  quarvel-tool sync BINDIR --vendor NAME [--status] [--proxy HOST:PORT] [--timeout SECONDS]\n"
               "                                        the Internet sync of one vendor's histories, without a window\n"
               "  quarvel-tool import gift|moodlexml FILE OUT.qsrc [--code CODE] [--title TITLE] [--images DIR]\n"
               "                                        another platform's questions -> readable source\n"
               "  quarvel-tool export moodlexml FILE.qdf OUT.xml\n"
               "                                        styles 1, 2 and 5 -> Moodle XML\n"
               "  quarvel-tool drill json FILE          a drill deck (.DRL) as JSON\n"
               "  quarvel-tool drill simulate SEQUENCE  the FSRS-6 scheduler on a JSON list of [days, grade] pairs\n"
               "                                        (\"-\": read it from stdin); the state after each review\n",
               stderr);
    std::fputs(
        "  quarvel-tool forecast QDF HIS [--pass PERCENT] [--today YYYY-MM-DD] --json\n"
        "                                        the chance of passing the mock exam today, per category its gain\n",
        stderr);
    return 2;
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("scramble") && args.isEmpty())
        return runScramble();
    if (command == QLatin1String("qdf"))
        return runQdf(args);
    if (command == QLatin1String("his"))
        return runHis(args);
    if (command == QLatin1String("adp"))
        return runAdp(args);
    if (command == QLatin1String("update"))
        return runUpdate(args);
    if (command == QLatin1String("sync"))
        return runSync(args);
    if (command == QLatin1String("import"))
        return runImport(args);
    if (command == QLatin1String("export"))
        return runExport(args);
    if (command == QLatin1String("drill"))
        return runDrill(args);
    if (command == QLatin1String("forecast"))
        return runForecast(args);
    return usage();
}

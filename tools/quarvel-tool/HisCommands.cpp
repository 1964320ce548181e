#include "tools/quarvel-tool/Commands.h"

#include "bank/FileLookup.h"
#include "results/HistoryFile.h"

#include <QFile>

#include <cstdio>
#include <string>

namespace
{

int fail(const QString& file, const QString& what)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(file), qPrintable(what));
    return 1;
}

template <typename Container> void appendInts(std::string& out, const Container& values)
{
    out += '[';
    bool first = true;
    for (int v : values) {
        if (!first)
            out += ", ";
        out += std::to_string(v);
        first = false;
    }
    out += ']';
}

// Keys in the documented order (a JSON object library would sort them).
std::string historyJson(const History& h)
{
    std::string out = "{\"attempts\": [";
    for (size_t k = 0; k < h.attempts.size(); ++k) {
        const AttemptRecord& a = h.attempts[k];
        if (k > 0)
            out += ", ";
        out += "{\"minutes\": " + std::to_string(a.minutes) + ", \"month\": " + std::to_string(a.month) +
               ", \"day\": " + std::to_string(a.day) + ", \"hour\": " + std::to_string(a.hour) +
               ", \"minute\": " + std::to_string(a.minute) + ", \"rate\": " + std::to_string(a.rate) +
               ", \"mode\": " + std::to_string(a.mode) + ", \"questionCount\": " + std::to_string(a.questionCount) +
               "}";
    }
    out += "], \"best\": " + std::to_string(h.best) + ", \"average\": " + std::to_string(h.average) +
           ", \"categories\": [";
    for (size_t c = 0; c < h.categories.size(); ++c) {
        if (c > 0)
            out += ", ";
        appendInts(out, h.categories[c]);
    }
    out += "], \"correct\": ";
    appendInts(out, h.correct);
    out += ", \"wrong\": ";
    appendInts(out, h.wrong);
    out += "}\n";
    return out;
}

int hisNew(const QString& path, const QString& questionFile)
{
    if (filelookup::exists(path))
        return fail(path, QStringLiteral("already exists; a history file is never overwritten"));
    if (!CreateEmptyHistory(path, questionFile))
        return fail(path, QStringLiteral("cannot be written"));
    return 0;
}

int hisJson(const QString& path)
{
    QFile file(filelookup::resolve(path));
    if (!file.open(QIODevice::ReadOnly))
        return fail(path, QStringLiteral("cannot be opened"));
    const QByteArray bytes = file.readAll();
    if (bytes.size() < kHistorySize)
        return fail(path, QStringLiteral("%1 bytes; a history file has %2").arg(bytes.size()).arg(kHistorySize));
    if (!bytes.startsWith(".HIS"))
        return fail(path, QStringLiteral("does not begin with \".HIS\""));
    const std::string json = historyJson(ParseHistory(std::string_view(bytes.constData(), size_t(bytes.size()))));
    std::fwrite(json.data(), 1, json.size(), stdout);
    return 0;
}

} // namespace

int runHis(const QStringList& args)
{
    if (args.size() == 3 && args[0] == QLatin1String("new"))
        return hisNew(args[1], args[2]);
    if (args.size() == 2 && args[0] == QLatin1String("json"))
        return hisJson(args[1]);
    return usage();
}

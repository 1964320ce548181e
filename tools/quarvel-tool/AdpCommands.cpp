#include "tools/quarvel-tool/Commands.h"

#include "bank/Cp932.h"
#include "results/AdaptiveRecord.h"
#include "tools/quarvel-tool/JsonWriter.h"

#include <cstdio>

namespace
{

constexpr std::array<const char*, kAdaptiveFields> kKeys{"number", "category", "subCategory",   "text",
                                                         "asked",  "correct",  "averageSeconds"};

int adpJson(const QString& path)
{
    FileError error;
    const auto lines = ReadAdaptiveRecord(path, &error);
    if (!lines) {
        std::fprintf(stderr, "%s\n", qPrintable(error.text()));
        return 1;
    }
    JsonWriter json;
    json.beginObject();
    json.key("lines");
    json.beginArray();
    for (size_t i = 0; i < lines->size(); ++i) {
        const auto fields = SplitAdaptiveLine((*lines)[i]);
        if (!fields) {
            std::fprintf(stderr, "%s:%zu: not a line of an adaptive record\n", qPrintable(path), i + 1);
            return 1;
        }
        json.beginObject(true);
        for (size_t k = 0; k < kKeys.size(); ++k) {
            json.key(kKeys[k]);
            json.string(cp932::toUtf8((*fields)[k]));
        }
        json.endObject();
    }
    json.endArray();
    json.endObject();
    const std::string out = json.finish();
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

} // namespace

int runAdp(const QStringList& args)
{
    if (args.size() == 2 && args[0] == QLatin1String("json"))
        return adpJson(args[1]);
    return usage();
}

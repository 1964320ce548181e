// The program directory's server files from any bytes: SRV_INFO (four lines) and His_srv (three),
// and the addresses built from them. Lines come back trimmed, however long or broken the file.
#include "FuzzCheck.h"

#include "online/OnlineSettings.h"
#include "online/QuestionUpdate.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const int count : {3, 4}) {
        QString error;
        const auto lines = online::parseServerLines(bytes, count, QStringLiteral("SRV_INFO"), error);
        FUZZ_CHECK(lines.has_value() == error.isEmpty());
        if (!lines)
            continue;
        FUZZ_CHECK(lines->size() == count);
        for (const QString& line : *lines)
            FUZZ_CHECK(line == line.trimmed());
        if (count == 4) {
            const online::ServerInfo server{lines->at(0), lines->at(1), lines->at(2), lines->at(3)};
            online::Profile profile;
            profile.name = std::string(bytes.substr(0, 8));
            const QString url =
                online::questionFileUrl(server, profile, std::string(bytes.substr(0, 16)), "20260101000000");
            FUZZ_CHECK(url.startsWith(QStringLiteral("http://")));
            online::imageServerUrl(server, std::string(bytes.substr(bytes.size() / 2)));
        }
    }
    return 0;
}

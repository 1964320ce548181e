// What a server sends, from any bytes: the sync's status line and download answer, and the
// settings file header the update reads. A download that parses holds only byte values; an image
// name taken from a header never leads out of img/.
#include "FuzzCheck.h"

#include "online/HistorySync.h"
#include "online/QuestionUpdate.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    online::parseStatusLine(bytes.substr(0, bytes.find('\n')));

    QString error;
    if (const auto history = online::parseDownload(bytes, error)) {
        for (const auto& c : history->categories)
            for (int v : c)
                FUZZ_CHECK(v >= 0 && v <= 255);
        for (size_t q = 0; q < history->correct.size(); ++q)
            FUZZ_CHECK(history->correct[q] >= 0 && history->correct[q] <= 255 && history->wrong[q] >= 0 &&
                       history->wrong[q] <= 255);
    }

    if (const auto header = online::ParseSettingsHeader(bytes)) {
        for (const auto& image : header->images) {
            const std::string name = online::plainImageName(image.name);
            FUZZ_CHECK(name.find('/') == std::string::npos && name.find('\\') == std::string::npos);
            FUZZ_CHECK(name != "." && name != "..");
        }
    }
    return 0;
}

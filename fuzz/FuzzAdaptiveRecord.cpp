// The adaptive record from any bytes: every line split into its seven fields; a line that splits
// must join back into a line that splits into the same fields.
#include "FuzzCheck.h"

#include "results/AdaptiveRecord.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (const auto fields = SplitAdaptiveLine(line)) {
            const auto again = SplitAdaptiveLine(JoinAdaptiveLine(*fields));
            FUZZ_CHECK(again && *again == *fields);
        }
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return 0;
}

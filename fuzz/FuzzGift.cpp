// GIFT files from any bytes: the reader, then the mapping onto our styles.
#include "FuzzImportCheck.h"

#include "bank/import/GiftReader.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<ImportedQuestion> questions;
    if (const auto error = readGift(bytes, QStringLiteral("bank.gift"), questions)) {
        FUZZ_CHECK(error->line >= 1);
        return 0;
    }
    checkImport(questions);
    return 0;
}

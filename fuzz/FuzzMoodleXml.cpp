// Moodle XML files from any bytes: the reader (embedded pictures included), then the mapping.
#include "FuzzImportCheck.h"

#include "bank/import/MoodleXmlReader.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<ImportedQuestion> questions;
    if (readMoodleXml(bytes, QStringLiteral("bank.xml"), questions))
        return 0;
    checkImport(questions);
    return 0;
}

// The test settings file (<test>.ini) from any bytes: the case study and the grade texts. The file
// can come from the update server, so its image names must never lead out of img/.
#include "FuzzCheck.h"

#include "bank/TestSettingsFile.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const QString test = QStringLiteral("/inst/QDAT/vendor/test.qdf");
    const QString imageDir = QStringLiteral("/inst/QDAT/vendor/img/");

    const CaseStudy study = ParseCaseStudy(bytes, test);
    FUZZ_CHECK(study.present || study.lines.empty());
    for (const QString& path : study.imagePaths) {
        if (path.isEmpty())
            continue;
        FUZZ_CHECK(path.startsWith(imageDir));
        const QString name = path.mid(imageDir.size());
        FUZZ_CHECK(!name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral(".."));
        FUZZ_CHECK(!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')));
    }
    ParseLevelTexts(bytes);
    return 0;
}

// quarvel-tool import and export: question banks to and from other learning platforms' formats.
#include "bank/QuestionFile.h"
#include "bank/import/GiftReader.h"
#include "bank/import/ImportSource.h"
#include "bank/import/MoodleXmlReader.h"
#include "bank/import/MoodleXmlWriter.h"
#include "tools/quarvel-tool/Commands.h"
#include "tools/quarvel-tool/ToolFiles.h"

#include <QDir>
#include <QFileInfo>

namespace
{

struct ImportArgs {
    QString format;
    QString input;
    QString output;
    QString images;
    ImportOptions options;
};

// FORMAT FILE OUT [--code CODE] [--title TITLE] [--images DIR]; false on wrong usage.
bool parseImportArgs(const QStringList& args, ImportArgs& parsed)
{
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!a.startsWith(QLatin1String("--"))) {
            positional.append(a);
            continue;
        }
        if (i + 1 >= args.size())
            return false;
        const QString value = args[++i];
        if (a == QLatin1String("--code"))
            parsed.options.code = value;
        else if (a == QLatin1String("--title"))
            parsed.options.title = value;
        else if (a == QLatin1String("--images"))
            parsed.images = value;
        else
            return false;
    }
    if (positional.size() != 3)
        return false;
    parsed.format = positional[0];
    parsed.input = positional[1];
    parsed.output = positional[2];
    return parsed.format == QLatin1String("gift") || parsed.format == QLatin1String("moodlexml");
}

std::optional<FileError> writeExhibits(const QString& dir, const std::vector<ImportedExhibit>& exhibits)
{
    if (exhibits.empty())
        return std::nullopt;
    if (!QDir().mkpath(dir))
        return FileError{dir, 0, QStringLiteral("cannot create the directory")};
    for (const ImportedExhibit& e : exhibits) {
        if (auto error = writeFileWhole(QDir(dir).filePath(e.fileName),
                                        std::string_view(e.bytes.constData(), size_t(e.bytes.size()))))
            return error;
    }
    return std::nullopt;
}

} // namespace

int runImport(const QStringList& args)
{
    ImportArgs a;
    if (!parseImportArgs(args, a))
        return usage();
    std::string bytes;
    if (auto error = readFile(a.input, bytes))
        return failed(*error);
    const bool gift = a.format == QLatin1String("gift");
    std::vector<ImportedQuestion> questions;
    if (auto error = gift ? readGift(bytes, a.input, questions) : readMoodleXml(bytes, a.input, questions))
        return failed(*error);
    a.options.fileName = a.input;
    a.options.formatName = gift ? QStringLiteral("GIFT") : QStringLiteral("Moodle XML");
    a.options.withImages = !a.images.isEmpty();
    ImportResult result;
    const auto error = buildQuestionSource(questions, a.options, result);
    for (const QString& line : result.report)
        complain(line);
    if (error)
        return failed(*error);
    if (auto e = writeExhibits(a.images, result.exhibits))
        return failed(*e);
    if (auto e = writeFileWhole(a.output, result.source))
        return failed(*e);
    complain(QStringLiteral("%1 imported, %2 skipped").arg(result.imported).arg(result.skipped));
    return 0;
}

int runExport(const QStringList& args)
{
    if (args.size() != 3 || args[0] != QLatin1String("moodlexml"))
        return usage();
    const QString& input = args[1];
    std::string bytes;
    if (auto error = readFile(input, bytes))
        return failed(*error);
    QuestionBank bank;
    QuestionFileLines lines;
    if (auto error = LoadQuestionBankFromBytes(bytes, input, bank, &lines))
        return failed(*error);
    const QString imageDir = QFileInfo(input).absoluteDir().filePath(QStringLiteral("img"));
    const MoodleXmlExport out = writeMoodleXml(bank, input, imageDir, &lines);
    for (const QString& line : out.report)
        complain(line);
    if (out.exported == 0)
        return failed(FileError{input, 0, QStringLiteral("nothing could be exported")});
    if (auto e = writeFileWhole(args[2], std::string_view(out.xml.constData(), size_t(out.xml.size()))))
        return failed(*e);
    complain(QStringLiteral("%1 exported, %2 left out").arg(out.exported).arg(out.leftOut));
    return 0;
}

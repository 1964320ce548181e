#include "results/PrintDirectory.h"

#include "bank/FileLookup.h"
#include "bank/HtmlPage.h"

#include <QFileInfo>

std::optional<FileError> ReadPrintTemplate(const QString& printDir, PrintTemplate& out)
{
    QString dir = printDir;
    if (dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    dir = filelookup::resolve(dir);
    if (!QFileInfo(dir).isDir())
        return FileError{dir, 0, QStringLiteral("the directory is missing"), QStringLiteral("フォルダがありません")};
    out.dir = dir + QLatin1Char('/');
    FileError error;
    auto lines = htmlpage::readTemplate(filelookup::resolve(out.dir + QStringLiteral("PrintProto")), &error);
    if (!lines)
        return error;
    out.lines = std::move(*lines);
    return std::nullopt;
}

std::optional<FileError> WritePrintPage(const PrintTemplate& print, const QString& pageName,
                                        const std::vector<std::string>& generated)
{
    std::vector<std::string> lines = print.lines;
    lines.insert(lines.end(), generated.begin(), generated.end());
    // Only the template's own lines could be placeholders; the report has none.
    const std::string bytes =
        htmlpage::fill(lines, [](std::string_view) { return std::optional<std::vector<std::string>>{}; });
    FileError error;
    if (!htmlpage::writePage(print.dir + pageName, bytes, &error))
        return error;
    return std::nullopt;
}

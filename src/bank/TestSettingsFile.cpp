#include "bank/TestSettingsFile.h"

#include "bank/Cp932.h"
#include "bank/FileLookup.h"
#include "bank/TextLines.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

using textlines::trim;

namespace
{

// The file's lines as CP932 bytes. A file that starts with the UTF-8 byte-order mark is taken as
// UTF-8 and converted, so an editor's UTF-8 save still reads; anything else is CP932 as it stands
// (invalid bytes are kept, never decoded here).
std::vector<std::string> splitLines(std::string_view bytes)
{
    std::string converted;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        converted = cp932::fromUnicode(QString::fromUtf8(bytes.data() + 3, qsizetype(bytes.size() - 3)));
        bytes = converted;
    }
    std::vector<std::string> lines;
    textlines::LineCursor cursor(bytes);
    std::string_view line;
    while (cursor.next(line))
        lines.emplace_back(line);
    return lines;
}

// The file's lines, or nothing when there is no such file.
std::optional<std::vector<std::string>> readLines(const QString& testPath)
{
    QFile file(filelookup::resolve(testSettingsPath(testPath)));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    return splitLines(std::string_view(bytes.constData(), size_t(bytes.size())));
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// The line's section name when it is an INI section header ("[name]", blanks allowed around).
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(1, close - 1));
}

// A value of an INI file read the way Windows reads one: sections and keys without regard to case,
// the first section and key of a name win, blanks around the value and one pair of enclosing
// quotes are removed. Nothing when the key is absent.
std::optional<std::string> iniValue(const std::vector<std::string>& lines, std::string_view section,
                                    std::string_view key)
{
    bool inSection = false;
    bool seenSection = false;
    for (const std::string& raw : lines) {
        if (auto name = sectionName(raw)) {
            if (inSection)
                return std::nullopt; // only the first section of that name counts
            inSection = !seenSection && equalsIgnoringCase(*name, section);
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection)
            continue;
        const std::string_view line = raw;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos || !equalsIgnoringCase(trim(line.substr(0, eq)), key))
            continue;
        std::string_view value = trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return std::nullopt;
}

bool isCaseStudyHeader(std::string_view line)
{
    return equalsIgnoringCase(trim(line), "[case study]");
}

// The image's file name only: the value names a file in img/, and the settings file can come
// from the update server, so it must not lead out of that directory. The cut is made after the
// last separator of the decoded text: the decoder decides which bytes pair up, so a CP932 trail
// byte 0x5C ("構" is 8D 5C) is never taken for "\", and a lead byte with no trail before "/"
// never hides that separator.
QString imageFileName(const std::string& value)
{
    QString name = cp932::toUnicode(value);
    name = name.mid(std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
    // Blanks and control characters around the name, as everywhere in the file.
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && name.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && name.at(end - 1).unicode() <= 0x20)
        --end;
    name = name.mid(begin, end - begin);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return {};
    return name;
}

CaseStudy caseStudyOf(const std::vector<std::string>& lines, const QString& testPath)
{
    CaseStudy study;
    auto header = lines.begin();
    while (header != lines.end() && !isCaseStudyHeader(*header))
        ++header;
    if (header == lines.end())
        return study;
    study.present = true;
    for (auto it = header + 1; it != lines.end(); ++it) {
        // The text ends at the next line that begins with "[" and contains "]".
        if (it->starts_with('[') && it->find(']') != std::string::npos)
            break;
        study.lines.push_back(*it);
    }
    const QString imageDir = QFileInfo(testPath).path() + QStringLiteral("/img/");
    for (int k = 0; k < 4; ++k) {
        const std::string key = "IMG" + std::to_string(k + 1);
        const std::string value = iniValue(lines, "CASE STUDY IMAGE", key).value_or("none");
        if (value == "none")
            continue;
        const QString name = imageFileName(value);
        if (!name.isEmpty())
            study.imagePaths[size_t(k)] = imageDir + name;
    }
    return study;
}

std::array<std::string, 5> levelTextsOf(const std::vector<std::string>* lines)
{
    std::array<std::string, 5> texts = {
        cp932::fromUtf8("レベル:A 合格安心"),           cp932::fromUtf8("レベル:B ぎりぎり合格"),
        cp932::fromUtf8("レベル:C あとちょっと"),       cp932::fromUtf8("レベル:D がんばり必要"),
        cp932::fromUtf8("レベル:E もっとがんばり必要"),
    };
    if (!lines)
        return texts;
    for (int g = 0; g < 5; ++g) {
        const std::string key = std::string("Text") + char('A' + g);
        if (auto value = iniValue(*lines, "Level", key))
            texts[size_t(g)] = *value;
    }
    return texts;
}

} // namespace

QString testSettingsPath(const QString& questionFile)
{
    return questionFile.left(std::max<qsizetype>(0, questionFile.size() - 4)) + QStringLiteral(".ini");
}

CaseStudy ReadCaseStudy(const QString& testPath)
{
    const auto lines = readLines(testPath);
    return lines ? caseStudyOf(*lines, testPath) : CaseStudy{};
}

std::array<std::string, 5> ReadLevelTexts(const QString& testPath)
{
    const auto lines = readLines(testPath);
    return levelTextsOf(lines ? &*lines : nullptr);
}

CaseStudy ParseCaseStudy(std::string_view bytes, const QString& testPath)
{
    return caseStudyOf(splitLines(bytes), testPath);
}

std::array<std::string, 5> ParseLevelTexts(std::string_view bytes)
{
    const std::vector<std::string> lines = splitLines(bytes);
    return levelTextsOf(&lines);
}

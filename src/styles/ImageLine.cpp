#include "styles/ImageLine.h"

#include "bank/Cp932.h"

#include <algorithm>

namespace questionlayout
{

namespace
{
bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// End of the first line (excluding its line break) and the start of the second.
void firstLine(const std::string& text, size_t& lineEnd, size_t& nextStart)
{
    const size_t lf = text.find('\n');
    if (lf == std::string::npos) {
        lineEnd = text.size();
        nextStart = text.size();
        return;
    }
    nextStart = lf + 1;
    lineEnd = (lf > 0 && text[lf - 1] == '\r') ? lf - 1 : lf;
}
} // namespace

ImageLine splitImageLine(const std::string& text)
{
    ImageLine result;
    size_t lineEnd = 0;
    size_t nextStart = 0;
    firstLine(text, lineEnd, nextStart);
    const std::string line = text.substr(0, lineEnd);
    if (line.find(kImageMarker) == std::string::npos) {
        result.shownText = text;
        return result;
    }
    result.present = true;
    result.shownText = text.substr(nextStart);

    int counter = 0;
    size_t i = kImageMarker.size();
    while (i < line.size()) {
        const auto b = static_cast<unsigned char>(line[i]);
        if (b == '@') {
            ++counter;
            ++i;
            continue;
        }
        const size_t width = (isLeadByte(b) && i + 1 < line.size()) ? 2 : 1;
        if (counter >= 1 && counter <= kMaxImages)
            result.names[size_t(counter - 1)].append(line, i, width);
        i += width;
    }
    result.count = std::min(counter, kMaxImages);
    return result;
}

std::string withoutImageLine(const std::string& text)
{
    return splitImageLine(text).shownText;
}

QString questionDataDir(const QString& questionFile)
{
    if (questionFile.isEmpty())
        return {};
    const qsizetype slash = questionFile.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : questionFile.left(slash + 1);
}

QString imagePath(const QString& questionDataDir, const std::string& name)
{
    QString dir = questionDataDir;
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir + QStringLiteral("img/") + cp932::toUnicode(name);
}

} // namespace questionlayout

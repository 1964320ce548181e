#include "bank/HtmlPage.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

namespace htmlpage
{

namespace
{
void appendEscaped(std::string& out, char c)
{
    switch (c) {
    case '&':
        out += "&amp;";
        break;
    case '<':
        out += "&lt;";
        break;
    case '>':
        out += "&gt;";
        break;
    case '"':
        out += "&quot;";
        break;
    case '\'':
        out += "&#39;";
        break;
    default:
        out += c;
        break;
    }
}

std::string_view trimmedView(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32)
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
        text.remove_suffix(1);
    return text;
}
} // namespace

std::string escapeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text)
        appendEscaped(out, c);
    return out;
}

std::string escapeAttribute(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        if (c == '\r')
            out += "&#13;";
        else if (c == '\n')
            out += "&#10;";
        else
            appendEscaped(out, c);
    }
    return out;
}

std::string escapeTextLines(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // the LF that follows makes the break
        if (c == '\n' || c == '\r')
            out += "<BR>";
        else
            appendEscaped(out, c);
    }
    return out;
}

std::optional<std::vector<std::string>> readTemplate(const QString& path, FileError* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = FileError{path, 0, file.errorString(), QStringLiteral("テンプレートを読み込めません")};
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    std::vector<std::string> lines;
    std::string_view rest(bytes.constData(), size_t(bytes.size()));
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return lines;
}

std::string fill(const std::vector<std::string>& templateLines, const Placeholders& placeholders)
{
    std::string page;
    for (const std::string& line : templateLines) {
        const std::string_view name = trimmedView(line);
        std::optional<std::vector<std::string>> generated;
        if (name.size() >= 2 && name.front() == '#' && name.back() == '#')
            generated = placeholders(name);
        if (!generated) {
            page += line;
            page += "\r\n";
            continue;
        }
        for (const std::string& out : *generated) {
            page += out;
            page += "\r\n";
        }
    }
    return page;
}

bool writePage(const QString& path, std::string_view bytes, FileError* error)
{
    // No disk sync: every page is written again on each request, and the rename still means a
    // reader sees the old page or the new one whole.
    const QFileInfo target(path);
    QTemporaryFile file(target.absolutePath() + QLatin1Char('/') + target.fileName() + QStringLiteral(".XXXXXX"));
    QString reason;
    if (file.open() && file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()) && file.flush()) {
        // The temporary file is private to its owner; the page is as readable as a new file.
        const QFile::Permissions mode = target.exists() ? target.permissions()
                                                        : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                                              QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther;
        file.setPermissions(mode);
        file.close();
        std::error_code failed;
        std::filesystem::rename(QFile::encodeName(file.fileName()).toStdString(), QFile::encodeName(path).toStdString(),
                                failed);
        if (!failed) {
            file.setAutoRemove(false);
            return true;
        }
        reason = QString::fromStdString(failed.message());
    } else {
        reason = file.errorString();
    }
    if (error)
        *error = FileError{path, 0, reason, QStringLiteral("ページを書き込めません")};
    return false;
}

bool makePage(const QString& templatePath, const QString& pagePath, const Placeholders& placeholders, FileError* error)
{
    const auto lines = readTemplate(templatePath, error);
    return lines && writePage(pagePath, fill(*lines, placeholders), error);
}

} // namespace htmlpage

#include "session/LinkTarget.h"

#include "bank/Cp932.h"
#include "bank/HtmlPage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace linktarget
{

namespace
{

QString slashes(QString path)
{
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

bool startsWithHttp(const QString& text)
{
    return text.startsWith(QLatin1String("http"), Qt::CaseInsensitive);
}

// A directory prefix splits into the directory it names and the start of a name inside it:
// "/media/cd/CBT_" gives "/media/cd/" and "CBT_".
struct SplitLocation {
    QString root;
    QString namePrefix;
};
SplitLocation splitLocation(const QString& location)
{
    const QString path = slashes(location);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {QStringLiteral("./"), path};
    return {path.left(slash + 1), path.mid(slash + 1)};
}

bool isInside(const QString& path, const QString& root)
{
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    return path.startsWith(prefix);
}

} // namespace

QString targetRest(const std::string& target)
{
    return cp932::toUnicode(target).mid(kTargetPrefixLength);
}

QString webAddress(const QString& text)
{
    const QUrl url(text, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) || url.host().isEmpty())
        return {};
    // The scheme must be spelled out as given: "http:foo" or "httpx:" never count.
    if (!text.startsWith(url.scheme() + QLatin1String("://"), Qt::CaseInsensitive))
        return {};
    return QString::fromLatin1(url.toEncoded());
}

bool isDocumentFile(const QString& path)
{
    static const QStringList documents{
        QStringLiteral("htm"), QStringLiteral("html"), QStringLiteral("pdf"),
        QStringLiteral("txt"), QStringLiteral("jpg"),  QStringLiteral("jpeg"),
        QStringLiteral("png"), QStringLiteral("gif"),  QStringLiteral("bmp"),
    };
    const QFileInfo info(path);
    if (!info.isFile() || !documents.contains(info.suffix().toLower()))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Programs and scripts by their first bytes: ELF, "#!", and DOS/Windows executables. The mode
    // bits say little on a disc, where every file may carry them.
    const QByteArray head = file.read(4);
    return !head.startsWith("\x7f"
                            "ELF") &&
           !head.startsWith("#!") && !head.startsWith("MZ");
}

QString confinedDocument(const QString& root, const QString& relative)
{
    const QString canonicalRoot = QFileInfo(root).canonicalFilePath();
    if (canonicalRoot.isEmpty() || relative.isEmpty())
        return {};
    const QString joined = (root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/')) + slashes(relative);
    const QString canonical = QFileInfo(joined).canonicalFilePath();
    if (canonical.isEmpty() || !isInside(canonical, canonicalRoot) || !isDocumentFile(canonical))
        return {};
    return canonical;
}

LinkPlan planLink(const std::string& target, const QString& location, const QStringList& discRoots,
                  const QString& refDir)
{
    const QString whole = cp932::toUnicode(target).trimmed();
    if (startsWithHttp(whole)) {
        if (const QString address = webAddress(slashes(whole)); !address.isEmpty())
            return {LinkAction::LaunchWeb, address};
    }
    const QString rest = targetRest(target);
    if (rest.isEmpty())
        return {};

    const QString base = location.isEmpty() ? kNoLocation : location;
    if (base != kNoLocation) {
        const QString path = base + rest;
        if (startsWithHttp(path)) {
            const QString address = webAddress(slashes(path));
            if (address.isEmpty())
                return {};
            return {LinkAction::LaunchWeb, address};
        }
        const SplitLocation split = splitLocation(base);
        if (const QString file = confinedDocument(split.root, split.namePrefix + rest); !file.isEmpty())
            return {LinkAction::LaunchFile, file};
    }

    if (discRoots.isEmpty()) {
        if (const QString file = confinedDocument(refDir, rest); !file.isEmpty())
            return {LinkAction::OpenRef, file};
        return {};
    }
    for (const QString& root : discRoots) {
        if (const QString file = confinedDocument(root, rest); !file.isEmpty())
            return {LinkAction::LaunchFile, file};
    }
    return {};
}

MissingMessage missingMessage(bool anyDisc)
{
    if (anyDisc)
        return {QString(), QStringLiteral("CBTのCD-ROMをセットしてください。")};
    return {QStringLiteral("Error"), QStringLiteral("CD-ROMが装着されていません。")};
}

QString fileFrameAddress(const QString& path)
{
    QString rest = slashes(path);
    QString drive;
    if (rest.size() >= 2 && rest.at(1) == QLatin1Char(':') && rest.at(0).isLetter()) {
        drive = rest.left(1) + QLatin1Char('|');
        rest = rest.mid(2);
    }
    while (rest.startsWith(QLatin1Char('/')))
        rest.remove(0, 1);
    if (!drive.isEmpty())
        drive += QLatin1Char('/');
    return QStringLiteral("file:///") + drive + QString::fromLatin1(QUrl::toPercentEncoding(rest, "/"));
}

std::string frameTag(const LinkPlan& plan)
{
    const bool web = plan.action == LinkAction::LaunchWeb;
    // The file prefix is part of the address the file form produces.
    const QString address = web ? plan.address : fileFrameAddress(plan.address);
    return "<FRAME SRC=\"" + htmlpage::escapeAttribute(cp932::fromUnicode(address)) +
           "\" MARGINHEIGHT=\"0\" MARGINWIDTH=\"0\" SCROLLING=\"AUTO\" NORESIZE name=\"mainF\">";
}

bool writeLaunchPage(const QString& templatePath, const QString& pagePath, const LinkPlan& plan, FileError* error)
{
    const std::string tag = frameTag(plan);
    return htmlpage::makePage(
        templatePath, pagePath,
        [&](std::string_view name) -> std::optional<std::vector<std::string>> {
            if (name == "#CDPATH#")
                return std::vector<std::string>{tag};
            return std::nullopt;
        },
        error);
}

} // namespace linktarget

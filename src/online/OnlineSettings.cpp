#include "online/OnlineSettings.h"

#include "bank/Cp932.h"
#include "bank/FileLookup.h"
#include "bank/SettingsStore.h"

#include <QFile>

#include <algorithm>

namespace online
{

Profile readProfile()
{
    auto read = [](const char* name) {
        return cp932::fromUnicode(settings::ReadSetting(QLatin1String(settings::kSection), QLatin1String(name)));
    };
    return {read("Name"), read("Serial"), read("Email")};
}

std::optional<QString> applyConnection(HttpTransport& http, const ConnectionSettings& settings)
{
    http.Proxy.clear();
    http.ProxyPort = 0;
    if (settings.useProxy) {
        bool ok = false;
        const int port = settings.proxyPort.trimmed().toInt(&ok);
        if (!ok || port < 1 || port > 65535)
            return QStringLiteral("proxy port \"%1\" is not a port number").arg(settings.proxyPort);
        if (settings.proxyHost.trimmed().isEmpty())
            return QStringLiteral("no proxy host given");
        http.Proxy = settings.proxyHost.trimmed();
        http.ProxyPort = port;
    }
    http.TimeOut = settings.timeoutSeconds * 1000;
    return std::nullopt;
}

std::optional<QStringList> parseServerLines(std::string_view bytes, int count, const QString& path, QString& error)
{
    // A line is read 4,095 bytes at most at a time, so an endless line costs pieces, not memory.
    constexpr size_t kPiece = 4095;
    QStringList lines;
    while (lines.size() < count && !bytes.empty()) {
        const size_t newline = bytes.find('\n');
        const size_t length = std::min(newline == std::string_view::npos ? bytes.size() : newline + 1, kPiece);
        lines.append(cp932::toUnicode(bytes.substr(0, length)).trimmed());
        bytes.remove_prefix(length);
    }
    if (lines.size() < count) {
        error = QStringLiteral("%1:%2: line missing").arg(path).arg(lines.size() + 1);
        return std::nullopt;
    }
    return lines;
}

std::optional<QStringList> readServerLines(const QString& path, int count, QString& error)
{
    QFile file(filelookup::resolve(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: cannot be opened").arg(path);
        return std::nullopt;
    }
    const QByteArray bytes = file.read(qint64(count) * 4095);
    return parseServerLines(std::string_view(bytes.constData(), size_t(bytes.size())), count, path, error);
}

bool parseProxyArgument(const QString& argument, ConnectionSettings& settings)
{
    const qsizetype colon = argument.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0 || colon == argument.size() - 1)
        return false;
    bool ok = false;
    const int port = argument.mid(colon + 1).toInt(&ok);
    if (!ok || port < 1 || port > 65535)
        return false;
    settings.useProxy = true;
    settings.proxyHost = argument.left(colon);
    settings.proxyPort = argument.mid(colon + 1);
    return true;
}

} // namespace online

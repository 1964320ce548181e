#include "online/OnlineSettings.h"

#include "bank/Cp932.h"
#include "bank/FileLookup.h"
#include "bank/SettingsStore.h"

#include <QFile>

namespace online {

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

std::optional<QStringList> readServerLines(const QString& path, int count, QString& error)
{
    QFile file(filelookup::resolve(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: cannot be opened").arg(path);
        return std::nullopt;
    }
    QStringList lines;
    while (lines.size() < count && !file.atEnd()) {
        const QByteArray line = file.readLine(4096);
        lines.append(cp932::toUnicode(std::string_view(line.constData(), size_t(line.size()))).trimmed());
    }
    if (lines.size() < count) {
        error = QStringLiteral("%1:%2: line missing").arg(path).arg(lines.size() + 1);
        return std::nullopt;
    }
    return lines;
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

#pragma once
// What the update and the sync share: the user's profile as sent to the servers, the connection
// settings of the screens (proxy and time-out) and the small files that name the servers.
#include "online/HttpTransport.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>

namespace online
{

// Name, Serial and Email from the settings store, as CP932 bytes.
struct Profile {
    std::string name;
    std::string serial;
    std::string email;
};
Profile readProfile();

// "Use Proxy" with its two fields and the time-out field.
struct ConnectionSettings {
    bool useProxy = false;
    QString proxyHost;
    QString proxyPort;
    int timeoutSeconds = 120;
};

// Sets proxy and time-out on the transport; nothing when the proxy port is not a number
// from 1 to 65535 (the error then says so).
std::optional<QString> applyConnection(HttpTransport& http, const ConnectionSettings& settings);

// The first `count` lines of a small text file in the program directory, each trimmed.
// Nothing when the file is missing or has fewer lines; `error` then names the file.
std::optional<QStringList> readServerLines(const QString& path, int count, QString& error);
// The same over the file's bytes; `path` names the file in the error.
std::optional<QStringList> parseServerLines(std::string_view bytes, int count, const QString& path, QString& error);

// "--proxy HOST:PORT" of the tool: false when it is not of that form.
bool parseProxyArgument(const QString& argument, ConnectionSettings& settings);

} // namespace online

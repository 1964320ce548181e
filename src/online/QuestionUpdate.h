#pragma once
// The question file update of one vendor: ask the update server for every installed question
// data file, fetch every test settings file and the images it lists, and replace what is newer.
// Nothing a server sends is trusted: a download replaces an installed file only when it arrived
// whole with status 200 and reads as a valid file of its kind, by one rename over the old file.
#include "online/HttpTransport.h"
#include "online/OnlineSettings.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace online
{

// SRV_INFO: update host, script path, image host, image directory.
struct ServerInfo {
    QString host;
    QString script;
    QString imageHost;
    QString imageDir;
};
std::optional<ServerInfo> ReadServerInfo(const QString& path, QString& error);

// The question file request of one installed file.
QString questionFileUrl(const ServerInfo& server, const Profile& profile, const std::string& fileName,
                        const std::string& stamp);
QString imageServerUrl(const ServerInfo& server, const std::string& fileName);

// Header line 9 as a number: exactly fourteen digits, else nothing.
std::optional<unsigned long long> stampValue(std::string_view line9);

// The header of a test settings file as the update reads it: line 2 the version, image entries
// "NAME VERSION" from line 4 up to the line before the last header line.
struct ImageEntry {
    std::string name; // trimmed
    long long version = 0;
};
struct SettingsHeader {
    long long version = 0;
    std::vector<ImageEntry> images;
};
// Nothing when the version or an image entry's version is not a decimal number.
std::optional<SettingsHeader> ParseSettingsHeader(std::string_view bytes);

// An image name from a server reduced to a plain file name (the part after the last "/" or "\");
// empty when nothing usable is left ("", ".", "..").
std::string plainImageName(std::string_view name);

// The images of `downloaded` that `local` lacks or holds in an older version.
std::vector<std::string> imagesToFetch(const SettingsHeader& local, const SettingsHeader& downloaded);

struct UpdateHooks {
    std::function<void(const QString& fileName)> showFile; // a file is being downloaded
};

struct UpdateRun {
    bool failed = false;
    QString cause;                     // when failed: what went wrong, for logs and the tool
    std::vector<std::string> replaced; // "CODE : TITLE" (CP932) of every replaced test
};

// Runs the update of one vendor directory below the data root's QDAT/ (no confirmation: the
// caller asked for it). On failure every "_" download of the run is deleted; files already
// replaced stay replaced.
UpdateRun RunVendorUpdate(HttpTransport& http, const ServerInfo& server, const Profile& profile, const QString& vendor,
                          const UpdateHooks& hooks = {});

// "以下の問題ファイルが更新されました。" CR LF, then "CODE : TITLE" CR LF per replaced test.
QString replacedListMessage(const std::vector<std::string>& replaced);

// One vendor's part of an update of all vendors.
struct VendorOutcome {
    QString label; // "Oracle"
    UpdateRun run;
    bool connectionFailed = false; // no connection to the server could be made
};
// The one message that ends an update of all vendors: per vendor in run order, its label, " : "
// and what became of it (the replaced list, "nothing new", or the failure and its cause).
QString allVendorsSummary(const std::vector<VendorOutcome>& outcomes);

// LastUpdateYear, LastUpdateMonth and LastUpdateDay in the settings store.
void recordUpdateDate(const QDate& today);

} // namespace online

#include "online/QuestionUpdate.h"

#include "bank/Cp932.h"
#include "bank/FileLookup.h"
#include "bank/QuestionFile.h"
#include "bank/SettingsStore.h"
#include "bank/TextLines.h"
#include "install/InstallLayout.h"
#include "install/VendorTable.h"
#include "online/FileReplace.h"
#include "online/FormEncoding.h"
#include "online/OnlineMessages.h"

#include <QDir>
#include <QFileInfo>

#include <charconv>
#include <memory>

namespace online
{

namespace
{

std::optional<long long> parseVersion(std::string_view text)
{
    text = textlines::trim(text);
    long long value = 0;
    const auto* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

// Names of the files of `dir` ending in `extension` (any case), in byte order; our own "_"
// downloads are never taken for installed files.
QStringList filesWithExtension(const QString& dir, const QString& extension)
{
    QStringList names;
    const QStringList entries = QDir(dir).entryList(QDir::Files, QDir::Name);
    for (const QString& name : entries)
        if (name.endsWith(extension, Qt::CaseInsensitive) && !name.startsWith(QLatin1Char('_')))
            names.append(name);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.toUtf8() < b.toUtf8(); });
    return names;
}

class VendorRun
{
  public:
    VendorRun(HttpTransport& http, const ServerInfo& server, const Profile& profile, const QString& vendor,
              const UpdateHooks& hooks)
        : m_http(http), m_server(server), m_profile(profile), m_vendor(vendor), m_hooks(hooks)
    {
        const QString qdat = layout::DataRoot() + QStringLiteral("QDAT/");
        const QString found = installedVendorDir(qdat, vendor);
        m_dir = found.isEmpty() ? qdat + vendor + QLatin1Char('/') : found;
        if (!m_dir.endsWith(QLatin1Char('/')))
            m_dir += QLatin1Char('/');
    }

    UpdateRun run()
    {
        UpdateRun result;
        if (!runSteps(result)) {
            result.failed = true;
            result.cause = m_cause;
            for (const QString& download : m_downloads)
                QFile::remove(download);
        }
        return result;
    }

  private:
    bool fail(const QString& cause)
    {
        m_cause = cause;
        return false;
    }

    // Fetches `url` into `target`; true only for a whole answer with status 200.
    bool fetch(const QString& url, const QString& target)
    {
        m_downloads.append(target);
        m_http.Body = target;
        m_http.InputFileMode = true;
        m_http.DurableBody = true; // it may replace an installed file
        const TransferResult result = m_http.Get(url);
        if (!result.ok)
            return fail(QStringLiteral("%1: %2").arg(url, result.error));
        if (result.status != 200)
            return fail(QStringLiteral("%1: the server answered with status %2").arg(url).arg(result.status));
        return true;
    }

    bool runSteps(UpdateRun& result)
    {
        const QStringList questionNames = filesWithExtension(m_dir, QStringLiteral(".qdf"));
        const QStringList settingsNames = filesWithExtension(m_dir, QStringLiteral(".ini"));

        struct Pending {
            QString name;
            unsigned long long localStamp = 0;
            QuestionHeader downloaded;
        };
        std::vector<Pending> pending;
        for (const QString& name : questionNames) {
            QuestionHeader local;
            if (auto error = ReadQuestionHeader(m_dir + name, local))
                return fail(error->text());
            const auto localStamp = stampValue(local.updated);
            if (!localStamp)
                return fail(QStringLiteral("%1:9: the date is not fourteen digits").arg(m_dir + name));
            if (m_hooks.showFile)
                m_hooks.showFile(name);
            const QString target = m_dir + QLatin1Char('_') + name;
            if (!fetch(questionFileUrl(m_server, m_profile, cp932::fromUnicode(name), local.updated), target))
                return false;
            Pending p{name, *localStamp, {}};
            if (auto problem = checkQuestionFile(target, p.downloaded))
                return fail(*problem);
            pending.push_back(std::move(p));
        }

        for (const QString& name : settingsNames)
            if (!updateSettingsFile(name))
                return false;

        for (const Pending& p : pending) {
            const QString target = m_dir + QLatin1Char('_') + p.name;
            if (*stampValue(p.downloaded.updated) <= p.localStamp) {
                QFile::remove(target);
                continue;
            }
            if (auto error = replaceFile(target, m_dir + p.name))
                return fail(*error);
            const QString base = QFileInfo(p.name).completeBaseName();
            const QString history = layout::DataRoot() + QStringLiteral("HIST/") + m_vendor + QLatin1Char('/') + base;
            filelookup::remove(history + QStringLiteral(".his"));
            filelookup::remove(history + QStringLiteral(".adp"));
            filelookup::remove(history + QStringLiteral(".drl"));
            result.replaced.push_back(p.downloaded.code + " : " + p.downloaded.title);
        }
        return true;
    }

    // A downloaded question data file is used only when the whole file reads and its header
    // carries the format tag and a fourteen-digit date.
    std::optional<QString> checkQuestionFile(const QString& path, QuestionHeader& header)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("%1: cannot be read").arg(path);
        const QByteArray bytes = file.readAll();
        const std::string_view view(bytes.constData(), size_t(bytes.size()));
        if (auto error = ReadQuestionHeaderFromBytes(view, path, header))
            return error->text();
        if (!header.hasFormatTag())
            return QStringLiteral("%1:1: not a question data file").arg(path);
        if (!stampValue(header.updated))
            return QStringLiteral("%1:9: the date is not fourteen digits").arg(path);
        auto bank = std::make_unique<QuestionBank>();
        if (auto error = LoadQuestionBankFromBytes(view, path, *bank))
            return error->text();
        return std::nullopt;
    }

    bool updateSettingsFile(const QString& name)
    {
        const QString installed = m_dir + name;
        const auto local = ParseSettingsHeader(readAll(installed));
        if (!local)
            return fail(QStringLiteral("%1:2: not a version number").arg(installed));
        if (m_hooks.showFile)
            m_hooks.showFile(name);
        const QString target = m_dir + QLatin1Char('_') + name;
        if (!fetch(imageServerUrl(m_server, cp932::fromUnicode(name)), target))
            return false;
        const auto downloaded = ParseSettingsHeader(readAll(target));
        if (!downloaded)
            return fail(QStringLiteral("%1: not a test settings file").arg(target));
        if (local->version >= downloaded->version) {
            QFile::remove(target);
            return true;
        }
        const QString imageDir = m_dir + QStringLiteral("img/");
        for (const std::string& image : imagesToFetch(*local, *downloaded)) {
            QDir().mkpath(imageDir);
            const QString imageName = cp932::toUnicode(image);
            const QString temporary = imageDir + QLatin1Char('_') + imageName;
            if (!fetch(imageServerUrl(m_server, image), temporary))
                return false;
            if (auto error = replaceFile(temporary, filelookup::resolve(imageDir + imageName)))
                return fail(*error);
        }
        if (auto error = replaceFile(target, installed))
            return fail(*error);
        return true;
    }

    static std::string readAll(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll().toStdString();
    }

    HttpTransport& m_http;
    const ServerInfo& m_server;
    const Profile& m_profile;
    QString m_vendor;
    const UpdateHooks& m_hooks;
    QString m_dir;
    QString m_cause;
    QStringList m_downloads;
};

} // namespace

std::optional<ServerInfo> ReadServerInfo(const QString& path, QString& error)
{
    const auto lines = readServerLines(path, 4, error);
    if (!lines)
        return std::nullopt;
    return ServerInfo{lines->at(0), lines->at(1), lines->at(2), lines->at(3)};
}

QString questionFileUrl(const ServerInfo& server, const Profile& profile, const std::string& fileName,
                        const std::string& stamp)
{
    const std::string query = formString({{"Name", profile.name},
                                          {"Serial", profile.serial},
                                          {"QDFName", fileName},
                                          {"date", stamp},
                                          {"Email", profile.email}});
    return serverUrl(QStringLiteral("%1/%2?%3").arg(server.host, server.script, QString::fromLatin1(query)));
}

QString imageServerUrl(const ServerInfo& server, const std::string& fileName)
{
    return serverUrl(QStringLiteral("%1/%2/%3")
                         .arg(server.imageHost, server.imageDir, QString::fromLatin1(percentEncode(fileName))));
}

std::optional<unsigned long long> stampValue(std::string_view line9)
{
    if (line9.size() != 14)
        return std::nullopt;
    unsigned long long value = 0;
    for (char c : line9) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + unsigned(c - '0');
    }
    return value;
}

std::optional<SettingsHeader> ParseSettingsHeader(std::string_view bytes)
{
    textlines::LineCursor cursor(bytes);
    std::vector<std::string_view> header;
    std::string_view line;
    while (cursor.next(line)) {
        if (header.size() >= 3 && !line.empty() && line.front() == '[')
            break;
        header.push_back(line);
    }
    if (header.size() < 2)
        return std::nullopt;
    SettingsHeader result;
    const auto version = parseVersion(header[1]);
    if (!version)
        return std::nullopt;
    result.version = *version;
    // The last header line (normally blank) is never an entry.
    for (size_t i = 3; i + 1 < header.size(); ++i) {
        const std::string_view entry = textlines::trim(header[i]);
        if (entry.empty())
            continue;
        const size_t blank = entry.rfind(' ');
        if (blank == std::string_view::npos)
            return std::nullopt;
        const auto imageVersion = parseVersion(entry.substr(blank + 1));
        if (!imageVersion)
            return std::nullopt;
        result.images.push_back({std::string(textlines::trim(entry.substr(0, blank))), *imageVersion});
    }
    return result;
}

std::string plainImageName(std::string_view name)
{
    name = textlines::trim(name);
    const size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos)
        name = name.substr(slash + 1);
    if (name.empty() || name == "." || name == ".." || name.find('\0') != std::string_view::npos)
        return {};
    return std::string(name);
}

std::vector<std::string> imagesToFetch(const SettingsHeader& local, const SettingsHeader& downloaded)
{
    std::vector<std::string> names;
    for (const ImageEntry& entry : downloaded.images) {
        const std::string name = plainImageName(entry.name);
        if (name.empty())
            continue;
        bool current = false;
        for (const ImageEntry& mine : local.images)
            if (mine.name == entry.name && mine.version >= entry.version)
                current = true;
        if (!current && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

QString replacedListMessage(const std::vector<std::string>& replaced)
{
    QString text = QStringLiteral("以下の問題ファイルが更新されました。\r\n");
    for (const std::string& line : replaced)
        text += cp932::toUnicode(line) + QStringLiteral("\r\n");
    return text;
}

QString allVendorsSummary(const std::vector<VendorOutcome>& outcomes)
{
    QString text;
    for (const VendorOutcome& outcome : outcomes) {
        text += outcome.label + QStringLiteral(" : ");
        if (outcome.run.failed && outcome.connectionFailed)
            text += kConnectFailed + QStringLiteral("\r\n");
        else if (outcome.run.failed)
            text += kDownloadFailed + QStringLiteral("\r\n    ") + outcome.run.cause + QStringLiteral("\r\n");
        // Files replaced before a failure stay replaced, so they are listed too.
        if (!outcome.run.replaced.empty())
            text += replacedListMessage(outcome.run.replaced);
        else if (!outcome.run.failed)
            text += kNothingNew + QStringLiteral("\r\n");
    }
    return text;
}

void recordUpdateDate(const QDate& today)
{
    const QString section = QLatin1String(settings::kSection);
    settings::WriteSetting(section, QStringLiteral("LastUpdateYear"), QString::number(today.year()));
    settings::WriteSetting(section, QStringLiteral("LastUpdateMonth"), QString::number(today.month()));
    settings::WriteSetting(section, QStringLiteral("LastUpdateDay"), QString::number(today.day()));
}

UpdateRun RunVendorUpdate(HttpTransport& http, const ServerInfo& server, const Profile& profile, const QString& vendor,
                          const UpdateHooks& hooks)
{
    return VendorRun(http, server, profile, vendor, hooks).run();
}

} // namespace online

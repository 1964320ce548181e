// quarvel-tool update / sync: the question file update and the Internet sync without a window,
// running the same code as the screens.
#include "tools/quarvel-tool/Commands.h"
#include "tools/quarvel-tool/JsonWriter.h"

#include "bank/Cp932.h"
#include "install/CourseListing.h"
#include "install/InstallLayout.h"
#include "install/VendorTable.h"
#include "online/HistorySync.h"
#include "online/OnlineMessages.h"
#include "online/OnlineVendors.h"
#include "online/QuestionUpdate.h"
#include "results/HistoryFile.h"

#include <QDate>
#include <QDir>

#include <cstdio>

namespace
{

struct OnlineArgs {
    QString binDir;
    QString vendor;
    bool status = false;
    online::ConnectionSettings connection;
};

// BINDIR [--vendor NAME] [--status] [--proxy HOST:PORT] [--timeout SECONDS]; false on wrong usage.
bool parseOnlineArgs(QStringList args, bool allowStatus, OnlineArgs& out)
{
    if (args.isEmpty() || args.first().startsWith(QLatin1String("--")))
        return false;
    out.binDir = QDir(args.takeFirst()).absolutePath() + QLatin1Char('/');
    while (!args.isEmpty()) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--status") && allowStatus) {
            out.status = true;
            continue;
        }
        if (args.isEmpty())
            return false;
        const QString value = args.takeFirst();
        if (option == QLatin1String("--vendor")) {
            bool known = false;
            for (const VendorInfo& v : vendorTable())
                known = known || v.directory == value;
            if (!known)
                return false;
            out.vendor = value;
        } else if (option == QLatin1String("--proxy")) {
            if (!online::parseProxyArgument(value, out.connection))
                return false;
        } else if (option == QLatin1String("--timeout")) {
            bool ok = false;
            out.connection.timeoutSeconds = value.toInt(&ok);
            if (!ok || out.connection.timeoutSeconds < 1 || out.connection.timeoutSeconds > 1000)
                return false;
        } else {
            return false;
        }
    }
    return true;
}

int failWith(const QString& message, const QString& cause)
{
    std::fprintf(stderr, "%s\n%s\n", message.toLocal8Bit().constData(), cause.toLocal8Bit().constData());
    return 1;
}

} // namespace

int runUpdate(const QStringList& args)
{
    OnlineArgs a;
    if (!parseOnlineArgs(args, false, a))
        return usage();
    layout::setProgramDir(a.binDir);
    QString error;
    const auto server = online::ReadServerInfo(a.binDir + QStringLiteral("SRV_INFO"), error);
    if (!server)
        return failWith(online::kDownloadFailed, error);

    online::HttpTransport http;
    if (auto problem = online::applyConnection(http, a.connection))
        return failWith(online::kDownloadFailed, *problem);
    const online::Profile profile = online::readProfile();

    QStringList vendors;
    if (!a.vendor.isEmpty()) {
        vendors.append(a.vendor);
    } else {
        const auto choices = online::vendorChoices(layout::DataRoot() + QStringLiteral("QDAT/"));
        for (qsizetype i = 1; i < choices.size(); ++i)
            vendors.append(choices.at(i).directory);
    }
    // A vendor that fails does not keep the others from their update; the failures are told at the end.
    bool replacedAny = false;
    QStringList failures;
    for (const QString& vendor : vendors) {
        const online::UpdateRun run = online::RunVendorUpdate(http, *server, profile, vendor);
        for (const std::string& line : run.replaced)
            std::printf("%s\n", cp932::toUtf8(line).c_str());
        replacedAny = replacedAny || !run.replaced.empty();
        if (run.failed)
            failures.append(vendor + QStringLiteral(": ") + run.cause);
    }
    std::fflush(stdout);
    // Files that were replaced stay replaced, so their date is recorded even after a later failure.
    if (replacedAny)
        online::recordUpdateDate(QDate::currentDate());
    return failures.isEmpty() ? 0 : failWith(online::kDownloadFailed, failures.join(QLatin1Char('\n')));
}

int runSync(const QStringList& args)
{
    OnlineArgs a;
    if (!parseOnlineArgs(args, true, a) || a.vendor.isEmpty())
        return usage();
    layout::setProgramDir(a.binDir);
    QString error;
    const auto servers = online::ReadSyncServers(a.binDir + QStringLiteral("His_srv"), error);
    if (!servers)
        return failWith(online::kSyncFailed, error);
    online::HttpTransport http;
    if (auto problem = online::applyConnection(http, a.connection))
        return failWith(online::kSyncFailed, *problem);

    // The tests the course menu would list, with the histories it would create.
    const VendorListing listing = listVendorTests(layout::QuestionDir(a.vendor), a.vendor);
    createMissingHistories(listing.tests);

    online::HistorySync sync(http, *servers, online::readProfile(), a.binDir);
    QList<online::SyncRow> rows;
    online::HistorySync::Result result = sync.queryStatus(listing.tests, rows);
    if (result.outcome != online::HistorySync::Outcome::Done) {
        sync.cleanUp();
        if (result.outcome == online::HistorySync::Outcome::UserError) {
            std::fprintf(stderr, "%s\n", result.message.toLocal8Bit().constData());
            return 1;
        }
        return failWith(online::kSyncFailed, result.message);
    }

    JsonWriter json;
    json.beginArray();
    for (const online::SyncRow& row : rows) {
        json.beginObject();
        json.key("testId");
        json.string(row.testId.toStdString());
        json.key("state");
        json.string(row.state.toStdString());
        json.key("serverText");
        json.string(row.shownServerText().toStdString());
        json.key("clientText");
        json.string(row.clientText.toStdString());
        json.endObject();
    }
    json.endArray();
    std::fputs(json.finish().c_str(), stdout);
    std::fflush(stdout);
    if (a.status) {
        sync.cleanUp();
        return 0;
    }
    for (const online::SyncRow& row : rows) {
        result = sync.transfer(row);
        if (result.outcome != online::HistorySync::Outcome::Done) {
            sync.cleanUp();
            return failWith(online::kSyncFailed, result.message);
        }
    }
    sync.cleanUp();
    return 0;
}

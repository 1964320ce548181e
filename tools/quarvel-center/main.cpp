// quarvel-center: the update script, the image directory, the sync services and the form handler
// for Quarvel installations, over a SQLite file or a PostgreSQL database.
#include "bank/Cp932.h"
#include "bank/SettingsStore.h"
#include "tools/quarvel-center/CenterServices.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <sys/socket.h>
#include <thread>

namespace
{

int usage()
{
    std::fputs("usage:\n"
               "  quarvel-center serve --db STORE --updates DIR --images DIR [--host ADDRESS] [--port N]\n"
               "                       [--pool N] [--threads N] [--until-stdin-closes]\n"
               "      serves until stopped; prints \"listening on ADDRESS:PORT\" (port 0: any free port)\n"
               "      STORE: a SQLite file (made when missing), or postgresql://USER@HOST/DATABASE;\n"
               "      --pool: connections to PostgreSQL (default 8); --threads: requests served at once\n"
               "      (default 16)\n"
               "  quarvel-center add-user --db FILE --serial SERIAL [--name NAME] [--email EMAIL]\n"
               "  quarvel-center forms --db FILE [--json]\n"
               "      the stored forms, one field per line: ID PATH NAME=VALUE, control characters and \"\\\"\n"
               "      written as escapes (\"\\r\", \"\\x1b\", \"\\\\\", \"=\" in a name as \"\\x3d\"); with --json one "
               "array of\n"
               "      {\"id\", \"path\", \"fields\": [[NAME, VALUE], ...]}, exact even for multi-line values\n"
               "  quarvel-center demo-user --db FILE --serial SERIAL [--name NAME]\n"
               "      add-user, and store SERIAL in this user's Quarvel settings when none is stored\n",
               stderr);
    return 2;
}

// --key value pairs and bare --flags.
bool parseOptions(int argc, char** argv, std::map<std::string, std::string>& options)
{
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0)
            return false;
        if (arg == "--until-stdin-closes" || arg == "--json") {
            options[arg] = "1";
            continue;
        }
        if (i + 1 >= argc)
            return false;
        options[arg] = argv[++i];
    }
    return true;
}

// The store named by --db, migrated to the current schema; null (with the reason on stderr) when
// it cannot be opened.
std::unique_ptr<CenterStore> openStore(std::map<std::string, std::string>& options)
{
    std::string error;
    const int pool = options.count("--pool") ? std::atoi(options["--pool"].c_str()) : 8;
    auto store = CenterStore::open(options["--db"], std::clamp(pool, 1, 256), error);
    if (!store)
        std::cerr << error << "\n";
    return store;
}

httplib::Server* g_server = nullptr;

void stopServer(int)
{
    if (g_server)
        g_server->stop();
}

int serve(std::map<std::string, std::string>& options)
{
    if (!options.count("--db") || !options.count("--updates") || !options.count("--images"))
        return usage();
    const auto store = openStore(options);
    if (!store)
        return 1;
    const std::string host = options.count("--host") ? options["--host"] : "127.0.0.1";
    const int port = options.count("--port") ? std::atoi(options["--port"].c_str()) : 0;

    httplib::Server server;
    const int threads = std::clamp(options.count("--threads") ? std::atoi(options["--threads"].c_str()) : 16, 1, 1024);
    server.new_task_queue = [threads] { return new httplib::ThreadPool(size_t(threads)); };
    installServices(server, *store, {options["--updates"], options["--images"]});
    server.set_read_timeout(10, 0);
    server.set_write_timeout(10, 0);
    // The library listens with a backlog of 5; a class syncing at once would find connections
    // dropped and retried a second later. The socket is caught as it is made and listens again
    // with the system's largest backlog once bound.
    socket_t listening = INVALID_SOCKET;
    server.set_socket_options([&listening](socket_t sock) {
        httplib::default_socket_options(sock);
        listening = sock;
    });
    const int bound = port == 0 ? server.bind_to_any_port(host) : (server.bind_to_port(host, port) ? port : -1);
    if (bound < 0) {
        std::cerr << host << ":" << port << ": cannot listen\n";
        return 1;
    }
    if (listening != INVALID_SOCKET)
        ::listen(listening, SOMAXCONN);
    g_server = &server;
    std::signal(SIGTERM, stopServer);
    std::signal(SIGINT, stopServer);
    std::cout << "listening on " << host << ":" << bound << std::endl;
    if (options.count("--until-stdin-closes")) {
        // Whoever started us (a test) owns the other end: when it goes, we go.
        std::thread([&server] {
            char buffer[256];
            while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {
            }
            server.stop();
        }).detach();
    }
    server.listen_after_bind();
    g_server = nullptr;
    return 0;
}

int addUser(std::map<std::string, std::string>& options)
{
    if (!options.count("--db") || !options.count("--serial"))
        return usage();
    const auto store = openStore(options);
    if (!store)
        return 1;
    // Names arrive as UTF-8 arguments; the program sends them as CP932.
    if (!store->addUser(options["--serial"], cp932::fromUtf8(options["--name"]), cp932::fromUtf8(options["--email"]))) {
        std::cerr << options["--db"] << ": the user could not be stored\n";
        return 1;
    }
    return 0;
}

// For the demo: a newcomer has no serial yet, and the sync needs a registered one.
int demoUser(std::map<std::string, std::string>& options)
{
    const int added = addUser(options);
    if (added != 0)
        return added;
    const QString section = QLatin1String(settings::kSection);
    if (settings::ReadSetting(section, QStringLiteral("Serial")).isEmpty())
        settings::WriteSetting(section, QStringLiteral("Serial"), QString::fromStdString(options["--serial"]));
    return 0;
}

int listForms(std::map<std::string, std::string>& options)
{
    if (!options.count("--db"))
        return usage();
    const auto store = openStore(options);
    if (!store)
        return 1;
    // Pages are Shift_JIS, so their fields arrive as CP932 bytes; shown here as UTF-8.
    if (options.count("--json")) {
        QJsonArray forms;
        for (const auto& form : store->forms()) {
            QJsonArray fields;
            for (const auto& [name, value] : form.fields)
                fields.append(QJsonArray{cp932::toUnicode(name), cp932::toUnicode(value)});
            forms.append(QJsonObject{{QStringLiteral("id"), form.id},
                                     {QStringLiteral("path"), QString::fromStdString(form.path)},
                                     {QStringLiteral("fields"), fields}});
        }
        std::cout << QJsonDocument(forms).toJson(QJsonDocument::Compact).toStdString() << "\n";
        return 0;
    }
    for (const auto& form : store->forms())
        for (const auto& [name, value] : form.fields)
            std::cout << form.id << " " << escapeListed(form.path, true) << " "
                      << escapeListed(cp932::toUtf8(name), true) << "=" << escapeListed(cp932::toUtf8(value), false)
                      << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    std::map<std::string, std::string> options;
    if (!parseOptions(argc, argv, options))
        return usage();
    const std::string command = argv[1];
    if (command == "serve")
        return serve(options);
    if (command == "add-user")
        return addUser(options);
    if (command == "demo-user")
        return demoUser(options);
    if (command == "forms")
        return listForms(options);
    return usage();
}

// quarvel-center under a class syncing at once: 200 clients, each a connection per request as the
// program makes them, for a fixed time, against the SQLite store and a PostgreSQL store on a
// throwaway cluster. The mix of one sync: status of 30 tests, uploads and downloads of 1,960-byte
// histories, an update check. The same clients fetching one small image give the ceiling of the
// HTTP stack on this machine. Targets: no errors, p99 under 100 ms, mixed traffic at least 30% of
// the ceiling. QUARVEL_LOAD_SECONDS sets the time of each run (default 5).
#include "support/PostgresCluster.h"
#include "tools/quarvel-center/store/CenterStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace
{

constexpr int kClients = 200;
constexpr int kTests = 30;
const std::string kHistory(1960 - 40, 'h');

struct Answer {
    int status = 0;
    double ms = 0;
};

// One request over a fresh connection, closed at once after the answer (no TIME_WAIT pile-up).
Answer exchange(int port, const std::string& request)
{
    const auto start = std::chrono::steady_clock::now();
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(uint16_t(port));
    std::string answer;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) == ssize_t(request.size())) {
        char buffer[8192];
        for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
            answer.append(buffer, size_t(n));
    }
    const linger abort{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    ::close(fd);
    Answer result;
    result.status = answer.size() > 12 ? std::atoi(answer.c_str() + 9) : 0;
    result.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return result;
}

std::string post(const std::string& path, const std::string& body)
{
    return "POST " + path +
           " HTTP/1.0\r\nHost: x\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string serialOf(int client)
{
    return "S-" + std::to_string(client);
}

// The requests of one client's sync, in order.
std::vector<std::string> syncRequests(int client)
{
    std::vector<std::string> requests;
    const std::string serial = serialOf(client);
    for (int t = 0; t < kTests; ++t)
        requests.push_back(post("/cgi-bin/his-status", "Serial=" + serial + "&Test_ID=T" + std::to_string(t)));
    for (int t = 0; t < 3; ++t) {
        requests.push_back(
            post("/cgi-bin/his-upload", "SERIAL=" + serial + "&TEST_ID=T" + std::to_string(t) +
                                            "&LASTUPDATE=2026/12/10+09:00:00&STATUS=OK&DATA=" + kHistory));
        requests.push_back(post("/cgi-bin/his-download", "Serial=" + serial + "&Test_ID=T" + std::to_string(t + 10)));
    }
    requests.push_back("GET /cgi-bin/update?Name=&Serial=" + serial +
                       "&QDFName=qv101.qdf&date=20010510120000&Email= HTTP/1.0\r\nHost: x\r\n\r\n");
    return requests;
}

struct Load {
    double requestsPerSecond = 0;
    double p99 = 0;
    long long errors = 0;
};

// kClients threads, each running its requests round and round for `seconds`.
Load drive(int port, double seconds, bool staticOnly)
{
    std::atomic<bool> stop{false};
    std::vector<std::vector<double>> latencies(kClients);
    std::vector<long long> errors(kClients, 0);
    std::vector<std::thread> threads;
    const auto start = std::chrono::steady_clock::now();
    for (int client = 0; client < kClients; ++client)
        threads.emplace_back([&, client] {
            const std::vector<std::string> requests =
                staticOnly ? std::vector<std::string>{"GET /images/dot.gif HTTP/1.0\r\nHost: x\r\n\r\n"}
                           : syncRequests(client);
            for (size_t i = size_t(client); !stop; ++i) {
                const Answer answer = exchange(port, requests[i % requests.size()]);
                latencies[size_t(client)].push_back(answer.ms);
                if (answer.status != 200)
                    ++errors[size_t(client)];
            }
        });
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    stop = true;
    for (std::thread& thread : threads)
        thread.join();
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::vector<double> all;
    Load load;
    for (int client = 0; client < kClients; ++client) {
        all.insert(all.end(), latencies[size_t(client)].begin(), latencies[size_t(client)].end());
        load.errors += errors[size_t(client)];
    }
    std::sort(all.begin(), all.end());
    load.requestsPerSecond = double(all.size()) / elapsed;
    load.p99 = all.empty() ? 0 : all[std::min(all.size() - 1, size_t(double(all.size()) * 0.99))];
    return load;
}

void runLoad(benchmark::State& state, bool postgres)
{
    const double seconds = qEnvironmentVariableIsSet("QUARVEL_LOAD_SECONDS")
                               ? qEnvironmentVariable("QUARVEL_LOAD_SECONDS").toDouble()
                               : 5.0;
    QTemporaryDir dir;
    std::unique_ptr<testsupport::PostgresCluster> cluster;
    QString db = dir.path() + QStringLiteral("/center.sqlite");
    if (postgres) {
        cluster = std::make_unique<testsupport::PostgresCluster>();
        db = cluster->newDatabase(QStringLiteral("center"));
        if (db.isEmpty()) {
            state.SkipWithError(qPrintable(cluster->error()));
            return;
        }
    }
    {
        std::string error;
        auto store = CenterStore::open(db.toStdString(), 1, error);
        if (!store) {
            state.SkipWithError(error.c_str());
            return;
        }
        for (int client = 0; client < kClients; ++client) {
            store->addUser(serialOf(client), "learner", "");
            for (int t = 10; t < 13; ++t)
                store->storeHistory(serialOf(client), "T" + std::to_string(t),
                                    {"2026/12/01 09:00:00", "[DLDATA]\r\n" + kHistory});
        }
    }
    QFile update(dir.path() + QStringLiteral("/qv101.qdf"));
    update.open(QIODevice::WriteOnly);
    update.write(QByteArray(30000, 'q'));
    update.close();
    QFile image(dir.path() + QStringLiteral("/dot.gif"));
    image.open(QIODevice::WriteOnly);
    image.write(QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14));
    image.close();

    QProcess server;
    server.setProgram(QStringLiteral(QUARVEL_CENTER_PATH));
    server.setArguments({QStringLiteral("serve"), QStringLiteral("--db"), db, QStringLiteral("--updates"), dir.path(),
                         QStringLiteral("--images"), dir.path(), QStringLiteral("--port"), QStringLiteral("0"),
                         QStringLiteral("--until-stdin-closes")});
    server.start();
    if (!server.waitForReadyRead(30000)) {
        state.SkipWithError("the server did not start");
        return;
    }
    const QByteArray line = server.readLine().trimmed();
    const int port = line.mid(line.lastIndexOf(':') + 1).toInt();

    Load mixed;
    Load ceiling;
    for (auto _ : state) {
        mixed = drive(port, seconds, false);
        ceiling = drive(port, seconds, true);
        state.SetIterationTime(2 * seconds);
    }
    server.closeWriteChannel();
    server.waitForFinished(10000);
    state.counters["requests_per_s"] = mixed.requestsPerSecond;
    state.counters["p99_ms"] = mixed.p99;
    state.counters["errors"] = double(mixed.errors + ceiling.errors);
    state.counters["static_requests_per_s"] = ceiling.requestsPerSecond;
    state.counters["static_p99_ms"] = ceiling.p99;
    state.counters["share_of_ceiling"] =
        ceiling.requestsPerSecond > 0 ? mixed.requestsPerSecond / ceiling.requestsPerSecond : 0;
}

void BM_CenterLoad_sqlite(benchmark::State& state)
{
    runLoad(state, false);
}
void BM_CenterLoad_postgres(benchmark::State& state)
{
    runLoad(state, true);
}
BENCHMARK(BM_CenterLoad_sqlite)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_CenterLoad_postgres)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

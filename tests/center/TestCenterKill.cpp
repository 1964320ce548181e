// quarvel-center killed (SIGKILL) while 50 clients upload histories, then started again on the
// same store (QUARVEL_STORE=postgres: a throwaway PostgreSQL cluster): every upload answered "OK"
// is there byte for byte, and no stored history is anything but one whole upload.
#include "support/PostgresCluster.h"
#include "tools/quarvel-center/store/CenterStore.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <arpa/inet.h>
#include <atomic>
#include <map>
#include <mutex>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace
{

constexpr int kClients = 50;
constexpr int kTests = 3;

// One HTTP/1.0 POST over a fresh connection; the whole answer, or "" when the server is gone.
std::string post(int port, const std::string& path, const std::string& body)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(uint16_t(port));
    std::string answer;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const std::string request = "POST " + path +
                                    " HTTP/1.0\r\nHost: x\r\nContent-Type: "
                                    "application/x-www-form-urlencoded\r\nContent-Length: " +
                                    std::to_string(body.size()) + "\r\n\r\n" + body;
        if (::send(fd, request.data(), request.size(), MSG_NOSIGNAL) == ssize_t(request.size())) {
            char buffer[4096];
            for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
                answer.append(buffer, size_t(n));
        }
    }
    ::close(fd);
    return answer;
}

std::string serialOf(int client)
{
    return "S-" + std::to_string(client);
}
std::string testOf(int n)
{
    return "T" + std::to_string(n % kTests);
}
// Upload n of a client: its fields, and the history the server must store for them.
std::string uploadBody(int client, int n)
{
    return "SERIAL=" + serialOf(client) + "&TEST_ID=" + testOf(n) +
           "&LASTUPDATE=2026/12/10+09:00:00&STATUS=OK&N=" + std::to_string(n) +
           "&PAD=" + std::string(1900, char('a' + n % 26));
}
std::string storedHistory(int client, int n)
{
    return "[DLDATA]\r\nSERIAL=" + serialOf(client) + "\r\nTEST_ID=" + testOf(n) +
           "\r\nUPDATE=2026/12/10 09:00:00\r\nN=" + std::to_string(n) +
           "\r\nPAD=" + std::string(1900, char('a' + n % 26)) + "\r\n";
}

class Server
{
  public:
    Server(const QString& db, const QString& dir)
    {
        m_process.setProgram(qEnvironmentVariable("QUARVEL_CENTER"));
        m_process.setArguments({QStringLiteral("serve"), QStringLiteral("--db"), db, QStringLiteral("--updates"), dir,
                                QStringLiteral("--images"), dir, QStringLiteral("--port"), QStringLiteral("0"),
                                QStringLiteral("--until-stdin-closes")});
        m_process.start();
        if (m_process.waitForReadyRead(30000)) {
            const QByteArray line = m_process.readLine().trimmed();
            m_port = line.mid(line.lastIndexOf(':') + 1).toInt();
        }
    }
    ~Server()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished(2000);
    }
    int port() const { return m_port; }
    void kill()
    {
        ::kill(pid_t(m_process.processId()), SIGKILL);
        m_process.waitForFinished(10000);
    }

  private:
    QProcess m_process;
    int m_port = 0;
};

} // namespace

class TestCenterKill : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void everyAnsweredUploadSurvivesAKill()
    {
        std::unique_ptr<testsupport::PostgresCluster> cluster;
        QTemporaryDir dir;
        QString db = dir.path() + QStringLiteral("/center.sqlite");
        if (qgetenv("QUARVEL_STORE") == "postgres") {
            cluster = std::make_unique<testsupport::PostgresCluster>();
            db = cluster->newDatabase(QStringLiteral("center"));
            QVERIFY2(!db.isEmpty(), qPrintable(cluster->error()));
        }
        {
            std::string error;
            auto store = CenterStore::open(db.toStdString(), 1, error);
            QVERIFY2(store, error.c_str());
            for (int client = 0; client < kClients; ++client)
                QVERIFY(store->addUser(serialOf(client), "learner", ""));
        }

        // Per client and test: the last upload answered OK, and the uploads sent after it.
        struct Ledger {
            std::map<std::string, int> answered;
            std::map<std::string, std::vector<int>> unanswered;
        };
        std::vector<Ledger> ledgers(kClients);
        std::atomic<int> stored{0};
        {
            Server server(db, dir.path());
            QVERIFY(server.port() > 0);
            std::vector<std::thread> clients;
            for (int client = 0; client < kClients; ++client)
                clients.emplace_back([&, client] {
                    Ledger& ledger = ledgers[size_t(client)];
                    for (int n = 0;; ++n) {
                        const std::string answer = post(server.port(), "/cgi-bin/his-upload", uploadBody(client, n));
                        if (answer.find("\r\n\r\nOK\r\n") == std::string::npos) {
                            // Not answered: it may or may not have been stored before the kill.
                            ledger.unanswered[testOf(n)].push_back(n);
                            if (answer.empty())
                                return;
                            continue;
                        }
                        ledger.answered[testOf(n)] = n;
                        ledger.unanswered[testOf(n)].clear();
                        ++stored;
                    }
                });
            // Killed in the midst of the traffic: after a count of stored uploads, not a time.
            while (stored < 10 * kClients)
                std::this_thread::yield();
            server.kill();
            for (std::thread& thread : clients)
                thread.join();
        }

        Server again(db, dir.path());
        QVERIFY(again.port() > 0);
        int checked = 0;
        for (int client = 0; client < kClients; ++client) {
            for (int t = 0; t < kTests; ++t) {
                const std::string test = testOf(t);
                const std::string answer =
                    post(again.port(), "/cgi-bin/his-download", "Serial=" + serialOf(client) + "&Test_ID=" + test);
                const std::string body = answer.substr(std::min(answer.size(), answer.find("\r\n\r\n") + 4));
                const Ledger& ledger = ledgers[size_t(client)];
                std::vector<int> acceptable;
                if (ledger.answered.count(test))
                    acceptable.push_back(ledger.answered.at(test));
                if (ledger.unanswered.count(test))
                    for (int n : ledger.unanswered.at(test))
                        acceptable.push_back(n);
                bool matches = acceptable.empty() && answer.find(" 404 ") != std::string::npos;
                for (int n : acceptable)
                    matches = matches || body == storedHistory(client, n);
                // Stored and answered, or not answered and absent: nothing else.
                if (!matches && !ledger.answered.count(test) && answer.find(" 404 ") != std::string::npos)
                    matches = true;
                QVERIFY2(matches,
                         qPrintable(QStringLiteral("%1 %2: %3")
                                        .arg(QString::fromStdString(serialOf(client)), QString::fromStdString(test),
                                             QString::fromStdString(body.substr(0, 80)))));
                checked += ledger.answered.count(test) ? 1 : 0;
            }
        }
        QVERIFY(checked > 0);
    }
};

QTEST_GUILESS_MAIN(TestCenterKill)
#include "TestCenterKill.moc"

#pragma once
// Servers for the online tests, all on 127.0.0.1 and all stopping by themselves: the real
// quarvel-center, a real proxy (tinyproxy), and small raw servers that answer what a test tells
// them to (errors, cut-short bodies, garbage, or nothing at all).
#include "bank/QuestionFileWriter.h"
#include "support/PostgresCluster.h"
#include "support/TestSupport.h"

#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QTcpSocket>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace onlinefixtures
{

// A server that reads one request per connection and sends back whatever the handler returns.
// The answer kHang keeps the connection open without a word until the server stops.
class RawServer
{
  public:
    static inline const std::string kHang = "\x01hang";
    using Handler = std::function<std::string(const std::string& request)>;

    explicit RawServer(Handler handler) : m_handler(std::move(handler))
    {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_listen, 16);
        socklen_t length = sizeof address;
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~RawServer()
    {
        m_stop = true;
        m_thread.join();
        for (int fd : m_held)
            ::close(fd);
        ::close(m_listen);
    }
    int port() const { return m_port; }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    std::vector<std::string> requests()
    {
        std::lock_guard guard(m_lock);
        return m_requests;
    }

    // A whole response with a status line, a length and a body.
    static std::string response(int status, const std::string& body, const std::string& type = "text/plain")
    {
        return "HTTP/1.0 " + std::to_string(status) + " X\r\nContent-Type: " + type +
               "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    }

  private:
    void serve()
    {
        while (!m_stop) {
            pollfd p{m_listen, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            const int fd = ::accept(m_listen, nullptr, nullptr);
            if (fd < 0)
                continue;
            const std::string request = readRequest(fd);
            {
                std::lock_guard guard(m_lock);
                m_requests.push_back(request);
            }
            const std::string answer = m_handler(request);
            if (answer == kHang) {
                m_held.push_back(fd);
                continue;
            }
            size_t sent = 0;
            while (sent < answer.size()) {
                const ssize_t n = ::send(fd, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += size_t(n);
            }
            ::shutdown(fd, SHUT_WR);
            ::close(fd);
        }
    }

    std::string readRequest(int fd)
    {
        std::string data;
        size_t wanted = std::string::npos;
        for (int waits = 0; waits < 100 && !m_stop;) {
            if (wanted != std::string::npos && data.size() >= wanted)
                break;
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) {
                ++waits;
                continue;
            }
            char buffer[65536];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            data.append(buffer, size_t(n));
            const size_t end = data.find("\r\n\r\n");
            if (end != std::string::npos && wanted == std::string::npos) {
                size_t length = 0;
                const size_t at = data.find("Content-Length: ");
                if (at != std::string::npos && at < end)
                    length = std::stoul(data.substr(at + 16));
                wanted = end + 4 + length;
            }
        }
        return data;
    }

    Handler m_handler;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::vector<int> m_held;
    std::mutex m_lock;
    std::vector<std::string> m_requests;
};

// quarvel-center on a free loopback port, serving `updates` and `images` from its own directory.
// Its store is a SQLite file, or with QUARVEL_STORE=postgres a new database of one throwaway
// cluster shared by the test program.
class Center
{
  public:
    Center()
    {
        if (qgetenv("QUARVEL_STORE") == "postgres") {
            static testsupport::PostgresCluster cluster;
            static int databases = 0;
            m_db = cluster.newDatabase(QStringLiteral("center%1").arg(++databases));
            if (m_db.isEmpty())
                qFatal("no PostgreSQL store: %s", qPrintable(cluster.error()));
        } else {
            m_db = m_dir.path() + QStringLiteral("/center.sqlite");
        }
        QDir(m_dir.path()).mkpath(QStringLiteral("updates"));
        QDir(m_dir.path()).mkpath(QStringLiteral("images"));
        m_process.setProgram(qEnvironmentVariable("QUARVEL_CENTER"));
        m_process.setArguments({QStringLiteral("serve"), QStringLiteral("--db"), db(), QStringLiteral("--updates"),
                                updatesDir(), QStringLiteral("--images"), imagesDir(), QStringLiteral("--port"),
                                QStringLiteral("0"), QStringLiteral("--until-stdin-closes")});
        m_process.start();
        if (m_process.waitForReadyRead(15000)) {
            const QByteArray line = m_process.readLine().trimmed();
            m_port = line.mid(line.lastIndexOf(':') + 1).toInt();
        }
    }
    ~Center()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(2000);
    }
    int port() const { return m_port; }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    QString db() const { return m_db; }
    QString updatesDir() const { return m_dir.path() + QStringLiteral("/updates/"); }
    QString imagesDir() const { return m_dir.path() + QStringLiteral("/images/"); }

    // Runs a command of the server program to its end.
    static int run(const QStringList& args, QByteArray* out = nullptr)
    {
        QProcess p;
        p.start(qEnvironmentVariable("QUARVEL_CENTER"), args);
        if (!p.waitForFinished(15000))
            return -1;
        if (out)
            *out = p.readAllStandardOutput();
        return p.exitCode();
    }
    int addUser(const QString& serial, const QString& name = {}) const
    {
        return run({QStringLiteral("add-user"), QStringLiteral("--db"), db(), QStringLiteral("--serial"), serial,
                    QStringLiteral("--name"), name});
    }

  private:
    QTemporaryDir m_dir;
    QString m_db;
    QProcess m_process;
    int m_port = 0;
};

// A question data file of three questions with the given code, title and header line 9.
inline std::string questionFile(const std::string& code, const std::string& title, const std::string& stamp,
                                int questions = 3)
{
    QuestionHeader header;
    header.code = code;
    header.title = title;
    header.updated = stamp;
    header.targetRate = "70";
    header.mockCount = 2;
    auto bank = testsupport::oneCategoryBank(questions, 10, {"yes", "no", "maybe"});
    return QuestionFileBytes(header, *bank);
}

// A test settings file of version `version` listing `images` ("NAME VERSION" lines).
inline std::string settingsFile(int version, const std::vector<std::string>& images = {})
{
    std::string text = "test settings\r\n" + std::to_string(version) + "\r\nimages\r\n";
    for (const std::string& image : images)
        text += image + "\r\n";
    return text + "\r\n[Level]\r\nTextA=A\r\n";
}

inline bool writeBytes(const QString& path, const std::string& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

// Every file below `root` with its bytes, to show that a failed run changed nothing.
inline QMap<QString, QByteArray> snapshot(const QString& root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        files.insert(path, file.readAll());
    }
    return files;
}

// A free loopback port (for programs that must be told one).
inline int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

// tinyproxy in the foreground on a free loopback port; empty port() when it is not installed.
class Proxy
{
  public:
    Proxy()
    {
        m_port = freePort();
        const QString conf = m_dir.path() + QStringLiteral("/tinyproxy.conf");
        writeBytes(conf, "Port " + std::to_string(m_port) +
                             "\nListen 127.0.0.1\nAllow 127.0.0.1\nTimeout 10\n"
                             "MaxClients 20\nUser nobody\nGroup nogroup\nLogLevel Connect\n");
        m_process.start(QStringLiteral("tinyproxy"), {QStringLiteral("-d"), QStringLiteral("-c"), conf});
        if (!m_process.waitForStarted(5000)) {
            m_port = 0;
            return;
        }
        // Ready when it accepts connections (bounded: about five seconds).
        for (int i = 0; i < 250; ++i) {
            QTcpSocket probe;
            probe.connectToHost(QStringLiteral("127.0.0.1"), quint16(m_port));
            if (probe.waitForConnected(20))
                return;
            QThread::msleep(20);
        }
        m_port = 0;
    }
    ~Proxy()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished(2000);
    }
    int port() const { return m_port; }

  private:
    QTemporaryDir m_dir;
    QString m_db;
    QProcess m_process;
    int m_port = 0;
};

} // namespace onlinefixtures

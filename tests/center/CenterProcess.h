#pragma once
// quarvel-center serving a store for a test: started with `serve` on a free port (or as `extra`
// says), stopped when its standard input closes, or killed.
#include <QProcess>
#include <QStringList>

#include <signal.h>

class CenterProcess
{
  public:
    CenterProcess(const QString& db, const QString& dir, const QStringList& extra = {})
    {
        m_process.setProgram(qEnvironmentVariable("QUARVEL_CENTER"));
        QStringList args{QStringLiteral("serve"),
                         QStringLiteral("--db"),
                         db,
                         QStringLiteral("--updates"),
                         dir,
                         QStringLiteral("--images"),
                         dir,
                         QStringLiteral("--until-stdin-closes")};
        if (!extra.contains(QStringLiteral("--port")))
            args << QStringLiteral("--port") << QStringLiteral("0");
        m_process.setArguments(args + extra);
        m_process.start();
        if (m_process.waitForReadyRead(30000)) {
            const QByteArray line = m_process.readLine().trimmed();
            m_port = line.mid(line.lastIndexOf(':') + 1).toInt();
        }
    }
    ~CenterProcess()
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

    // Runs another command of the server program to its end, `input` on its standard input.
    static int run(const QStringList& args, const QByteArray& input = {})
    {
        QProcess p;
        p.start(qEnvironmentVariable("QUARVEL_CENTER"), args);
        p.write(input);
        p.closeWriteChannel();
        if (!p.waitForFinished(60000))
            return -1;
        return p.exitCode();
    }

  private:
    QProcess m_process;
    int m_port = 0;
};

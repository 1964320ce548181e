#include "support/PostgresCluster.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUrl>

#include <algorithm>
#include <unistd.h>

namespace testsupport
{
namespace
{
const QString kSuperuser = QStringLiteral("quarvel");

// The newest server binaries Debian installed (/usr/lib/postgresql/<major>/bin).
QString serverBinaries()
{
    QStringList majors = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(majors.begin(), majors.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    return majors.isEmpty() ? QString() : QStringLiteral("/usr/lib/postgresql/%1/bin/").arg(majors.last());
}
} // namespace

bool PostgresCluster::run(const QString& program, const QStringList& args, QString* output)
{
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    if (geteuid() == 0) {
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), program} +
                          args);
    } else {
        process.start(program, args);
    }
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        m_error = program + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput());
    return true;
}

PostgresCluster::PostgresCluster()
{
    m_bin = serverBinaries();
    if (m_bin.isEmpty()) {
        m_error = QStringLiteral("no PostgreSQL server installed (Debian package postgresql)");
        return;
    }
    // The socket path must stay short (about 100 bytes) and the directory must be the cluster
    // owner's.
    if (geteuid() == 0 && ::chown(QFile::encodeName(m_dir.path()).constData(), 65534, 65534) != 0) {
        m_error = QStringLiteral("cannot give %1 to nobody").arg(m_dir.path());
        return;
    }
    const QString data = m_dir.path() + QStringLiteral("/data");
    if (!run(m_bin + QStringLiteral("initdb"),
             {QStringLiteral("-D"), data, QStringLiteral("-U"), kSuperuser, QStringLiteral("--auth=trust"),
              QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8"),
              QStringLiteral("--no-sync")}))
        return;
    m_started = run(m_bin + QStringLiteral("pg_ctl"),
                    {QStringLiteral("-D"), data, QStringLiteral("-l"), m_dir.path() + QStringLiteral("/log"),
                     QStringLiteral("-w"), QStringLiteral("-o"),
                     QStringLiteral("-k %1 -c listen_addresses='' -c max_connections=300").arg(m_dir.path()),
                     QStringLiteral("start")});
}

PostgresCluster::~PostgresCluster()
{
    if (m_started)
        run(m_bin + QStringLiteral("pg_ctl"),
            {QStringLiteral("-D"), m_dir.path() + QStringLiteral("/data"), QStringLiteral("-m"),
             QStringLiteral("immediate"), QStringLiteral("stop")});
}

QString PostgresCluster::newDatabase(const QString& name)
{
    if (!m_started || !run(m_bin + QStringLiteral("createdb"),
                           {QStringLiteral("-h"), m_dir.path(), QStringLiteral("-U"), kSuperuser, name}))
        return QString();
    return QStringLiteral("postgresql://%1@%2/%3")
        .arg(kSuperuser, QString::fromLatin1(QUrl::toPercentEncoding(m_dir.path())), name);
}

bool PostgresCluster::sql(const QString& name, const QString& statements, QString* output)
{
    return m_started && run(QStringLiteral("/usr/bin/psql"),
                            {QStringLiteral("-h"), m_dir.path(), QStringLiteral("-U"), kSuperuser, QStringLiteral("-d"),
                             name, QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-qAt"),
                             QStringLiteral("-c"), statements},
                            output);
}

} // namespace testsupport

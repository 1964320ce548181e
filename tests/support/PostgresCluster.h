#pragma once
// A throwaway PostgreSQL cluster for tests and benchmarks: initdb into a temporary directory,
// started on a Unix socket there (no port to collide on), stopped and removed with the object.
// Run as root, the cluster belongs to the unprivileged user "nobody", as PostgreSQL insists.
#include <QString>
#include <QTemporaryDir>

namespace testsupport
{

class PostgresCluster
{
  public:
    PostgresCluster();
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    // Empty when the cluster runs; else what went wrong.
    QString error() const { return m_error; }
    // Creates an empty database and returns its connection URI ("postgresql://...").
    QString newDatabase(const QString& name);
    // Runs SQL in the database `name` through psql; false on failure.
    bool sql(const QString& name, const QString& statements, QString* output = nullptr);

  private:
    bool run(const QString& program, const QStringList& args, QString* output = nullptr);

    QTemporaryDir m_dir;
    QString m_bin;
    QString m_error;
    bool m_started = false;
};

} // namespace testsupport

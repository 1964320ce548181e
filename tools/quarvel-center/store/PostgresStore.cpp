#include "tools/quarvel-center/store/CenterStore.h"
#include "tools/quarvel-center/store/Migrations.h"

#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <libpq-fe.h>
#include <mutex>
#include <unordered_map>

namespace
{

// Type numbers of the parameters we send (pg_type.h).
constexpr Oid kBytea = 17;
constexpr Oid kInt8 = 20;

// One parameter in binary form: bytes as they are, integers in network order.
struct Param {
    Param(const std::string& bytes) : value(bytes), type(kBytea) {}
    Param(long long number) : type(kInt8)
    {
        for (int shift = 56; shift >= 0; shift -= 8)
            value.push_back(char((static_cast<unsigned long long>(number) >> shift) & 0xff));
    }
    std::string value;
    Oid type;
};

// A result that clears itself; its columns come in binary form.
class Result
{
  public:
    explicit Result(PGresult* result) : m_result(result) {}
    ~Result() { PQclear(m_result); }
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;

    bool ok() const
    {
        const auto status = PQresultStatus(m_result);
        return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
    }
    int rows() const { return PQntuples(m_result); }
    bool isNull(int row, int column) const { return PQgetisnull(m_result, row, column); }
    std::string bytes(int row, int column) const
    {
        return std::string(PQgetvalue(m_result, row, column), size_t(PQgetlength(m_result, row, column)));
    }
    long long integer(int row, int column) const
    {
        const auto* data = reinterpret_cast<const unsigned char*>(PQgetvalue(m_result, row, column));
        const int length = PQgetlength(m_result, row, column);
        unsigned long long value = 0;
        for (int i = 0; i < length; ++i)
            value = (value << 8) | data[i];
        // int4 columns (length 4) are sign-extended as well as int8 ones.
        if (length == 4)
            return static_cast<std::int32_t>(value);
        return static_cast<long long>(value);
    }

  private:
    PGresult* m_result;
};

// A connection of the pool and the statements prepared on it: each query is parsed and planned
// once per connection, not once per request.
struct Connection {
    PGconn* pg = nullptr;
    std::unordered_map<std::string, std::string> prepared; // SQL -> statement name
};

class PostgresStore : public CenterStore
{
  public:
    ~PostgresStore() override
    {
        for (Connection* connection : m_idle) {
            PQfinish(connection->pg);
            delete connection;
        }
    }
    bool open(const std::string& uri, int connections, std::string& error);

    int schemaVersion() override;
    bool addUser(const std::string& serial, const std::string& name, const std::string& email) override;
    bool userExists(const std::string& serial) override;
    std::optional<StoredHistory> history(const std::string& serial, const std::string& testId) override;
    bool storeHistory(const std::string& serial, const std::string& testId, const StoredHistory& history) override;
    bool storeForm(const std::string& path, const Fields& fields) override;
    std::vector<StoredForm> forms() override;
    std::vector<Learner> learners() override;
    std::optional<Learner> learner(const std::string& serial) override;
    bool setDisabled(const std::string& serial, bool disabled) override;
    std::vector<std::pair<std::string, StoredHistory>> histories(const std::string& serial) override;
    bool setAdmin(const std::string& name, const std::string& hash) override;
    std::optional<std::string> adminHash(const std::string& name) override;

  private:
    std::vector<Learner> readLearners(const char* sql, const std::vector<Param>& params);
    // A connection of the pool, given back when the lease ends. A connection that broke is
    // reset first, so one restart of the database costs one failed request, not the server.
    class Lease
    {
      public:
        explicit Lease(PostgresStore& store) : m_store(store), m_connection(store.take()) {}
        ~Lease() { m_store.giveBack(m_connection); }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        Connection& get() const { return *m_connection; }

      private:
        PostgresStore& m_store;
        Connection* m_connection;
    };

    Connection* take()
    {
        std::unique_lock lock(m_poolLock);
        m_available.wait(lock, [this] { return !m_idle.empty(); });
        Connection* connection = m_idle.back();
        m_idle.pop_back();
        lock.unlock();
        if (PQstatus(connection->pg) != CONNECTION_OK) {
            PQreset(connection->pg);
            connection->prepared.clear(); // a new session knows none of them
        }
        return connection;
    }
    void giveBack(Connection* connection)
    {
        {
            std::lock_guard lock(m_poolLock);
            m_idle.push_back(connection);
        }
        m_available.notify_one();
    }

    static Result run(Connection& connection, const char* sql, const std::vector<Param>& params = {})
    {
        std::vector<const char*> values;
        std::vector<int> lengths;
        std::vector<int> formats;
        std::vector<Oid> types;
        for (const Param& p : params) {
            values.push_back(p.value.data());
            lengths.push_back(int(p.value.size()));
            formats.push_back(1);
            types.push_back(p.type);
        }
        auto known = connection.prepared.find(sql);
        if (known == connection.prepared.end()) {
            const std::string name = "q" + std::to_string(connection.prepared.size());
            Result prepared(PQprepare(connection.pg, name.c_str(), sql, int(params.size()), types.data()));
            if (!prepared.ok())
                return Result(PQexecParams(connection.pg, sql, int(params.size()), types.data(), values.data(),
                                           lengths.data(), formats.data(), 1));
            known = connection.prepared.emplace(sql, name).first;
        }
        return Result(PQexecPrepared(connection.pg, known->second.c_str(), int(params.size()), values.data(),
                                     lengths.data(), formats.data(), 1));
    }

    std::mutex m_poolLock;
    std::condition_variable m_available;
    std::vector<Connection*> m_idle;
};

bool PostgresStore::open(const std::string& uri, int connections, std::string& error)
{
    for (int i = 0; i < std::max(1, connections); ++i) {
        PGconn* connection = PQconnectdb(uri.c_str());
        if (PQstatus(connection) != CONNECTION_OK) {
            error = uri + ": " + PQerrorMessage(connection);
            while (!error.empty() && error.back() == '\n')
                error.pop_back();
            PQfinish(connection);
            return false;
        }
        m_idle.push_back(new Connection{connection, {}});
    }
    Connection& firstConnection = *m_idle.front();
    PGconn* first = firstConnection.pg;
    // Notices ("relation already exists, skipping") are not for the server's log.
    PQsetNoticeProcessor(
        first, [](void*, const char*) {}, nullptr);
    MigrationTarget target;
    target.exec = [first](const std::string& sql, std::string& why) {
        Result result(PQexec(first, sql.c_str()));
        if (result.ok())
            return true;
        why = PQerrorMessage(first);
        return false;
    };
    target.version = [first, &firstConnection](std::string& why) -> std::optional<int> {
        Result result = run(firstConnection, "SELECT coalesce(max(version), 0)::bigint FROM schema_version");
        if (!result.ok() || result.rows() != 1) {
            why = PQerrorMessage(first);
            return std::nullopt;
        }
        return int(result.integer(0, 0));
    };
    // An advisory lock taken for the transaction: of two servers starting at once, one migrates.
    if (auto problem = migrate(target, postgresMigrations(), "BEGIN; SELECT pg_advisory_xact_lock(7412001)")) {
        error = uri + ": " + *problem;
        return false;
    }
    return true;
}

int PostgresStore::schemaVersion()
{
    Lease lease(*this);
    Result result = run(lease.get(), "SELECT coalesce(max(version), 0)::bigint FROM schema_version");
    return result.ok() && result.rows() == 1 ? int(result.integer(0, 0)) : 0;
}

bool PostgresStore::addUser(const std::string& serial, const std::string& name, const std::string& email)
{
    Lease lease(*this);
    return run(lease.get(),
               "INSERT INTO users (serial, name, email) VALUES ($1, $2, $3)"
               " ON CONFLICT (serial) DO UPDATE SET name = excluded.name, email = excluded.email",
               {serial, name, email})
        .ok();
}

bool PostgresStore::userExists(const std::string& serial)
{
    Lease lease(*this);
    Result result = run(lease.get(), "SELECT 1 FROM users WHERE serial = $1 AND NOT disabled", {serial});
    return result.ok() && result.rows() > 0;
}

std::optional<CenterStore::StoredHistory> PostgresStore::history(const std::string& serial, const std::string& testId)
{
    Lease lease(*this);
    Result result =
        run(lease.get(), "SELECT updated, data FROM histories WHERE serial = $1 AND test_id = $2", {serial, testId});
    if (!result.ok() || result.rows() == 0)
        return std::nullopt;
    return StoredHistory{result.bytes(0, 0), result.bytes(0, 1)};
}

bool PostgresStore::storeHistory(const std::string& serial, const std::string& testId, const StoredHistory& history)
{
    Lease lease(*this);
    return run(lease.get(),
               "INSERT INTO histories (serial, test_id, updated, data) VALUES ($1, $2, $3, $4)"
               " ON CONFLICT (serial, test_id) DO UPDATE SET updated = excluded.updated, data = excluded.data",
               {serial, testId, history.updated, history.data})
        .ok();
}

bool PostgresStore::storeForm(const std::string& path, const Fields& fields)
{
    Lease lease(*this);
    Connection& c = lease.get();
    if (!run(c, "BEGIN").ok())
        return false;
    const auto fail = [&c] {
        run(c, "ROLLBACK");
        return false;
    };
    Result form = run(c, "INSERT INTO forms (path) VALUES ($1) RETURNING id", {path});
    if (!form.ok() || form.rows() != 1)
        return fail();
    const long long id = form.integer(0, 0);
    long long position = 0;
    for (const auto& [name, value] : fields) {
        if (!run(c, "INSERT INTO form_fields (form_id, position, name, value) VALUES ($1, $2, $3, $4)",
                 {id, position++, name, value})
                 .ok())
            return fail();
    }
    return run(c, "COMMIT").ok();
}

std::vector<CenterStore::StoredForm> PostgresStore::forms()
{
    Lease lease(*this);
    std::vector<StoredForm> result;
    Result rows = run(lease.get(), "SELECT f.id, f.path, x.name, x.value, x.position FROM forms f"
                                   " LEFT JOIN form_fields x ON x.form_id = f.id ORDER BY f.id, x.position");
    if (!rows.ok())
        return result;
    for (int row = 0; row < rows.rows(); ++row) {
        const long long id = rows.integer(row, 0);
        if (result.empty() || result.back().id != id)
            result.push_back({id, rows.bytes(row, 1), {}});
        if (!rows.isNull(row, 4))
            result.back().fields.emplace_back(rows.bytes(row, 2), rows.bytes(row, 3));
    }
    return result;
}

std::vector<CenterStore::Learner> PostgresStore::readLearners(const char* sql, const std::vector<Param>& params)
{
    Lease lease(*this);
    Result rows = run(lease.get(), sql, params);
    std::vector<Learner> result;
    for (int row = 0; rows.ok() && row < rows.rows(); ++row)
        result.push_back({rows.bytes(row, 0), rows.bytes(row, 1), rows.bytes(row, 2), rows.integer(row, 3) != 0,
                          rows.isNull(row, 4) ? std::string() : rows.bytes(row, 4)});
    return result;
}

// The columns of a learner, the time in the form the SQLite store keeps.
#define LEARNER_COLUMNS                                                                                                \
    "SELECT serial, name, email, (CASE WHEN disabled THEN 1 ELSE 0 END)::bigint,"                                      \
    " to_char(last_sync AT TIME ZONE 'UTC', 'YYYY-MM-DD HH24:MI:SS') FROM users"

std::vector<CenterStore::Learner> PostgresStore::learners()
{
    return readLearners(LEARNER_COLUMNS " ORDER BY serial", {});
}

std::optional<CenterStore::Learner> PostgresStore::learner(const std::string& serial)
{
    auto found = readLearners(LEARNER_COLUMNS " WHERE serial = $1", {serial});
    if (found.empty())
        return std::nullopt;
    return found.front();
}
#undef LEARNER_COLUMNS

bool PostgresStore::setDisabled(const std::string& serial, bool disabled)
{
    Lease lease(*this);
    Result result = run(lease.get(), "UPDATE users SET disabled = ($1 <> 0) WHERE serial = $2 RETURNING 1",
                        {disabled ? 1LL : 0LL, serial});
    return result.ok() && result.rows() == 1;
}

std::vector<std::pair<std::string, CenterStore::StoredHistory>> PostgresStore::histories(const std::string& serial)
{
    Lease lease(*this);
    Result rows =
        run(lease.get(), "SELECT test_id, updated, data FROM histories WHERE serial = $1 ORDER BY test_id", {serial});
    std::vector<std::pair<std::string, StoredHistory>> result;
    for (int row = 0; rows.ok() && row < rows.rows(); ++row)
        result.emplace_back(rows.bytes(row, 0), StoredHistory{rows.bytes(row, 1), rows.bytes(row, 2)});
    return result;
}

bool PostgresStore::setAdmin(const std::string& name, const std::string& hash)
{
    Lease lease(*this);
    return run(lease.get(),
               "INSERT INTO admins (name, hash) VALUES ($1, convert_from($2, 'UTF8'))"
               " ON CONFLICT (name) DO UPDATE SET hash = excluded.hash",
               {name, hash})
        .ok();
}

std::optional<std::string> PostgresStore::adminHash(const std::string& name)
{
    Lease lease(*this);
    Result result = run(lease.get(), "SELECT hash FROM admins WHERE name = $1", {name});
    if (!result.ok() || result.rows() == 0)
        return std::nullopt;
    return result.bytes(0, 0);
}

} // namespace

std::unique_ptr<CenterStore> openPostgresStore(const std::string& uri, int connections, std::string& error)
{
    auto store = std::make_unique<PostgresStore>();
    if (!store->open(uri, connections, error))
        return nullptr;
    return store;
}

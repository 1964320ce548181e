#include "tools/quarvel-center/store/CenterStore.h"
#include "tools/quarvel-center/store/Migrations.h"

#include <mutex>
#include <sqlite3.h>
#include <unordered_map>

namespace
{

// Statements are prepared once per connection and kept: parsing and planning a query cost more
// than running it. Used under the store's lock.
class StatementCache
{
  public:
    explicit StatementCache(sqlite3*& db) : m_db(db) {}
    ~StatementCache() { clear(); }
    sqlite3_stmt* get(const char* sql)
    {
        sqlite3_stmt*& cached = m_statements[sql];
        if (!cached)
            sqlite3_prepare_v2(m_db, sql, -1, &cached, nullptr); // left null to retry, if it fails
        return cached;
    }
    void clear()
    {
        for (auto& entry : m_statements)
            sqlite3_finalize(entry.second);
        m_statements.clear();
    }

  private:
    sqlite3*& m_db;
    std::unordered_map<std::string, sqlite3_stmt*> m_statements;
};

// A use of a kept statement: bound, stepped, and reset for the next use when it ends.
class Statement
{
  public:
    Statement(StatementCache& cache, const char* sql) : m_stmt(cache.get(sql)) {}
    ~Statement()
    {
        if (m_stmt) {
            sqlite3_reset(m_stmt);
            sqlite3_clear_bindings(m_stmt);
        }
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool valid() const { return m_stmt != nullptr; }
    Statement& bind(int index, const std::string& value)
    {
        sqlite3_bind_blob(m_stmt, index, value.data(), int(value.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bind(int index, long long value)
    {
        sqlite3_bind_int64(m_stmt, index, value);
        return *this;
    }
    int step() { return m_stmt ? sqlite3_step(m_stmt) : SQLITE_ERROR; }
    std::string text(int column)
    {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
        return data ? std::string(data, size_t(sqlite3_column_bytes(m_stmt, column))) : std::string();
    }
    long long integer(int column) { return sqlite3_column_int64(m_stmt, column); }
    bool isNull(int column) { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }

  private:
    sqlite3_stmt* m_stmt = nullptr;
};

// One SQLite file over one connection, used under a lock by the server's threads.
class SqliteStore : public CenterStore
{
  public:
    ~SqliteStore() override
    {
        m_statements.clear(); // a connection with statements left does not close
        sqlite3_close(m_db);
    }
    bool open(const std::string& path, std::string& error);

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
    std::vector<Learner> readLearners(const char* where, const std::string& serial);
    bool exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    std::optional<int> readVersion();

    sqlite3* m_db = nullptr;
    StatementCache m_statements{m_db};
    std::mutex m_lock;
};

std::optional<int> SqliteStore::readVersion()
{
    Statement s(m_statements, "SELECT max(version) FROM schema_version");
    if (s.step() != SQLITE_ROW)
        return std::nullopt;
    return int(s.integer(0));
}

bool SqliteStore::open(const std::string& path, std::string& error)
{
    if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK) {
        error = path + ": " + sqlite3_errmsg(m_db);
        return false;
    }
    sqlite3_busy_timeout(m_db, 2000);
    // A write-ahead log keeps every commit whole; FULL syncs it at each commit, so an upload
    // answered "OK" is on the disk even if the power goes right after.
    exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;");
    MigrationTarget target;
    target.exec = [this](const std::string& sql, std::string& why) {
        if (exec(sql.c_str()))
            return true;
        why = sqlite3_errmsg(m_db);
        return false;
    };
    target.version = [this](std::string& why) {
        auto version = readVersion();
        if (!version)
            why = sqlite3_errmsg(m_db);
        return version;
    };
    // BEGIN IMMEDIATE takes the write lock at once, so two servers starting together take turns.
    if (auto problem = migrate(target, sqliteMigrations(), "BEGIN IMMEDIATE")) {
        error = path + ": " + *problem;
        return false;
    }
    return true;
}

int SqliteStore::schemaVersion()
{
    std::lock_guard guard(m_lock);
    return readVersion().value_or(0);
}

bool SqliteStore::addUser(const std::string& serial, const std::string& name, const std::string& email)
{
    std::lock_guard guard(m_lock);
    Statement s(m_statements, "INSERT INTO users (serial, name, email) VALUES (?, ?, ?)"
                              " ON CONFLICT (serial) DO UPDATE SET name = excluded.name, email = excluded.email");
    return s.bind(1, serial).bind(2, name).bind(3, email).step() == SQLITE_DONE;
}

bool SqliteStore::userExists(const std::string& serial)
{
    std::lock_guard guard(m_lock);
    Statement s(m_statements, "SELECT 1 FROM users WHERE serial = ? AND NOT disabled");
    return s.bind(1, serial).step() == SQLITE_ROW;
}

std::optional<CenterStore::StoredHistory> SqliteStore::history(const std::string& serial, const std::string& testId)
{
    std::lock_guard guard(m_lock);
    Statement s(m_statements, "SELECT updated, data FROM histories WHERE serial = ? AND test_id = ?");
    if (s.bind(1, serial).bind(2, testId).step() != SQLITE_ROW)
        return std::nullopt;
    return StoredHistory{s.text(0), s.text(1)};
}

bool SqliteStore::storeHistory(const std::string& serial, const std::string& testId, const StoredHistory& history)
{
    std::lock_guard guard(m_lock);
    Statement s(m_statements, "INSERT OR REPLACE INTO histories (serial, test_id, updated, data) VALUES (?, ?, ?, ?)");
    return s.bind(1, serial).bind(2, testId).bind(3, history.updated).bind(4, history.data).step() == SQLITE_DONE;
}

bool SqliteStore::storeForm(const std::string& path, const Fields& fields)
{
    std::lock_guard guard(m_lock);
    if (!exec("BEGIN"))
        return false;
    Statement form(m_statements, "INSERT INTO forms (path) VALUES (?)");
    if (form.bind(1, path).step() != SQLITE_DONE) {
        exec("ROLLBACK");
        return false;
    }
    const long long id = sqlite3_last_insert_rowid(m_db);
    long long position = 0;
    for (const auto& [name, value] : fields) {
        Statement field(m_statements, "INSERT INTO form_fields (form_id, position, name, value) VALUES (?, ?, ?, ?)");
        if (field.bind(1, id).bind(2, position++).bind(3, name).bind(4, value).step() != SQLITE_DONE) {
            exec("ROLLBACK");
            return false;
        }
    }
    return exec("COMMIT");
}

std::vector<CenterStore::StoredForm> SqliteStore::forms()
{
    std::lock_guard guard(m_lock);
    std::vector<StoredForm> result;
    Statement s(
        m_statements,
        "SELECT f.id, f.path, x.name, x.value, x.position FROM forms f LEFT JOIN form_fields x ON x.form_id = f.id"
        " ORDER BY f.id, x.position");
    while (s.step() == SQLITE_ROW) {
        const long long id = s.integer(0);
        if (result.empty() || result.back().id != id)
            result.push_back({id, s.text(1), {}});
        // A form without fields joins to one row of nulls; a field's name may be empty.
        if (!s.isNull(4))
            result.back().fields.emplace_back(s.text(2), s.text(3));
    }
    return result;
}

std::vector<CenterStore::Learner> SqliteStore::readLearners(const char* sql, const std::string& serial)
{
    std::lock_guard guard(m_lock);
    Statement s(m_statements, sql);
    if (!serial.empty())
        s.bind(1, serial);
    std::vector<Learner> result;
    while (s.step() == SQLITE_ROW)
        result.push_back({s.text(0), s.text(1), s.text(2), s.integer(3) != 0, s.text(4)});
    return result;
}

std::vector<CenterStore::Learner> SqliteStore::learners()
{
    return readLearners("SELECT serial, name, email, disabled, last_sync FROM users ORDER BY serial", {});
}

std::optional<CenterStore::Learner> SqliteStore::learner(const std::string& serial)
{
    auto found = readLearners("SELECT serial, name, email, disabled, last_sync FROM users WHERE serial = ?", serial);
    if (found.empty())
        return std::nullopt;
    return found.front();
}

bool SqliteStore::setDisabled(const std::string& serial, bool disabled)
{
    std::lock_guard guard(m_lock);
    Statement s(m_statements, "UPDATE users SET disabled = ? WHERE serial = ?");
    return s.bind(1, disabled ? 1LL : 0LL).bind(2, serial).step() == SQLITE_DONE && sqlite3_changes(m_db) == 1;
}

std::vector<std::pair<std::string, CenterStore::StoredHistory>> SqliteStore::histories(const std::string& serial)
{
    std::lock_guard guard(m_lock);
    Statement s(m_statements, "SELECT test_id, updated, data FROM histories WHERE serial = ? ORDER BY test_id");
    s.bind(1, serial);
    std::vector<std::pair<std::string, StoredHistory>> result;
    while (s.step() == SQLITE_ROW)
        result.emplace_back(s.text(0), StoredHistory{s.text(1), s.text(2)});
    return result;
}

bool SqliteStore::setAdmin(const std::string& name, const std::string& hash)
{
    std::lock_guard guard(m_lock);
    Statement s(m_statements,
                "INSERT INTO admins (name, hash) VALUES (?, ?) ON CONFLICT (name) DO UPDATE SET hash = excluded.hash");
    return s.bind(1, name).bind(2, hash).step() == SQLITE_DONE;
}

std::optional<std::string> SqliteStore::adminHash(const std::string& name)
{
    std::lock_guard guard(m_lock);
    Statement s(m_statements, "SELECT hash FROM admins WHERE name = ?");
    if (s.bind(1, name).step() != SQLITE_ROW)
        return std::nullopt;
    return s.text(0);
}

} // namespace

std::unique_ptr<CenterStore> openSqliteStore(const std::string& path, std::string& error)
{
    auto store = std::make_unique<SqliteStore>();
    if (!store->open(path, error))
        return nullptr;
    return store;
}

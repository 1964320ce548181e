#include "tools/quarvel-center/CenterStore.h"

#include <sqlite3.h>

namespace
{

// A prepared statement that finalises itself.
class Statement
{
  public:
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Statement() { sqlite3_finalize(m_stmt); }
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

} // namespace

CenterStore::~CenterStore()
{
    sqlite3_close(m_db);
}

bool CenterStore::exec(const char* sql)
{
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool CenterStore::open(const std::string& path, std::string& error)
{
    if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK) {
        error = path + ": " + sqlite3_errmsg(m_db);
        return false;
    }
    sqlite3_busy_timeout(m_db, 2000);
    // A write-ahead log keeps every commit whole without waiting for the disk on each one.
    exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
    if (!exec("CREATE TABLE IF NOT EXISTS users (serial BLOB PRIMARY KEY, name BLOB, email BLOB);"
              "CREATE TABLE IF NOT EXISTS histories (serial BLOB, test_id BLOB, updated BLOB, data BLOB,"
              " PRIMARY KEY (serial, test_id));"
              "CREATE TABLE IF NOT EXISTS forms (id INTEGER PRIMARY KEY, path BLOB, received TEXT DEFAULT "
              "CURRENT_TIMESTAMP);"
              "CREATE TABLE IF NOT EXISTS form_fields (form_id INTEGER, position INTEGER, name BLOB, value BLOB);")) {
        error = path + ": " + sqlite3_errmsg(m_db);
        return false;
    }
    return true;
}

bool CenterStore::addUser(const std::string& serial, const std::string& name, const std::string& email)
{
    std::lock_guard guard(m_lock);
    Statement s(m_db, "INSERT OR REPLACE INTO users (serial, name, email) VALUES (?, ?, ?)");
    return s.bind(1, serial).bind(2, name).bind(3, email).step() == SQLITE_DONE;
}

bool CenterStore::userExists(const std::string& serial)
{
    std::lock_guard guard(m_lock);
    Statement s(m_db, "SELECT 1 FROM users WHERE serial = ?");
    return s.bind(1, serial).step() == SQLITE_ROW;
}

std::optional<CenterStore::StoredHistory> CenterStore::history(const std::string& serial, const std::string& testId)
{
    std::lock_guard guard(m_lock);
    Statement s(m_db, "SELECT updated, data FROM histories WHERE serial = ? AND test_id = ?");
    if (s.bind(1, serial).bind(2, testId).step() != SQLITE_ROW)
        return std::nullopt;
    return StoredHistory{s.text(0), s.text(1)};
}

bool CenterStore::storeHistory(const std::string& serial, const std::string& testId, const StoredHistory& history)
{
    std::lock_guard guard(m_lock);
    Statement s(m_db, "INSERT OR REPLACE INTO histories (serial, test_id, updated, data) VALUES (?, ?, ?, ?)");
    return s.bind(1, serial).bind(2, testId).bind(3, history.updated).bind(4, history.data).step() == SQLITE_DONE;
}

bool CenterStore::storeForm(const std::string& path, const Fields& fields)
{
    std::lock_guard guard(m_lock);
    if (!exec("BEGIN"))
        return false;
    Statement form(m_db, "INSERT INTO forms (path) VALUES (?)");
    if (form.bind(1, path).step() != SQLITE_DONE) {
        exec("ROLLBACK");
        return false;
    }
    const long long id = sqlite3_last_insert_rowid(m_db);
    long long position = 0;
    for (const auto& [name, value] : fields) {
        Statement field(m_db, "INSERT INTO form_fields (form_id, position, name, value) VALUES (?, ?, ?, ?)");
        if (field.bind(1, id).bind(2, position++).bind(3, name).bind(4, value).step() != SQLITE_DONE) {
            exec("ROLLBACK");
            return false;
        }
    }
    return exec("COMMIT");
}

std::vector<CenterStore::StoredForm> CenterStore::forms()
{
    std::lock_guard guard(m_lock);
    std::vector<StoredForm> result;
    Statement s(
        m_db,
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

#pragma once
// The server's store: registered users, the histories they synced, and the forms posted to the
// form handler. Two kinds behind one interface: a SQLite file (the default, for one teacher) and a
// PostgreSQL database (for a school). Both are created and brought up to date by the numbered
// migrations of migrations/; every call is safe from the server's threads.
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CenterStore
{
  public:
    virtual ~CenterStore() = default;

    // Opens the store `db` names: a PostgreSQL connection URI ("postgresql://..." or
    // "postgres://...") with up to `connections` connections, else a SQLite file (created when
    // missing). Migrates an older schema; null with `error` set when it cannot.
    static std::unique_ptr<CenterStore> open(const std::string& db, int connections, std::string& error);

    // The schema version the store is at (the number of the last migration applied).
    virtual int schemaVersion() = 0;

    // Registers a learner, or renames one already registered (keeping whether it is disabled).
    virtual bool addUser(const std::string& serial, const std::string& name, const std::string& email) = 0;
    // Whether `serial` is a registered learner that is not disabled.
    virtual bool userExists(const std::string& serial) = 0;

    struct Learner {
        std::string serial, name, email; // name and email as sent (CP932)
        bool disabled = false;
        std::string lastSync; // "yyyy-MM-dd HH:mm:ss" UTC of the last upload, "" for none
    };
    // Every learner, by serial.
    virtual std::vector<Learner> learners() = 0;
    virtual std::optional<Learner> learner(const std::string& serial) = 0;
    // False when there is no such learner.
    virtual bool setDisabled(const std::string& serial, bool disabled) = 0;

    struct StoredHistory {
        std::string updated; // "yyyy/MM/dd HH:mm:ss"
        std::string data;    // the DLDATA answer
    };
    virtual std::optional<StoredHistory> history(const std::string& serial, const std::string& testId) = 0;
    virtual bool storeHistory(const std::string& serial, const std::string& testId, const StoredHistory& history) = 0;
    // Every history a learner uploaded, by test id.
    virtual std::vector<std::pair<std::string, StoredHistory>> histories(const std::string& serial) = 0;

    using Fields = std::vector<std::pair<std::string, std::string>>;
    virtual bool storeForm(const std::string& path, const Fields& fields) = 0;
    struct StoredForm {
        long long id = 0;
        std::string path;
        Fields fields;
    };
    virtual std::vector<StoredForm> forms() = 0;

    // Administrators of the dashboard: a name and its password hash (Argon2id, encoded).
    virtual bool setAdmin(const std::string& name, const std::string& hash) = 0;
    virtual std::optional<std::string> adminHash(const std::string& name) = 0;
};

// The store kinds, for open() and for tests that run every case against both.
std::unique_ptr<CenterStore> openSqliteStore(const std::string& path, std::string& error);
std::unique_ptr<CenterStore> openPostgresStore(const std::string& uri, int connections, std::string& error);

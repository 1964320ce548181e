#pragma once
// The server's database: registered users, the histories they synced, and the forms posted to
// the form handler. One connection, used under a lock by the server's threads.
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;

class CenterStore
{
  public:
    ~CenterStore();
    // Opens (creating when needed) the database; false with `error` set when it cannot.
    bool open(const std::string& path, std::string& error);

    bool addUser(const std::string& serial, const std::string& name, const std::string& email);
    bool userExists(const std::string& serial);

    struct StoredHistory {
        std::string updated; // "yyyy/MM/dd HH:mm:ss"
        std::string data;    // the DLDATA answer
    };
    std::optional<StoredHistory> history(const std::string& serial, const std::string& testId);
    bool storeHistory(const std::string& serial, const std::string& testId, const StoredHistory& history);

    using Fields = std::vector<std::pair<std::string, std::string>>;
    bool storeForm(const std::string& path, const Fields& fields);
    struct StoredForm {
        long long id = 0;
        std::string path;
        Fields fields;
    };
    std::vector<StoredForm> forms();

  private:
    bool exec(const char* sql);

    sqlite3* m_db = nullptr;
    std::mutex m_lock;
};

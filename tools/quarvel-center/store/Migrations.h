#pragma once
// The numbered steps that build and update a store's schema (migrations/<kind>/NNNN_*.sql, built
// into the program), and the rule that applies them.
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct Migration {
    int number = 0;
    const char* name = "";
    const char* sql = "";
};

const std::vector<Migration>& sqliteMigrations();
const std::vector<Migration>& postgresMigrations();

// What applying the steps needs of a store: run SQL (false with `error` set on failure) and read
// the version recorded (0 for a store without one; nullopt when it cannot be read).
struct MigrationTarget {
    std::function<bool(const std::string& sql, std::string& error)> exec;
    std::function<std::optional<int>(std::string& error)> version;
};

// Brings the store up to the last of `steps`, each step in a transaction of its own that records
// its number. A store newer than the steps known is left alone and reported. `begin` starts a
// step's transaction and must take the store's write lock, so that of two servers starting at once
// only one applies a step. Returns the error, if any.
std::optional<std::string> migrate(const MigrationTarget& target, const std::vector<Migration>& steps,
                                   const std::string& begin);

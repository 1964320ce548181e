#include "tools/quarvel-center/store/Migrations.h"

std::optional<std::string> migrate(const MigrationTarget& target, const std::vector<Migration>& steps,
                                   const std::string& begin)
{
    std::string error;
    if (!target.exec("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)", error))
        return error;
    const int known = steps.empty() ? 0 : steps.back().number;
    for (const Migration& step : steps) {
        const auto rollback = [&](std::string why) {
            std::string ignored;
            target.exec("ROLLBACK", ignored);
            return why;
        };
        // The version is read under the lock: another server may have applied the step meanwhile.
        if (!target.exec(begin, error))
            return rollback(error);
        const auto version = target.version(error);
        if (!version)
            return rollback(error);
        if (*version > known)
            return rollback("the store is at schema version " + std::to_string(*version) +
                            ", newer than this server knows (" + std::to_string(known) + ")");
        if (step.number <= *version) {
            if (!target.exec("COMMIT", error))
                return error;
            continue;
        }
        if (!target.exec(step.sql, error))
            return rollback(std::string(step.name) + ": " + error);
        if (!target.exec("DELETE FROM schema_version", error) ||
            !target.exec("INSERT INTO schema_version (version) VALUES (" + std::to_string(step.number) + ")", error))
            return rollback(error);
        if (!target.exec("COMMIT", error))
            return error;
    }
    return std::nullopt;
}

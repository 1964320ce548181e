#include "tools/quarvel-center/store/CenterStore.h"

std::unique_ptr<CenterStore> CenterStore::open(const std::string& db, int connections, std::string& error)
{
    if (db.rfind("postgresql://", 0) == 0 || db.rfind("postgres://", 0) == 0)
        return openPostgresStore(db, connections, error);
    return openSqliteStore(db, error);
}

#pragma once
// Hands the server's handlers the calling thread's afdb connection, so the
// business modules run on the migrated schema with afdb's per-connection
// settings (WAL, busy timeout and foreign keys on SQLite).
#include "platform/db/database.h"
#include "platform/server/database_provider.h"

namespace platform::server::modules {

class AfdbDatabaseProvider : public DatabaseProvider {
public:
    explicit AfdbDatabaseProvider(afdb::Database& database) : m_database(database) {}
    // Throws host::UserError when the database cannot be reached.
    QSqlDatabase database() override;

private:
    afdb::Database& m_database;
};

}  // namespace platform::server::modules

#pragma once
// Connections to one database. A QSqlDatabase may only be used by the thread that
// opened it, so each thread gets its own connection, opened on first use under a
// name unique to this Database and that thread, and closed when the thread ends,
// when it calls releaseThreadConnection(), or when the Database goes, whichever
// comes first.
//
// Every SQLite connection runs with journal_mode=WAL (readers do not block the
// writer), busy_timeout (a writer waits for another writer instead of failing)
// and foreign_keys=ON (SQLite leaves them off by default). PostgreSQL connections
// carry the configured application_name, which shows in pg_stat_activity.
#include "database_config.h"

#include "host/db/sql_dialect.h"

#include <QtCore/QString>
#include <QtSql/QSqlDatabase>

#include <memory>
#include <vector>

namespace afdb {

// Opens one connection under the given name (throws DbError; nothing is left
// registered on failure). The caller closes it with closeConnection().
QSqlDatabase openConnection(const Config& config, const QString& connectionName);
void closeConnection(const QString& connectionName);

class Database {
public:
    explicit Database(Config config);
    ~Database();  // closes every connection it still has; other threads must be done with them
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const Config& config() const { return m_config; }
    Engine engine() const { return m_config.engine; }
    host::SqlDialect dialect() const { return dialectOf(m_config.engine); }

    // The calling thread's connection, opened on first use.
    QSqlDatabase connection();
    // Closes the calling thread's connection now.
    void releaseThreadConnection();

    struct State;  // shared with the threads' exit clean-up

    // Migrates the schema through this thread's connection (see migrations.h).
    std::vector<int> migrate();

private:
    Config m_config;
    int m_serial;
    std::shared_ptr<State> m_state;
};

}  // namespace afdb

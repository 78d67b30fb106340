#pragma once
// The schema as numbered migrations. Each runs in its own transaction and is
// recorded in SCHEMA_VERSION (NRVERSAO, DSVERSAO, DTAPLICACAO); running migrate()
// again applies only what is missing. Concurrent programs migrating the same
// database serialise on the version table (SQLite's write lock; PostgreSQL's
// table lock) and re-check the version inside the transaction, so a migration
// never runs twice. A database whose version is newer than this program knows is
// refused: an older program must not write into a schema it does not understand.
#include "database_config.h"
#include "db_error.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtSql/QSqlDatabase>

#include <functional>
#include <vector>

namespace afdb {

struct Migration {
    int version;
    QString description;
    std::function<QStringList(Engine)> statements;  // may be empty for an engine
};

class SchemaTooNewError : public DbError {
public:
    SchemaTooNewError(int found, int known);
    int found() const { return m_found; }
    int known() const { return m_known; }

private:
    int m_found;
    int m_known;
};

// The migrations of this program, in version order (1, 2, ...).
const std::vector<Migration>& migrations();
int latestSchemaVersion();

// The version recorded in the database: 0 for an empty database.
int schemaVersion(const QSqlDatabase& db);

// Brings the database up to the latest version. Returns the versions applied.
// Throws DbError (nothing of the failing migration stays) or SchemaTooNewError.
std::vector<int> migrate(const QSqlDatabase& db, Engine engine);

// The same with an explicit list (tests, and tools that stop at a version).
std::vector<int> migrate(const QSqlDatabase& db, Engine engine, const std::vector<Migration>& list);

}  // namespace afdb

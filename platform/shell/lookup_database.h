#pragma once
// The host's database connection for the screens' lookups, opened so that it
// can only read: the embedded server's SQLite file in read-only mode, or, with
// a remote server, the database named by --lookup-db (a SQLite file, or a
// PostgreSQL conninfo whose login belongs to the read-only role).
#include "host/lookup/host_database.h"
#include "platform/db/database.h"

namespace shell {

// A text holding '=' is a libpq conninfo ("host=... dbname=... user=..."),
// anything else a SQLite file. Throws host::UserError for an empty text and
// afdb::DbError for a conninfo it cannot read.
afdb::Config lookupConfig(const QString& source);

class LookupDatabase : public host::HostDatabase {
public:
    // Opens the calling thread's connection at once, so a database that cannot
    // be reached is reported at login, not at the first lookup. Throws afdb::DbError.
    explicit LookupDatabase(const afdb::Config& config);

    QSqlDatabase database() override { return m_database.connection(); }
    host::SqlDialect dialect() const override { return m_database.dialect(); }

private:
    afdb::Database m_database;
};

}  // namespace shell

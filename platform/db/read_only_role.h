#pragma once
// The PostgreSQL role for the clients' direct lookups. Migration 2 creates the
// group role af_leitura (no login) and grants it SELECT on every table of the
// schema, now and in later migrations (default privileges). Logins for the
// clients are members of it, created by an administrator with
// createReadOnlyLogin(); they can read and nothing else, and their sessions are
// read-only besides. SQLite has no roles: its read-only connections open the
// file in read-only mode (Config::readOnly).
#include "database_config.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtSql/QSqlDatabase>

namespace afdb {

QString readOnlyRoleName();  // "af_leitura"

// The statements of migration 2 (none for SQLite).
QStringList readOnlyRoleStatements(Engine engine);

// Creates (or updates the password of) a login that belongs to the read-only role.
// Runs on an administrator's connection; user and password travel as bound
// values, never pasted into the SQL. Throws DbError.
void createReadOnlyLogin(const QSqlDatabase& admin, const QString& user, const QString& password);

// Removes such a login (nothing when it does not exist).
void dropReadOnlyLogin(const QSqlDatabase& admin, const QString& user);

}  // namespace afdb

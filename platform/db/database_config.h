#pragma once
// Where the database is and how to reach it. SQLite is the embedded default (one
// file); PostgreSQL is the production engine.
#include "host/db/sql_dialect.h"

#include <QtCore/QList>
#include <QtCore/QPair>
#include <QtCore/QString>

namespace afdb {

enum class Engine { SQLite, PostgreSQL };

QString engineName(Engine e);                 // "sqlite", "postgresql"
Engine parseEngine(const QString& name);      // throws DbError on an unknown name
host::SqlDialect dialectOf(Engine e);

struct Config {
    Engine engine = Engine::SQLite;

    // SQLite: the database file (created on first open unless read-only).
    QString sqlitePath;
    int busyTimeoutMs = 5000;  // how long a writer waits for another writer's lock

    // PostgreSQL. A non-empty libpq conninfo ("host=... dbname=...") is parsed
    // into the fields below by applyConnInfo(); the fields are what is used.
    QString host;
    int port = 5432;
    QString databaseName;
    QString user;
    QString password;
    QString applicationName = QStringLiteral("afsuite");
    int connectTimeoutSeconds = 10;
    // TLS settings passed to libpq as given: sslmode (disable, allow, prefer,
    // require, verify-ca, verify-full), sslrootcert, sslcert, sslkey, sslcrl.
    QList<QPair<QString, QString>> tls;

    // Opens connections that may only read: SQLite read-only mode, or the
    // PostgreSQL login below (a member of the read-only role, see read_only_role.h).
    bool readOnly = false;
    QString readOnlyUser;
    QString readOnlyPassword;

    static Config sqlite(QString path);

    // The PG* variables (PGHOST, PGPORT, PGDATABASE, PGUSER, PGPASSWORD) as libpq
    // reads them; databaseName overrides PGDATABASE when given.
    static Config postgresFromEnvironment(const QString& databaseName = {});

    // The program's configuration: AF_DB_ENGINE (sqlite | postgresql, default
    // sqlite), AF_DB_PATH (SQLite file, default "afsuite.db"), AF_DB_CONNINFO
    // (PostgreSQL conninfo, over the PG* variables), AF_DB_APPNAME,
    // AF_DB_RO_USER and AF_DB_RO_PASSWORD (the read-only login).
    static Config fromEnvironment();

    // The same database seen through the read-only login.
    Config asReadOnly() const;

    // Parses a libpq keyword=value conninfo (values may be single-quoted with
    // backslash escapes) into host, port, dbname, user, password,
    // application_name and connect_timeout. Unknown keywords are refused, so a
    // typo does not silently connect somewhere else. Throws DbError.
    void applyConnInfo(const QString& conninfo);
};

}  // namespace afdb

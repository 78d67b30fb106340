#include "read_only_role.h"

#include "db_error.h"
#include "sql_exec.h"
#include "transaction.h"

namespace afdb {

QString readOnlyRoleName() { return QStringLiteral("af_leitura"); }

QStringList readOnlyRoleStatements(Engine engine) {
    if (engine != Engine::PostgreSQL) return {};
    return {
        // Roles belong to the whole cluster: another database (or a program
        // migrating at the same moment) may have created it already.
        QStringLiteral("DO $$ BEGIN "
                       "IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'af_leitura') THEN "
                       "CREATE ROLE af_leitura NOLOGIN; END IF; "
                       "EXCEPTION WHEN duplicate_object OR unique_violation THEN NULL; END $$"),
        QStringLiteral("DO $$ BEGIN "
                       "EXECUTE format('GRANT CONNECT ON DATABASE %I TO af_leitura', current_database()); "
                       "EXECUTE format('GRANT USAGE ON SCHEMA %I TO af_leitura', current_schema()); "
                       "EXECUTE format('GRANT SELECT ON ALL TABLES IN SCHEMA %I TO af_leitura', current_schema()); "
                       "EXECUTE format('ALTER DEFAULT PRIVILEGES IN SCHEMA %I GRANT SELECT ON TABLES TO af_leitura', "
                       "current_schema()); END $$"),
    };
}

namespace {

void requirePostgres(const QSqlDatabase& db) {
    if (db.driverName() != QLatin1String("QPSQL"))
        throw DbError(QStringLiteral("Logins somente-leitura existem apenas no PostgreSQL."));
}

void requireUserName(const QString& user) {
    if (user.trimmed().isEmpty() || user.size() > 63)
        throw DbError(QStringLiteral("Nome de login inválido: \"%1\".").arg(user));
}

// DDL takes no bound parameters: the values go into transaction-local settings
// and the DO block quotes them with format(%I / %L).
void passValues(const QSqlDatabase& db, const QString& user, const QString& password) {
    exec(db,
         QStringLiteral("SELECT set_config('afdb.login', :U, true), set_config('afdb.senha', :P, true)"),
         {{QStringLiteral("U"), user}, {QStringLiteral("P"), password}});
}

}  // namespace

void createReadOnlyLogin(const QSqlDatabase& admin, const QString& user, const QString& password) {
    requirePostgres(admin);
    requireUserName(user);
    if (password.isEmpty()) throw DbError(QStringLiteral("A senha do login somente-leitura deve ser informada."));
    transact(admin, [&] {
        passValues(admin, user, password);
        exec(admin, QStringLiteral(
                        "DO $$ DECLARE u text := current_setting('afdb.login'); p text := current_setting('afdb.senha'); "
                        "BEGIN "
                        "IF EXISTS (SELECT 1 FROM pg_roles WHERE rolname = u) THEN "
                        "EXECUTE format('ALTER ROLE %I WITH LOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE PASSWORD %L', u, p); "
                        "ELSE "
                        "EXECUTE format('CREATE ROLE %I WITH LOGIN PASSWORD %L', u, p); "
                        "END IF; "
                        "IF NOT pg_has_role(u, 'af_leitura', 'MEMBER') THEN EXECUTE format('GRANT af_leitura TO %I', u); END IF; "
                        "EXECUTE format('ALTER ROLE %I SET default_transaction_read_only = on', u); "
                        "END $$"));
    });
}

void dropReadOnlyLogin(const QSqlDatabase& admin, const QString& user) {
    requirePostgres(admin);
    requireUserName(user);
    transact(admin, [&] {
        passValues(admin, user, QStringLiteral("-"));
        exec(admin, QStringLiteral("DO $$ BEGIN EXECUTE format('DROP ROLE IF EXISTS %I', "
                                   "current_setting('afdb.login')); END $$"));
    });
}

}  // namespace afdb

#include "migrations.h"

#include "db_error.h"
#include "schema_catalog.h"
#include "read_only_role.h"
#include "schema_v1.h"
#include "sql_exec.h"
#include "transaction.h"

#include <QtCore/QDateTime>

namespace afdb {

namespace {

QStringList versionTableStatement(Engine e) {
    const QString ts = e == Engine::PostgreSQL ? QStringLiteral("TIMESTAMP(0)") : QStringLiteral("TEXT");
    return {QStringLiteral("CREATE TABLE IF NOT EXISTS SCHEMA_VERSION (NRVERSAO INTEGER NOT NULL PRIMARY KEY, "
                           "DSVERSAO VARCHAR(200) NOT NULL, DTAPLICACAO %1 NOT NULL)")
                .arg(ts)};
}

void ensureVersionTable(const QSqlDatabase& db, Engine e) {
    if (tableExists(db, QStringLiteral("SCHEMA_VERSION"))) return;
    try {
        execScript(db, versionTableStatement(e));
    } catch (const DbError&) {
        // Another program may have created it at the same moment.
        if (!tableExists(db, QStringLiteral("SCHEMA_VERSION"))) throw;
    }
}

int recordedVersion(const QSqlDatabase& db) {
    const QVariant v = scalar(db, QStringLiteral("SELECT MAX(NRVERSAO) FROM SCHEMA_VERSION"));
    return v.isNull() ? 0 : v.toInt();
}

void refuseNewer(int found, int known) {
    if (found > known)
        throw SchemaTooNewError(found, known);
}

void lockVersionTable(const QSqlDatabase& db, Engine e) {
    if (e == Engine::PostgreSQL) exec(db, QStringLiteral("LOCK TABLE SCHEMA_VERSION IN EXCLUSIVE MODE"));
    // SQLite: BEGIN IMMEDIATE already holds the database's write lock.
}

// Runs one migration unless it is already recorded; returns whether it ran.
bool apply(const QSqlDatabase& db, Engine e, const Migration& m, int known) {
    bool ran = false;
    transact(db, [&] {
        lockVersionTable(db, e);
        const int current = recordedVersion(db);
        refuseNewer(current, known);
        ran = false;
        if (current >= m.version) return;
        if (current != m.version - 1)
            throw DbError(QStringLiteral("Migração %1 não pode ser aplicada sobre a versão %2 do esquema.")
                              .arg(m.version)
                              .arg(current));
        execScript(db, m.statements(e));
        exec(db,
             QStringLiteral("INSERT INTO SCHEMA_VERSION (NRVERSAO, DSVERSAO, DTAPLICACAO) VALUES (:V, :D, :T)"),
             {{QStringLiteral("V"), m.version},
              {QStringLiteral("D"), m.description},
              {QStringLiteral("T"), QDateTime::currentDateTime()}});
        ran = true;
    });
    return ran;
}

}  // namespace

SchemaTooNewError::SchemaTooNewError(int found, int known)
    : DbError(QStringLiteral("O banco de dados está na versão %1 do esquema, mais nova que a versão %2 que este "
                             "programa conhece. Atualize o programa antes de usar este banco.")
                  .arg(found)
                  .arg(known)),
      m_found(found),
      m_known(known) {}

const std::vector<Migration>& migrations() {
    static const std::vector<Migration> list = {
        {1, QStringLiteral("Esquema inicial: cadastros, parâmetros, AFs, recebimentos, solicitações e preços"),
         [](Engine e) { return schema::createStatements(schema::v1::allTables(), e); }},
        {2, QStringLiteral("Papel somente-leitura para as consultas diretas dos clientes"),
         [](Engine e) { return readOnlyRoleStatements(e); }},
    };
    return list;
}

int latestSchemaVersion() { return migrations().back().version; }

int schemaVersion(const QSqlDatabase& db) {
    if (!tableExists(db, QStringLiteral("SCHEMA_VERSION"))) return 0;
    return recordedVersion(db);
}

std::vector<int> migrate(const QSqlDatabase& db, Engine engine) { return migrate(db, engine, migrations()); }

std::vector<int> migrate(const QSqlDatabase& db, Engine engine, const std::vector<Migration>& list) {
    const int known = list.empty() ? 0 : list.back().version;
    ensureVersionTable(db, engine);
    refuseNewer(recordedVersion(db), known);
    std::vector<int> applied;
    for (const Migration& m : list)
        if (apply(db, engine, m, known)) applied.push_back(m.version);
    return applied;
}

}  // namespace afdb

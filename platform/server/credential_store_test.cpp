#include "credential_store.h"

#include "database_provider.h"
#include "testing/operator_db.h"

#include "host/data/errors.h"
#include "host/testing/qt_printers.h"
#include "platform/security/password_hash.h"

#include <QtCore/QUuid>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <gtest/gtest.h>

using namespace platform::server;
using platform::server::testing::OperatorDb;

namespace {

void checkStore(CredentialStore& store) {
    const auto ana = store.find(QStringLiteral("ANA"));
    ASSERT_TRUE(ana);
    EXPECT_EQ(ana->code, QStringLiteral("ANA"));
    EXPECT_EQ(ana->name, QStringLiteral("Ana Souza"));
    EXPECT_TRUE(platform::security::verifyPassword(QStringLiteral("segredo"), ana->passwordHash));
    EXPECT_FALSE(store.find(QStringLiteral("ana")));  // codes are exact
    EXPECT_FALSE(store.find(QStringLiteral("ANA' OR '1'='1")));
    EXPECT_TRUE(ana->active);
    const auto none = store.find(QStringLiteral("SEMSENHA"));
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->passwordHash.isEmpty());
    const auto gone = store.find(QStringLiteral("INATIVO"));
    ASSERT_TRUE(gone);
    EXPECT_FALSE(gone->active);

    store.setPasswordHash(QStringLiteral("SEMSENHA"), QStringLiteral("$argon2id$novo"));
    EXPECT_EQ(store.find(QStringLiteral("SEMSENHA"))->passwordHash, QStringLiteral("$argon2id$novo"));
    try {
        store.setPasswordHash(QStringLiteral("NINGUEM"), QStringLiteral("x"));
        ADD_FAILURE() << "no error";
    } catch (const host::UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Operador \"NINGUEM\" não cadastrado."));
    }
}

}  // namespace

TEST(SqlCredentialStore, SQLite) {
    OperatorDb db;
    QtSqlDatabaseProvider provider(QtSqlDatabaseProvider::sqlite(db.path()));
    SqlCredentialStore store(provider);
    checkStore(store);
}

TEST(SqlCredentialStore, MissingTableIsAnInternalErrorNotARefusal) {
    OperatorDb db;
    db.exec(QStringLiteral("DROP TABLE OPERADOR"));
    QtSqlDatabaseProvider provider(QtSqlDatabaseProvider::sqlite(db.path()));
    SqlCredentialStore store(provider);
    try {
        store.find(QStringLiteral("ANA"));
        ADD_FAILURE() << "no error";
    } catch (const host::UserError&) {
        ADD_FAILURE() << "a broken database must not look like a wrong password";
    } catch (const std::runtime_error&) {
    }
}

// Runs under pg_virtualenv (PGHOST and friends set); each run in a schema of its own.
TEST(SqlCredentialStore, PostgreSQL) {
    if (qEnvironmentVariableIsEmpty("PGHOST")) {
        if (qEnvironmentVariableIntValue("AF_REQUIRE_PG") == 1)
            FAIL() << "PostgreSQL required (AF_REQUIRE_PG=1) but PGHOST is unset";
        GTEST_SKIP() << "PGHOST not set";
    }
    const QString schema = QStringLiteral("cred_") + QUuid::createUuid().toString(QUuid::Id128);
    QtSqlDatabaseProvider admin(QtSqlDatabaseProvider::postgres(QString()));
    auto exec = [](QSqlDatabase db, const QString& sql) {
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
    };
    exec(admin.database(), QStringLiteral("CREATE SCHEMA %1").arg(schema));
    {
        QtSqlDatabaseProvider provider(
            QtSqlDatabaseProvider::postgres(QStringLiteral("options='-c search_path=%1'").arg(schema)));
        exec(provider.database(), QStringLiteral("CREATE TABLE OPERADOR (CDOPERADOR varchar(12) PRIMARY KEY, "
                                                 "NMOPERADOR varchar(60) NOT NULL, DSSENHAHASH varchar(255), "
                                                 "IDOPERATIVO char(1))"));
        exec(provider.database(), QStringLiteral("INSERT INTO OPERADOR VALUES ('ANA', 'Ana Souza', '%1', 'A'), "
                                                 "('SEMSENHA', 'Sem Senha', NULL, 'A'), "
                                                 "('INATIVO', 'Ex Funcionário', '%1', 'I')")
                                      .arg(OperatorDb::anaHash()));
        SqlCredentialStore store(provider);
        checkStore(store);
    }
    exec(admin.database(), QStringLiteral("DROP SCHEMA %1 CASCADE").arg(schema));
}

#include "platform/db/database.h"
#include "platform/db/db_error.h"
#include "platform/db/read_only_role.h"
#include "platform/db/sql_exec.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/db/testing/test_database.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

#include <QtCore/QRandomGenerator>
#include <QtCore/QTemporaryDir>

namespace afdb {
namespace {

class ReadOnlyRoleTest : public ::testing::Test {
protected:
    void SetUp() override {
        AFDB_SKIP_WITHOUT_POSTGRES();
        m_testDb = testing::TestDatabase::create(Engine::PostgreSQL);
        m_admin = std::make_unique<Database>(m_testDb->config());
        m_admin->migrate();
        testing::seedMinimalWorld(m_admin->connection());
        // Logins are cluster-wide: a unique one per test, dropped afterwards.
        m_login = QStringLiteral("af_consulta_%1").arg(QRandomGenerator::global()->generate());
        createReadOnlyLogin(m_admin->connection(), m_login, QStringLiteral("s3nh'a\\forte"));
        Config ro = m_testDb->config().asReadOnly();
        ro.readOnlyUser = m_login;
        ro.readOnlyPassword = QStringLiteral("s3nh'a\\forte");
        m_reader = std::make_unique<Database>(ro);
    }
    void TearDown() override {
        m_reader.reset();
        if (m_admin && !m_login.isEmpty()) dropReadOnlyLogin(m_admin->connection(), m_login);
        m_admin.reset();
        m_testDb.reset();
    }
    QSqlDatabase reader() { return m_reader->connection(); }

    std::unique_ptr<testing::TestDatabase> m_testDb;
    std::unique_ptr<Database> m_admin;
    std::unique_ptr<Database> m_reader;
    QString m_login;
};

TEST_F(ReadOnlyRoleTest, ReadsEveryTable) {
    EXPECT_EQ(scalar(reader(), "SELECT NMFILIAL FROM FILIAL WHERE CDFILIAL = :F", {{"F", "0002"}}).toString(), "Loja");
    EXPECT_EQ(scalar(reader(), "SELECT COUNT(*) FROM ITEMAUTF").toInt(), 1);
    EXPECT_EQ(scalar(reader(), "SELECT current_user").toString(), m_login);
}

TEST_F(ReadOnlyRoleTest, RefusesEveryKindOfWrite) {
    const char* writes[] = {
        "INSERT INTO MARCA (CDMARCA, NMMARCA) VALUES ('99999', 'Invasora')",
        "UPDATE AUTOFORNE SET VRTOTALAF = 0",
        "DELETE FROM ITEMAUTF",
        "CREATE TABLE INTRUSA (A INTEGER)",
        "DROP TABLE MENSAUTF",
    };
    for (const char* sql : writes) {
        try {
            exec(reader(), QString::fromLatin1(sql));
            ADD_FAILURE() << "accepted: " << sql;
        } catch (const DbError& e) {
            EXPECT_TRUE(e.isWriteRefused()) << sql << " -> " << e.code().toStdString() << " " << e.what();
        }
    }
    // Turning the session back to read-write does not help: the role has no write privilege.
    exec(reader(), "SET SESSION CHARACTERISTICS AS TRANSACTION READ WRITE");
    try {
        exec(reader(), "INSERT INTO MARCA (CDMARCA, NMMARCA) VALUES ('99999', 'Invasora')");
        ADD_FAILURE() << "the read-only role wrote";
    } catch (const DbError& e) {
        EXPECT_EQ(e.code(), "42501") << e.what();
    }
    EXPECT_EQ(scalar(m_admin->connection(), "SELECT COUNT(*) FROM MARCA").toInt(), 1);
    EXPECT_EQ(scalar(m_admin->connection(), "SELECT COUNT(*) FROM ITEMAUTF").toInt(), 1);
}

TEST_F(ReadOnlyRoleTest, TablesOfLaterMigrationsAreReadableToo) {
    exec(m_admin->connection(), "CREATE TABLE NOVA (A INTEGER)");
    exec(m_admin->connection(), "INSERT INTO NOVA (A) VALUES (7)");
    EXPECT_EQ(scalar(reader(), "SELECT A FROM NOVA").toInt(), 7);
}

TEST_F(ReadOnlyRoleTest, ChangingThePasswordLocksTheOldOneOut) {
    createReadOnlyLogin(m_admin->connection(), m_login, QStringLiteral("outra"));
    Config stale = m_reader->config();
    m_reader.reset();
    Database old(stale);
    EXPECT_THROW(old.connection(), DbError);
    stale.readOnlyPassword = QStringLiteral("outra");
    Database fresh(stale);
    EXPECT_EQ(scalar(fresh.connection(), "SELECT COUNT(*) FROM FILIAL").toInt(), 2);
}

TEST(ReadOnlyLogin, IsOnlyForPostgres) {
    QTemporaryDir dir;
    Database lite(Config::sqlite(dir.filePath("x.db")));
    EXPECT_THROW(createReadOnlyLogin(lite.connection(), "u", "p"), DbError);
    EXPECT_TRUE(readOnlyRoleStatements(Engine::SQLite).isEmpty());
}

}  // namespace
}  // namespace afdb

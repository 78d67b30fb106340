#include "test_database.h"

#include "platform/db/db_error.h"
#include "platform/db/sql_exec.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QRandomGenerator>
#include <QtCore/QTemporaryDir>

#include <atomic>

namespace afdb::testing {

namespace {

class SqliteTestDatabase : public TestDatabase {
public:
    SqliteTestDatabase() {
        if (!m_dir.isValid()) throw DbError(QStringLiteral("Não foi possível criar o diretório temporário do teste."));
        m_config = Config::sqlite(m_dir.filePath(QStringLiteral("teste.db")));
    }
    const Config& config() const override { return m_config; }

private:
    QTemporaryDir m_dir;  // removed with everything in it
    Config m_config;
};

std::atomic<int> g_pgCounter{0};

QString uniqueDatabaseName() {
    return QStringLiteral("af_teste_%1_%2_%3")
        .arg(QCoreApplication::applicationPid())
        .arg(++g_pgCounter)
        .arg(QRandomGenerator::global()->generate() % 1000000u);
}

class PostgresTestDatabase : public TestDatabase {
public:
    PostgresTestDatabase() : m_adminName(QStringLiteral("afdb-test-admin-%1").arg(uniqueDatabaseName())) {
        const QSqlDatabase admin = openConnection(Config::postgresFromEnvironment(), m_adminName);
        const QString name = uniqueDatabaseName();  // [a-z0-9_] only: safe as an identifier
        try {
            exec(admin, QStringLiteral("CREATE DATABASE %1").arg(name));
        } catch (...) {
            closeConnection(m_adminName);
            throw;
        }
        m_config = Config::postgresFromEnvironment(name);
    }
    ~PostgresTestDatabase() override {
        try {
            // FORCE ends connections a failed test may have left open.
            exec(QSqlDatabase::database(m_adminName, false),
                 QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_config.databaseName));
        } catch (const DbError& e) {
            ADD_FAILURE() << "não foi possível remover o banco de teste: " << e.what();
        }
        closeConnection(m_adminName);
    }
    const Config& config() const override { return m_config; }

private:
    QString m_adminName;
    Config m_config;
};

}  // namespace

bool postgresConfigured() { return !qEnvironmentVariableIsEmpty("PGHOST"); }
bool postgresRequired() { return qEnvironmentVariable("AF_REQUIRE_PG") == QLatin1String("1"); }

std::unique_ptr<TestDatabase> TestDatabase::create(Engine engine) {
    if (engine == Engine::SQLite) return std::make_unique<SqliteTestDatabase>();
    return std::make_unique<PostgresTestDatabase>();
}

std::string engineParamName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::SQLite ? "SQLite" : "PostgreSQL";
}

void EngineTest::SetUp() {
    if (engine() == Engine::PostgreSQL && !postgresConfigured()) {
        if (postgresRequired()) FAIL() << "AF_REQUIRE_PG=1 mas PGHOST não está definido (rode sob pg_virtualenv)";
        GTEST_SKIP() << "PostgreSQL indisponível: PGHOST não definido";
    }
    try {
        m_testDb = TestDatabase::create(engine());
        m_database = std::make_unique<Database>(m_testDb->config());
    } catch (const DbError& e) {
        FAIL() << "banco de teste não criado: " << e.what();
    }
}

void EngineTest::TearDown() {
    m_database.reset();  // connections close before the database is dropped
    m_testDb.reset();
}

void MigratedEngineTest::SetUp() {
    EngineTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    try {
        database().migrate();
    } catch (const DbError& e) {
        FAIL() << "migração falhou: " << e.what();
    }
}

}  // namespace afdb::testing

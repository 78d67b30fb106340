#pragma once
// Throw-away databases for tests, one per test, on either engine.
//
// SQLite: a fresh file in a temporary directory, removed afterwards.
// PostgreSQL: a fresh database created with a unique name on the cluster the PG*
// variables point at (pg_virtualenv sets them) and dropped afterwards, so tests
// can run in parallel. When PGHOST is unset PostgreSQL tests are skipped, unless
// AF_REQUIRE_PG=1, when they fail: CI must never pass by skipping them.
//
// Typical use, one test body for both engines:
//
//   class MyTest : public afdb::testing::EngineTest {};
//   TEST_P(MyTest, Works) { auto db = connection(); ... }
//   AFDB_INSTANTIATE_ON_ENGINES(MyTest);
//
// MigratedEngineTest does the same with the schema already migrated.
#include "platform/db/database.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

#include <memory>

namespace afdb::testing {

// True when the PG* variables point at a server (PGHOST set).
bool postgresConfigured();
// True when AF_REQUIRE_PG=1: a missing server is a failure, not a skip.
bool postgresRequired();

class TestDatabase {
public:
    virtual ~TestDatabase() = default;
    // The configuration of the fresh database (administrator access).
    virtual const Config& config() const = 0;

    // Creates the database; throws DbError when it cannot (no server, no rights).
    static std::unique_ptr<TestDatabase> create(Engine engine);
};

// "SQLite" / "PostgreSQL", for parameterised test names.
std::string engineParamName(const ::testing::TestParamInfo<Engine>& info);

class EngineTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override;
    void TearDown() override;

    Engine engine() const { return GetParam(); }
    const Config& config() const { return m_testDb->config(); }
    Database& database() { return *m_database; }
    QSqlDatabase connection() { return m_database->connection(); }

private:
    std::unique_ptr<TestDatabase> m_testDb;
    std::unique_ptr<Database> m_database;
};

class MigratedEngineTest : public EngineTest {
protected:
    void SetUp() override;
};

}  // namespace afdb::testing

// For a plain TEST that needs the PG* server: skips, or fails under AF_REQUIRE_PG=1.
#define AFDB_SKIP_WITHOUT_POSTGRES()                                                                  \
    do {                                                                                            \
        if (!afdb::testing::postgresConfigured()) {                                                 \
            if (afdb::testing::postgresRequired()) FAIL() << "AF_REQUIRE_PG=1 mas PGHOST não está definido"; \
            GTEST_SKIP() << "PostgreSQL indisponível: PGHOST não definido";                          \
        }                                                                                           \
    } while (0)

#define AFDB_INSTANTIATE_ON_ENGINES(Suite)                                                                   \
    INSTANTIATE_TEST_SUITE_P(Engines, Suite, ::testing::Values(afdb::Engine::SQLite, afdb::Engine::PostgreSQL), \
                             afdb::testing::engineParamName)

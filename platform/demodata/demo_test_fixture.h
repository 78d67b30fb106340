#pragma once
// Test support: the scale-1 demo company generated once per engine and test
// program, shared read-only by the tests that inspect it.
#include "demo_data.h"

#include "platform/db/sql_exec.h"
#include "platform/db/testing/test_database.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace afdemo::testing {

class GeneratedDemoTest : public ::testing::TestWithParam<afdb::Engine> {
protected:
    static void TearDownTestSuite() { store().clear(); }

    void SetUp() override {
        if (GetParam() == afdb::Engine::PostgreSQL && !afdb::testing::postgresConfigured()) {
            if (afdb::testing::postgresRequired()) FAIL() << "AF_REQUIRE_PG=1 mas PGHOST não está definido";
            GTEST_SKIP() << "PostgreSQL indisponível: PGHOST não definido";
        }
        Generated& g = store()[GetParam()];
        if (g.database) return;
        g.testDb = afdb::testing::TestDatabase::create(GetParam());
        g.database = std::make_unique<afdb::Database>(g.testDb->config());
        g.summary = generateDemoData(*g.database, {});
    }

    QSqlDatabase db() { return store()[GetParam()].database->connection(); }
    afdb::Database& database() { return *store()[GetParam()].database; }
    const DemoSummary& summary() { return store()[GetParam()].summary; }

    qint64 count(const QString& sql, const afdb::Params& params = {}) {
        return afdb::scalar(db(), sql, params).toLongLong();
    }

private:
    struct Generated {
        std::unique_ptr<afdb::testing::TestDatabase> testDb;
        std::unique_ptr<afdb::Database> database;  // declared after: closed before its database is dropped
        DemoSummary summary;
    };
    static std::map<afdb::Engine, Generated>& store() {
        static std::map<afdb::Engine, Generated> s;
        return s;
    }
};

}  // namespace afdemo::testing

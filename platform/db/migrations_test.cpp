#include "platform/db/db_error.h"
#include "platform/db/schema_catalog.h"
#include "platform/db/migrations.h"
#include "platform/db/sql_exec.h"
#include "platform/db/testing/test_database.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

#include <QtCore/QThread>

#include <atomic>
#include <thread>

namespace afdb {
namespace {

class MigrationsTest : public testing::EngineTest {
protected:
    int versionRows() { return scalar(connection(), QStringLiteral("SELECT COUNT(*) FROM SCHEMA_VERSION")).toInt(); }
};

TEST_P(MigrationsTest, BuildsTheSchemaFromAnEmptyDatabase) {
    EXPECT_EQ(schemaVersion(connection()), 0);
    const std::vector<int> applied = database().migrate();

    std::vector<int> all;
    for (const Migration& m : migrations()) all.push_back(m.version);
    EXPECT_EQ(applied, all);
    EXPECT_EQ(schemaVersion(connection()), latestSchemaVersion());
    EXPECT_EQ(versionRows(), int(all.size()));
    EXPECT_TRUE(tableExists(connection(), QStringLiteral("AUTOFORNE")));
    EXPECT_TRUE(tableExists(connection(), QStringLiteral("itemautf"))) << "names match regardless of case";
}

TEST_P(MigrationsTest, RunningAgainChangesNothing) {
    database().migrate();
    const QStringList tablesBefore = tableNames(connection());
    const QString appliedAt = scalar(connection(), QStringLiteral("SELECT MAX(DTAPLICACAO) FROM SCHEMA_VERSION")).toString();

    EXPECT_TRUE(database().migrate().empty());
    EXPECT_TRUE(database().migrate().empty());
    EXPECT_EQ(tableNames(connection()), tablesBefore);
    EXPECT_EQ(versionRows(), int(migrations().size()));
    EXPECT_EQ(scalar(connection(), QStringLiteral("SELECT MAX(DTAPLICACAO) FROM SCHEMA_VERSION")).toString(), appliedAt);
}

TEST_P(MigrationsTest, RefusesADatabaseNewerThanTheProgram) {
    database().migrate();
    const int future = latestSchemaVersion() + 7;
    exec(connection(), QStringLiteral("INSERT INTO SCHEMA_VERSION (NRVERSAO, DSVERSAO, DTAPLICACAO) VALUES (:V, 'futuro', :T)"),
         {{"V", future}, {"T", QDateTime::currentDateTime()}});
    try {
        database().migrate();
        FAIL() << "a newer schema must be refused";
    } catch (const SchemaTooNewError& e) {
        EXPECT_EQ(e.found(), future);
        EXPECT_EQ(e.known(), latestSchemaVersion());
        EXPECT_TRUE(e.message().contains(QString::number(future))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("Atualize o programa"))) << e.message().toStdString();
    }
    EXPECT_EQ(schemaVersion(connection()), future);
}

TEST_P(MigrationsTest, AFailingMigrationLeavesNothingBehind) {
    const std::vector<Migration> list = {
        {1, "cria T1", [](Engine) { return QStringList{"CREATE TABLE T1 (A INTEGER)"}; }},
        {2, "cria T2 e falha", [](Engine) {
             return QStringList{"CREATE TABLE T2 (A INTEGER)", "INSERT INTO T2 (A) VALUES (1)",
                                "INSERT INTO TABELA_QUE_NAO_EXISTE (A) VALUES (1)"};
         }},
    };
    EXPECT_THROW(migrate(connection(), engine(), list), DbError);
    EXPECT_EQ(schemaVersion(connection()), 1);
    EXPECT_TRUE(tableExists(connection(), "T1"));
    EXPECT_FALSE(tableExists(connection(), "T2")) << "the failed migration's DDL must roll back";

    // Fixed, it applies on the next run, and only it.
    const std::vector<Migration> fixed = {list[0], {2, "cria T2", [](Engine) { return QStringList{"CREATE TABLE T2 (A INTEGER)"}; }}};
    EXPECT_EQ(migrate(connection(), engine(), fixed), std::vector<int>{2});
}

TEST_P(MigrationsTest, ConcurrentProgramsApplyEachMigrationOnce) {
    std::atomic<int> failures{0};
    std::vector<std::vector<int>> applied(3);
    std::vector<std::thread> threads;
    for (int i = 0; i < 3; ++i)
        threads.emplace_back([&, i] {
            try {
                applied[i] = database().migrate();
            } catch (const std::exception& e) {
                ++failures;
                ADD_FAILURE() << e.what();
            }
            database().releaseThreadConnection();
        });
    for (auto& t : threads) t.join();

    EXPECT_EQ(failures.load(), 0);
    size_t total = 0;
    for (const auto& a : applied) total += a.size();
    EXPECT_EQ(total, migrations().size()) << "each migration applied by exactly one program";
    EXPECT_EQ(versionRows(), int(migrations().size()));
}

AFDB_INSTANTIATE_ON_ENGINES(MigrationsTest);

TEST(MigrationList, IsNumberedFromOneWithoutGaps) {
    int expected = 1;
    for (const Migration& m : migrations()) {
        EXPECT_EQ(m.version, expected++);
        EXPECT_FALSE(m.description.isEmpty());
    }
}

}  // namespace
}  // namespace afdb

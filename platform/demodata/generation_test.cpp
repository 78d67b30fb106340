// Same scale and seed, same data on both engines; only into an empty database;
// the shell's first run; the sizes each scale gives.
#include "demo_data.h"
#include "demo_password.h"
#include "prng.h"
#include "table_digest.h"

#include "platform/db/sql_exec.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/db/testing/test_database.h"
#include "platform/security/password_hash.h"

#include "host/data/errors.h"
#include "host/testing/qt_printers.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

namespace afdemo {
namespace {

using afdb::Engine;

struct Filled {
    std::unique_ptr<afdb::testing::TestDatabase> testDb;
    std::unique_ptr<afdb::Database> db;
};

Filled fill(Engine engine, std::uint64_t seed) {
    Filled f;
    f.testDb = afdb::testing::TestDatabase::create(engine);
    f.db = std::make_unique<afdb::Database>(f.testDb->config());
    generateDemoData(*f.db, {.scale = 1, .seed = seed});
    return f;
}

std::vector<TableDigest> digestsOf(Engine engine, std::uint64_t seed) {
    Filled f = fill(engine, seed);
    return tableDigests(f.db->connection());
}

const TableDigest& digestOf(const std::vector<TableDigest>& all, const char* table) {
    for (const TableDigest& d : all)
        if (d.table == QLatin1String(table)) return d;
    throw std::logic_error("table not in the schema");
}

void expectSame(const std::vector<TableDigest>& a, const std::vector<TableDigest>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(a[i].table.toStdString());
        EXPECT_EQ(a[i].rows, b[i].rows);
        EXPECT_EQ(a[i].sha256, b[i].sha256);
    }
}

class DemoGenerationTest : public afdb::testing::MigratedEngineTest {};

TEST_P(DemoGenerationTest, SameSeedGivesTheSameContent) {
    const std::vector<TableDigest> first = digestsOf(engine(), 7);
    const std::vector<TableDigest> second = digestsOf(engine(), 7);
    expectSame(first, second);
    EXPECT_GT(digestOf(first, "ITEMAUTF").rows, 0);
    EXPECT_GT(digestOf(first, "OPERADOR").rows, 0);  // the password hashes are part of it

    const std::vector<TableDigest> other = digestsOf(engine(), 8);
    EXPECT_NE(digestOf(first, "AUTOFORNE").sha256, digestOf(other, "AUTOFORNE").sha256);
    EXPECT_NE(digestOf(first, "OPERADOR").sha256, digestOf(other, "OPERADOR").sha256);
}

TEST_P(DemoGenerationTest, RefusesADatabaseWithAfs) {
    afdb::testing::seedMinimalWorld(connection());
    try {
        generateDemoData(database(), {});
        FAIL() << "a database with AFs was filled";
    } catch (const host::UserError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("já tem AFs"))) << e.message().toStdString();
    }
    EXPECT_EQ(afdb::scalar(connection(), QStringLiteral("SELECT COUNT(*) FROM AUTOFORNE")).toInt(), 1);
    EXPECT_EQ(afdb::scalar(connection(), QStringLiteral("SELECT COUNT(*) FROM EMPRESA")).toInt(), 1);
}

TEST_P(DemoGenerationTest, RefusesADatabaseWithOtherRows) {
    afdb::testing::insertRow(connection(), QStringLiteral("EMPRESA"), {{"CDEMPRESA", "09"}, {"NMEMPRESA", "Outra"}});
    try {
        generateDemoData(database(), {});
        FAIL() << "a database that is not empty was filled";
    } catch (const host::UserError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("EMPRESA"))) << e.message().toStdString();
    }
    EXPECT_EQ(afdb::scalar(connection(), QStringLiteral("SELECT COUNT(*) FROM FILIAL")).toInt(), 0);
}

TEST_P(DemoGenerationTest, FillsAnUnmigratedDatabase) {
    auto testDb = afdb::testing::TestDatabase::create(engine());
    afdb::Database db(testDb->config());
    const DemoSummary s = generateDemoData(db, {});
    EXPECT_EQ(s.afs, 200);
    EXPECT_EQ(afdb::scalar(db.connection(), QStringLiteral("SELECT COUNT(*) FROM AUTOFORNE")).toInt(), 200);
}

AFDB_INSTANTIATE_ON_ENGINES(DemoGenerationTest);

TEST(DemoGeneration, SameContentOnBothEngines) {
    AFDB_SKIP_WITHOUT_POSTGRES();
    expectSame(digestsOf(Engine::SQLite, kDefaultSeed), digestsOf(Engine::PostgreSQL, kDefaultSeed));
}

TEST(DemoGeneration, ScaleGivesTheCounts) {
    struct Case {
        int scale;
        int afs;
        qint64 items;
    };
    for (const Case& c : {Case{1, 200, 2000}, Case{50, 10000, 100000}, Case{500, 100000, 1000000}}) {
        SCOPED_TRACE(c.scale);
        const DemoCounts counts = demoCounts(c.scale);
        EXPECT_EQ(counts.afs, c.afs);
        EXPECT_EQ(counts.items, c.items);
    }
    EXPECT_LT(demoCounts(1).suppliers, demoCounts(500).suppliers);
    EXPECT_LT(demoCounts(1).products, demoCounts(500).products);
    for (int bad : {0, -1, kMaxScale + 1}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(demoCounts(bad), host::UserError);
    }
}

TEST(DemoGeneration, LargerScaleKeepsTheItemAverage) {
    auto testDb = afdb::testing::TestDatabase::create(Engine::SQLite);
    afdb::Database db(testDb->config());
    const DemoSummary s = generateDemoData(db, {.scale = 3, .seed = 99});
    EXPECT_EQ(s.afs, 600);
    EXPECT_EQ(s.items, 6000);
    EXPECT_EQ(afdb::scalar(db.connection(), QStringLiteral("SELECT COUNT(*) FROM ITEMAUTF")).toInt(), 6000);
}

TEST(EnsureDemoDatabase, CreatesOnceAndLeavesAnExistingFileAlone) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("demo.db"));
    ASSERT_TRUE(ensureDemoDatabase(path));
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("demo.db")});  // nothing left behind
    {
        afdb::Database db(afdb::Config::sqlite(path));
        EXPECT_EQ(afdb::scalar(db.connection(), QStringLiteral("SELECT COUNT(*) FROM AUTOFORNE")).toInt(), 200);
        afdb::exec(db.connection(), QStringLiteral("DELETE FROM MENSAUTF"));  // a change the second call must keep
    }
    EXPECT_FALSE(ensureDemoDatabase(path));
    afdb::Database db(afdb::Config::sqlite(path));
    EXPECT_EQ(afdb::scalar(db.connection(), QStringLiteral("SELECT COUNT(*) FROM MENSAUTF")).toInt(), 0);
}

TEST(EnsureDemoDatabase, ReportsAPlaceItCannotWrite) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("falta/demo.db"));  // the folder does not exist
    EXPECT_THROW(ensureDemoDatabase(path), host::UserError);
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(DemoPassword, VerifiesAndIsStablePerSeed) {
    const QString a = demoPasswordHash(QStringLiteral("admin"), 1);
    EXPECT_TRUE(platform::security::verifyPassword(QStringLiteral("admin"), a));
    EXPECT_FALSE(platform::security::verifyPassword(QStringLiteral("Admin"), a));
    EXPECT_FALSE(platform::security::needsRehash(a));
    EXPECT_EQ(a, demoPasswordHash(QStringLiteral("admin"), 1));
    EXPECT_NE(a, demoPasswordHash(QStringLiteral("admin"), 2));
    const QString accented = demoPasswordHash(QStringLiteral("senhaçã"), 1);
    EXPECT_TRUE(platform::security::verifyPassword(QStringLiteral("senhaçã"), accented));
}

TEST(Prng, StreamsRepeatAndStayInRange) {
    Prng a = Prng::stream(5, 1, 3);
    Prng b = Prng::stream(5, 1, 3);
    Prng other = Prng::stream(5, 1, 4);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const int x = a.between(-3, 3);
        EXPECT_EQ(x, b.between(-3, 3));
        EXPECT_GE(x, -3);
        EXPECT_LE(x, 3);
        differs = differs || other.between(-3, 3) != x;
    }
    EXPECT_TRUE(differs);
    EXPECT_EQ(a.between(7, 7), 7);
    EXPECT_EQ(a.between(7, 2), 7);
}

}  // namespace
}  // namespace afdemo

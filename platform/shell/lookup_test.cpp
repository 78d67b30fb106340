// The shell's reads over its lookup connection: the connection itself
// (read-only), branches and operators, and the product picture.
#include "platform/shell/branch_directory.h"
#include "platform/shell/lookup_database.h"
#include "platform/shell/product_picture.h"
#include "platform/shell/testing/shell_fixture.h"

#include "platform/db/db_error.h"
#include "platform/db/sql_exec.h"

namespace shell {
namespace {

using testing::ShellTest;

TEST(LookupConfig, TellsSqliteFilesFromPostgresConnInfo) {
    const afdb::Config file = lookupConfig(QStringLiteral(" /dados/af.sqlite "));
    EXPECT_EQ(file.engine, afdb::Engine::SQLite);
    EXPECT_EQ(file.sqlitePath, QStringLiteral("/dados/af.sqlite"));
    EXPECT_TRUE(file.readOnly);

    const afdb::Config pg = lookupConfig(QStringLiteral("host=srvdb port=5433 dbname=af user=leitor password='s e'"));
    EXPECT_EQ(pg.engine, afdb::Engine::PostgreSQL);
    EXPECT_EQ(pg.host, QStringLiteral("srvdb"));
    EXPECT_EQ(pg.port, 5433);
    EXPECT_EQ(pg.databaseName, QStringLiteral("af"));
    EXPECT_TRUE(pg.readOnly);
    EXPECT_EQ(pg.readOnlyUser, QStringLiteral("leitor"));
    EXPECT_EQ(pg.readOnlyPassword, QStringLiteral("s e"));

    EXPECT_THROW(lookupConfig(QStringLiteral("  ")), host::UserError);
    EXPECT_THROW(lookupConfig(QStringLiteral("host=srvdb banco=af")), afdb::DbError);  // a typo is not ignored
}

TEST_F(ShellTest, LookupConnectionReadsButNeverWrites) {
    LookupDatabase lookups(lookupConfig(databasePath()));
    EXPECT_EQ(lookups.dialect(), host::SqlDialect::SQLite);
    const QSqlDatabase db = lookups.database();
    EXPECT_EQ(afdb::scalar(db, QStringLiteral("SELECT COUNT(*) FROM FILIAL")).toInt(), 3);
    EXPECT_THROW(afdb::exec(db, QStringLiteral("UPDATE FILIAL SET NMFILIAL = 'X'")), afdb::DbError);
}

TEST_F(ShellTest, MissingLookupFileIsReportedWhenOpened) {
    try {
        LookupDatabase lookups(lookupConfig(databasePath() + QStringLiteral(".nao")));
        FAIL() << "opened a missing file";
    } catch (const afdb::DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("não existe"))) << e.message().toStdString();
    }
}

TEST_F(ShellTest, BranchDirectoryListsBranchesWithTheirDates) {
    LookupDatabase lookups(lookupConfig(databasePath()));
    const BranchDirectory directory(lookups.database());

    const QList<BranchRecord> branches = directory.branches();
    ASSERT_EQ(branches.size(), 3);
    EXPECT_EQ(branches[0].code, QStringLiteral("0001"));
    EXPECT_EQ(branches[0].name, QStringLiteral("Central"));
    EXPECT_EQ(branches[0].processingDate, testing::kCentralDate);
    EXPECT_EQ(branches[1].code, QStringLiteral("0002"));
    EXPECT_EQ(branches[1].central, QStringLiteral("0001"));
    EXPECT_EQ(branches[1].processingDate, testing::kStoreDate);
    EXPECT_EQ(branches[2].processingDate, std::nullopt);

    EXPECT_EQ(directory.processingDate(QStringLiteral("0002")), testing::kStoreDate);
    EXPECT_EQ(directory.processingDate(QStringLiteral("9999")), std::nullopt);
    EXPECT_EQ(directory.branch(QStringLiteral("9999")), std::nullopt);

    EXPECT_EQ(directory.operatorBranch(QStringLiteral("OPERADOR1")), QStringLiteral("0002"));
    EXPECT_EQ(directory.operatorBranch(QStringLiteral("COMPRADOR1")), QString());
    EXPECT_EQ(directory.operatorBranch(QStringLiteral("NINGUEM")), QString());
}

TEST(BranchMode, OnlyBranchesServedByACentralWorkAlone) {
    struct Case {
        QString code, central;
        bool branchMode;
    };
    const Case cases[] = {
        {"0001", "", false},      // a purchasing central
        {"0001", "0001", false},  // a central that names itself
        {"0002", "0001", true},   // a store of central 0001
        {"0006", "0001", true},   // a logistic operator of central 0001
    };
    for (const Case& c : cases)
        EXPECT_EQ(worksInBranchMode(BranchRecord{c.code, QStringLiteral("x"), c.central, std::nullopt}), c.branchMode)
            << c.code.toStdString() << " / " << c.central.toStdString();
}

TEST(ProductPicture, OneGroupOfDigitsPerTreeLevel) {
    struct Case {
        QList<int> lengths;
        QString picture;
    };
    const Case cases[] = {
        {{2, 4, 7}, "!99.99.999;0;_"},
        {{7, 2, 4, 4, 2}, "!99.99.999;0;_"},  // order and repeats do not matter
        {{2, 7}, "!99.99999;0;_"},
        {{3, 6, 9, 13}, "!999.999.999.9999;0;_"},
        {{5}, "!99999;0;_"},
        {{0, 2, 4, 7}, "!99.99.999;0;_"},  // an empty code is no level
        {{}, kDefaultProductPicture},
    };
    for (const Case& c : cases) EXPECT_EQ(productTreePicture(c.lengths), c.picture);
}

TEST_F(ShellTest, ProductPictureFollowsTheCatalogue) {
    LookupDatabase lookups(lookupConfig(databasePath()));
    // The minimal world has a level-1 node "01" and a product "0102003".
    EXPECT_EQ(productTreePicture(lookups.database()), QStringLiteral("!99.99999;0;_"));
}

}  // namespace
}  // namespace shell

// The constraints behave the same on both engines: what PostgreSQL refuses in
// production, SQLite refuses in development and tests.
#include "platform/db/db_error.h"
#include "platform/db/sql_exec.h"
#include "platform/db/sql_values.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/db/testing/test_database.h"
#include "platform/db/transaction.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace afdb {
namespace {

class SchemaConstraintsTest : public testing::MigratedEngineTest {
protected:
    void SetUp() override {
        MigratedEngineTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        m_world = testing::seedMinimalWorld(connection());
    }
    int count(const QString& sql, const Params& params = {}) { return scalar(connection(), sql, params).toInt(); }
    Params afKey() const {
        return {{"D", m_world.branch}, {"L", m_world.central}, {"N", m_world.afNumber}};
    }
    testing::MinimalWorld m_world;
};

TEST_P(SchemaConstraintsTest, RefusesTextLongerThanTheColumn) {
    EXPECT_THROW(testing::insertRow(connection(), "MARCA", {{"CDMARCA", "123456"}, {"NMMARCA", "x"}}), DbError);
    EXPECT_THROW(testing::insertRow(connection(), "FILIAL", {{"CDFILIAL", "0003"}, {"NMFILIAL", QString(31, 'x')}}),
                 DbError);
    testing::insertRow(connection(), "FILIAL", {{"CDFILIAL", "0003"}, {"NMFILIAL", QString(30, QChar(0x00E7))}});
    EXPECT_EQ(scalar(connection(), "SELECT NMFILIAL FROM FILIAL WHERE CDFILIAL = '0003'").toString(),
              QString(30, QChar(0x00E7)))
        << "sizes count characters, not bytes";
}

TEST_P(SchemaConstraintsTest, RefusesMalformedDates) {
    // (PostgreSQL also reads its DateStyle forms such as "05/03/2024" and 24:00; bound
    // dates always travel in the canonical form, so only these are checked.)
    const char* bad[] = {"2024-02-30 00:00:00", "2023-02-29 12:00:00", "amanhã", "2024-13-01 00:00:00"};
    for (const char* text : bad) {
        EXPECT_THROW(exec(connection(), "UPDATE AUTOFORNE SET DTPROGENTAF = :T", {{"T", QString::fromUtf8(text)}}), DbError)
            << text;
    }
    exec(connection(), "UPDATE AUTOFORNE SET DTPROGENTAF = :T", {{"T", QDateTime(QDate(2024, 2, 29), QTime(0, 0))}});
    EXPECT_EQ(readDateTime(scalar(connection(), "SELECT DTPROGENTAF FROM AUTOFORNE")).date(), QDate(2024, 2, 29));
}

TEST_P(SchemaConstraintsTest, EnforcesKeysAndReferences) {
    struct Case {
        const char* what;
        const char* table;
        Params row;
    };
    const Case cases[] = {
        {"unknown supplier", "AUTOFORNE",
         {{"CDFILDEST", m_world.branch}, {"CDFILLANC", m_world.central}, {"NRAUTOFORN", "0000000002"},
          {"CDFORNECED", "NAO EXISTE"}, {"DTAUTOFORN", QDateTime::currentDateTime()}, {"CDOPERADOR", m_world.buyer}}},
        {"unknown brand", "ITEMAUTF",
         {{"CDFILDEST", m_world.branch}, {"CDFILLANC", m_world.central}, {"NRAUTOFORN", m_world.afNumber},
          {"CDPRODUTO", m_world.product}, {"DTPROGENTAF", QDateTime::currentDateTime()}, {"CDMARCA", "99999"},
          {"QTPROGENTAF", 1.0}}},
        {"item of no AF", "ITEMAUTF",
         {{"CDFILDEST", m_world.branch}, {"CDFILLANC", m_world.central}, {"NRAUTOFORN", "0000000099"},
          {"CDPRODUTO", m_world.product}, {"DTPROGENTAF", QDateTime::currentDateTime()}, {"CDMARCA", m_world.brand},
          {"QTPROGENTAF", 1.0}}},
        {"empty key", "MARCA", {{"CDMARCA", ""}, {"NMMARCA", "Sem código"}}},
        {"duplicate key", "MARCA", {{"CDMARCA", m_world.brand}, {"NMMARCA", "Outra"}}},
        {"duplicate tree code", "PRODUTO", {{"CDPRODUTO", "X"}, {"CDARVPROD", m_world.productTree}, {"NMPRODUTO", "y"}}},
        {"second general parameters row", "PARAMGERAL", {{"CDPARAMGERAL", "2"}}},
    };
    for (const Case& c : cases) EXPECT_THROW(testing::insertRow(connection(), c.table, c.row), DbError) << c.what;
}

TEST_P(SchemaConstraintsTest, DeletingAnAfRemovesItsDetailsButKeepsItsLog) {
    exec(connection(), "INSERT INTO MOVOPAF (CDFILDESMOV, CDFILLANMOV, NRAUTOMOV, DTOPERAF, IDOPERAMOVAF, DSALTERAF) "
                       "VALUES (:D, :L, :N, :T, 'I', 'Inclusão de AF Manual')",
         {{"D", m_world.branch}, {"L", m_world.central}, {"N", m_world.afNumber}, {"T", QDateTime::currentDateTime()}});
    exec(connection(), "DELETE FROM AUTOFORNE WHERE CDFILDEST = :D AND CDFILLANC = :L AND NRAUTOFORN = :N", afKey());
    for (const char* t : {"ITEMAUTF", "IMPITMAF", "PRAZOPGTAF", "MENSAUTF", "ENCARGOAF"})
        EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(t))), 0) << t;
    EXPECT_EQ(count("SELECT COUNT(*) FROM MOVOPAF WHERE NRAUTOMOV = :N", {{"N", m_world.afNumber}}), 1);
}

// The server renumbers a new AF and moves an item to another date by updating keys.
TEST_P(SchemaConstraintsTest, KeyChangesFollowIntoTheDetails) {
    exec(connection(), "UPDATE AUTOFORNE SET NRAUTOFORN = '0000000777' WHERE NRAUTOFORN = :N",
         {{"N", m_world.afNumber}});
    EXPECT_EQ(count("SELECT COUNT(*) FROM IMPITMAF WHERE NRAUTOFORN = '0000000777'"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM MENSAUTF WHERE NRAUTOFORN = '0000000777'"), 1);

    const QDateTime later(QDate(2024, 4, 1), QTime(0, 0));
    exec(connection(), "UPDATE ITEMAUTF SET DTPROGENTAF = :T", {{"T", later}});
    EXPECT_EQ(readDateTime(scalar(connection(), "SELECT DTPROGENTAF FROM IMPITMAF")).date(), later.date());
}

TEST_P(SchemaConstraintsTest, LogRowsAreNumberedByTheDatabase) {
    for (int i = 0; i < 3; ++i)
        exec(connection(), "INSERT INTO MOVOPAF (CDFILDESMOV, CDFILLANMOV, NRAUTOMOV, DTOPERAF) VALUES ('0002', '0001', "
                           "'0000000001', :T)",
             {{"T", QDateTime::currentDateTime()}});
    EXPECT_EQ(count("SELECT COUNT(DISTINCT NRSEQMOVAF) FROM MOVOPAF"), 3);
    EXPECT_EQ(count("SELECT MIN(NRSEQMOVAF) FROM MOVOPAF"), 1);
}

AFDB_INSTANTIATE_ON_ENGINES(SchemaConstraintsTest);

}  // namespace
}  // namespace afdb

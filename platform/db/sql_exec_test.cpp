#include "platform/db/db_error.h"
#include "platform/db/sql_exec.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/db/testing/test_database.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace afdb {
namespace {

TEST(PlaceholderNames, FindsNamedParametersOutsideQuotesAndComments) {
    struct Case {
        const char* sql;
        QStringList names;
    };
    const Case cases[] = {
        {"SELECT 1", {}},
        {"SELECT * FROM T WHERE A = :P_A AND B = :P_B", {"P_A", "P_B"}},
        {"SELECT * FROM T WHERE (A = :P OR :P = 'T')", {"P"}},
        {"SELECT ':NAO' FROM T WHERE A = :SIM", {"SIM"}},
        {"SELECT 'it''s :NAO' FROM T WHERE A = :SIM", {"SIM"}},
        {"SELECT \"COL:NAO\" FROM T WHERE A = :SIM", {"SIM"}},
        {"SELECT A::text FROM T WHERE B = :SIM", {"SIM"}},
        {"SELECT A -- :NAO\n FROM T WHERE B = :SIM /* :NAO2 */", {"SIM"}},
        {"DO $$ BEGIN PERFORM :NAO; END $$", {}},
        {"SELECT $tag$ :NAO $tag$, :SIM", {"SIM"}},
        {"SELECT * FROM T WHERE A = :A1 AND B=:B_2", {"A1", "B_2"}},
    };
    for (const Case& c : cases) EXPECT_EQ(placeholderNames(QString::fromUtf8(c.sql)), c.names) << c.sql;
}

class SqlExecTest : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        exec(connection(), "CREATE TABLE T (A VARCHAR(40) NOT NULL PRIMARY KEY, B VARCHAR(200), N DOUBLE PRECISION)");
    }
};

TEST_P(SqlExecTest, InjectionShapedValuesAreStoredLiterally) {
    const QString values[] = {
        QStringLiteral("x'); DROP TABLE T; --"),
        QStringLiteral("' OR '1'='1"),
        QStringLiteral("\\'; DELETE FROM T; --"),
        QStringLiteral(":B"),
        QStringLiteral("$$; DROP TABLE T; $$"),
        QStringLiteral("Ação \"com\" aspas; ç ã é"),
    };
    int i = 0;
    for (const QString& v : values) {
        const QString key = QStringLiteral("K%1").arg(i++);
        exec(connection(), "INSERT INTO T (A, B) VALUES (:A, :B)", {{"A", key}, {"B", v}});
        EXPECT_EQ(scalar(connection(), "SELECT B FROM T WHERE A = :A", {{"A", key}}).toString(), v);
        EXPECT_EQ(scalar(connection(), "SELECT A FROM T WHERE B = :B", {{"B", v}}).toString(), key);
    }
    EXPECT_EQ(scalar(connection(), "SELECT COUNT(*) FROM T").toInt(), i) << "nothing was executed from the values";
}

TEST_P(SqlExecTest, AParameterMayAppearSeveralTimes) {
    testing::insertRow(connection(), "T", {{"A", "0001"}, {"B", "x"}});
    testing::insertRow(connection(), "T", {{"A", "0002"}, {"B", "y"}});
    auto count = [&](const QVariant& code, const QVariant& all) {
        return scalar(connection(), "SELECT COUNT(*) FROM T WHERE (A = :P_A OR :P_T = 'T') AND (B = :P_B OR :P_T = 'T')",
                      {{"P_A", code}, {"P_T", all}, {"P_B", "x"}})
            .toInt();
    };
    EXPECT_EQ(count("0001", ""), 1);
    EXPECT_EQ(count("0002", ""), 0);
    EXPECT_EQ(count("", "T"), 2);
}

// The lookups rely on NVL(:P, column) meaning "any" for an empty parameter.
TEST_P(SqlExecTest, EmptyTextIsBoundAsNull) {
    testing::insertRow(connection(), "T", {{"A", "K"}, {"B", ""}});
    EXPECT_TRUE(scalar(connection(), "SELECT B FROM T WHERE A = 'K'").isNull());
    testing::insertRow(connection(), "T", {{"A", "L"}, {"B", "b"}});
    EXPECT_EQ(scalar(connection(), "SELECT COUNT(*) FROM T WHERE A = COALESCE(:P, A)", {{"P", QString()}}).toInt(), 2);
    EXPECT_EQ(scalar(connection(), "SELECT COUNT(*) FROM T WHERE A = COALESCE(:P, A)", {{"P", "L"}}).toInt(), 1);
}

TEST_P(SqlExecTest, RefusesMissingUnknownAndRepeatedParameters) {
    EXPECT_THROW(exec(connection(), "SELECT * FROM T WHERE A = :A AND B = :B", {{"A", "x"}}), DbError);
    EXPECT_THROW(exec(connection(), "SELECT * FROM T WHERE A = :A", {{"A", "x"}, {"C", "y"}}), DbError);
    EXPECT_THROW(exec(connection(), "SELECT * FROM T WHERE A = :A", {{"A", "x"}, {":A", "y"}}), DbError);
    try {
        exec(connection(), "SELECT * FROM T WHERE A = :A AND B = :FALTANDO", {{"A", "x"}});
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral(":FALTANDO"))) << e.what();
    }
}

TEST_P(SqlExecTest, ErrorsKeepTheStatementForTheLogAndShowTheDriverText) {
    testing::insertRow(connection(), "T", {{"A", "K"}});
    const QString sql = QStringLiteral("INSERT INTO T (A) VALUES (:A)");
    try {
        exec(connection(), sql, {{"A", "K"}});
        FAIL() << "duplicate key accepted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.isUniqueViolation()) << e.code().toStdString();
        EXPECT_EQ(e.statement(), sql);
        EXPECT_FALSE(e.message().contains(sql)) << "the SQL is for the log, not for users: " << e.what();
        EXPECT_TRUE(e.detail().contains(sql)) << e.detail().toStdString();
        EXPECT_TRUE(e.detail().contains(e.code())) << e.detail().toStdString();
        EXPECT_FALSE(e.driverText().isEmpty());
        EXPECT_TRUE(e.message().contains(e.driverText())) << e.what();
    }
    EXPECT_THROW(exec(connection(), "SELECT * FROM TABELA_INEXISTENTE"), DbError);
}

TEST_P(SqlExecTest, ReportsAffectedRows) {
    testing::insertRow(connection(), "T", {{"A", "1"}, {"N", 1.0}});
    testing::insertRow(connection(), "T", {{"A", "2"}, {"N", 2.0}});
    EXPECT_EQ(execAffected(connection(), "UPDATE T SET N = N + 1 WHERE N >= :N", {{"N", 1.5}}), 1);
    EXPECT_EQ(execAffected(connection(), "DELETE FROM T"), 2);
}

TEST_P(SqlExecTest, KeptStatementsAreReusedWithNewValues) {
    const QSqlDatabase db = connection();
    exec(db, "INSERT INTO T (A, B) VALUES ('a', 'um'), ('b', 'dois'), ('c', NULL)");
    const QString sql = QStringLiteral("SELECT B FROM T WHERE A = :A OR A = :OUTRA ORDER BY A");
    const auto rows = [&](const QString& a, const QString& other) {
        QStringList out;
        QSqlQuery& q = execKept(db, sql, {{"A", a}, {":OUTRA", other}});
        while (q.next()) out << (q.value(0).isNull() ? QStringLiteral("<null>") : q.value(0).toString());
        q.finish();
        return out;
    };
    EXPECT_EQ(rows("a", "b"), (QStringList{"um", "dois"}));
    EXPECT_EQ(rows("c", "zz"), QStringList{"<null>"});
    EXPECT_EQ(rows("b", "b"), QStringList{"dois"});
    EXPECT_EQ(keptStatementCount(db), 1);
    if (engine() == Engine::PostgreSQL) {
        // Prepared once on the server, not once per call.
        EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM pg_prepared_statements WHERE statement LIKE '%OR A =%'").toInt(), 1);
    }
    // The kept statement checks its parameters like any other.
    EXPECT_THROW(execKept(db, sql, {{"A", "a"}}), DbError);
    EXPECT_THROW(execKept(db, sql, {{"A", "a"}, {"OUTRO", "b"}}), DbError);
}

TEST_P(SqlExecTest, AFailedKeptStatementIsDroppedAndTheNextCallWorks) {
    const QSqlDatabase db = connection();
    exec(db, "INSERT INTO T (A, N) VALUES ('a', 1)");
    // Text that prepares but fails when run with this value on both engines:
    // a cast of a non-number.
    const QString sql = engine() == Engine::PostgreSQL
                            ? QStringLiteral("SELECT CAST(CAST(:V AS VARCHAR(10)) AS INTEGER) FROM T")
                            : QStringLiteral("SELECT A FROM T WHERE A = :V AND N = 1");
    if (engine() == Engine::PostgreSQL) {
        EXPECT_THROW(execKept(db, sql, {{"V", "x"}}), DbError);
        EXPECT_EQ(keptStatementCount(db), 0);
        QSqlQuery& q = execKept(db, sql, {{"V", "7"}});
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toInt(), 7);
    } else {
        // SQLite fails at prepare time on a missing table; the text is not kept.
        EXPECT_THROW(execKept(db, "SELECT * FROM NAO_EXISTE WHERE A = :V", {{"V", "x"}}), DbError);
        EXPECT_EQ(keptStatementCount(db), 0);
        QSqlQuery& q = execKept(db, sql, {{"V", "a"}});
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toString(), "a");
    }
}

AFDB_INSTANTIATE_ON_ENGINES(SqlExecTest);

}  // namespace
}  // namespace afdb

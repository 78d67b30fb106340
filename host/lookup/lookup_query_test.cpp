#include "lookup_query.h"
#include "host_database.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QUuid>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

using namespace host;

TEST(PrepareNamedParameters, FindsParametersOnlyWhereTheyAre) {
    struct Case {
        QString sql;
        QString text;
        QStringList params;
    } cases[] = {
        {"SELECT * FROM T WHERE A = :P_A", "SELECT * FROM T WHERE A = ?", {"P_A"}},
        {"WHERE A = :p_a AND B = :P_B OR A = :P_A", "WHERE A = ? AND B = ? OR A = ?", {"P_A", "P_B", "P_A"}},
        {"WHERE A = ':P_NOT' AND B = :P_B", "WHERE A = ':P_NOT' AND B = ?", {"P_B"}},
        {"WHERE A = 'it''s :X' AND B=:Y", "WHERE A = 'it''s :X' AND B=?", {"Y"}},
        {"SELECT \":P_COL\" FROM T", "SELECT \":P_COL\" FROM T", {}},
        {"SELECT X::text FROM T -- :P_C\nWHERE Y = :P_D", "SELECT X::text FROM T -- :P_C\nWHERE Y = ?", {"P_D"}},
        {"SELECT /* :P_E */ 1 WHERE Z = :P_F", "SELECT /* :P_E */ 1 WHERE Z = ?", {"P_F"}},
        {"SELECT 'unterminated :P_G", "SELECT 'unterminated :P_G", {}},
        {"WHERE A = :1 AND B = :", "WHERE A = :1 AND B = :", {}},
    };
    for (const auto& c : cases) {
        const PreparedSql p = prepareNamedParameters(c.sql);
        EXPECT_EQ(p.text, c.text) << c.sql.toStdString();
        EXPECT_EQ(p.parameters, c.params) << c.sql.toStdString();
    }
}

namespace {

// One connection per engine with a small branch table; PostgreSQL uses a
// temporary table, private to the connection, so tests can run side by side.
class LookupOnEngine : public ::testing::TestWithParam<SqlDialect> {
protected:
    void SetUp() override {
        const QString name = QUuid::createUuid().toString();
        if (GetParam() == SqlDialect::SQLite) {
            db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(QStringLiteral(":memory:"));
        } else {
            if (qEnvironmentVariableIsEmpty("PGHOST")) {
                if (qEnvironmentVariableIntValue("AF_REQUIRE_PG")) FAIL() << "PostgreSQL is required (PGHOST unset)";
                GTEST_SKIP() << "PGHOST unset: no PostgreSQL to test against";
            }
            db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            db.setHostName(qEnvironmentVariable("PGHOST"));
            db.setPort(qEnvironmentVariableIntValue("PGPORT"));
            db.setUserName(qEnvironmentVariable("PGUSER"));
            db.setPassword(qEnvironmentVariable("PGPASSWORD"));
            db.setDatabaseName(qEnvironmentVariable("PGDATABASE"));
        }
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        const bool pg = GetParam() == SqlDialect::PostgreSQL;
        run(QStringLiteral("CREATE %1 TABLE FILIAL (CDFILIAL VARCHAR(4) PRIMARY KEY, NMFILIAL VARCHAR(30), "
                           "DTPROC %2, VRLIMITE %3, QTITENS INTEGER)")
                .arg(pg ? "TEMP" : "", pg ? "TIMESTAMP" : "TEXT", pg ? "DOUBLE PRECISION" : "REAL"));
        run("INSERT INTO FILIAL VALUES ('0001', 'Matriz', '2026-12-09 00:00:00', 1500.5, 10)");
        run("INSERT INTO FILIAL VALUES ('0002', 'Filial Sul', '2026-12-10 13:45:00', NULL, 3)");
        run("INSERT INTO FILIAL VALUES ('0003', 'Depósito', NULL, 0.25, NULL)");
    }
    void TearDown() override {
        const QString name = db.connectionName();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }
    void run(const QString& sql) {
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
    }
    QStringList codes(LookupQuery& q) {
        QStringList out;
        for (q.first(); !q.eof(); q.next()) out << q.field("CDFILIAL").asString();
        return out;
    }
    QSqlDatabase db;
};

}  // namespace

TEST_P(LookupOnEngine, BindsByNameAndReturnsTypedFields) {
    LookupQuery q("qryFilial");
    q.addField(FieldDef::dateTime("DTPROC"));
    q.setSql("SELECT CDFILIAL, NMFILIAL, DTPROC, VRLIMITE, QTITENS FROM FILIAL "
             "WHERE (CAST(:P_CDFILIAL AS VARCHAR(4)) IS NULL OR CDFILIAL = :P_CDFILIAL) ORDER BY CDFILIAL");
    q.setParam("P_CDFILIAL", "0002");
    q.open(db, GetParam());
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.field("NMFILIAL").asString(), "Filial Sul");
    EXPECT_EQ(q.field("DTPROC").asDateTime(), DateTime::fromDate(QDate(2026, 12, 10), QTime(13, 45)));
    EXPECT_TRUE(q.field("VRLIMITE").isNull());
    EXPECT_EQ(q.field("QTITENS").type(), FieldType::Integer);
    EXPECT_EQ(q.field("QTITENS").asInteger(), 3);

    q.setParam("P_CDFILIAL", QVariant());  // null: every branch
    q.open(db, GetParam());
    EXPECT_EQ(codes(q), (QStringList{"0001", "0002", "0003"}));
    q.first();
    EXPECT_EQ(q.field("VRLIMITE").type(), FieldType::Float);
    EXPECT_EQ(q.field("VRLIMITE").asFloat(), 1500.5);
    q.result().last();
    EXPECT_EQ(q.field("NMFILIAL").asString(), "Depósito");
}

TEST_P(LookupOnEngine, InjectionShapedValuesAreOnlyValues) {
    LookupQuery q("qryFilial");
    q.setSql("SELECT CDFILIAL FROM FILIAL WHERE NMFILIAL = :P_NOME");
    for (const QString& hostile : {QStringLiteral("x' OR '1'='1"), QStringLiteral("'; DROP TABLE FILIAL; --"),
                                   QStringLiteral("Matriz' --")}) {
        q.setParam("P_NOME", hostile);
        q.open(db, GetParam());
        EXPECT_TRUE(q.isEmpty()) << hostile.toStdString();
    }
    q.setParam("P_NOME", "Matriz");
    q.open(db, GetParam());
    EXPECT_EQ(codes(q), QStringList{"0001"});
}

TEST_P(LookupOnEngine, RunsTheTextOfTheEngineInUse) {
    LookupQuery q("qryNome");
    q.setSql("SELECT NVL(NMFILIAL, 'x') AS NOME FROM FILIAL WHERE CDFILIAL = :P_CD");  // Oracle only
    q.setSql(SqlDialect::Oracle, "SELECT NVL(NMFILIAL, 'x') AS NOME FROM FILIAL WHERE CDFILIAL = :P_CD");
    q.setSql(SqlDialect::SqlServer, "SELECT ISNULL(NMFILIAL, 'x') AS NOME FROM FILIAL WHERE CDFILIAL = :P_CD");
    q.setSql(SqlDialect::SQLite, "SELECT IFNULL(NMFILIAL, 'x') AS NOME FROM FILIAL WHERE CDFILIAL = :P_CD");
    q.setSql(SqlDialect::PostgreSQL, "SELECT COALESCE(NMFILIAL, 'x') AS NOME FROM FILIAL WHERE CDFILIAL = :P_CD");
    q.setParam("P_CD", "0003");
    q.open(db, GetParam());
    EXPECT_EQ(q.field("NOME").asString(), "Depósito");
    EXPECT_TRUE(q.sql(SqlDialect::InterBase).startsWith("SELECT NVL"));  // no text of its own: the default
}

TEST_P(LookupOnEngine, FailuresAreClearAndKeepThePreviousRows) {
    LookupQuery q("qryFilial");
    q.setSql("SELECT CDFILIAL FROM FILIAL ORDER BY CDFILIAL");
    q.open(db, GetParam());
    ASSERT_EQ(q.recordCount(), 3);

    q.setSql("SELECT CDFILIAL FROM FILIAL WHERE CDFILIAL = :P_CDFILIAL");
    try {
        q.open(db, GetParam());
        FAIL() << "ran without its parameter";
    } catch (const DataError& e) {
        EXPECT_TRUE(e.message().contains("P_CDFILIAL"));
        EXPECT_TRUE(e.message().contains("qryFilial"));
    }
    q.setSql("SELECT NAOEXISTE FROM FILIAL");
    try {
        q.open(db, GetParam());
        FAIL() << "bad SQL ran";
    } catch (const UserError& e) {
        EXPECT_TRUE(e.message().startsWith("Erro ao consultar qryFilial")) << e.message().toStdString();
    }
    EXPECT_EQ(q.recordCount(), 3);
}

namespace {

struct FixedHostDatabase : HostDatabase {
    FixedHostDatabase(QSqlDatabase db, SqlDialect dialect) : db(db), d(dialect) {}
    QSqlDatabase database() override { return db; }
    SqlDialect dialect() const override { return d; }
    QSqlDatabase db;
    SqlDialect d;
};

}  // namespace

TEST_P(LookupOnEngine, OpenWithoutArgumentsRunsTheDialectTextOnTheHostConnection) {
    LookupQuery q("qryNome");
    q.setSql("SELECT 'default' AS NOME");
    q.setSql(GetParam(), "SELECT NMFILIAL AS NOME FROM FILIAL WHERE CDFILIAL = :P_CD");
    q.setParam("P_CD", "0002");

    setHostDatabase(nullptr);
    EXPECT_THROW(q.open(), DataError);

    setHostDatabase(std::make_shared<FixedHostDatabase>(db, GetParam()));
    q.open();
    setHostDatabase(nullptr);
    EXPECT_EQ(q.field("NOME").asString(), "Filial Sul");
}

INSTANTIATE_TEST_SUITE_P(Engines, LookupOnEngine, ::testing::Values(SqlDialect::SQLite, SqlDialect::PostgreSQL),
                         [](const auto& info) { return sqlDialectName(info.param).toStdString(); });

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // the SQL drivers are plugins: they need an application
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

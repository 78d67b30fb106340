#include "platform/db/db_error.h"
#include "platform/db/sql_exec.h"
#include "platform/db/sql_values.h"
#include "platform/db/testing/test_database.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace afdb {
namespace {

QDateTime naive(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

TEST(SqlValues, DateTimesBecomeTheCanonicalText) {
    EXPECT_EQ(toSqlParam(QVariant(naive(2024, 3, 5, 14, 7, 9))).toString(), QStringLiteral("2024-03-05 14:07:09"));
    EXPECT_EQ(toSqlParam(QVariant(QDate(2024, 12, 31))).toString(), QStringLiteral("2024-12-31 00:00:00"));
    const host::Value v = host::DateTime::fromDate(QDate(1999, 1, 2), QTime(23, 59, 58, 999));
    EXPECT_EQ(toSqlParam(v).toString(), QStringLiteral("1999-01-02 23:59:58")) << "milliseconds are dropped";
    EXPECT_TRUE(toSqlParam(QVariant(QDateTime())).isNull());
    EXPECT_TRUE(toSqlParam(QVariant(QString())).isNull());
    EXPECT_TRUE(toSqlParam(host::Value{QString()}).isNull());
    EXPECT_TRUE(toSqlParam(host::Value{}).isNull());
    EXPECT_EQ(toSqlParam(host::Value{2.5}).toDouble(), 2.5);
}

TEST(SqlValues, ReadsStoredDatesOfBothEngines) {
    struct Case {
        QVariant stored;
        QDateTime expected;
    };
    const Case cases[] = {
        {QStringLiteral("2024-03-05 14:07:09"), naive(2024, 3, 5, 14, 7, 9)},
        {QStringLiteral("2024-03-05T14:07:09.123"), naive(2024, 3, 5, 14, 7, 9)},
        {QStringLiteral("2024-03-05"), naive(2024, 3, 5)},
        {QDateTime(QDate(2018, 11, 4), QTime(12, 0), Qt::LocalTime), naive(2018, 11, 4, 12)},
        {QDate(2020, 2, 29), naive(2020, 2, 29)},
    };
    for (const Case& c : cases) EXPECT_EQ(readDateTime(c.stored), c.expected) << c.stored.toString().toStdString();
    EXPECT_FALSE(readDateTime(QVariant()).isValid());
    EXPECT_THROW(readDateTime(QStringLiteral("05/03/2024")), DbError);
    EXPECT_THROW(readDateTime(QStringLiteral("2024-02-30 00:00:00")), DbError);
}

TEST(SqlValues, ConvertsColumnValuesToDatasetValues) {
    EXPECT_EQ(fromSql(QStringLiteral("12.50"), host::FieldType::Float), host::Value{12.5}) << "PostgreSQL NUMERIC arrives as text";
    EXPECT_EQ(fromSql(7, host::FieldType::Float), host::Value{7.0});
    EXPECT_EQ(fromSql(QStringLiteral("3"), host::FieldType::Integer), host::Value{qint64(3)});
    EXPECT_EQ(fromSql(QStringLiteral("S"), host::FieldType::Boolean), host::Value{true});
    EXPECT_EQ(fromSql(QString(), host::FieldType::String), host::Value{});
    EXPECT_EQ(fromSql(QVariant(), host::FieldType::Float), host::Value{});
    EXPECT_EQ(fromSql(QStringLiteral("2024-03-05 00:00:00"), host::FieldType::DateTime),
              host::Value{host::DateTime::fromDate(QDate(2024, 3, 5))});
    EXPECT_THROW(fromSql(QStringLiteral("abc"), host::FieldType::Float), DbError) << "never read as 0";
    EXPECT_THROW(fromSql(2.5, host::FieldType::Integer), DbError);
}

class DateStorageTest : public testing::EngineTest {};

// Dates bound on either engine come back with the same wall-clock fields and
// compare as dates (the SQLite text form sorts chronologically).
TEST_P(DateStorageTest, RoundTripsAndCompares) {
    const QString ts = engine() == Engine::PostgreSQL ? QStringLiteral("TIMESTAMP(0)") : QStringLiteral("TEXT");
    exec(connection(), QStringLiteral("CREATE TABLE D (K INTEGER PRIMARY KEY, DT %1)").arg(ts));
    const QDateTime dates[] = {naive(2024, 3, 5, 14, 7, 9), naive(1999, 12, 31, 23, 59, 59), naive(2024, 3, 10),
                               naive(2018, 11, 4, 0, 0, 0)};
    int k = 0;
    for (const QDateTime& d : dates) exec(connection(), "INSERT INTO D (K, DT) VALUES (:K, :DT)", {{"K", ++k}, {"DT", d}});
    k = 0;
    for (const QDateTime& d : dates)
        EXPECT_EQ(readDateTime(scalar(connection(), "SELECT DT FROM D WHERE K = :K", {{"K", ++k}})), d);
    EXPECT_EQ(scalar(connection(), "SELECT COUNT(*) FROM D WHERE DT >= :A AND DT <= :B",
                     {{"A", naive(2024, 3, 5)}, {"B", naive(2024, 3, 10)}})
                  .toInt(),
              2);
    EXPECT_EQ(readDateTime(scalar(connection(), "SELECT MIN(DT) FROM D")), naive(1999, 12, 31, 23, 59, 59));
}

AFDB_INSTANTIATE_ON_ENGINES(DateStorageTest);

}  // namespace
}  // namespace afdb

#include "schema_catalog.h"

#include "sql_exec.h"

namespace afdb {

namespace {

bool isPostgres(const QSqlDatabase& db) { return db.driverName() == QLatin1String("QPSQL"); }

QStringList firstColumnUpper(QSqlQuery q) {
    QStringList out;
    while (q.next()) out << upperName(q.value(0).toString());
    return out;
}

}  // namespace

QStringList tableNames(const QSqlDatabase& db) {
    const QString sql = isPostgres(db)
        ? QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = current_schema() "
                         "AND table_type = 'BASE TABLE'")
        : QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'");
    QStringList names = firstColumnUpper(exec(db, sql));
    names.sort();
    return names;
}

bool tableExists(const QSqlDatabase& db, const QString& table) {
    return tableNames(db).contains(table.toUpper());
}

QStringList columnNames(const QSqlDatabase& db, const QString& table) {
    const QString sql = isPostgres(db)
        ? QStringLiteral("SELECT column_name FROM information_schema.columns WHERE table_schema = current_schema() "
                         "AND upper(table_name) = :T ORDER BY ordinal_position")
        : QStringLiteral("SELECT name FROM pragma_table_info(:T) ORDER BY cid");
    return firstColumnUpper(exec(db, sql, {{QStringLiteral("T"), isPostgres(db) ? table.toUpper() : table}}));
}

}  // namespace afdb

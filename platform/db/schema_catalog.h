#pragma once
// What tables and columns a database holds (names upper-cased on both engines).
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtSql/QSqlDatabase>

namespace afdb {

bool tableExists(const QSqlDatabase& db, const QString& table);
QStringList tableNames(const QSqlDatabase& db);                      // sorted
QStringList columnNames(const QSqlDatabase& db, const QString& table);  // declaration order; empty when no table

}  // namespace afdb

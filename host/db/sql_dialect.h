#pragma once
// The SQL dialects a lookup query can carry a text for. Oracle, SQL Server and
// InterBase texts are kept as the screens were written; SQLite and PostgreSQL
// are the engines this platform runs.
#include <QtCore/QString>

namespace host {

enum class SqlDialect { Default, Oracle, SqlServer, InterBase, SQLite, PostgreSQL };

inline QString sqlDialectName(SqlDialect d) {
    switch (d) {
    case SqlDialect::Default: return QStringLiteral("default");
    case SqlDialect::Oracle: return QStringLiteral("oracle");
    case SqlDialect::SqlServer: return QStringLiteral("sqlserver");
    case SqlDialect::InterBase: return QStringLiteral("interbase");
    case SqlDialect::SQLite: return QStringLiteral("sqlite");
    case SqlDialect::PostgreSQL: return QStringLiteral("postgresql");
    }
    return {};
}

}  // namespace host

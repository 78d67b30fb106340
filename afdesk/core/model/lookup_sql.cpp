#include "afdesk/core/model/lookup_sql.h"

#include "host/lookup/lookup_query.h"

namespace afdesk {

void setNullableSql(host::LookupQuery& q, const QString& withNullFunction, const QString& defaultText) {
    using host::SqlDialect;
    q.setSql(defaultText);
    q.setSql(SqlDialect::Oracle, withNullFunction.arg(QStringLiteral("NVL")));
    q.setSql(SqlDialect::InterBase, withNullFunction.arg(QStringLiteral("NVL")));
    q.setSql(SqlDialect::SqlServer, withNullFunction.arg(QStringLiteral("ISNULL")));
    q.setSql(SqlDialect::SQLite, withNullFunction.arg(QStringLiteral("COALESCE")));
    q.setSql(SqlDialect::PostgreSQL, withNullFunction.arg(QStringLiteral("COALESCE")));
}

}  // namespace afdesk

#include "table_digest.h"

#include "platform/db/schema_v1.h"
#include "platform/db/sql_exec.h"
#include "platform/db/sql_values.h"

#include <QtCore/QCryptographicHash>
#include <QtCore/QStringList>

#include <algorithm>

namespace afdemo {

namespace {

using afdb::schema::Kind;

QByteArray canonical(const QVariant& v, Kind kind) {
    if (v.isNull()) return QByteArrayLiteral("\\N");
    switch (kind) {
    case Kind::Double: return QByteArray::number(v.toDouble(), 'g', 17);
    case Kind::Integer:
    case Kind::Identity: return QByteArray::number(v.toLongLong());
    case Kind::Timestamp: return afdb::dateTimeText(afdb::readDateTime(v)).toUtf8();
    case Kind::Varchar:
    case Kind::Text: return v.toString().toUtf8();
    }
    return {};
}

TableDigest digest(const QSqlDatabase& db, const afdb::schema::Table& table) {
    QStringList names;
    for (const afdb::schema::Column& c : table.columns) names << c.name;
    QSqlQuery q = afdb::exec(db, QStringLiteral("SELECT %1 FROM %2").arg(names.join(QStringLiteral(", ")), table.name));
    std::vector<QByteArray> rows;
    while (q.next()) {
        QByteArray row;
        for (int i = 0; i < names.size(); ++i) {
            if (i > 0) row += '\x1f';
            row += canonical(q.value(i), table.columns[std::size_t(i)].kind);
        }
        rows.push_back(std::move(row));
    }
    std::sort(rows.begin(), rows.end());  // byte order: independent of either engine's collation
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QByteArray& row : rows) {
        hash.addData(row);
        hash.addData(QByteArrayView("\x1e", 1));
    }
    return {table.name, qint64(rows.size()), hash.result().toHex()};
}

}  // namespace

std::vector<TableDigest> tableDigests(const QSqlDatabase& db) {
    std::vector<TableDigest> out;
    for (const afdb::schema::Table& t : afdb::schema::v1::allTables()) out.push_back(digest(db, t));
    return out;
}

}  // namespace afdemo

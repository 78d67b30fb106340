#include "packet_query.h"

#include "platform/db/sql_values.h"

#include "host/data/data_packet.h"

#include <QtSql/QSqlRecord>
#include <algorithm>
#include <stdexcept>

namespace platform::server::modules {

namespace {

// Result column of each field, or -1 for a computed one.
std::vector<int> columnsOf(const QSqlRecord& record, const Fields& fields, const Computed& computed) {
    QHash<QString, int> byName;
    for (int i = 0; i < record.count(); ++i) byName.insert(afdb::upperName(record.fieldName(i)), i);
    std::vector<int> columns;
    for (const host::FieldDef& f : fields) {
        if (std::find(computed.begin(), computed.end(), f.name) != computed.end()) {
            columns.push_back(-1);
            continue;
        }
        const auto it = byName.constFind(f.name);
        if (it == byName.constEnd()) throw std::logic_error("packet field without a column: " + f.name.toStdString());
        columns.push_back(*it);
    }
    return columns;
}

}  // namespace

QByteArray queryPacket(const QSqlDatabase& db, const Fields& fields, const QString& sql, const afdb::Params& params,
                       const Computed& computed, const RowFinisher& finish) {
    QSqlQuery& q = afdb::execKept(db, sql, params);
    const std::vector<int> columns = columnsOf(q.record(), fields, computed);
    host::Packet packet;
    packet.fields = fields;
    while (q.next()) {
        host::PacketRow row;
        row.values.reserve(fields.size());
        for (size_t i = 0; i < fields.size(); ++i)
            row.values.push_back(columns[i] < 0 ? host::Value() : afdb::fromSql(q.value(columns[i]), fields[i].type));
        if (finish) finish(row.values);
        packet.rows.push_back(std::move(row));
    }
    q.finish();  // the kept statement no longer holds a result (nor, on SQLite, a read snapshot)
    return host::encodePacket(packet);
}

QByteArray queryPacket(const QSqlDatabase& db, const PacketLayout& layout, const QString& sql,
                       const afdb::Params& params, const RowFinisher& finish) {
    return queryPacket(db, layout.fields(), sql, params, layout.computed(), finish);
}

}  // namespace platform::server::modules

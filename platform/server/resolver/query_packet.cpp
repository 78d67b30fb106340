#include "query_packet.h"

#include "platform/db/sql_values.h"

#include <QtSql/QSqlRecord>

namespace afresolver {

host::Packet selectPacket(const QSqlDatabase& db, const QString& sql, const afdb::Params& params,
                          const std::vector<host::FieldDef>& fields) {
    QSqlQuery q = afdb::exec(db, sql, params);
    const QSqlRecord record = q.record();
    std::vector<int> columnOf;
    for (const host::FieldDef& f : fields) {
        const int c = record.indexOf(f.name);
        if (c < 0) throw host::DataError(QStringLiteral("A consulta não traz a coluna do campo %1.").arg(f.name));
        columnOf.push_back(c);
    }
    host::Packet packet;
    packet.kind = host::PacketKind::Data;
    packet.fields = fields;
    while (q.next()) {
        host::PacketRow row;
        row.values.reserve(fields.size());
        for (size_t i = 0; i < fields.size(); ++i) row.values.push_back(afdb::fromSql(q.value(columnOf[i]), fields[i].type));
        packet.rows.push_back(std::move(row));
    }
    return packet;
}

}  // namespace afresolver

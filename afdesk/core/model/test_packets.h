#pragma once
// Tests build the packets the server would send: its own field layouts, rows
// given by field name (fields left out are null).
#include "host/data/data_packet.h"

#include <QtCore/QString>
#include <map>
#include <vector>

namespace afdesk::testing {

using Row = std::map<QString, host::Value>;

inline QByteArray packetFor(const std::vector<host::FieldDef>& fields, const std::vector<Row>& rows) {
    host::PacketWriter writer(host::PacketKind::Data, fields, qint64(rows.size()));
    for (const Row& row : rows) {
        std::vector<host::Value> values(fields.size());
        for (const auto& [name, value] : row) {
            size_t i = 0;
            while (i < fields.size() && fields[i].name != name) ++i;
            if (i == fields.size()) throw std::logic_error("no such field in the packet: " + name.toStdString());
            values[i] = value;
        }
        writer.addRow(host::RowState::Unchanged, values.data(), nullptr, nullptr);
    }
    return writer.finish();
}

inline host::Value s(const char* text) { return host::Value(QString::fromUtf8(text)); }

}  // namespace afdesk::testing

#pragma once
// Tests build the packets the server would send: its own field layouts, rows
// given by field name (fields left out are null).
#include "host/data/data_packet.h"
#include "host/data/dataset.h"

#include <gtest/gtest.h>

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

// The stored fields of a dataset defined in code are the server's packet
// fields, in its order, of its types, sizes and fixed lengths.
inline void expectServerFields(const host::Dataset& ds, const std::vector<host::FieldDef>& fields) {
    std::vector<const host::Field*> stored;
    for (const host::Field* f : ds.fields())
        if (!f->isCalculated()) stored.push_back(f);
    ASSERT_EQ(stored.size(), fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(stored[i]->name(), fields[i].name) << i;
        EXPECT_EQ(stored[i]->type(), fields[i].type) << fields[i].name.toStdString();
        EXPECT_EQ(stored[i]->size(), fields[i].size) << fields[i].name.toStdString();
        EXPECT_EQ(stored[i]->def().fixedLength, fields[i].fixedLength) << fields[i].name.toStdString();
    }
}

}  // namespace afdesk::testing

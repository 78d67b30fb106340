#pragma once
// What a load answers and where each field comes from: the packet's fields in
// order, each with the SELECT expression that reads it. The statement's column
// list is made from the same fields, so the two cannot disagree.
//
//   PacketLayout layout{column(tables::itemAutF(), "I", "CDMARCA").label("Marca").hidden(),
//                       expression("M.NMMARCA", FieldDef::string("NMMARCA", 20)),
//                       computed(FieldDef::string("ITEM", 86))};
//   "SELECT " + layout.columnList() + " FROM ITEMAUTF I LEFT JOIN MARCA M ..."
#include "platform/server/modules/common/fields.h"
#include "platform/server/modules/common/table_descriptor.h"

#include <QtCore/QString>
#include <initializer_list>
#include <vector>

namespace platform::server::modules {

// One field of a load. The modifiers set how the client's dataset shows it.
class LayoutField {
public:
    LayoutField(host::FieldDef def, QString source) : m_def(std::move(def)), m_source(std::move(source)) {}

    LayoutField& label(const char* text);
    LayoutField& hidden();
    LayoutField& readOnly();
    LayoutField& displayFormat(const char* format);
    LayoutField& editFormat(const char* format);
    LayoutField& editMask(const char* mask);
    LayoutField& alignment(Qt::Alignment a);
    LayoutField& fixedLength();

    const host::FieldDef& def() const { return m_def; }
    // The SELECT expression; empty for a field the method computes.
    const QString& source() const { return m_source; }
    // The column list's item: the source, with "AS name" unless it already
    // names the field ("I.CDMARCA", "M2.NMMARCA AS NMSEGMARCA").
    QString selectItem() const;

private:
    host::FieldDef m_def;
    QString m_source;
};

// A described table's column, read through the statement's alias for it;
// its name, type and size come from the descriptor.
LayoutField column(const TableDescriptor& table, const char* alias, const char* name);
// Anything else the statement reads: a joined table's column, a cast, an expression.
LayoutField expression(const char* sql, host::FieldDef def);
// A field the statement does not read; the method fills it.
LayoutField computed(host::FieldDef def);

class PacketLayout {
public:
    PacketLayout(std::initializer_list<LayoutField> fields) : m_fields(fields) {}

    Fields fields() const;
    // "I.CDFILDEST, I.CDFILLANC, M2.NMMARCA AS NMSEGMARCA": every read field in order.
    QString columnList() const;
    // The names of the fields the method fills.
    std::vector<QString> computed() const;

private:
    std::vector<LayoutField> m_fields;
};

}  // namespace platform::server::modules

#include "table_descriptor.h"

#include <stdexcept>

namespace platform::server::modules {

namespace {

bool has(const std::vector<ColumnDef>& columns, const QString& name) {
    for (const ColumnDef& c : columns)
        if (c.name == name) return true;
    return false;
}

}  // namespace

TableDescriptor::TableDescriptor(QString table, QStringList keyColumns, std::vector<ColumnDef> columns)
    : m_table(std::move(table)), m_keys(std::move(keyColumns)) {
    for (ColumnDef& c : columns) {
        if (has(m_columns, c.name))
            throw std::logic_error("column " + c.name.toStdString() + " repeated in " + m_table.toStdString());
        m_columns.push_back(std::move(c));
    }
    if (m_keys.isEmpty()) throw std::logic_error("table " + m_table.toStdString() + " without a key");
    for (const QString& key : m_keys)
        if (!has(m_columns, key))
            throw std::logic_error("key " + key.toStdString() + " is not a column of " + m_table.toStdString());
}

const ColumnDef& TableDescriptor::column(const QString& name) const {
    for (const ColumnDef& c : m_columns)
        if (c.name == name) return c;
    throw std::logic_error("no column " + name.toStdString() + " in " + m_table.toStdString());
}

host::FieldDef TableDescriptor::field(const QString& name) const {
    const ColumnDef& c = column(name);
    switch (c.type) {
    case host::FieldType::String: return host::FieldDef::string(c.name, c.size);
    case host::FieldType::Float: return host::FieldDef::floating(c.name);
    case host::FieldType::Integer: return host::FieldDef::integer(c.name);
    case host::FieldType::Boolean: return host::FieldDef::boolean(c.name);
    case host::FieldType::DateTime: return host::FieldDef::dateTime(c.name);
    }
    throw std::logic_error("column " + c.name.toStdString() + " of an unknown type");
}

Fields TableDescriptor::fields(const QStringList& columns) const {
    Fields out;
    for (const QString& name : columns) out.push_back(field(name));
    return out;
}

afresolver::TableMapping TableDescriptor::mapping() const { return afresolver::TableMapping(m_table, m_keys); }

}  // namespace platform::server::modules

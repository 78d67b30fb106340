#pragma once
// One table as the server reads and writes it: its name, its key and its
// columns with their types and sizes. Loads take their packet fields from it
// (packet_layout.h), saves the fields of their delta packets and the
// resolver's mapping, so a column's type or size is written once.
#include "platform/server/modules/common/fields.h"
#include "platform/server/resolver/table_mapping.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <vector>

namespace platform::server::modules {

struct ColumnDef {
    QString name;
    host::FieldType type = host::FieldType::String;
    int size = 0;  // strings only
};

namespace columnDefs {
inline ColumnDef text(const char* name, int size) { return {QString::fromLatin1(name), host::FieldType::String, size}; }
inline ColumnDef flag(const char* name) { return text(name, 1); }
inline ColumnDef number(const char* name) { return {QString::fromLatin1(name), host::FieldType::Float}; }
inline ColumnDef integer(const char* name) { return {QString::fromLatin1(name), host::FieldType::Integer}; }
inline ColumnDef dateTime(const char* name) { return {QString::fromLatin1(name), host::FieldType::DateTime}; }
}  // namespace columnDefs

class TableDescriptor {
public:
    // Throws std::logic_error for a repeated column, no key, or a key column
    // that is not among the columns.
    TableDescriptor(QString table, QStringList keyColumns, std::vector<ColumnDef> columns);

    const QString& table() const { return m_table; }
    const QStringList& keyColumns() const { return m_keys; }
    const std::vector<ColumnDef>& columns() const { return m_columns; }
    // Throws std::logic_error when the table has no such column.
    const ColumnDef& column(const QString& name) const;

    // The packet field of a column: its name, type and size, nothing shown.
    host::FieldDef field(const QString& column) const;
    // The fields of these columns in this order: the layout of a delta to apply.
    Fields fields(const QStringList& columns) const;
    // How the resolver writes a delta to this table ("update where changed").
    afresolver::TableMapping mapping() const;

private:
    QString m_table;
    QStringList m_keys;
    std::vector<ColumnDef> m_columns;
};

}  // namespace platform::server::modules

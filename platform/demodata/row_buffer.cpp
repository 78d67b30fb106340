#include "row_buffer.h"

namespace afdemo {

void TableRows::add(QVariantList values) {
    Q_ASSERT_X(values.size() == columns.size(), "TableRows::add", qPrintable(table));
    rows.push_back(std::move(values));
}

TableRows& RowBuffer::table(const QString& name, const QStringList& columns) {
    for (TableRows& t : m_tables) {
        if (t.table != name) continue;
        Q_ASSERT_X(t.columns == columns, "RowBuffer::table", qPrintable(name));
        return t;
    }
    m_tables.push_back({name, columns, {}});
    return m_tables.back();
}

qint64 RowBuffer::rowCount() const {
    qint64 n = 0;
    for (const TableRows& t : m_tables) n += qint64(t.rows.size());
    return n;
}

void RowBuffer::clear() { m_tables.clear(); }

}  // namespace afdemo

#pragma once
// Rows waiting to be written, grouped by table. Tables are written in the order
// they were first declared, so declaring masters before their details keeps every
// foreign key satisfied at each insert.
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>

#include <deque>
#include <vector>

namespace afdemo {

struct TableRows {
    QString table;
    QStringList columns;
    std::vector<QVariantList> rows;  // values in the order of columns; QVariant() is NULL

    void add(QVariantList values);
};

class RowBuffer {
public:
    // The rows of a table, declared on first use with its columns. Declaring it
    // again with other columns is a programming error (asserted).
    TableRows& table(const QString& name, const QStringList& columns);

    const std::deque<TableRows>& tables() const { return m_tables; }
    qint64 rowCount() const;
    void clear();

private:
    std::deque<TableRows> m_tables;  // stable addresses: callers keep references
};

}  // namespace afdemo

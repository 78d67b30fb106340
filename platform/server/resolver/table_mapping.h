#pragma once
// How the fields of a dataset's delta map to the columns of one table.
//
// A field writes the column of the same name (case-insensitive) unless it is
// mapped to another column or marked never written. Fields the table does not
// have are ignored: datasets carry calculated, lookup and screen-only fields.
// Table and column names are pasted into SQL, so they must be plain identifiers
// (letters, digits, '_'); anything else is refused when the mapping is built.
#include <QtCore/QHash>
#include <QtCore/QSet>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace afresolver {

class TableMapping {
public:
    // keyColumns identify one row (the primary key); at least one is required.
    TableMapping(const QString& table, const QStringList& keyColumns);

    // The field writes the named column instead of the same-named one.
    TableMapping& mapField(const QString& field, const QString& column);
    // The field is never written, even when the table has a same-named column
    // (values the server computes, columns a screen shows read-only).
    TableMapping& neverWrite(const QString& field);
    // The database fills the column (identity, default) when an inserted row
    // brings it null; applyDelta reads the value back for the client.
    TableMapping& generatedOnInsert(const QString& column);

    const QString& table() const { return m_table; }
    const QStringList& keyColumns() const { return m_keys; }
    // The column the field writes (upper case), or empty when it writes none.
    // Whether the table really has that column is checked against the database.
    QString columnFor(const QString& field) const;
    bool isKey(const QString& column) const { return m_keys.contains(column.toUpper()); }
    bool isGenerated(const QString& column) const { return m_generated.contains(column.toUpper()); }

private:
    QString m_table;
    QStringList m_keys;
    QHash<QString, QString> m_columnOf;  // upper field name -> upper column name
    QSet<QString> m_neverWritten;        // upper field names
    QSet<QString> m_generated;           // upper column names
};

// Whether text is a plain SQL identifier (letters, digits, '_', not starting with a digit).
bool isPlainIdentifier(const QString& name);

}  // namespace afresolver

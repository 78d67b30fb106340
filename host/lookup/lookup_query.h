#pragma once
// A parameterised SQL lookup on the host's database connection (`qry...`).
// It holds a default text and one text per dialect, binds the `:P_...`
// parameters by name (null allowed, always bound, never pasted into the SQL),
// runs the text of the engine in use and exposes the rows as a read-only
// dataset with typed fields.
#include "host/data/dataset.h"
#include "host/db/sql_dialect.h"

#include <QtCore/QMap>
#include <QtCore/QVariant>
#include <QtSql/QSqlDatabase>

namespace host {

// The SQL with its named parameters replaced by positional ones.
struct PreparedSql {
    QString text;             // with '?' in place of each :NAME
    QStringList parameters;   // the names in order of appearance (repeats included)
};

// Finds :NAME parameters outside string literals, quoted identifiers,
// comments and PostgreSQL '::' casts.
PreparedSql prepareNamedParameters(const QString& sql);

class LookupQuery {
public:
    explicit LookupQuery(QString name);

    const QString& name() const { return m_name; }
    void setSql(const QString& defaultText);
    void setSql(SqlDialect dialect, const QString& text);
    QString sql(SqlDialect dialect) const;  // the dialect's text, else the default

    // Result fields declared in code fix each column's type (dates kept as text
    // by SQLite become date-times); undeclared columns take the driver's type.
    Field& addField(FieldDef def) { return m_result.addField(std::move(def)); }

    // Parameters by name, case-insensitive, without the colon. A null QVariant binds NULL.
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const;
    void clearParams() { m_params.clear(); }

    // Runs the query; throws UserError with the database's message on failure
    // (the previous rows stay), or naming a parameter that was never set.
    void open(QSqlDatabase db, SqlDialect dialect);
    // Runs it on the host's connection (hostDatabase()).
    void open();
    void close() { m_result.close(); }
    bool active() const { return m_result.active(); }

    Dataset& result() { return m_result; }
    Field& field(const QString& name) { return m_result.field(name); }
    bool isEmpty() const { return m_result.isEmpty(); }
    int recordCount() const { return m_result.recordCount(); }
    void first() { m_result.first(); }
    bool next() { return m_result.next(); }
    bool eof() const { return m_result.eof(); }

private:
    QString m_name;
    QString m_default;
    QMap<SqlDialect, QString> m_texts;
    QMap<QString, QVariant> m_params;  // upper-case names
    Dataset m_result;
};

}  // namespace host

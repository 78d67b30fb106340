#pragma once
// Running statements. Values always travel as bound parameters (":NAME" in the
// text): there is no way here to paste a value into SQL. Every placeholder must
// be given a value and every value must have a placeholder, so a typo fails
// loudly instead of binding NULL. Failures throw DbError naming the statement.
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariant>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlQuery>

#include <initializer_list>
#include <vector>

namespace afdb {

struct Param {
    QString name;  // with or without the leading ':'
    QVariant value;
};
using Params = std::vector<Param>;

// The named placeholders of a statement, in order of first appearance, without
// the ':'. Quoted text, quoted identifiers, comments and PostgreSQL '::' casts
// are skipped.
QStringList placeholderNames(const QString& sql);

// Prepares, binds (values normalised by toSqlParam) and executes one statement.
// The query is positioned before its first row.
QSqlQuery exec(const QSqlDatabase& db, const QString& sql, const Params& params = {});

// The same for a read run over and over (the server's loads): the statement
// stays prepared on this connection, keyed by its text, so a later call only
// binds and executes it. On PostgreSQL a plain exec() costs a PREPARE, an
// EXECUTE and a DEALLOCATE, and plans the statement anew each time; a kept one
// costs the EXECUTE. The query answered is the kept one: read its rows and
// finish() it before the next execKept on this connection, which may reuse or
// drop it. A statement that fails is dropped. At most kKeptStatements texts
// are kept per connection.
QSqlQuery& execKept(const QSqlDatabase& db, const QString& sql, const Params& params = {});
inline constexpr int kKeptStatements = 128;
// How many statements this connection keeps prepared (tests).
int keptStatementCount(const QSqlDatabase& db);

// Executes statements without parameters, one by one, in order (DDL).
void execScript(const QSqlDatabase& db, const QStringList& statements);

// The first column of the first row, or a null QVariant when there is no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, const Params& params = {});

// Number of rows a statement changed (INSERT/UPDATE/DELETE).
int execAffected(const QSqlDatabase& db, const QString& sql, const Params& params = {});

// A column name as the statements write it: PostgreSQL reports unquoted names in
// lower case, so readers match upper-cased names.
QString upperName(const QString& columnName);

}  // namespace afdb

#include "sql_exec.h"

#include "db_error.h"
#include "sql_exec_detail.h"
#include "sql_values.h"
#include "transaction.h"

#include <QtCore/QHash>
#include <QtCore/QMutex>
#include <QtCore/QSet>
#include <QtSql/QSqlError>

#include <memory>
#include <unordered_map>

namespace afdb {

namespace {

bool isIdentStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isIdentChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Index just past a quoted run opened at i (quote char q, doubled to escape).
int skipQuoted(const QString& s, int i, QChar q) {
    ++i;
    while (i < s.size()) {
        if (s[i] == q) {
            if (i + 1 < s.size() && s[i + 1] == q) { i += 2; continue; }
            return i + 1;
        }
        ++i;
    }
    return i;
}

// Index just past a PostgreSQL dollar-quoted body ($$...$$ or $tag$...$tag$) at i,
// or i when s[i] does not open one.
int skipDollarQuoted(const QString& s, int i) {
    int j = i + 1;
    while (j < s.size() && isIdentChar(s[j])) ++j;
    if (j >= s.size() || s[j] != QLatin1Char('$')) return i;
    const QString tag = s.mid(i, j - i + 1);
    const int end = s.indexOf(tag, j + 1);
    return end < 0 ? s.size() : end + tag.size();
}

QString bareName(const QString& name) {
    return name.startsWith(QLatin1Char(':')) ? name.mid(1) : name;
}

void checkParams(const QString& sql, const Params& params) {
    const QStringList holders = placeholderNames(sql);
    QSet<QString> given;
    for (const Param& p : params) {
        const QString name = bareName(p.name);
        if (!holders.contains(name))
            throw DbError(QStringLiteral("Parâmetro :%1 não existe no comando.").arg(name), sql);
        if (given.contains(name))
            throw DbError(QStringLiteral("Parâmetro :%1 informado mais de uma vez.").arg(name), sql);
        given.insert(name);
    }
    for (const QString& h : holders)
        if (!given.contains(h)) throw DbError(QStringLiteral("Parâmetro :%1 sem valor.").arg(h), sql);
}

}  // namespace

QStringList placeholderNames(const QString& sql) {
    QStringList names;
    int i = 0;
    const int n = sql.size();
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) { i = skipQuoted(sql, i, c); continue; }
        if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            const int eol = sql.indexOf(QLatin1Char('\n'), i);
            i = eol < 0 ? n : eol + 1;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
            const int end = sql.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            continue;
        }
        if (c == QLatin1Char('$')) {
            const int past = skipDollarQuoted(sql, i);
            i = past > i ? past : i + 1;
            continue;
        }
        if (c == QLatin1Char(':')) {
            if (i + 1 < n && sql[i + 1] == QLatin1Char(':')) { i += 2; continue; }  // PostgreSQL cast
            if (i + 1 < n && isIdentStart(sql[i + 1])) {
                int j = i + 1;
                while (j < n && isIdentChar(sql[j])) ++j;
                const QString name = sql.mid(i + 1, j - i - 1);
                if (!names.contains(name)) names.append(name);
                i = j;
                continue;
            }
        }
        ++i;
    }
    return names;
}

namespace detail {

namespace {
thread_local QHash<QString, std::vector<QSqlQuery>> t_failed;
}

void releaseFailedQueries(const QString& connectionName) { t_failed.remove(connectionName); }

}  // namespace detail

namespace {

// A failed PostgreSQL statement inside a transaction cannot be deallocated until
// the transaction ends (the server ignores everything but ROLLBACK); freeing it
// now would leave the prepared statement allocated for the session's lifetime.
[[noreturn]] void fail(const QSqlDatabase& db, QSqlQuery& q, const QString& what, const QString& sql) {
    DbError error = DbError::fromSql(what, q.lastError(), sql);
    if (db.driverName() == QLatin1String("QPSQL") && inTransaction(db))
        detail::t_failed[db.connectionName()].push_back(std::move(q));
    throw error;
}

}  // namespace

namespace {

// The statements a connection keeps prepared, with their placeholders checked once.
struct KeptStatement {
    explicit KeptStatement(const QSqlDatabase& db) : query(db) {}
    QSqlQuery query;
    QStringList placeholders;
};
using KeptStatements = std::unordered_map<QString, std::unique_ptr<KeptStatement>>;

// Keyed by connection name. A connection is used by one thread at a time, so
// only the registry needs the lock; closing a connection (possibly from
// another thread, when its Database goes away) frees its statements first.
QMutex g_keptMutex;
QHash<QString, std::shared_ptr<KeptStatements>> g_kept;

std::shared_ptr<KeptStatements> keptFor(const QString& connectionName) {
    const QMutexLocker lock(&g_keptMutex);
    std::shared_ptr<KeptStatements>& kept = g_kept[connectionName];
    if (!kept) kept = std::make_shared<KeptStatements>();
    return kept;
}

void checkKeptParams(const QString& sql, const QStringList& holders, const Params& params) {
    if (int(params.size()) == holders.size()) {
        bool same = true;
        for (const Param& p : params) same = same && holders.contains(bareName(p.name));
        if (same) return;
    }
    checkParams(sql, params);  // throws the precise complaint
}

}  // namespace

namespace detail {
void releaseKeptQueries(const QString& connectionName) {
    std::shared_ptr<KeptStatements> kept;
    {
        const QMutexLocker lock(&g_keptMutex);
        kept = g_kept.take(connectionName);
    }
    // The queries deallocate their statements here, while the connection is still open.
}
}  // namespace detail

QSqlQuery& execKept(const QSqlDatabase& db, const QString& sql, const Params& params) {
    if (!db.isOpen()) throw DbError(QStringLiteral("Conexão com o banco de dados não está aberta."), sql);
    const std::shared_ptr<KeptStatements> kept = keptFor(db.connectionName());
    auto it = kept->find(sql);
    if (it == kept->end()) {
        checkParams(sql, params);
        if (kept->size() >= size_t(kKeptStatements)) kept->clear();
        auto statement = std::make_unique<KeptStatement>(db);
        statement->placeholders = placeholderNames(sql);
        statement->query.setForwardOnly(true);
        if (!statement->query.prepare(sql)) fail(db, statement->query, QStringLiteral("Erro ao preparar comando"), sql);
        it = kept->emplace(sql, std::move(statement)).first;
    } else {
        checkKeptParams(sql, it->second->placeholders, params);
    }
    QSqlQuery& q = it->second->query;
    for (const Param& p : params) q.bindValue(QLatin1Char(':') + bareName(p.name), toSqlParam(p.value));
    if (!q.exec()) {
        QSqlQuery failed = std::move(q);
        kept->erase(it);
        fail(db, failed, QStringLiteral("Erro no banco de dados"), sql);
    }
    return q;
}

int keptStatementCount(const QSqlDatabase& db) {
    const QMutexLocker lock(&g_keptMutex);
    const auto it = g_kept.constFind(db.connectionName());
    return it == g_kept.constEnd() ? 0 : int((*it)->size());
}

QSqlQuery exec(const QSqlDatabase& db, const QString& sql, const Params& params) {
    if (!db.isOpen()) throw DbError(QStringLiteral("Conexão com o banco de dados não está aberta."), sql);
    checkParams(sql, params);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (params.empty()) {
        if (!q.exec(sql)) fail(db, q, QStringLiteral("Erro no banco de dados"), sql);
        return q;
    }
    if (!q.prepare(sql)) fail(db, q, QStringLiteral("Erro ao preparar comando"), sql);
    for (const Param& p : params) q.bindValue(QLatin1Char(':') + bareName(p.name), toSqlParam(p.value));
    if (!q.exec()) fail(db, q, QStringLiteral("Erro no banco de dados"), sql);
    return q;
}

void execScript(const QSqlDatabase& db, const QStringList& statements) {
    for (const QString& s : statements) {
        QSqlQuery q(db);
        if (!q.exec(s)) throw DbError::fromSql(QStringLiteral("Erro no banco de dados"), q.lastError(), s);
    }
}

QVariant scalar(const QSqlDatabase& db, const QString& sql, const Params& params) {
    QSqlQuery q = exec(db, sql, params);
    return q.next() ? q.value(0) : QVariant();
}

int execAffected(const QSqlDatabase& db, const QString& sql, const Params& params) {
    return exec(db, sql, params).numRowsAffected();
}

QString upperName(const QString& columnName) { return columnName.toUpper(); }

}  // namespace afdb

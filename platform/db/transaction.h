#pragma once
// Running a unit of work in one transaction.
//
// SQLite: the transaction starts with BEGIN IMMEDIATE, taking the write lock at
// once. A plain BEGIN would take it only at the first write, and two readers that
// both try to write then fail with SQLITE_BUSY without waiting; with IMMEDIATE
// the second writer waits (busy_timeout) for the first to finish.
//
// PostgreSQL: serialization failures (40001) and deadlocks (40P01) abort the
// transaction through no fault of its own; the whole body is run again, a bounded
// number of times, after a short growing pause. The body must therefore do all its
// work through the database (no side effects outside it that a retry would repeat).
//
// Any other failure rolls back and propagates. Transactions do not nest.
#include <QtSql/QSqlDatabase>

#include <chrono>
#include <functional>

namespace afdb {

enum class Isolation { ReadCommitted, RepeatableRead, Serializable };  // PostgreSQL only

struct TxOptions {
    Isolation isolation = Isolation::ReadCommitted;
    int maxAttempts = 5;                          // PostgreSQL retries, counting the first run
    std::chrono::milliseconds backoff{25};        // pause before retry n is about n x backoff
};

// Runs body inside a transaction and commits. Returns how many attempts it took.
int transact(const QSqlDatabase& db, const std::function<void()>& body, const TxOptions& options = {});

// Whether transact() has a transaction open on this connection.
bool inTransaction(const QSqlDatabase& db);

}  // namespace afdb

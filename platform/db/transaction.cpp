#include "transaction.h"

#include "db_error.h"
#include "sql_exec.h"
#include "sql_exec_detail.h"

#include <QtCore/QRandomGenerator>
#include <QtCore/QSet>
#include <QtSql/QSqlDriver>

#include <thread>

namespace afdb {

namespace {

// Connections of this thread with a transaction open (connections are per thread).
thread_local QSet<QString> t_open;

bool isPostgres(const QSqlDatabase& db) { return db.driverName() == QLatin1String("QPSQL"); }

QString beginText(const QSqlDatabase& db, Isolation isolation) {
    if (!isPostgres(db)) return QStringLiteral("BEGIN IMMEDIATE");
    switch (isolation) {
    case Isolation::ReadCommitted: return QStringLiteral("BEGIN ISOLATION LEVEL READ COMMITTED");
    case Isolation::RepeatableRead: return QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ");
    case Isolation::Serializable: return QStringLiteral("BEGIN ISOLATION LEVEL SERIALIZABLE");
    }
    return QStringLiteral("BEGIN");
}

void begin(const QSqlDatabase& db, Isolation isolation) {
    try {
        exec(db, beginText(db, isolation));
    } catch (const DbError& e) {
        if (!e.isBusy()) throw;
        throw DbError(QStringLiteral("O banco de dados está ocupado com outra gravação; tente novamente."),
                      e.statement(), e.code(), e.driverText());
    }
}

void rollbackQuietly(const QSqlDatabase& db) {
    try {
        exec(db, QStringLiteral("ROLLBACK"));
    } catch (const DbError&) {
        // The transaction may already be gone (failed COMMIT, lost connection);
        // the original failure is what the caller needs to see.
    }
    detail::releaseFailedQueries(db.connectionName());
}

void pauseBeforeRetry(const TxOptions& options, int attempt) {
    const auto base = options.backoff * attempt;
    const auto jitter = std::chrono::milliseconds(QRandomGenerator::global()->bounded(int(options.backoff.count()) + 1));
    std::this_thread::sleep_for(base + jitter);
}

struct OpenMark {
    QString name;
    explicit OpenMark(QString n) : name(std::move(n)) { t_open.insert(name); }
    ~OpenMark() { t_open.remove(name); }
};

}  // namespace

bool inTransaction(const QSqlDatabase& db) { return t_open.contains(db.connectionName()); }

int transact(const QSqlDatabase& db, const std::function<void()>& body, const TxOptions& options) {
    if (t_open.contains(db.connectionName()))
        throw DbError(QStringLiteral("Transação já aberta nesta conexão (transações não se aninham)."));
    const OpenMark mark(db.connectionName());
    const int maxAttempts = isPostgres(db) ? std::max(1, options.maxAttempts) : 1;
    for (int attempt = 1;; ++attempt) {
        begin(db, options.isolation);
        try {
            body();
            exec(db, QStringLiteral("COMMIT"));
            return attempt;
        } catch (const DbError& e) {
            rollbackQuietly(db);
            const bool retryable = e.isSerializationFailure() || e.isDeadlock();
            if (!retryable) throw;
            if (attempt >= maxAttempts)
                throw DbError(QStringLiteral("A gravação conflitou com outras simultâneas e não foi concluída após "
                                             "%1 tentativas; tente novamente.\n%2")
                                  .arg(attempt)
                                  .arg(e.message()),
                              e.statement(), e.code(), e.driverText());
            pauseBeforeRetry(options, attempt);
        } catch (...) {
            rollbackQuietly(db);
            throw;
        }
    }
}

}  // namespace afdb

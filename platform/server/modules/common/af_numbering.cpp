#include "af_numbering.h"

#include "platform/db/db_error.h"
#include "platform/db/sql_exec.h"
#include "platform/db/transaction.h"

#include "host/data/errors.h"

namespace platform::server::modules {

namespace {

constexpr int kNumberWidth = 10;

// Increments the counter and answers the new value; false when the branch has no row.
bool increment(const QSqlDatabase& db, const QString& branch, qint64& number) {
    QSqlQuery q = afdb::exec(db,
                             QStringLiteral("UPDATE NUMAUTOFORN SET NRULTAUTOFORN = NRULTAUTOFORN + 1 "
                                            "WHERE CDFILLANC = :B RETURNING NRULTAUTOFORN"),
                             {{QStringLiteral("B"), branch}});
    if (!q.next()) return false;
    number = q.value(0).toLongLong();
    return true;
}

// Creates the branch's counter at its highest existing AF number. A concurrent
// save creating the same row wins; ours then does nothing and the increment
// that follows waits for it.
void createCounter(const QSqlDatabase& db, const QString& branch) {
    afdb::exec(db,
               QStringLiteral("INSERT INTO NUMAUTOFORN (CDFILLANC, NRULTAUTOFORN) "
                              "SELECT :B, COALESCE(MAX(CAST(NRAUTOFORN AS INTEGER)), 0) FROM AUTOFORNE "
                              "WHERE CDFILLANC = :B ON CONFLICT (CDFILLANC) DO NOTHING"),
               {{QStringLiteral("B"), branch}});
}

}  // namespace

QString nextAfNumber(const QSqlDatabase& db, const QString& launchingBranch) {
    const QString branch = launchingBranch.trimmed();
    if (branch.isEmpty()) throw host::UserError(QStringLiteral("A filial de lançamento da AF não foi informada."));
    if (!afdb::inTransaction(db))
        throw afdb::DbError(QStringLiteral("A numeração de AF precisa de uma transação aberta."));
    qint64 number = 0;
    if (!increment(db, branch, number)) {
        createCounter(db, branch);
        if (!increment(db, branch, number))
            throw afdb::DbError(QStringLiteral("Contador de AF da filial %1 não pôde ser criado.").arg(branch));
    }
    if (number >= 10'000'000'000LL)
        throw host::UserError(QStringLiteral("A numeração de AF da filial %1 se esgotou.").arg(branch));
    return QStringLiteral("%1").arg(number, kNumberWidth, 10, QLatin1Char('0'));
}

}  // namespace platform::server::modules

#pragma once
// The one error every database failure becomes: a readable message (Portuguese,
// it can reach the user) with the driver's text, the statement that failed and
// the engine's error code, so callers can tell retryable failures apart.
#include "host/data/errors.h"

#include <QtCore/QString>

class QSqlError;

namespace afdb {

class DbError : public host::UserError {
public:
    DbError(QString message, QString statement = {}, QString code = {}, QString driverText = {});

    // Built from a failed Qt call: message = what + driver text; the statement
    // goes to detail(), for the log, never to a user.
    static DbError fromSql(const QString& what, const QSqlError& error, const QString& statement);

    const QString& statement() const noexcept { return m_statement; }
    QString detail() const override;
    // PostgreSQL: the SQLSTATE ("40001"); SQLite: the extended result code ("5", "1555").
    const QString& code() const noexcept { return m_code; }
    const QString& driverText() const noexcept { return m_driverText; }

    bool isSerializationFailure() const;  // PostgreSQL 40001
    bool isDeadlock() const;              // PostgreSQL 40P01
    bool isBusy() const;                  // SQLite SQLITE_BUSY / SQLITE_LOCKED and their extended codes
    bool isUniqueViolation() const;       // PostgreSQL 23505, SQLite constraint unique / primary key
    bool isForeignKeyViolation() const;   // PostgreSQL 23503, SQLite constraint foreign key
    bool isWriteRefused() const;         // PostgreSQL 42501 (no privilege) or 25006 (read-only transaction), SQLite read-only database

private:
    QString m_statement;
    QString m_code;
    QString m_driverText;
};

}  // namespace afdb

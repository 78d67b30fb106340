#include "db_error.h"

#include <QtSql/QSqlError>

namespace afdb {

namespace {
// SQLite reports extended result codes; the primary code is the low byte.
int sqlitePrimary(const QString& code, bool* ok) {
    const int value = code.toInt(ok);
    return *ok ? (value & 0xff) : -1;
}
bool sqliteIs(const QString& code, int primary, int extended = -1) {
    bool ok = false;
    const int p = sqlitePrimary(code, &ok);
    if (!ok || p != primary) return false;
    return extended < 0 || code.toInt() == extended;
}
}  // namespace

DbError::DbError(QString message, QString statement, QString code, QString driverText)
    : host::UserError(std::move(message)),
      m_statement(std::move(statement)),
      m_code(std::move(code)),
      m_driverText(std::move(driverText)) {}

DbError DbError::fromSql(const QString& what, const QSqlError& error, const QString& statement) {
    QString driverText = error.databaseText().trimmed();
    if (driverText.isEmpty()) driverText = error.driverText().trimmed();
    QString message = what;
    if (!driverText.isEmpty()) message += QStringLiteral(": ") + driverText;
    return DbError(message, statement, error.nativeErrorCode(), driverText);
}

QString DbError::detail() const {
    QString out;
    if (!m_code.isEmpty()) out += QStringLiteral("código %1").arg(m_code);
    if (!m_statement.isEmpty()) out += (out.isEmpty() ? QString() : QStringLiteral("; ")) + QStringLiteral("comando: ") + m_statement.simplified();
    return out;
}

bool DbError::isSerializationFailure() const { return m_code == QLatin1String("40001"); }
bool DbError::isDeadlock() const { return m_code == QLatin1String("40P01"); }
bool DbError::isBusy() const { return sqliteIs(m_code, 5) || sqliteIs(m_code, 6); }

bool DbError::isUniqueViolation() const {
    return m_code == QLatin1String("23505") || sqliteIs(m_code, 19, 2067) || sqliteIs(m_code, 19, 1555);
}

bool DbError::isForeignKeyViolation() const {
    return m_code == QLatin1String("23503") || sqliteIs(m_code, 19, 787);
}

bool DbError::isWriteRefused() const {
    return m_code == QLatin1String("42501") || m_code == QLatin1String("25006") || sqliteIs(m_code, 8);
}

}  // namespace afdb

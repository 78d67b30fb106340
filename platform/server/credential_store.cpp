#include "credential_store.h"

#include "database_provider.h"

#include "host/data/errors.h"

#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <QtCore/QVariant>
#include <stdexcept>

namespace platform::server {

namespace {

[[noreturn]] void queryFailed(const QSqlQuery& q, const char* what) {
    throw std::runtime_error(std::string(what) + ": " + q.lastError().text().toStdString());
}

}  // namespace

std::optional<OperatorCredential> SqlCredentialStore::find(const QString& operatorCode) {
    QSqlQuery q(m_db.database());
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral(
            "SELECT CDOPERADOR, NMOPERADOR, DSSENHAHASH, IDOPERATIVO FROM OPERADOR WHERE CDOPERADOR = ?")))
        queryFailed(q, "OPERADOR lookup");
    q.addBindValue(operatorCode);
    if (!q.exec()) queryFailed(q, "OPERADOR lookup");
    if (!q.next()) return std::nullopt;
    return OperatorCredential{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                              q.value(3).toString().trimmed() == QLatin1String("A")};
}

void SqlCredentialStore::setPasswordHash(const QString& operatorCode, const QString& hash) {
    QSqlQuery q(m_db.database());
    if (!q.prepare(QStringLiteral("UPDATE OPERADOR SET DSSENHAHASH = ? WHERE CDOPERADOR = ?")))
        queryFailed(q, "OPERADOR update");
    q.addBindValue(hash);
    q.addBindValue(operatorCode);
    if (!q.exec()) queryFailed(q, "OPERADOR update");
    if (q.numRowsAffected() == 0)
        throw host::UserError(QStringLiteral("Operador \"%1\" não cadastrado.").arg(operatorCode));
}

}  // namespace platform::server

#include "operator_db.h"

#include "platform/security/password_hash.h"

#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <QtCore/QUuid>
#include <stdexcept>

namespace platform::server::testing {

namespace {

const QString& betoHash() {
    static const QString hash = security::hashPassword(QStringLiteral("outra"));
    return hash;
}

}  // namespace

const QString& OperatorDb::anaHash() {
    static const QString hash = security::hashPassword(QStringLiteral("segredo"));
    return hash;
}

OperatorDb::OperatorDb() : m_path(m_dir.filePath(QStringLiteral("af.sqlite"))) {
    exec(QStringLiteral("CREATE TABLE OPERADOR (CDOPERADOR varchar(12) PRIMARY KEY, NMOPERADOR varchar(60) NOT NULL, "
                        "DSSENHAHASH varchar(255), IDOPERATIVO char(1))"));
    exec(QStringLiteral("INSERT INTO OPERADOR VALUES ('ANA', 'Ana Souza', '%1', 'A')").arg(anaHash()));
    exec(QStringLiteral("INSERT INTO OPERADOR VALUES ('BETO', 'Beto Lima', '%1', 'A')").arg(betoHash()));
    exec(QStringLiteral("INSERT INTO OPERADOR VALUES ('SEMSENHA', 'Sem Senha', NULL, 'A')"));
    exec(QStringLiteral("INSERT INTO OPERADOR VALUES ('INATIVO', 'Ex Funcionário', '%1', 'I')").arg(anaHash()));
}

void OperatorDb::exec(const QString& sql) const {
    const QString name = QStringLiteral("operator-db-") + QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(m_path);
        if (!db.open()) throw std::runtime_error(db.lastError().text().toStdString());
        QSqlQuery q(db);
        if (!q.exec(sql)) throw std::runtime_error(q.lastError().text().toStdString());
    }
    QSqlDatabase::removeDatabase(name);
}

}  // namespace platform::server::testing

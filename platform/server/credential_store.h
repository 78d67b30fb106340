#pragma once
// Where operators and their password hashes are kept.
#include <QtCore/QString>
#include <optional>

namespace platform::server {

class DatabaseProvider;

struct OperatorCredential {
    QString code;
    QString name;
    QString passwordHash;  // empty: no password set, the operator cannot log in
    bool active = true;    // OPERADOR.IDOPERATIVO "A"; any other value (or none): the operator cannot log in
};

class CredentialStore {
public:
    virtual ~CredentialStore() = default;
    virtual std::optional<OperatorCredential> find(const QString& operatorCode) = 0;
    // Throws host::UserError when the operator does not exist.
    virtual void setPasswordHash(const QString& operatorCode, const QString& hash) = 0;
};

// Table OPERADOR (CDOPERADOR varchar(12) primary key, NMOPERADOR,
// DSSENHAHASH, IDOPERATIVO), read through the calling thread's connection.
class SqlCredentialStore : public CredentialStore {
public:
    explicit SqlCredentialStore(DatabaseProvider& db) : m_db(db) {}
    std::optional<OperatorCredential> find(const QString& operatorCode) override;
    void setPasswordHash(const QString& operatorCode, const QString& hash) override;

private:
    DatabaseProvider& m_db;
};

}  // namespace platform::server

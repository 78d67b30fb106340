#pragma once
// A throw-away SQLite database with the OPERADOR table for server tests:
//   ANA       "Ana Souza"   password "segredo"
//   BETO      "Beto Lima"   password "outra"
//   SEMSENHA  "Sem Senha"   no password
//   INATIVO   "Ex Funcionário"  password "segredo", not active (IDOPERATIVO "I")
#include <QtCore/QString>
#include <QtCore/QTemporaryDir>

namespace platform::server::testing {

class OperatorDb {
public:
    OperatorDb();
    const QString& path() const { return m_path; }
    int operatorCount() const { return 4; }
    // Runs one statement on a connection of its own (for test set-up).
    void exec(const QString& sql) const;

    static const QString& anaHash();  // computed once per test program: Argon2id is slow on purpose

private:
    QTemporaryDir m_dir;
    QString m_path;
};

}  // namespace platform::server::testing

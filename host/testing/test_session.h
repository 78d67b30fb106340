#pragma once
// A logged-in session for tests: fixed operator and branch, business dates set
// per branch by the test, and a record of the screens opened and the cache
// refreshes asked for.
//
// Defaults: operator "000000000001" ("Operador de Teste"), branch "0001"
// ("Filial Matriz") in multi-branch mode, server "http://127.0.0.1":8080,
// report dir "/tmp/af-reports/", product picture "!99.99.999;0;_", and a
// business date of 15/03/2024 (a Friday) for branch "0001".
#include "host/services/session_state.h"

#include <QtCore/QMap>
#include <vector>

namespace host::test {

class TestSession : public SessionState {
public:
    struct LoadBplCall {
        QString screenCode;
        QVariantList params;
    };
    struct CacheCall {
        QStringList tables;
        QStringList keys;
        int mode = 0;
        QString branch;
    };

    static LoginInfo defaultLogin();
    static QDate defaultDataProc() { return QDate(2024, 3, 15); }

    explicit TestSession(LoginInfo login = defaultLogin());

    // The business date of a branch (code as stored, 4 characters); an invalid
    // date removes it, so DataProc then fails as for an unknown branch.
    void setDataProc(const QString& branch, const QDate& date);

    const std::vector<LoadBplCall>& loadBplCalls() const { return m_loadBplCalls; }
    const std::vector<CacheCall>& cacheCalls() const { return m_cacheCalls; }

private:
    QMap<QString, QDate> m_dates;
    std::vector<LoadBplCall> m_loadBplCalls;
    std::vector<CacheCall> m_cacheCalls;
};

}  // namespace host::test

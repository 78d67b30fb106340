#include "host/testing/test_session.h"

namespace host::test {

LoginInfo TestSession::defaultLogin() {
    LoginInfo login;
    login.operador = QStringLiteral("000000000001");
    login.nomeOperador = QStringLiteral("Operador de Teste");
    login.filiProc = QStringLiteral("0001");
    login.nomeFiliProc = QStringLiteral("Filial Matriz");
    login.moduFili = false;
    login.webUrl = QStringLiteral("http://127.0.0.1");
    login.webPort = 8080;
    login.reportDir = QStringLiteral("/tmp/af-reports/");
    login.pictures.insert(kPictProduto, QStringLiteral("!99.99.999;0;_"));
    return login;
}

TestSession::TestSession(LoginInfo login) : SessionState(std::move(login)) {
    m_dates.insert(FiliProc(), defaultDataProc());
    setDataProcProvider([this](const QString& branch) -> std::optional<QDate> {
        const auto it = m_dates.constFind(branch);
        if (it == m_dates.constEnd()) return std::nullopt;
        return *it;
    });
    setLoadBplHandler([this](const QString& code, const QVariantList& params) {
        m_loadBplCalls.push_back({code, params});
    });
    setCacheRefresher([this](const QStringList& tables, const QStringList& keys, int mode, const QString& branch) {
        m_cacheCalls.push_back({tables, keys, mode, branch});
    });
}

void TestSession::setDataProc(const QString& branch, const QDate& date) {
    if (date.isValid())
        m_dates.insert(branch, date);
    else
        m_dates.remove(branch);
}

}  // namespace host::test

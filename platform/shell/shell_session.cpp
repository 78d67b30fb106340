#include "platform/shell/shell_session.h"

#include "platform/shell/product_picture.h"

#include "host/data/errors.h"
#include "host/lookup/host_database.h"
#include "host/remote/server_access.h"

#include <QtCore/QDir>

namespace shell {

host::LoginInfo ShellSession::loginInfo(const LoginResult& login, const QString& reportDir) {
    if (!QDir().mkpath(reportDir))
        throw host::UserError(QStringLiteral("Não foi possível criar a pasta de relatórios: %1.").arg(reportDir));
    const ServerLink& link = login.backend->link;
    host::LoginInfo info;
    info.operador = login.login.operatorCode;
    info.nomeOperador = login.login.operatorName;
    info.filiProc = login.branch.code;
    info.nomeFiliProc = login.branch.name;
    info.moduFili = worksInBranchMode(login.branch);
    info.webUrl = link.webUrl();
    info.webPort = link.webPort();
    info.reportDir = QDir(reportDir).absolutePath() + QLatin1Char('/');
    info.pictures.insert(host::kPictProduto, productTreePicture(login.backend->lookups->database()));
    return info;
}

ShellSession::ShellSession(LoginResult login, const QString& reportDir) : m_login(std::move(login)) {
    try {
        m_state = std::make_shared<host::SessionState>(loginInfo(m_login, reportDir));
    } catch (...) {
        m_login.backend->link.logOut(m_login.login.token);  // no destructor will run to end it
        throw;
    }
    // Read at every call: the day's close moves the date while the program runs.
    std::weak_ptr<LookupDatabase> lookups = m_login.backend->lookups;
    m_state->setDataProcProvider([lookups](const QString& branch) -> std::optional<QDate> {
        const std::shared_ptr<LookupDatabase> db = lookups.lock();
        if (!db) return std::nullopt;
        return BranchDirectory(db->database()).processingDate(branch);
    });
    // Lookups read the database itself; the host keeps no local copy of any
    // table, so there is never a stale one to refresh.
    m_state->setCacheRefresher([](const QStringList&, const QStringList&, int, const QString&) {});
}

ShellSession::~ShellSession() {
    uninstall();
    m_login.backend->link.logOut(m_login.login.token);
}

void ShellSession::install() {
    host::setSession(m_state);
    host::setHostDatabase(m_login.backend->lookups);
    host::setServerAccess(m_login.backend->link.access(m_login.login.token));
    m_installed = true;
}

void ShellSession::uninstall() noexcept {
    if (!m_installed) return;
    host::setServerAccess({});
    host::setHostDatabase(nullptr);
    host::setSession(nullptr);
    m_installed = false;
}

}  // namespace shell

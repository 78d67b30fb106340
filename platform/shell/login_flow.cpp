#include "platform/shell/login_flow.h"

#include "host/data/errors.h"
#include "host/services/consiste.h"

#include <algorithm>

namespace shell {

LoginFlow::LoginFlow(Connect connect) : m_connect(std::move(connect)) {}

LoginFlow::~LoginFlow() { abandon(); }

void LoginFlow::authenticate(const ServerChoice& server, const QString& operatorCode, const QString& password) {
    abandon();
    const QString code = host::Ajusta(operatorCode.toUpper(), 12);
    if (code.isEmpty()) throw host::UserError(QStringLiteral("Informe o operador."));
    if (password.isEmpty()) throw host::UserError(QStringLiteral("Informe a senha."));

    std::shared_ptr<ShellBackend> backend = m_connect(server);
    host::RemoteLogin login = backend->link.logIn(code, password);
    try {
        const BranchDirectory directory(backend->lookups->database());
        m_branches = directory.branches();
        if (m_branches.isEmpty()) throw host::UserError(QStringLiteral("Nenhuma filial cadastrada."));
        m_ownBranch = directory.operatorBranch(login.operatorCode);
    } catch (...) {
        backend->link.logOut(login.token);
        m_branches.clear();
        throw;
    }
    m_backend = std::move(backend);
    m_server = server;
    m_login = std::move(login);
}

QString LoginFlow::suggestedBranch(const QString& preferred) const {
    auto exists = [this](const QString& code) {
        return std::any_of(m_branches.begin(), m_branches.end(), [&](const BranchRecord& b) { return b.code == code; });
    };
    const QString wanted = host::Ajusta(preferred, 4);
    if (!wanted.isEmpty() && exists(wanted)) return wanted;
    if (!m_ownBranch.isEmpty() && exists(m_ownBranch)) return m_ownBranch;
    return m_branches.isEmpty() ? QString() : m_branches.first().code;
}

LoginResult LoginFlow::confirm(const QString& branchCode) {
    if (!authenticated()) throw host::DataError(QStringLiteral("Login: escolha de filial antes da autenticação."));
    const QString code = host::Ajusta(branchCode, 4);
    if (code.isEmpty()) throw host::UserError(QStringLiteral("Escolha a filial de trabalho."));
    const std::optional<BranchRecord> branch = BranchDirectory(m_backend->lookups->database()).branch(code);
    if (!branch) throw host::UserError(QStringLiteral("Filial %1 não cadastrada.").arg(code));
    if (!branch->processingDate)
        throw host::UserError(QStringLiteral("A filial %1 - %2 não tem data de processamento definida.")
                                  .arg(branch->code, branch->name));

    LoginResult result{std::move(m_backend), m_server, std::move(m_login), *branch};
    m_backend.reset();
    m_login = {};
    m_branches.clear();
    return result;
}

void LoginFlow::abandon() noexcept {
    if (m_backend && authenticated()) m_backend->link.logOut(m_login.token);
    m_backend.reset();
    m_login = {};
    m_branches.clear();
    m_ownBranch.clear();
}

}  // namespace shell

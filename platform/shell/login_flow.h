#pragma once
// The two steps of a login, apart from any window: the operator is
// authenticated by the server (which checks the password and hands out the
// session token), then chooses the working branch. The login dialog and the
// unattended screenshot run both go through it.
#include "platform/shell/backends.h"
#include "platform/shell/branch_directory.h"

#include <functional>

namespace shell {

struct LoginResult {
    std::shared_ptr<ShellBackend> backend;
    ServerChoice server;
    host::RemoteLogin login;  // token, operator code and name as the server has them
    BranchRecord branch;
};

class LoginFlow {
public:
    using Connect = std::function<std::shared_ptr<ShellBackend>(const ServerChoice&)>;

    explicit LoginFlow(Connect connect);
    ~LoginFlow();  // abandons an unfinished login
    LoginFlow(const LoginFlow&) = delete;
    LoginFlow& operator=(const LoginFlow&) = delete;

    // Step 1. The operator code is taken in upper case and in the host's code
    // convention (`Ajusta`: "7" is operator 000000000007). Throws host::UserError:
    // a missing operator or password, a server that cannot be reached, or the
    // server's refusal. A new authentication first ends the previous one.
    void authenticate(const ServerChoice& server, const QString& operatorCode, const QString& password);
    bool authenticated() const { return !m_login.token.isEmpty(); }
    const host::RemoteLogin& login() const { return m_login; }

    // Every branch, offered for the choice; filled by authenticate.
    const QList<BranchRecord>& branches() const { return m_branches; }
    // `preferred` when it is a branch, else the operator's own, else the first.
    QString suggestedBranch(const QString& preferred = {}) const;

    // Step 2. Throws host::UserError for an unknown branch or one without a
    // processing date; the login stays open for another choice.
    LoginResult confirm(const QString& branchCode);

    // Ends the session of an unfinished login on the server.
    void abandon() noexcept;

private:
    Connect m_connect;
    std::shared_ptr<ShellBackend> m_backend;
    ServerChoice m_server;
    host::RemoteLogin m_login;
    QList<BranchRecord> m_branches;
    QString m_ownBranch;
};

}  // namespace shell

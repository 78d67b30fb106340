#pragma once
// The logged-in session as the shell holds it: the host::SessionState the
// screens read (operator, branch, business date, server, pictures, report
// folder), and the services installed for them: the session itself, the lookup
// connection and the access to the application server. Destroying it removes
// them and ends the session on the server.
#include "platform/shell/login_flow.h"

#include "host/services/session_state.h"

namespace shell {

class ShellSession {
public:
    // Throws host::UserError when the report folder cannot be created.
    ShellSession(LoginResult login, const QString& reportDir);
    ~ShellSession();
    ShellSession(const ShellSession&) = delete;
    ShellSession& operator=(const ShellSession&) = delete;

    // Makes this the session the screens see (host::session(), hostDatabase(),
    // bindToServer()).
    void install();

    host::SessionState& state() { return *m_state; }
    std::shared_ptr<host::SessionState> sharedState() const { return m_state; }
    const LoginResult& login() const { return m_login; }
    const ShellBackend& backend() const { return *m_login.backend; }

private:
    static host::LoginInfo loginInfo(const LoginResult& login, const QString& reportDir);
    void uninstall() noexcept;

    LoginResult m_login;
    std::shared_ptr<host::SessionState> m_state;
    bool m_installed = false;
};

}  // namespace shell

#pragma once
// Login and logout: the built-in session module ("Sessao") of the server.
//
//   Login(operator: text, password: text)          -> [token, operator code, operator name]
//   Logout()                                       -> true
//   ConfirmaSenha(operator: text, password: text)  -> boolean
//
// Login is the one method callable without a session. A wrong operator and a
// wrong password get the same message after the same delay, so a caller
// cannot learn which operators exist.
//
// ConfirmaSenha lets a logged-in client confirm another operator's password
// (a buyer's or a manager's) without ever reading a hash: true when it
// matches; false, after the same delay as a refused login, for a wrong
// password, an unknown operator or one without a password.
#include "credential_store.h"
#include "module_registry.h"
#include "session_manager.h"

#include "host/remote/remote_value.h"

#include <chrono>
#include <memory>
#include <semaphore>

namespace platform::server {

struct AuthOptions {
    std::chrono::milliseconds failureDelay{500};
    // Argon2id takes 64 MiB per verification: at most this many at once.
    int maxConcurrentHashes = 4;
};

class Authenticator {
public:
    Authenticator(CredentialStore& credentials, SessionManager& sessions, AuthOptions options = {});
    ~Authenticator();

    // Throws host::UserError("Operador ou senha inválidos.") on a refusal.
    host::RemoteValue login(const QString& operatorCode, const QString& password);
    void logout(const QString& token);
    // True when the password is the operator's; a refusal waits the failure delay.
    bool confirmPassword(const QString& operatorCode, const QString& password, const QString& askedBy);

    // Adds the session module to the registry.
    void registerModule(ModuleRegistry& registry);

    static QString invalidCredentials();

private:
    bool verify(const QString& password, const QString& hash);
    const QString& dummyHash();
    // The operator when the password is theirs (an outdated hash is replaced);
    // otherwise nullopt after the failure delay, with the same work done
    // whatever the cause.
    std::optional<OperatorCredential> checkPassword(const QString& operatorCode, const QString& password,
                                                    const char* purpose);
    void refusalDelay(const QString& operatorCode, const char* purpose, const char* why);

    CredentialStore& m_credentials;
    SessionManager& m_sessions;
    AuthOptions m_options;
    std::counting_semaphore<1024> m_hashSlots;
    std::once_flag m_dummyOnce;
    QString m_dummyHash;
};

}  // namespace platform::server

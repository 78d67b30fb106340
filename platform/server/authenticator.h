#pragma once
// Login and logout: the built-in session module ("Sessao") of the server.
//
//   Login(operator: text, password: text)  -> [token, operator code, operator name]
//   Logout()                               -> true
//
// Login is the one method callable without a session. A wrong operator and a
// wrong password get the same message after the same delay, so a caller
// cannot learn which operators exist.
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

    // Adds the session module to the registry.
    void registerModule(ModuleRegistry& registry);

    static QString invalidCredentials();

private:
    bool verify(const QString& password, const QString& hash);
    const QString& dummyHash();
    [[noreturn]] void refuse(const QString& operatorCode, const char* why);

    CredentialStore& m_credentials;
    SessionManager& m_sessions;
    AuthOptions m_options;
    std::counting_semaphore<1024> m_hashSlots;
    std::once_flag m_dummyOnce;
    QString m_dummyHash;
};

}  // namespace platform::server

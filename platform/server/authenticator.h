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
//
// Guessing is throttled (login_throttle.h) per operator code, per client
// address and, for ConfirmaSenha, per session: refusals wait longer and longer
// and a key with too many failures is locked for a while. A throttled attempt
// and one that finds every verification slot taken are refused at once,
// before any hashing.
#include "credential_store.h"
#include "login_throttle.h"
#include "module_registry.h"
#include "session_manager.h"

#include "host/remote/remote_value.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>

namespace platform::server {

struct AuthOptions {
    // The refusal delay of a streak's first failures; later ones double it.
    std::chrono::milliseconds failureDelay{500};
    // Argon2id takes 64 MiB per verification: at most this many at once, on
    // threads of their own at a lower priority, so that guessers keep neither
    // the workers nor the processors from the other calls. An attempt from a
    // key with recent failures may not take the last free slot.
    int maxConcurrentHashes = 4;
    ThrottleLimits perOperator{};  // also per session for ConfirmaSenha
    ThrottleLimits perAddress{10, std::chrono::milliseconds(8000), 20, std::chrono::seconds(300),
                              std::chrono::seconds(900), 10'000};
};

// Where an attempt comes from.
struct AttemptOrigin {
    QString address;  // the client's address; empty in process
    QString session;  // the asking session's token (ConfirmaSenha)
    // Takes the time before which a refusal may not be answered; without it
    // the refusal sleeps until then on the calling thread.
    std::function<void(std::chrono::steady_clock::time_point)> holdAnswer;
};

class Authenticator {
public:
    Authenticator(CredentialStore& credentials, SessionManager& sessions, AuthOptions options = {});
    ~Authenticator();

    // Throws host::UserError(invalidCredentials()) on a refusal,
    // host::UserError(tooManyAttempts()) when throttled, host::UserError(busy())
    // when no verification slot is free.
    host::RemoteValue login(const QString& operatorCode, const QString& password, const AttemptOrigin& from = {});
    void logout(const QString& token);
    // True when the password is the operator's; false after the refusal delay.
    // Throttled or busy: throws as login does.
    bool confirmPassword(const QString& operatorCode, const QString& password, const QString& askedBy,
                         const AttemptOrigin& from = {});

    // Adds the session module to the registry.
    void registerModule(ModuleRegistry& registry);

    static QString invalidCredentials();
    static QString tooManyAttempts();
    static QString busy();

private:
    class HashSlot;
    class HashThreads;
    // Runs the hashing on a hash thread and waits for it.
    void hashing(const std::function<void()>& work);
    bool verify(const QString& password, const QString& hash);
    const QString& dummyHash();
    // The operator when the password is theirs (an outdated hash is replaced);
    // otherwise nullopt once the refusal's delay is given to the origin, with
    // the same work done whatever the cause.
    std::optional<OperatorCredential> checkPassword(const QString& operatorCode, const QString& password,
                                                    const AttemptOrigin& from, const char* purpose);
    void refuse(const QString& code, const AttemptOrigin& from, const char* purpose, const char* why);

    CredentialStore& m_credentials;
    SessionManager& m_sessions;
    AuthOptions m_options;
    std::atomic<int> m_hashesRunning{0};
    std::unique_ptr<HashThreads> m_hashThreads;
    std::mutex m_throttleMutex;
    ThrottleTable m_byOperator;
    ThrottleTable m_bySession;
    ThrottleTable m_byAddress;
    std::once_flag m_dummyOnce;
    QString m_dummyHash;
};

}  // namespace platform::server

#include "authenticator.h"

#include "call_context.h"
#include "server_log.h"

#include "host/remote/remote_connection.h"
#include "platform/security/password_hash.h"

#include <algorithm>
#include <thread>

namespace platform::server {

using host::RemoteValue;

namespace {

constexpr int kOperatorCodeChars = 12;

}  // namespace

Authenticator::Authenticator(CredentialStore& credentials, SessionManager& sessions, AuthOptions options)
    : m_credentials(credentials), m_sessions(sessions), m_options(options),
      m_hashSlots(std::clamp(options.maxConcurrentHashes, 1, 1024)) {}

Authenticator::~Authenticator() = default;

QString Authenticator::invalidCredentials() { return QStringLiteral("Operador ou senha inválidos."); }

// Verifying against a throw-away hash when the operator does not exist costs
// the same time as a real verification.
const QString& Authenticator::dummyHash() {
    std::call_once(m_dummyOnce,
                   [this] { m_dummyHash = security::hashPassword(QStringLiteral("operador inexistente")); });
    return m_dummyHash;
}

bool Authenticator::verify(const QString& password, const QString& hash) {
    m_hashSlots.acquire();
    struct Release {
        std::counting_semaphore<1024>& s;
        ~Release() { s.release(); }
    } release{m_hashSlots};
    return security::verifyPassword(password, hash);
}

void Authenticator::refuse(const QString& operatorCode, const char* why) {
    qCWarning(serverLog).noquote() << "login refused for" << operatorCode.left(40) << ":" << why;
    std::this_thread::sleep_for(m_options.failureDelay);
    throw host::UserError(invalidCredentials());
}

RemoteValue Authenticator::login(const QString& operatorCode, const QString& password) {
    const QString code = operatorCode.trimmed();
    if (code.isEmpty() || code.size() > kOperatorCodeChars || password.isEmpty()) {
        verify(password, dummyHash());
        refuse(code, "empty or oversized input");
    }
    const std::optional<OperatorCredential> found = m_credentials.find(code);
    if (!found) {
        verify(password, dummyHash());
        refuse(code, "unknown operator");
    }
    if (found->passwordHash.isEmpty()) {
        verify(password, dummyHash());
        refuse(code, "operator without password");
    }
    if (!verify(password, found->passwordHash)) refuse(code, "wrong password");

    if (security::needsRehash(found->passwordHash)) {
        try {
            m_credentials.setPasswordHash(found->code, security::hashPassword(password));
        } catch (const std::exception& e) {
            qCWarning(serverLog) << "password rehash failed for" << found->code << ":" << e.what();
        }
    }
    const QString token = m_sessions.open(SessionInfo{found->code, found->name});
    qCInfo(serverLog).noquote() << "login" << found->code;
    return RemoteValue(RemoteValue::Array{RemoteValue(token), RemoteValue(found->code), RemoteValue(found->name)});
}

void Authenticator::logout(const QString& token) { m_sessions.close(token); }

void Authenticator::registerModule(ModuleRegistry& registry) {
    registry.add(QString::fromLatin1(host::kSessionModule))
        .publicMethod(QString::fromLatin1(host::kLoginMethod), {arg::text(), arg::text()},
                      [this](CallContext& ctx) { return login(ctx.text(0), ctx.text(1)); })
        .method(QString::fromLatin1(host::kLogoutMethod), {}, [this](CallContext& ctx) {
            logout(ctx.sessionToken());
            return RemoteValue(true);
        });
}

}  // namespace platform::server

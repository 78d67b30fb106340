#include "authenticator.h"

#include "call_context.h"
#include "server_log.h"

#include "host/remote/remote_connection.h"
#include "host/remote/remote_names.h"
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

void Authenticator::refusalDelay(const QString& operatorCode, const char* purpose, const char* why) {
    qCWarning(serverLog).noquote() << purpose << "refused for" << operatorCode.left(40) << ":" << why;
    std::this_thread::sleep_for(m_options.failureDelay);
}

std::optional<OperatorCredential> Authenticator::checkPassword(const QString& operatorCode, const QString& password,
                                                               const char* purpose) {
    const QString code = operatorCode.trimmed();
    if (code.isEmpty() || code.size() > kOperatorCodeChars || password.isEmpty()) {
        verify(password, dummyHash());
        refusalDelay(code, purpose, "empty or oversized input");
        return std::nullopt;
    }
    const std::optional<OperatorCredential> found = m_credentials.find(code);
    if (!found) {
        verify(password, dummyHash());
        refusalDelay(code, purpose, "unknown operator");
        return std::nullopt;
    }
    if (found->passwordHash.isEmpty()) {
        verify(password, dummyHash());
        refusalDelay(code, purpose, "operator without password");
        return std::nullopt;
    }
    if (!verify(password, found->passwordHash)) {
        refusalDelay(code, purpose, "wrong password");
        return std::nullopt;
    }
    // Refused as any other failure, after the same work: the answer tells nobody which operators exist.
    if (!found->active) {
        refusalDelay(code, purpose, "inactive operator");
        return std::nullopt;
    }
    if (security::needsRehash(found->passwordHash)) {
        try {
            m_credentials.setPasswordHash(found->code, security::hashPassword(password));
        } catch (const std::exception& e) {
            qCWarning(serverLog) << "password rehash failed for" << found->code << ":" << e.what();
        }
    }
    return found;
}

RemoteValue Authenticator::login(const QString& operatorCode, const QString& password) {
    const std::optional<OperatorCredential> found = checkPassword(operatorCode, password, "login");
    if (!found) throw host::UserError(invalidCredentials());
    const QString token = m_sessions.open(SessionInfo{found->code, found->name});
    qCInfo(serverLog).noquote() << "login" << found->code;
    return RemoteValue(RemoteValue::Array{RemoteValue(token), RemoteValue(found->code), RemoteValue(found->name)});
}

bool Authenticator::confirmPassword(const QString& operatorCode, const QString& password, const QString& askedBy) {
    const bool confirmed = checkPassword(operatorCode, password, "password confirmation").has_value();
    if (confirmed)
        qCInfo(serverLog).noquote() << "password of" << operatorCode.trimmed() << "confirmed for" << askedBy;
    return confirmed;
}

void Authenticator::logout(const QString& token) { m_sessions.close(token); }

void Authenticator::registerModule(ModuleRegistry& registry) {
    namespace names = host::names::session;
    ServerModule& module = registry.add(names::module);

    Params loginArgs;
    const auto loginCode = loginArgs.text("CDOPERADOR");
    const auto loginSecret = loginArgs.text("senha");
    module.publicMethod(names::Login, loginArgs, ResultKind::Array, [this, loginCode, loginSecret](CallContext& c) {
        return login(c[loginCode], c[loginSecret]);
    });

    module.method(names::Logout, {}, ResultKind::Boolean, [this](CallContext& c) {
        logout(c.sessionToken());
        return RemoteValue(true);
    });

    Params confirmArgs;
    const auto askedCode = confirmArgs.text("CDOPERADOR");
    const auto askedSecret = confirmArgs.text("senha");
    module.method(names::ConfirmaSenha, confirmArgs, ResultKind::Boolean,
                  [this, askedCode, askedSecret](CallContext& c) {
                      return RemoteValue(confirmPassword(c[askedCode], c[askedSecret], c.operatorCode()));
                  });
}

}  // namespace platform::server

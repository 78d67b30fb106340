#include "session_manager.h"

#include "host/data/errors.h"

#include <sodium.h>

#include <stdexcept>

namespace platform::server {

namespace {

constexpr size_t kTokenBytes = 32;

}  // namespace

SessionManager::SessionManager(SessionOptions options, Clock clock)
    : m_options(options), m_clock(clock ? std::move(clock) : Clock(&std::chrono::steady_clock::now)) {
    if (sodium_init() < 0) throw std::runtime_error("libsodium could not be initialised");
}

QByteArray SessionManager::key(const QString& token) {
    const QByteArray bytes = token.toUtf8();
    QByteArray digest(crypto_generichash_BYTES, '\0');
    crypto_generichash(reinterpret_cast<unsigned char*>(digest.data()), size_t(digest.size()),
                       reinterpret_cast<const unsigned char*>(bytes.constData()), size_t(bytes.size()), nullptr, 0);
    return digest;
}

bool SessionManager::expired(const Entry& e, std::chrono::steady_clock::time_point now) const {
    return now - e.lastUse >= m_options.idleTimeout;
}

void SessionManager::purgeExpired(std::chrono::steady_clock::time_point now) {
    for (auto it = m_sessions.begin(); it != m_sessions.end();) {
        if (expired(it.value(), now)) it = m_sessions.erase(it);
        else ++it;
    }
}

QString SessionManager::open(const SessionInfo& info) {
    unsigned char raw[kTokenBytes];
    randombytes_buf(raw, sizeof raw);
    char hex[kTokenBytes * 2 + 1];
    sodium_bin2hex(hex, sizeof hex, raw, sizeof raw);
    const QString token = QString::fromLatin1(hex);

    const auto now = m_clock();
    std::lock_guard lock(m_mutex);
    if (m_sessions.size() >= m_options.maxSessions) purgeExpired(now);
    if (m_sessions.size() >= m_options.maxSessions)
        throw host::UserError(
            QStringLiteral("Limite de sessões do servidor de aplicação atingido. Tente novamente mais tarde."));
    m_sessions.insert(key(token), Entry{info, now});
    return token;
}

SessionManager::Status SessionManager::touch(const QString& token, SessionInfo* info) {
    if (token.isEmpty()) return Status::Missing;
    const QByteArray k = key(token);
    const auto now = m_clock();
    std::lock_guard lock(m_mutex);
    auto it = m_sessions.find(k);
    if (it == m_sessions.end()) return Status::Unknown;
    if (expired(it.value(), now)) {
        m_sessions.erase(it);
        return Status::Expired;
    }
    it->lastUse = now;
    if (info) *info = it->info;
    return Status::Valid;
}

bool SessionManager::close(const QString& token) {
    if (token.isEmpty()) return false;
    const QByteArray k = key(token);
    std::lock_guard lock(m_mutex);
    return m_sessions.remove(k) > 0;
}

int SessionManager::size() const {
    std::lock_guard lock(m_mutex);
    return int(m_sessions.size());
}

QString SessionManager::refusal(Status status) {
    switch (status) {
    case Status::Valid: return {};
    case Status::Missing:
        return QStringLiteral("Acesso negado: a chamada não traz a sessão do operador. Entre no sistema novamente.");
    case Status::Unknown: return QStringLiteral("Sessão inválida ou encerrada. Entre no sistema novamente.");
    case Status::Expired: return QStringLiteral("Sessão expirada por inatividade. Entre no sistema novamente.");
    }
    return {};
}

}  // namespace platform::server

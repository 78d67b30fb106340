#include "authenticator.h"

#include "call_context.h"
#include "server_log.h"

#include "host/remote/remote_connection.h"
#include "host/remote/remote_names.h"
#include "platform/security/password_hash.h"

#include <QtCore/QCryptographicHash>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <future>
#include <thread>
#include <vector>

namespace platform::server {

using host::RemoteValue;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kOperatorCodeChars = 12;

// Codes differing only in case or padding are one key: the count cannot be
// spread over spellings.
QString operatorKey(const QString& code) { return code.trimmed().left(kOperatorCodeChars + 1).toUpper(); }

// Sessions are counted by a hash of their token; the token itself is kept nowhere.
QString sessionKey(const QString& token) {
    if (token.isEmpty()) return {};
    return QString::fromLatin1(QCryptographicHash::hash(token.toUtf8(), QCryptographicHash::Sha256).toHex().left(32));
}

}  // namespace

// A verification slot, taken without waiting: a login that finds none is
// answered at once instead of queueing behind guessers.
class Authenticator::HashSlot {
public:
    HashSlot(std::atomic<int>& running, int limit) : m_running(running) {
        int n = running.load();
        while (n < limit)
            if (running.compare_exchange_weak(n, n + 1)) {
                m_taken = true;
                break;
            }
    }
    ~HashSlot() {
        if (m_taken) m_running.fetch_sub(1);
    }
    HashSlot(const HashSlot&) = delete;
    HashSlot& operator=(const HashSlot&) = delete;
    explicit operator bool() const { return m_taken; }

private:
    std::atomic<int>& m_running;
    bool m_taken = false;
};

// Threads that only hash, at a lower priority (Linux gives each thread its
// own nice value): under a flood of guesses the processors go to the other
// calls and to the server's sockets first.
class Authenticator::HashThreads {
public:
    explicit HashThreads(int count) {
        for (int i = 0; i < count; ++i) m_threads.emplace_back([this] { serve(); });
    }
    ~HashThreads() {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        for (std::thread& t : m_threads) t.join();
    }
    void run(const std::function<void()>& work) {
        std::packaged_task<void()> task(work);
        std::future<void> done = task.get_future();
        {
            std::lock_guard lock(m_mutex);
            m_queue.push_back(std::move(task));
        }
        m_wake.notify_one();
        done.get();  // rethrows what the work threw
    }

private:
    void serve() {
        setpriority(PRIO_PROCESS, id_t(gettid()), 10);
        for (;;) {
            std::packaged_task<void()> task;
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [&] { return m_stopping || !m_queue.empty(); });
                if (m_queue.empty()) return;
                task = std::move(m_queue.front());
                m_queue.pop_front();
            }
            task();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::packaged_task<void()>> m_queue;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};

Authenticator::Authenticator(CredentialStore& credentials, SessionManager& sessions, AuthOptions options)
    : m_credentials(credentials), m_sessions(sessions), m_options(options),
      m_byOperator(options.perOperator, options.failureDelay), m_bySession(options.perOperator, options.failureDelay),
      m_byAddress(options.perAddress, options.failureDelay) {
    m_options.maxConcurrentHashes = std::clamp(options.maxConcurrentHashes, 1, 1024);
    m_hashThreads = std::make_unique<HashThreads>(m_options.maxConcurrentHashes);
}

Authenticator::~Authenticator() = default;

void Authenticator::hashing(const std::function<void()>& work) { m_hashThreads->run(work); }

QString Authenticator::invalidCredentials() { return QStringLiteral("Operador ou senha inválidos."); }

QString Authenticator::tooManyAttempts() {
    return QStringLiteral("Muitas tentativas de acesso sem sucesso. Tente novamente em alguns minutos.");
}

QString Authenticator::busy() { return QStringLiteral("Servidor ocupado. Tente novamente em instantes."); }

// Verifying against a throw-away hash when the operator does not exist costs
// the same time as a real verification.
const QString& Authenticator::dummyHash() {
    std::call_once(m_dummyOnce, [this] {
        hashing([this] { m_dummyHash = security::hashPassword(QStringLiteral("operador inexistente")); });
    });
    return m_dummyHash;
}

bool Authenticator::verify(const QString& password, const QString& hash) {
    bool matches = false;
    hashing([&] { matches = security::verifyPassword(password, hash); });
    return matches;
}

namespace {

void holdAnswer(const AttemptOrigin& from, Clock::time_point until) {
    if (from.holdAnswer)
        from.holdAnswer(until);
    else
        std::this_thread::sleep_until(until);
}

}  // namespace

void Authenticator::refuse(const QString& code, const AttemptOrigin& from, const char* purpose, const char* why) {
    const Clock::time_point now = Clock::now();
    Clock::time_point answerAt = now;
    bool locked = false;
    {
        std::lock_guard lock(m_throttleMutex);
        const auto count = [&](ThrottleTable& table, const QString& key) {
            if (key.isEmpty() && &table != &m_byOperator) return;
            answerAt = std::max(answerAt, table.fail(key, now));
            locked = locked || table.blockedUntil(key, now) >= now + table.limits().lockout;
        };
        count(m_byOperator, operatorKey(code));
        count(m_bySession, sessionKey(from.session));
        count(m_byAddress, from.address);
    }
    qCWarning(serverLog).noquote() << purpose << "refused for" << code.left(40) << "from"
                                   << (from.address.isEmpty() ? QStringLiteral("(local)") : from.address) << ":"
                                   << why << (locked ? "- locked" : "");
    holdAnswer(from, answerAt);
}

std::optional<OperatorCredential> Authenticator::checkPassword(const QString& operatorCode, const QString& password,
                                                               const AttemptOrigin& from, const char* purpose) {
    const QString code = operatorCode.trimmed();
    const QString opKey = operatorKey(code);
    const QString sesKey = sessionKey(from.session);
    const Clock::time_point now = Clock::now();
    bool throttled = false;
    bool suspect = false;
    {
        std::lock_guard lock(m_throttleMutex);
        Clock::time_point blocked = m_byOperator.blockedUntil(opKey, now);
        if (!sesKey.isEmpty()) blocked = std::max(blocked, m_bySession.blockedUntil(sesKey, now));
        if (!from.address.isEmpty()) blocked = std::max(blocked, m_byAddress.blockedUntil(from.address, now));
        throttled = blocked > now;
        suspect = m_byOperator.hasFailures(opKey, now) || (!sesKey.isEmpty() && m_bySession.hasFailures(sesKey, now)) ||
                  (!from.address.isEmpty() && m_byAddress.hasFailures(from.address, now));
    }
    if (throttled) {
        qCDebug(serverLog).noquote() << purpose << "throttled for" << code.left(40) << "from" << from.address;
        // Unchecked, yet not answered at once: a guesser looping on the
        // refusal would only load the server.
        holdAnswer(from, now + m_options.failureDelay);
        throw host::UserError(tooManyAttempts());
    }

    const char* why = nullptr;
    std::optional<OperatorCredential> found;
    {
        const int max = m_options.maxConcurrentHashes;
        HashSlot slot(m_hashesRunning, suspect && max > 1 ? max - 1 : max);
        if (!slot) {
            qCDebug(serverLog).noquote() << purpose << "busy for" << code.left(40) << "from" << from.address;
            // An address that keeps trying while every slot is taken is
            // guessing: it counts as a failure of the address (not of the
            // operator, whom it would lock out), which also keeps it off the
            // slot kept for clean attempts.
            if (!from.address.isEmpty()) {
                std::lock_guard lock(m_throttleMutex);
                m_byAddress.fail(from.address, Clock::now());
            }
            throw host::UserError(busy());
        }
        if (code.isEmpty() || code.size() > kOperatorCodeChars || password.isEmpty()) {
            verify(password, dummyHash());
            why = "empty or oversized input";
        } else if (found = m_credentials.find(code); !found) {
            verify(password, dummyHash());
            why = "unknown operator";
        } else if (found->passwordHash.isEmpty()) {
            verify(password, dummyHash());
            why = "operator without password";
        } else if (!verify(password, found->passwordHash)) {
            why = "wrong password";
        } else if (!found->active) {
            // Refused as any other failure, after the same work: the answer tells nobody which operators exist.
            why = "inactive operator";
        } else if (security::needsRehash(found->passwordHash)) {
            try {
                QString rehashed;
                hashing([&] { rehashed = security::hashPassword(password); });
                m_credentials.setPasswordHash(found->code, rehashed);
            } catch (const std::exception& e) {
                qCWarning(serverLog) << "password rehash failed for" << found->code << ":" << e.what();
            }
        }
    }
    if (why) {
        refuse(code, from, purpose, why);
        return std::nullopt;
    }
    std::lock_guard lock(m_throttleMutex);
    m_byOperator.clear(opKey);
    if (!sesKey.isEmpty()) m_bySession.clear(sesKey);
    return found;
}

RemoteValue Authenticator::login(const QString& operatorCode, const QString& password, const AttemptOrigin& from) {
    const std::optional<OperatorCredential> found = checkPassword(operatorCode, password, from, "login");
    if (!found) throw host::UserError(invalidCredentials());
    const QString token = m_sessions.open(SessionInfo{found->code, found->name});
    qCInfo(serverLog).noquote() << "login" << found->code;
    return RemoteValue(RemoteValue::Array{RemoteValue(token), RemoteValue(found->code), RemoteValue(found->name)});
}

bool Authenticator::confirmPassword(const QString& operatorCode, const QString& password, const QString& askedBy,
                                    const AttemptOrigin& from) {
    const bool confirmed = checkPassword(operatorCode, password, from, "password confirmation").has_value();
    if (confirmed)
        qCInfo(serverLog).noquote() << "password of" << operatorCode.trimmed() << "confirmed for" << askedBy;
    return confirmed;
}

void Authenticator::logout(const QString& token) { m_sessions.close(token); }

void Authenticator::registerModule(ModuleRegistry& registry) {
    namespace names = host::names::session;
    ServerModule& module = registry.add(names::module);
    // The call's address, and its refusal delay held by the transport.
    const auto origin = [](CallContext& c, QString session) {
        return AttemptOrigin{c.peerAddress(), std::move(session),
                             [&c](Clock::time_point t) { c.delayAnswerUntil(t); }};
    };

    Params loginArgs;
    const auto loginCode = loginArgs.text("CDOPERADOR");
    const auto loginSecret = loginArgs.text("senha");
    module.publicMethod(names::Login, loginArgs, ResultKind::Array,
                        [this, loginCode, loginSecret, origin](CallContext& c) {
                            return login(c[loginCode], c[loginSecret], origin(c, {}));
                        });

    module.method(names::Logout, {}, ResultKind::Boolean, [this](CallContext& c) {
        logout(c.sessionToken());
        return RemoteValue(true);
    });

    Params confirmArgs;
    const auto askedCode = confirmArgs.text("CDOPERADOR");
    const auto askedSecret = confirmArgs.text("senha");
    module.method(names::ConfirmaSenha, confirmArgs, ResultKind::Boolean,
                  [this, askedCode, askedSecret, origin](CallContext& c) {
                      return RemoteValue(confirmPassword(c[askedCode], c[askedSecret], c.operatorCode(),
                                                         origin(c, c.sessionToken())));
                  });
}

}  // namespace platform::server

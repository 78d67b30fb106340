#pragma once
// Logged-in sessions. A session is named by a random token of 256 bits handed
// to the client at login; the table keeps only a hash of each token, so
// neither a memory dump nor a lookup's timing gives tokens away. A session
// that sees no call for the idle timeout expires.
#include <QtCore/QByteArray>
#include <QtCore/QHash>
#include <QtCore/QString>
#include <chrono>
#include <functional>
#include <mutex>

namespace platform::server {

struct SessionInfo {
    QString operatorCode;
    QString operatorName;
};

struct SessionOptions {
    std::chrono::minutes idleTimeout{8 * 60};
    int maxSessions = 10'000;
};

class SessionManager {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    enum class Status { Valid, Missing, Unknown, Expired };

    explicit SessionManager(SessionOptions options = {}, Clock clock = {});

    // A new session's token (64 hexadecimal characters). Throws
    // host::UserError when the table is full.
    QString open(const SessionInfo& info);
    // Looks the token up and, when valid, restarts its idle time and fills info.
    Status touch(const QString& token, SessionInfo* info);
    bool close(const QString& token);
    int size() const;

    // The refusal a client sees for a status other than Valid.
    static QString refusal(Status status);

private:
    struct Entry {
        SessionInfo info;
        std::chrono::steady_clock::time_point lastUse;
    };
    static QByteArray key(const QString& token);
    bool expired(const Entry& e, std::chrono::steady_clock::time_point now) const;
    void purgeExpired(std::chrono::steady_clock::time_point now);

    SessionOptions m_options;
    Clock m_clock;
    mutable std::mutex m_mutex;
    QHash<QByteArray, Entry> m_sessions;
};

}  // namespace platform::server

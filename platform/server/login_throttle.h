#pragma once
// Limits password guessing. Failed attempts are counted per key (an operator
// code, a client address, a session): the first few of a streak are refused
// after the base delay, each further one waits twice as long as the one
// before, and too many lock the key for a while. While its delays grow, a key
// may not try again before its last refusal is answered, so guessing in
// parallel gains nothing.
//
// A pure policy over plain values, not thread-safe: the caller locks and gives
// the time, so tests drive it without waiting. The table is bounded: streaks
// that have gone quiet are forgotten, and when it is full the stalest key makes
// room, so a flood of distinct codes or addresses cannot grow it.
#include <QtCore/QHash>
#include <QtCore/QString>
#include <chrono>

namespace platform::server {

struct ThrottleLimits {
    int freeFailures = 3;                       // failures of a streak refused after the base delay alone
    std::chrono::milliseconds maxDelay{8000};   // the growing delay stops here
    int lockoutAfter = 10;                      // failures of a streak that lock the key
    std::chrono::seconds lockout{300};          // how long a locked key is refused unchecked
    std::chrono::seconds forgetAfter{900};      // a streak ends this long after its last failure (or lockout)
    int maxKeys = 10'000;
};

class ThrottleTable {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    ThrottleTable(ThrottleLimits limits, std::chrono::milliseconds baseDelay);

    // The time before which the key may not try: the end of its lockout, or
    // the answer to its last refusal once delays grow. Not after now: it may.
    TimePoint blockedUntil(const QString& key, TimePoint now) const;
    // Whether the key has failures in a streak still remembered.
    bool hasFailures(const QString& key, TimePoint now) const;
    // Records a failure at now; returns when its refusal may be answered.
    TimePoint fail(const QString& key, TimePoint now);
    // A success ends the key's streak.
    void clear(const QString& key);

    // The refusal delay of a streak's nth failure (1 for the first).
    std::chrono::milliseconds delayOf(int failure) const;
    int size() const { return int(m_entries.size()); }
    const ThrottleLimits& limits() const { return m_limits; }

private:
    struct Entry {
        int failures = 0;
        TimePoint lastFailure;
        TimePoint nextTry;      // answer time of the last refusal, when spacing applies
        TimePoint lockedUntil;
    };
    const Entry* live(const QString& key, TimePoint now) const;
    TimePoint forgottenAt(const Entry& e) const;
    void sweep(TimePoint now);
    void makeRoom(TimePoint now);

    ThrottleLimits m_limits;
    std::chrono::milliseconds m_baseDelay;
    QHash<QString, Entry> m_entries;
    TimePoint m_lastSweep{};
};

}  // namespace platform::server

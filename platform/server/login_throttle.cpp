#include "login_throttle.h"

#include <algorithm>

namespace platform::server {

ThrottleTable::ThrottleTable(ThrottleLimits limits, std::chrono::milliseconds baseDelay)
    : m_limits(limits), m_baseDelay(std::max(baseDelay, std::chrono::milliseconds(0))) {
    m_limits.freeFailures = std::max(0, m_limits.freeFailures);
    m_limits.lockoutAfter = std::max(1, m_limits.lockoutAfter);
    m_limits.maxKeys = std::max(1, m_limits.maxKeys);
}

std::chrono::milliseconds ThrottleTable::delayOf(int failure) const {
    const std::chrono::milliseconds ceiling = std::max(m_limits.maxDelay, m_baseDelay);
    std::chrono::milliseconds delay = m_baseDelay;
    for (int n = m_limits.freeFailures + 1; n <= failure && delay < ceiling; ++n)
        delay = std::max(delay * 2, std::chrono::milliseconds(1));
    return std::min(delay, ceiling);
}

ThrottleTable::TimePoint ThrottleTable::forgottenAt(const Entry& e) const {
    return std::max(e.lastFailure + m_limits.forgetAfter, e.lockedUntil + m_limits.forgetAfter);
}

const ThrottleTable::Entry* ThrottleTable::live(const QString& key, TimePoint now) const {
    const auto it = m_entries.constFind(key);
    if (it == m_entries.constEnd() || forgottenAt(*it) <= now) return nullptr;
    return &*it;
}

ThrottleTable::TimePoint ThrottleTable::blockedUntil(const QString& key, TimePoint now) const {
    const Entry* e = live(key, now);
    if (!e) return {};
    return std::max(e->lockedUntil, e->nextTry);
}

bool ThrottleTable::hasFailures(const QString& key, TimePoint now) const {
    const Entry* e = live(key, now);
    return e && e->failures > 0;
}

ThrottleTable::TimePoint ThrottleTable::fail(const QString& key, TimePoint now) {
    if (now - m_lastSweep >= m_limits.forgetAfter) sweep(now);
    auto it = m_entries.find(key);
    if (it != m_entries.end() && forgottenAt(*it) <= now) *it = Entry{};
    if (it == m_entries.end()) {
        if (m_entries.size() >= m_limits.maxKeys) makeRoom(now);
        it = m_entries.insert(key, Entry{});
    }
    Entry& e = *it;
    e.failures = std::min(e.failures + 1, m_limits.lockoutAfter);
    e.lastFailure = now;
    const TimePoint answer = now + delayOf(e.failures);
    // Spacing starts with the growing delays: a few typos in a row, or
    // colleagues behind one address, are not kept waiting on each other.
    e.nextTry = e.failures > m_limits.freeFailures ? answer : TimePoint{};
    if (e.failures >= m_limits.lockoutAfter) {
        e.lockedUntil = now + m_limits.lockout;
        // The first failure after the lockout locks again; a success or a
        // quiet spell ends the streak.
        e.failures = m_limits.lockoutAfter - 1;
    }
    return answer;
}

void ThrottleTable::clear(const QString& key) { m_entries.remove(key); }

void ThrottleTable::sweep(TimePoint now) {
    m_lastSweep = now;
    m_entries.removeIf([&](const auto& it) { return forgottenAt(it.value()) <= now; });
}

void ThrottleTable::makeRoom(TimePoint now) {
    sweep(now);
    if (m_entries.size() < m_limits.maxKeys) return;
    // Full of live streaks: the one closest to being forgotten goes.
    auto stalest = m_entries.begin();
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
        if (forgottenAt(*it) < forgottenAt(*stalest)) stalest = it;
    m_entries.erase(stalest);
}

}  // namespace platform::server

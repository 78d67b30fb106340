#pragma once
// A gate that test doubles hold their callers at: while it is closed each
// caller of pass() waits; the test waits until n callers are held, then opens it.
#include <condition_variable>
#include <mutex>

namespace platform::server::testing {

class Gate {
public:
    void pass() {
        std::unique_lock lock(m_mutex);
        ++m_held;
        m_changed.notify_all();
        m_changed.wait(lock, [&] { return m_open; });
        --m_held;
    }
    void setOpen(bool open) {
        std::lock_guard lock(m_mutex);
        m_open = open;
        m_changed.notify_all();
    }
    void waitUntilHeld(int n) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_held >= n; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = true;
    int m_held = 0;
};

}  // namespace platform::server::testing

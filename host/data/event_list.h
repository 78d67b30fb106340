#pragma once
// The reactions to one event, run in the order they were added: each unit of
// a screen adds its own reaction without taking another's place.
#include <deque>
#include <functional>
#include <utility>

namespace host {

template <typename... Args>
class EventList {
public:
    using Reaction = std::function<void(Args...)>;

    EventList() = default;
    EventList(EventList&&) noexcept = default;
    EventList& operator=(EventList&&) noexcept = default;
    EventList(const EventList&) = delete;
    EventList& operator=(const EventList&) = delete;

    void add(Reaction reaction) {
        if (reaction) m_reactions.push_back(std::move(reaction));
    }
    void clear() { m_reactions.clear(); }
    bool empty() const { return m_reactions.empty(); }
    int size() const { return int(m_reactions.size()); }
    explicit operator bool() const { return !empty(); }

    // Runs the reactions in order. One that throws stops the rest: that is how
    // a "before" reaction refuses the operation. A reaction added while they
    // run runs in the same round (a deque keeps the running one in place).
    void operator()(Args... args) const {
        for (std::size_t i = 0; i < m_reactions.size(); ++i) m_reactions[i](args...);
    }

private:
    std::deque<Reaction> m_reactions;
};

}  // namespace host

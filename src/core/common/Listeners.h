#pragma once
// Several parties listening to one event source. add() hands back a subscription: the
// listener stays until the subscription is dropped, so no owner has to clear a callback of
// someone else's by hand, and a source that goes first leaves its subscriptions harmless.
// A listener added or dropped while the event is told takes effect from the next event.
#include <functional>
#include <map>
#include <memory>
#include <utility>

namespace zel {

class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> drop) : m_drop(std::move(drop)) {}
    ~Subscription() { reset(); }
    Subscription(Subscription&& other) noexcept : m_drop(std::exchange(other.m_drop, {})) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            reset();
            m_drop = std::exchange(other.m_drop, {});
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

    bool isActive() const { return static_cast<bool>(m_drop); }
    void reset() {
        if (auto drop = std::exchange(m_drop, {}))
            drop();
    }

private:
    std::function<void()> m_drop;
};

template <typename... Args> class Listeners {
public:
    using Listener = std::function<void(Args...)>;

    [[nodiscard]] Subscription add(Listener listener) {
        const int id = m_nextId++;
        m_listeners->emplace(id, std::move(listener));
        std::weak_ptr<Map> listeners = m_listeners;
        return Subscription([listeners, id] {
            if (const auto alive = listeners.lock())
                alive->erase(id);
        });
    }

    // Tells every listener, in the order they were added.
    void notify(Args... args) const {
        const Map current = *m_listeners;
        for (const auto& [id, listener] : current)
            if (m_listeners->count(id) != 0) // not dropped by an earlier listener
                listener(args...);
    }

    bool isEmpty() const { return m_listeners->empty(); }

private:
    using Map = std::map<int, Listener>;
    std::shared_ptr<Map> m_listeners = std::make_shared<Map>();
    int m_nextId = 0;
};

} // namespace zel

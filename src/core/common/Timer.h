#pragma once
#include <functional>

namespace zel {

// The small timer the link engine and the screens need: a millisecond interval that can
// be started and stopped, and a callback on expiry. Repeats until stopped, like a form timer.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int interval() const = 0;
    void setCallback(std::function<void()> callback) { m_callback = std::move(callback); }

protected:
    void fire() {
        if (m_callback)
            m_callback();
    }

private:
    std::function<void()> m_callback;
};

} // namespace zel

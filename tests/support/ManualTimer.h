#pragma once
// Timer driven by the test: fireNow() runs the callback as an expiry would. Tests that play
// events in time set `now` (ms); a start then falls due at `dueAt`.
#include "common/Timer.h"

namespace zel::test {

class ManualTimer : public Timer {
public:
    void start(int intervalMs) override {
        m_interval = intervalMs;
        m_active = true;
        dueAt = now + intervalMs;
        ++starts;
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    int interval() const override { return m_interval; }
    // Expiry: only an active timer fires.
    bool fireNow() {
        if (!m_active)
            return false;
        fire();
        return true;
    }
    int starts = 0;
    int dueAt = 0;
    inline static int now = 0;

private:
    bool m_active = false;
    int m_interval = 0;
};

} // namespace zel::test

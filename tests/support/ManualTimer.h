#pragma once
// Timer driven by the test: fireNow() runs the callback as an expiry would.
#include "common/Timer.h"

namespace zel::test {

class ManualTimer : public Timer {
public:
    void start(int intervalMs) override {
        m_interval = intervalMs;
        m_active = true;
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

private:
    bool m_active = false;
    int m_interval = 0;
};

} // namespace zel::test

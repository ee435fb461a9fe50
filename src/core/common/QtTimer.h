#pragma once
#include "Timer.h"

#include <QTimer>

namespace zel {

// Timer on a QTimer of the UI thread's event loop.
class QtTimer : public Timer {
public:
    QtTimer();
    void start(int intervalMs) override;
    void stop() override;
    bool isActive() const override;
    int interval() const override;

private:
    QTimer m_timer;
};

} // namespace zel

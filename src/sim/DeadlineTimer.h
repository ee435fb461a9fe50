#pragma once
// Single-shot timer on an absolute deadline of the monotonic clock, nanosecond units.
// On Linux a timerfd watched by the event loop (sub-millisecond wake-ups); elsewhere a
// precise QTimer rounded up to the next millisecond.
#include <QObject>
#include <functional>

class QSocketNotifier;
class QTimer;

namespace zel::sim {

class DeadlineTimer : public QObject {
public:
    explicit DeadlineTimer(QObject* parent = nullptr);
    ~DeadlineTimer() override;

    static qint64 nowNs(); // the clock deadlines are measured on

    void startAt(qint64 deadlineNs);
    void stop();
    bool isActive() const { return m_active; }

    std::function<void()> onFired;

private:
    void fire();

    bool m_active = false;
    int m_timerFd = -1;
    QSocketNotifier* m_notifier = nullptr;
    QTimer* m_fallback = nullptr;
};

} // namespace zel::sim

#include "DeadlineTimer.h"

#include <QSocketNotifier>
#include <QTimer>
#include <chrono>

#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace zel::sim {

DeadlineTimer::DeadlineTimer(QObject* parent) : QObject(parent) {
#ifdef Q_OS_LINUX
    // steady_clock is CLOCK_MONOTONIC here, the clock the timerfd runs on.
    m_timerFd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_timerFd >= 0) {
        m_notifier = new QSocketNotifier(m_timerFd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] {
            quint64 expirations = 0;
            [[maybe_unused]] const auto got = ::read(m_timerFd, &expirations, sizeof expirations);
            fire();
        });
        return;
    }
#endif
    m_fallback = new QTimer(this);
    m_fallback->setSingleShot(true);
    m_fallback->setTimerType(Qt::PreciseTimer);
    connect(m_fallback, &QTimer::timeout, this, [this] { fire(); });
}

DeadlineTimer::~DeadlineTimer() {
#ifdef Q_OS_LINUX
    if (m_timerFd >= 0) {
        delete m_notifier;
        ::close(m_timerFd);
    }
#endif
}

qint64 DeadlineTimer::nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void DeadlineTimer::startAt(qint64 deadlineNs) {
    m_active = true;
#ifdef Q_OS_LINUX
    if (m_timerFd >= 0) {
        // A deadline of zero would disarm the timer; anything in the past fires at once.
        const qint64 at = deadlineNs > 0 ? deadlineNs : 1;
        itimerspec deadline{};
        deadline.it_value.tv_sec = at / 1000000000;
        deadline.it_value.tv_nsec = at % 1000000000;
        ::timerfd_settime(m_timerFd, TFD_TIMER_ABSTIME, &deadline, nullptr);
        return;
    }
#endif
    const qint64 waitNs = deadlineNs - nowNs();
    m_fallback->start(int(waitNs <= 0 ? 0 : (waitNs + 999999) / 1000000));
}

void DeadlineTimer::stop() {
    m_active = false;
#ifdef Q_OS_LINUX
    if (m_timerFd >= 0) {
        const itimerspec disarm{};
        ::timerfd_settime(m_timerFd, TFD_TIMER_ABSTIME, &disarm, nullptr);
        return;
    }
#endif
    m_fallback->stop();
}

void DeadlineTimer::fire() {
    if (!m_active)
        return;
    m_active = false;
    if (onFired)
        onFired();
}

} // namespace zel::sim

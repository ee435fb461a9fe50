#include "QtTimer.h"

namespace zel {

QtTimer::QtTimer() {
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { fire(); });
}

void QtTimer::start(int intervalMs) {
    m_timer.start(intervalMs);
}
void QtTimer::stop() {
    m_timer.stop();
}
bool QtTimer::isActive() const {
    return m_timer.isActive();
}
int QtTimer::interval() const {
    return m_timer.interval();
}

} // namespace zel

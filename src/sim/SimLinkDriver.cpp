#include "SimLinkDriver.h"

#include "SimDevice.h"

namespace zel::sim {

SimLinkDriver::SimLinkDriver(SimDevice& device, QObject* parent)
    : QObject(parent), m_device(device), m_timer(this), m_startNs(DeadlineTimer::nowNs()) {
    m_timer.onFired = [this] { runDue(); };
}

void SimLinkDriver::bytesArrived(const QByteArray& bytes) {
    m_pacer.received(bytes, DeadlineTimer::nowNs());
    runDue();
}

void SimLinkDriver::reset() {
    m_timer.stop();
    m_pacer.clear();
}

void SimLinkDriver::runDue() {
    // Input first: its answer may already be due (unpaced, no gap).
    const qint64 nowNs = DeadlineTimer::nowNs();
    const QByteArray input = m_pacer.takeDueInput(nowNs);
    if (!input.isEmpty()) {
        const qint64 answerFromNs = m_pacer.bitRate() > 0 ? m_pacer.inputDeliveredNs() : nowNs;
        m_pacer.send(m_device.receive(input, deviceTimeMs(nowNs)), answerFromNs);
    }
    const QByteArray output = m_pacer.takeDueOutput(nowNs);
    if (!output.isEmpty() && writeBytes)
        writeBytes(output);
    armTimer();
}

void SimLinkDriver::armTimer() {
    const std::optional<qint64> next = m_pacer.nextDeadline();
    if (next)
        m_timer.startAt(*next);
    else
        m_timer.stop();
}

} // namespace zel::sim

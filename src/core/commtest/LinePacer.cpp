#include "LinePacer.h"

#include "common/Timer.h"
#include "link/BytePort.h"

namespace zel {

LinePacer::LinePacer(BytePort& port, Timer& timer) : m_port(port), m_timer(timer) {
    m_port.onBytesWritten = [this](qint64 bytes) { onWritten(bytes); };
    m_timer.setCallback([this] { onTimer(); });
}

LinePacer::~LinePacer() {
    m_timer.stop();
    m_timer.setCallback({});
    m_port.onBytesWritten = {};
}

int LinePacer::lineTimeMs(qint64 bytes, int bitRate) {
    if (bitRate <= 0)
        return 0;
    const qint64 bits = bytes * kBitsPerByte * 1000;
    return static_cast<int>((bits + bitRate - 1) / bitRate); // rounded up: never early
}

void LinePacer::beginFrame() {
    m_timer.stop();
    m_outstanding = 0;
    m_counting = true;
    m_busy = false;
}

void LinePacer::frameSent(qint64 bytes, int bitRate) {
    m_outstanding += bytes; // writes reported from inside write() are already taken off
    m_busy = true;
    m_lineTimeOver = false;
    m_timer.start(lineTimeMs(bytes, bitRate));
}

void LinePacer::cancel() {
    m_timer.stop();
    m_counting = false;
    m_busy = false;
}

void LinePacer::onWritten(qint64 bytes) {
    if (!m_counting)
        return; // another screen's frame
    m_outstanding -= bytes;
    if (m_busy)
        finishIfFree();
}

void LinePacer::onTimer() {
    m_timer.stop();
    if (!m_busy)
        return;
    if (!m_lineTimeOver) {
        m_lineTimeOver = true;
        if (m_outstanding > 0)
            m_timer.start(kDrainLimitMs); // wait for the port, but not for ever
        finishIfFree();
        return;
    }
    cancel(); // drain limit passed with bytes still in the port
    if (onStuck)
        onStuck();
}

void LinePacer::finishIfFree() {
    if (!m_lineTimeOver || m_outstanding > 0)
        return;
    m_timer.stop();
    m_counting = false;
    m_busy = false;
    if (onFree)
        onFree();
}

} // namespace zel

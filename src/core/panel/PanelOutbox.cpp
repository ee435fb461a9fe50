#include "PanelOutbox.h"

#include "PanelCommandData.h"
#include "link/LinkEngine.h"

#include <array>

namespace zel {

namespace {

// The four two-bit fields of the movement bit byte: focus, zoom, pan, tilt.
constexpr std::array<int, 4> kFieldMasks{0xC0, 0x30, 0x0C, 0x03};

} // namespace

PanelOutbox::PanelOutbox(LinkEngine& engine, LinkClient& panel)
    : m_engine(engine), m_panel(panel) {}

int PanelOutbox::moveBits(const QString& data) {
    constexpr qsizetype kBitByteEnd = 4;
    if (data.size() < kBitByteEnd || !data.startsWith(panel::CodeText(panel::CodeMove)))
        return -1;
    bool ok = false;
    const int bits = data.mid(2, 2).toInt(&ok, 16);
    return ok ? bits : -1;
}

// A field the camera was told to move in is now stopped or changed.
bool PanelOutbox::stopsMovement(int bits) const {
    if (bits < 0)
        return false;
    for (const int mask : kFieldMasks)
        if ((m_wireBits & mask) != 0 && (m_wireBits & mask) != (bits & mask))
            return true;
    return false;
}

bool PanelOutbox::submit(const Frame& frame) {
    const int bits = moveBits(frame.data);
    const Queued queued{frame, stopsMovement(bits)};
    m_engine.flushHeldFrame(); // a held stop goes first
    const int screenCode = m_engine.state().ScreenCode;
    bool handedOn = true;
    if (screenCode != ScreenIdle && screenCode != ScreenPanel) {
        handedOn = refuse(queued);
    } else if (queued.stops && !m_engine.isPortOpen()) {
        refuse(queued); // the engine sends it once the port is back
    } else if (screenCode == ScreenPanel || !m_queue.empty()) {
        if (int(m_queue.size()) >= kMaxQueued && !queued.stops)
            return false;
        m_queue.push_back(queued);
        if (screenCode == ScreenIdle)
            sendNext();
    } else {
        transmit(frame);
    }
    if (handedOn && bits >= 0)
        m_wireBits = bits;
    return handedOn;
}

bool PanelOutbox::refuse(const Queued& queued) {
    if (!queued.stops)
        return false;
    m_engine.holdUntilFree(queued.frame.record, queued.frame.data, &m_panel);
    return true;
}

void PanelOutbox::sendNext() {
    while (!m_queue.empty()) {
        const int screenCode = m_engine.state().ScreenCode;
        if (screenCode == ScreenPanel)
            return; // the frame just sent awaits its answer
        const Queued next = m_queue.front();
        m_queue.pop_front();
        if (screenCode != ScreenIdle || !m_engine.isPortOpen())
            refuse(next); // the engine keeps a stop until the link and the port are back
        else
            transmit(next.frame);
    }
}

void PanelOutbox::abandon() {
    for (auto it = m_queue.rbegin(); it != m_queue.rend(); ++it) {
        if (it->stops) {
            m_engine.holdUntilFree(it->frame.record, it->frame.data, nullptr);
            break;
        }
    }
    m_queue.clear();
    m_engine.forgetClient(&m_panel);
}

bool PanelOutbox::transmit(const Frame& frame) {
    m_engine.claim(&m_panel, frame.expectedReplyKind);
    if (m_engine.SendCommandFrame(frame.record, frame.data) != LinkEngine::kSendOk)
        return false;
    if (onSent)
        onSent(frame);
    return true;
}

} // namespace zel

#include "PanelEventGate.h"

#include "common/Timer.h"

namespace zel {

PanelEventGate::PanelEventGate(Timer& pauseTimer) : m_pauseTimer(pauseTimer) {
    m_pauseTimer.setCallback([this] { onPauseEnd(); });
}

PanelEventGate::~PanelEventGate() {
    m_pauseTimer.stop();
    m_pauseTimer.setCallback({});
}

void PanelEventGate::post(Event event) {
    m_queue.push_back(std::move(event));
    if (!m_running)
        drain();
}

void PanelEventGate::pause(int ms, Event resume) {
    m_resume = std::move(resume);
    m_pauseTimer.start(ms);
}

bool PanelEventGate::isPaused() const {
    return m_pauseTimer.isActive();
}

bool PanelEventGate::isIdle() const {
    return !isPaused() && m_queue.empty() && !m_running;
}

void PanelEventGate::clear() {
    m_pauseTimer.stop();
    m_queue.clear();
    m_resume = {};
}

void PanelEventGate::onPauseEnd() {
    m_pauseTimer.stop();
    if (m_running) {
        // Ended inside a running event (a message box's own event loop): the rest runs
        // when that event returns to the drain loop.
        if (m_resume)
            m_queue.push_front(std::move(m_resume));
        m_resume = {};
        return;
    }
    if (m_resume) {
        Event resume = std::move(m_resume);
        m_resume = {};
        m_running = true;
        resume();
        m_running = false;
    }
    drain();
}

void PanelEventGate::drain() {
    m_running = true;
    while (!m_queue.empty() && !isPaused()) {
        Event event = std::move(m_queue.front());
        m_queue.pop_front();
        event();
    }
    m_running = false;
}

} // namespace zel

#pragma once
// Runs the panel's events one at a time, in the order they came, and holds them back while
// the panel pauses. A documented blocking pause (100 ms after each key, 10 ms before a key-up
// is read) becomes a pause timer: events that arrive meanwhile (key and mouse events, timer
// ticks, replies) wait in the queue and run when it ends, as they would after the sleep.
#include <deque>
#include <functional>

namespace zel {

class Timer;

class PanelEventGate {
public:
    using Event = std::function<void()>;

    explicit PanelEventGate(Timer& pauseTimer);
    ~PanelEventGate();
    PanelEventGate(const PanelEventGate&) = delete;
    PanelEventGate& operator=(const PanelEventGate&) = delete;

    // Runs `event` now, or queues it behind a pause or the event that is running.
    void post(Event event);
    // Called from a running event: nothing else runs for `ms`; then `resume` (the rest of
    // the interrupted handler) runs first, before the queued events.
    void pause(int ms, Event resume = {});

    bool isPaused() const;
    // No pause and nothing queued.
    bool isIdle() const;
    // Drops the pause and every queued event (the panel closes).
    void clear();

private:
    void onPauseEnd();
    void drain();

    Timer& m_pauseTimer;
    std::deque<Event> m_queue;
    Event m_resume;
    bool m_running = false;
};

} // namespace zel

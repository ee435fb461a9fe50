#pragma once
// Keeps the shared port's state for the menu's status line and brings the port back by
// itself when its device returns (a USB adapter plugged in again, a simulator restarted).
// Nothing is polled while the port is open: only while it is down does the watch listen for
// changes in the device's folder and try again on a slow timer.
#include "LinkEngine.h"

#include <QFileSystemWatcher>
#include <QString>
#include <functional>

namespace zel {

class Timer;

class PortWatch {
public:
    enum class State { Closed, Open, Lost, OpenFailed };

    static constexpr int kRetryMs = 3000;
    // A network port is tried again after 1 s, then twice as long each time, up to 30 s: a
    // server that stays away costs a connection attempt now and then, not a busy loop.
    static constexpr int kNetworkRetryFirstMs = 1000;
    static constexpr int kNetworkRetryMaxMs = 30000;

    // Watches the engine's port events; `retryTimer` is the slow timer used while down.
    PortWatch(LinkEngine& engine, Timer& retryTimer);
    ~PortWatch();
    PortWatch(const PortWatch&) = delete;
    PortWatch& operator=(const PortWatch&) = delete;

    State state() const { return m_state; }
    QString device() const { return m_engine.portDevice(); }
    // Why the port is down (device and cause), empty while it is open or closed on purpose.
    QString reason() const { return m_reason; }
    bool isWaiting() const { return m_waiting; }
    // The wait before the next attempt while down.
    int retryIntervalMs() const { return m_retryMs; }

    // "Port /dev/ttyUSB0: open", "...: lost, waiting for it to return", in the language
    // `languageIndex` (0 English, 1 Japanese).
    QString statusText(int languageIndex) const;

    // Called after every change of state().
    std::function<void()> onChanged;

    // Tries to reopen now (also what the folder watch and the retry timer call).
    void retryNow();

private:
    void onPortEvent(LinkEngine::PortEvent event);
    void startWaiting();
    void stopWaiting();
    void setState(State state, const QString& reason);
    bool isNetworkPort() const;

    LinkEngine& m_engine;
    Subscription m_portEvents;
    Timer& m_retryTimer;
    QFileSystemWatcher m_watcher;
    State m_state = State::Closed;
    QString m_reason;
    bool m_waiting = false;
    bool m_reopening = false;
    int m_retryMs = kRetryMs;
};

} // namespace zel

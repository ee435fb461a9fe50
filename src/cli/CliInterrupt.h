#pragma once
// SIGINT and SIGTERM turned into an event of the event loop while an object of this class
// lives, so a transfer can end in order (files closed, what was kept reported) instead of the
// process dying between two blocks. The previous handlers come back when it is destroyed.
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace zel::cli {

class CliInterrupt {
public:
    CliInterrupt();
    ~CliInterrupt();
    CliInterrupt(const CliInterrupt&) = delete;
    CliInterrupt& operator=(const CliInterrupt&) = delete;

    // Called on the event loop with the signal number; a second signal of the same run
    // ends the process at once (the user insists).
    std::function<void(int signalNumber)> onSignal;

private:
    void readSignal();

    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace zel::cli

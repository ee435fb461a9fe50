#include "ProcessSignal.h"

#include <csignal>

namespace zel::test {

bool SignalIfRunning(QProcess& process, int signalNumber) {
    const qint64 pid = process.processId();
    if (process.state() != QProcess::Running || pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), signalNumber) == 0;
}

} // namespace zel::test

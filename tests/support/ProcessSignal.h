#pragma once
// Signals a child process only while it runs: a process that has already ended has pid 0,
// and kill(0, …) would reach the whole process group (the test runner included).
#include <QProcess>

namespace zel::test {

// Sends `signalNumber` to `process` when it is running; false when it was not (nothing sent).
bool SignalIfRunning(QProcess& process, int signalNumber);

} // namespace zel::test

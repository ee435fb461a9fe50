#include "CliInterrupt.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace zel::cli {

namespace {

int g_pipe[2] = {-1, -1};
volatile std::sig_atomic_t g_received = 0;
struct sigaction g_previous[2];
constexpr int kSignals[2] = {SIGINT, SIGTERM};

// Only async-signal-safe calls here: remember the signal and wake the event loop.
void onSignalArrived(int signalNumber) {
    if (g_received != 0) {
        ::signal(signalNumber, SIG_DFL);
        ::raise(signalNumber);
        return;
    }
    g_received = signalNumber;
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const auto written = ::write(g_pipe[1], &byte, 1);
}

} // namespace

CliInterrupt::CliInterrupt() {
    if (::pipe(g_pipe) != 0)
        return;
    for (const int fd : g_pipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, O_NONBLOCK);
    }
    g_received = 0;
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { readSignal(); });
    struct sigaction action = {};
    action.sa_handler = onSignalArrived;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 2; ++i)
        ::sigaction(kSignals[i], &action, &g_previous[i]);
}

CliInterrupt::~CliInterrupt() {
    if (!m_notifier)
        return;
    for (int i = 0; i < 2; ++i)
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
    m_notifier.reset();
    for (int& fd : g_pipe) {
        ::close(fd);
        fd = -1;
    }
}

void CliInterrupt::readSignal() {
    char byte = 0;
    while (::read(g_pipe[0], &byte, 1) == 1) {
    }
    if (onSignal)
        onSignal(static_cast<int>(g_received));
}

} // namespace zel::cli

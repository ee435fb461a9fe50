// How closely the simulator's pseudo-terminal host keeps wire time: per-byte lateness of
// paced answers at 9600 bit/s in both directions at once, and the gaps between the pieces of
// a fragmented reply. The suite only checks that nothing comes early; the precision is here.
#include "SimConfig.h"
#include "SimulatedController.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace zel;

namespace {

constexpr int kRate = 9600;
constexpr double kByteMs = 11 * 1000.0 / kRate;
constexpr int kRounds = 20;

QByteArray commandFrame(int request, const QByteArray& data) {
    QByteArray frame;
    frame.append(char(0xFE)).append(char(data.size() + 7));
    frame.append(char(0x00)).append(char(0x10 | request)).append(char(0x01));
    frame.append(data);
    unsigned char sum = 0;
    for (const char b : frame)
        sum ^= static_cast<unsigned char>(b);
    return frame.append(char(sum ^ 0xFF)).append("\xFF\xFF", 2);
}

int openRawSlave(const QString& path) {
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios raw{};
    if (fd >= 0 && ::tcgetattr(fd, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(fd, TCSANOW, &raw);
    }
    return fd;
}

// Writes `request`, then reads `count` bytes on a thread while the event loop runs the host;
// per byte the milliseconds since just before the write.
std::vector<double> exchange(int fd, const QByteArray& request, qsizetype count) {
    std::vector<double> arrivals;
    std::atomic<bool> done = false;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    QElapsedTimer clock;
    clock.start();
    if (::write(fd, request.constData(), size_t(request.size())) != request.size())
        return arrivals;
    std::thread reader([&] {
        while (qsizetype(arrivals.size()) < count && clock.elapsed() < 5000) {
            pollfd watch{fd, POLLIN, 0};
            if (::poll(&watch, 1, 10) <= 0)
                continue;
            char chunk[512];
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n <= 0)
                break;
            arrivals.insert(arrivals.end(), size_t(n), clock.nsecsElapsed() / 1e6);
        }
        done = true;
        dispatcher->wakeUp();
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    reader.join();
    return arrivals;
}

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0
                          : values[std::min(values.size() - 1, size_t(fraction * values.size()))];
}

// Three block writes and three block reads at once: ACKs after 43, 86, 129 byte times, the
// read answers from 140 on, 269 byte times in all.
int pacedFigures() {
    sim::SimConfig config;
    config.bitRate = kRate;
    sim::SimulatedController simulator(config);
    if (!simulator.start(nullptr))
        return 1;
    const int fd = openRawSlave(simulator.slavePath());
    QByteArray requests;
    for (char block = 1; block <= 3; ++block)
        requests += commandFrame(0, QByteArray::fromHex("C100") + block + QByteArray(32, block));
    for (char block = 1; block <= 3; ++block)
        requests += commandFrame(1, QByteArray::fromHex("C100") + block);
    std::vector<double> lateness;
    std::vector<double> totals;
    for (int round = 0; round < kRounds; ++round) {
        const std::vector<double> arrivals = exchange(fd, requests, 3 + 3 * 43);
        if (arrivals.size() != 3 + 3 * 43)
            return 1;
        // The host's schedule starts when it first sees the bytes: measure from the
        // earliest-kept deadline.
        std::vector<double> late;
        for (size_t i = 0; i < arrivals.size(); ++i)
            late.push_back(arrivals[i] - (i < 3 ? 43 * (i + 1) + 1 : 140 + (i - 3) + 1) * kByteMs);
        const double start = *std::min_element(late.begin(), late.end());
        for (const double value : late)
            lateness.push_back(value - start);
        totals.push_back(arrivals.back() - start);
    }
    ::close(fd);
    const double wire = 269 * kByteMs;
    std::printf("paced 9600 bit/s: byte lateness p50 %.3f, p90 %.3f, max %.3f ms "
                "(target p50 < 5 ms)\n",
                percentile(lateness, 0.5), percentile(lateness, 0.9), percentile(lateness, 1));
    std::printf("paced 9600 bit/s: last byte p50 %.3f ms, max %.3f ms, wire time %.3f ms "
                "(target within 8%%: %+.2f%%)\n",
                percentile(totals, 0.5), percentile(totals, 1), wire,
                (percentile(totals, 0.5) - wire) * 100 / wire);
    return 0;
}

// A reply in pieces of 20, 20 and 3 bytes, 40 ms apart.
int fragmentFigures() {
    sim::SimConfig config;
    config.faults.addFragment(QStringLiteral("20:40@C1"), nullptr);
    sim::SimulatedController simulator(config);
    if (!simulator.start(nullptr))
        return 1;
    const int fd = openRawSlave(simulator.slavePath());
    std::vector<double> gaps;
    std::vector<double> bursts;
    for (int round = 0; round < kRounds; ++round) {
        const std::vector<double> arrivals =
            exchange(fd, commandFrame(1, QByteArray::fromHex("C10001")), 43);
        if (arrivals.size() != 43)
            return 1;
        gaps.push_back(arrivals[20] - arrivals[19]);
        gaps.push_back(arrivals[40] - arrivals[39]);
        bursts.push_back(arrivals[19] - arrivals[0]);
    }
    ::close(fd);
    std::printf("fragments: gap p50 %.3f ms, min %.3f, max %.3f (target 40 ms); piece spread "
                "p50 %.3f ms, max %.3f\n",
                percentile(gaps, 0.5), percentile(gaps, 0), percentile(gaps, 1),
                percentile(bursts, 0.5), percentile(bursts, 1));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (pacedFigures() != 0 || fragmentFigures() != 0) {
        std::fprintf(stderr, "pacing run failed\n");
        return 1;
    }
    return 0;
}

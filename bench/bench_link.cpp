// Link benchmark: C1 read transactions (11 bytes out, 43 back) through the link engine and a
// real QSerialPort on a pseudo-terminal against the simulated controller. Prints figures.
#include "CameraControllerSim.h"
#include "SimConfig.h"
#include "SimulatedController.h"
#include "common/MessageSink.h"
#include "common/QtTimer.h"
#include "link/LinkClient.h"
#include "link/LinkEngine.h"
#include "link/SerialBytePort.h"
#include "shell/Settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

using namespace zel;

namespace {

constexpr int kBytesOut = 11;
constexpr int kBytesBack = 43;
constexpr int kBitsPerByte = 11; // start, 8 data, even parity, stop

class PrintingSink : public MessageSink {
public:
    int ShowMessage(int number, const QString& extra) override {
        std::fprintf(stderr, "message %d %s\n", number, qPrintable(extra));
        ++count;
        return ButtonOk;
    }
    int count = 0;
};

// BytePort in front of the serial port that times the engine's receive handling.
class TimedPort : public BytePort {
public:
    TimedPort() {
        m_port.onReceived = [this](const QByteArray& bytes) {
            QElapsedTimer inEngine;
            inEngine.start();
            ++batches;
            if (onReceived)
                onReceived(bytes);
            receiveNs += inEngine.nsecsElapsed();
        };
        m_port.onLost = [this](const QString& why) {
            if (onLost)
                onLost(why);
        };
    }
    bool open(const PortLineSettings& settings, QString* why) override {
        return m_port.open(settings, why);
    }
    void close() override { m_port.close(); }
    bool isOpen() const override { return m_port.isOpen(); }
    bool write(const QByteArray& bytes) override { return m_port.write(bytes); }
    void discardInput() override { m_port.discardInput(); }
    qint64 receiveNs = 0;
    qint64 batches = 0; // received byte batches (readyRead)

private:
    SerialBytePort m_port;
};

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long maxRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double percentile(std::vector<qint64> values, double fraction) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = std::min(values.size() - 1, size_t(fraction * double(values.size())));
    return double(values[index]);
}

double median(const std::vector<qint64>& values) {
    return percentile(values, 0.5);
}

void printSpread(const char* label, const std::vector<qint64>& values, double unit,
                 const char* unitName) {
    std::printf("%s: round trip p50 %.3f, p90 %.3f, p99 %.3f, max %.3f %s\n", label,
                percentile(values, 0.5) / unit, percentile(values, 0.9) / unit,
                percentile(values, 0.99) / unit, percentile(values, 1.0) / unit, unitName);
}

// Runs `count` C1 reads back to back: each reply callback sends the next frame.
class Runner : public LinkClient {
public:
    Runner(const QString& device, PrintingSink& sink) : m_sink(sink) {
        m_settings.PortOverride = device;
        m_settings.TimeOutWait = QStringLiteral("2000");
        m_engine.ResetLinkState();
        m_engine.SetCommPortSettings();
        m_ok = m_engine.OpenCommPort();
    }
    bool ok() const { return m_ok; }
    LinkEngine& engine() { return m_engine; }

    // Total wall time in ns; per-transaction round trips in `roundTrips`.
    qint64 run(int count, std::vector<qint64>* roundTrips) {
        m_remaining = count;
        m_roundTrips = roundTrips;
        m_failed = false;
        QElapsedTimer total;
        total.start();
        sendNext();
        if (m_remaining > 0 && !m_failed)
            m_loop.exec();
        return total.nsecsElapsed();
    }
    bool failed() const { return m_failed; }
    qint64 sendNs = 0;
    TimedPort& port() { return m_port; }

    void replyComplete() override {
        if (m_roundTrips)
            m_roundTrips->push_back(m_clock.nsecsElapsed());
        if (m_engine.state().ReceiveBuffer.size() != kBytesBack * 2 ||
            !m_engine.CheckReplyChecksum()) {
            stop(true);
            return;
        }
        if (--m_remaining <= 0)
            stop(false);
        else
            sendNext();
    }
    void replyTimedOut() override { stop(true); }

private:
    void stop(bool failed) {
        m_failed = failed;
        m_remaining = 0;
        m_loop.quit();
    }
    void sendNext() {
        const int block = 1 + (m_remaining % 1000);
        const QString data = QStringLiteral("C1%1").arg(block, 4, 16, QLatin1Char('0')).toUpper();
        m_engine.claim(this);
        m_clock.start();
        QElapsedTimer inEngine;
        inEngine.start();
        const CommSendRecord record{QStringLiteral("1"), QStringLiteral("1"),
                                    QStringLiteral("True"), QStringLiteral("0"),
                                    QStringLiteral("2")};
        const int result = m_engine.SendCommandFrame(record, data);
        sendNs += inEngine.nsecsElapsed();
        if (result != 0)
            stop(true);
    }

    PrintingSink& m_sink;
    Settings m_settings;
    TimedPort m_port;
    QtTimer m_timerMenu;
    QtTimer m_timerReTry;
    LinkEngine m_engine{m_port, m_timerMenu, m_timerReTry, m_settings, m_sink};
    QEventLoop m_loop;
    QElapsedTimer m_clock;
    int m_remaining = 0;
    std::vector<qint64>* m_roundTrips = nullptr;
    bool m_failed = false;
    bool m_ok = false;
};

// Median time the simulator itself takes to answer one C1 read (no pty, no event loop).
double simulatorMedianNs() {
    sim::CameraControllerSim device;
    const QByteArray frame = QByteArray::fromHex("FE0A001101C10001");
    QByteArray full = frame;
    unsigned char sum = 0;
    for (char c : full)
        sum ^= static_cast<unsigned char>(c);
    full.append(char(sum ^ 0xFF)).append("\xFF\xFF", 2);
    std::vector<qint64> times;
    for (int i = 0; i < 2000; ++i) {
        QElapsedTimer clock;
        clock.start();
        const auto out = device.receive(full, i);
        times.push_back(clock.nsecsElapsed());
        if (out.isEmpty())
            return -1;
    }
    return median(times);
}

bool startSimulator(sim::SimulatedController& simulator) {
    QString error;
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return false;
    }
    return true;
}

void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int unpacedFigures(PrintingSink& sink) {
    sim::SimulatedController simulator;
    if (!startSimulator(simulator))
        return 1;
    Runner runner(simulator.slavePath(), sink);
    if (!runner.ok())
        return 1;
    runner.run(50, nullptr); // warm-up
    runner.sendNs = 0;
    runner.port().receiveNs = 0;
    std::vector<qint64> roundTrips;
    const qint64 totalNs = runner.run(1000, &roundTrips);
    if (runner.failed())
        return 1;
    const double simNs = simulatorMedianNs();
    const double roundTripNs = median(roundTrips);
    std::printf("unpaced: 1000 transactions in %.1f ms (%.1f us each)\n", totalNs / 1e6,
                totalNs / 1e3 / 1000);
    std::printf("unpaced: median round trip %.1f us, simulator's own work %.1f us\n",
                roundTripNs / 1e3, simNs / 1e3);
    std::printf("unpaced: median software overhead per transaction %.1f us "
                "(engine in-call %.1f us: send %.1f us + receive %.1f us)\n",
                (roundTripNs - simNs) / 1e3, (runner.sendNs + runner.port().receiveNs) / 1e3 / 1000,
                runner.sendNs / 1e3 / 1000, runner.port().receiveNs / 1e3 / 1000);
    printSpread("unpaced", roundTrips, 1e3, "us");

    const double cpuBefore = cpuSeconds();
    runEventsFor(2000);
    std::printf("idle: %.3f s CPU over 2 s with the port open\n", cpuSeconds() - cpuBefore);

    const long rssBefore = maxRssKb();
    const qint64 longNs = runner.run(100000, nullptr);
    if (runner.failed())
        return 1;
    std::printf("memory: max RSS %ld kB before, %ld kB after 100000 transactions (%+ld kB; "
                "%.1f s)\n",
                rssBefore, maxRssKb(), maxRssKb() - rssBefore, longNs / 1e9);
    return 0;
}

int pacedFigures(PrintingSink& sink) {
    sim::SimConfig config;
    config.bitRate = 38400;
    sim::SimulatedController simulator(config);
    if (!startSimulator(simulator))
        return 1;
    Runner runner(simulator.slavePath(), sink);
    if (!runner.ok())
        return 1;
    runner.run(20, nullptr);
    runner.port().batches = 0;
    std::vector<qint64> roundTrips;
    const qint64 totalNs = runner.run(1000, &roundTrips);
    if (runner.failed())
        return 1;
    const double wireNs = 1000.0 * (kBytesOut + kBytesBack) * kBitsPerByte / 38400 * 1e9;
    std::printf("paced 38400 bit/s: 1000 transactions in %.3f s, wire time %.3f s, ratio %.4fx "
                "(target <= 1.02x)\n",
                totalNs / 1e9, wireNs / 1e9, totalNs / wireNs);
    std::printf("paced 38400 bit/s: median round trip %.3f ms (wire %.3f ms)\n",
                median(roundTrips) / 1e6, wireNs / 1e6 / 1000);
    printSpread("paced 38400 bit/s", roundTrips, 1e6, "ms");
    std::printf("paced 38400 bit/s: %.1f received batches per reply\n",
                double(runner.port().batches) / 1000);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PrintingSink sink;
    const bool pacedOnly = app.arguments().contains(QStringLiteral("--paced-only"));
    if (!pacedOnly && unpacedFigures(sink) != 0) {
        std::fprintf(stderr, "unpaced run failed\n");
        return 1;
    }
    if (pacedFigures(sink) != 0) {
        std::fprintf(stderr, "paced run failed\n");
        return 1;
    }
    return sink.count == 0 ? 0 : 1;
}

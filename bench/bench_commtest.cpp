// The communication test's camera-0 run (no reply awaited) on a real serial port over a
// pseudo-terminal against the simulator paced at 9600 bit/s: how much of the line it uses and
// how free the event loop stays meanwhile (ticks of a 10 ms timer). The suite checks only
// that the run never outpaces the line and stops at once; these figures are the speed claims.
#include "BenchSupport.h"
#include "PtyHost.h"
#include "SimConfig.h"
#include "SimulatedController.h"
#include "common/QtTimer.h"
#include "commtest/CommTest.h"
#include "link/LinkEngine.h"
#include "link/SerialBytePort.h"
#include "shell/Settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>

using namespace zel;

namespace {

constexpr int kBitRate = 9600;
constexpr int kBitsPerByte = 11; // start, 8 data, even parity, stop
constexpr int kRunMs = 3000;

void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int run() {
    sim::SimConfig config;
    config.bitRate = kBitRate;
    sim::SimulatedController simulator(config);
    QString error;
    if (!simulator.start(&error))
        return 1;
    Settings settings;
    settings.PortOverride = simulator.slavePath();
    settings.Rate = QStringLiteral("1"); // 9600
    settings.recomputeCurrentWriteWait();
    bench::CountingSink sink;
    SerialBytePort port;
    QtTimer timerMenu, timerReTry, timerCommTest, timerPace;
    LinkEngine engine(port, timerMenu, timerReTry, settings, sink);
    engine.ResetLinkState();
    engine.SetCommPortSettings();
    if (!engine.OpenCommPort())
        return 1;
    CommTest test(engine, timerCommTest, timerPace, sink);
    test.screen().camNo = QStringLiteral("0");
    for (int row = 1; row <= 16; ++row)
        test.screen().setRowText(row, QStringLiteral("2000")); // 10-byte frames

    int ticks = 0;
    QTimer other;
    QObject::connect(&other, &QTimer::timeout, &other, [&ticks] { ++ticks; });
    other.start(10);
    QElapsedTimer clock;
    clock.start();
    if (!test.CommandStart())
        return 1;
    runEventsFor(kRunMs);
    const qint64 sent = simulator.host().bytesReceived();
    const double seconds = double(clock.elapsed()) / 1000;
    test.CommandStop();
    const double lineBytes = double(kBitRate) / kBitsPerByte * seconds;
    std::printf("commtest camera 0 at 9600 bit/s: %.0f bytes/s, %.0f%% of the line "
                "(target >= 30%%)\n",
                double(sent) / seconds, double(sent) * 100 / lineBytes);
    std::printf("commtest camera 0: %.1f ticks/s of a 10 ms timer during the run "
                "(target >= 30)\n",
                ticks / seconds);
    return sink.shown == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (run() != 0) {
        std::fprintf(stderr, "commtest run failed\n");
        return 1;
    }
    return 0;
}

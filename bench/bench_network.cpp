// Settings backup download through a serial device server: ser2net on loopback (RFC 2217 and
// raw TCP), its serial side the simulator's pseudo-terminal paced at 38400 bit/s 8E1, against
// the wire time and the same download on the local pseudo-terminal. The extra time per
// transaction is what the server and the network add to each request and reply.
#include "BenchSupport.h"
#include "Ser2netServer.h"
#include "SimConfig.h"
#include "SimulatedController.h"
#include "backup/BackupTransfer.h"
#include "common/QtTimer.h"
#include "link/AnyBytePort.h"
#include "link/LinkEngine.h"
#include "shell/LanguageTables.h"
#include "shell/Settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

using namespace zel;

namespace {

using namespace bench::backupwire;
using bench::Run;

// One download of camera 1 on `port` (a device path or a network port name).
Run download(const QString& port, const QString& file) {
    QThread::msleep(200); // the server has closed the line of the last run
    Settings settings;
    settings.PortOverride = port;
    settings.TimeOutWait = QStringLiteral("2000");
    AnyBytePort bytePort;
    QtTimer timerMenu;
    QtTimer timerReTry;
    bench::CountingSink sink;
    LinkEngine engine(bytePort, timerMenu, timerReTry, settings, sink);
    QEventLoop loop;
    Subscription connected = engine.watchPort([&](LinkEngine::PortEvent event) {
        if (event != LinkEngine::PortEvent::Closed)
            loop.quit();
    });
    engine.SetCommPortSettings();
    if (!engine.OpenCommPort())
        return {};
    if (engine.isPortConnecting())
        loop.exec(); // the connection and the line settings are not part of the transfer
    if (!engine.isPortOpen()) {
        std::fprintf(stderr, "%s\n", qPrintable(engine.lastOpenError()));
        return {};
    }
    connected.reset();
    const Run run = bench::timeBackupTransfer(engine, sink, false, file);
    if (!run.completed)
        std::fprintf(stderr, "%s: %s\n", qPrintable(port), qPrintable(engine.lastLostReason()));
    return run;
}

void report(const char* what, const Run& run, double wire) {
    std::printf("%-30s %8.3f s  wire %7.3f s  ratio %.4f  extra %6.3f ms/transaction  %s\n", what,
                run.seconds, wire, run.seconds / wire, (run.seconds - wire) * 1000.0 / kBlocks,
                run.completed ? "completed" : "FAILED");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (!test::Ser2netServer::isInstalled()) {
        std::printf("ser2net is not installed: nothing measured\n");
        return 0;
    }
    sim::SimConfig config;
    config.bitRate = kBitRate;
    sim::SimulatedController controller(config);
    QString error;
    test::Ser2netServer server;
    if (!controller.start(&error) || !server.start(controller.slavePath(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.bin"));
    const double wire =
        bench::wireSeconds(kBlocks * (kReadRequestBytes + kDataReplyBytes), kBitsPerByte, kBitRate);

    const Run local = download(controller.slavePath(), file);
    report("local pseudo-terminal", local, wire);
    const Run rfc2217 = download(server.rfc2217PortName(), file);
    report("ser2net, RFC 2217", rfc2217, wire);
    const Run raw = download(server.rawPortName(), file);
    report("ser2net, raw TCP", raw, wire);
    std::printf("(target: RFC 2217 ratio <= 1.03)\n");
    const bool ok =
        local.completed && rfc2217.completed && raw.completed && QFile(file).size() == kBlocks * 32;
    return ok ? 0 : 1;
}

// Settings backup throughput over a real serial port on the simulator's pseudo-terminal:
// download and upload-with-verification against the wire time at 38400 bit/s, the unpaced
// download, and the peak memory of the process.
#include "BenchSupport.h"
#include "SimConfig.h"
#include "SimulatedController.h"
#include "backup/BackupTransfer.h"
#include "common/MessageSink.h"
#include "common/QtTimer.h"
#include "link/LinkEngine.h"
#include "link/SerialBytePort.h"
#include "shell/LanguageTables.h"
#include "shell/Settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

using namespace zel;

namespace {

using namespace bench::backupwire;
using bench::Run;

double wireSeconds(long long bytes) {
    return bench::wireSeconds(bytes, kBitsPerByte, kBitRate);
}

// One transfer on a fresh simulator; `upload` writes `file` back with verification.
Run runTransfer(int bitRate, bool upload, const QString& file) {
    sim::SimConfig config;
    config.bitRate = bitRate;
    sim::SimulatedController controller(config);
    QString error;
    if (!controller.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return {};
    }
    Settings settings;
    settings.PortOverride = controller.slavePath();
    settings.TimeOutWait = QStringLiteral("2000");
    SerialBytePort port;
    QtTimer timerMenu;
    QtTimer timerReTry;
    bench::CountingSink sink;
    LinkEngine engine(port, timerMenu, timerReTry, settings, sink);
    engine.SetCommPortSettings();
    if (!engine.OpenCommPort())
        return {};
    return bench::timeBackupTransfer(engine, sink, upload, file);
}

long maxRssKiB() {
#ifdef Q_OS_UNIX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#else
    return -1;
#endif
}

void report(const char* what, const Run& run, double wire) {
    std::printf("%-34s %8.3f s  wire %7.3f s  ratio %.4f  %s\n", what, run.seconds, wire,
                run.seconds / wire, run.completed ? "completed" : "FAILED");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool unpacedOnly = app.arguments().contains(QStringLiteral("--unpaced-only"));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.bin"));

    const Run unpaced = runTransfer(0, false, file);
    std::printf("%-34s %8.3f s  (target < 1 s)  %s\n", "download, unpaced", unpaced.seconds,
                unpaced.completed ? "completed" : "FAILED");
    bool ok = unpaced.completed && QFile(file).size() == kBlocks * 32;

    if (!unpacedOnly) {
        const double downloadWire = wireSeconds(kBlocks * (kReadRequestBytes + kDataReplyBytes));
        const Run download = runTransfer(kBitRate, false, file);
        report("download at 38400 bit/s", download, downloadWire);
        const double uploadWire = wireSeconds(kBlocks * (kWriteRequestBytes + kAckBytes) +
                                              kBlocks * (kReadRequestBytes + kDataReplyBytes));
        const Run upload = runTransfer(kBitRate, true, file);
        report("upload + verification at 38400", upload, uploadWire);
        std::printf("(target ratio <= 1.02)\n");
        ok = ok && download.completed && upload.completed;
    }
    std::printf("%-34s %8ld KiB\n", "max RSS", maxRssKiB());
    return ok ? 0 : 1;
}

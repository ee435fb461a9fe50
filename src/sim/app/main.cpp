// zelsim: simulated camera controller (or CPU in boot mode) on a pseudo-terminal or a
// serial device.
#include "BootCpuSim.h"
#include "CameraControllerSim.h"
#include "PtyHost.h"
#include "SRecordMaker.h"
#include "SerialDeviceHost.h"
#include "SimCommandLine.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSaveFile>
#include <QSocketNotifier>
#include <cstdio>
#include <random>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

using namespace zel::sim;

namespace {

enum ExitCode { ExitOk = 0, ExitOpenFailed = 1, ExitUsage = 2 };

#ifdef Q_OS_UNIX
int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto put = ::write(g_signalPipe[1], &byte, 1);
}

// SIGINT and SIGTERM end the event loop cleanly: the handler only writes to a socket pair
// that the loop watches.
void quitOnSignals(QCoreApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] { app.quit(); });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}
#else
void quitOnSignals(QCoreApplication&) {}
#endif

void printError(const QString& text) {
    std::fprintf(stderr, "zelsim: %s\n", qPrintable(text));
    std::fflush(stderr);
}

// The flash image as the CPU received it, replacing `path` only when written in full.
void saveImage(const BootCpuSim& cpu, const QString& path) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(cpu.flash()) == cpu.flash().size() &&
        file.commit())
        printError(QStringLiteral("flash image saved to %1").arg(path));
    else
        printError(
            QStringLiteral("cannot save the flash image to %1: %2").arg(path, file.errorString()));
}

QString startNote(const SimOptions& options) {
    const QString paced = options.config.bitRate > 0 && options.device.isEmpty()
                              ? QStringLiteral(", paced at %1 bit/s").arg(options.config.bitRate)
                              : QString();
    if (options.bootCpu)
        return QStringLiteral("CPU in boot mode, 8N1%1").arg(paced);
    return QStringLiteral("seed %1 (replay with --seed %1), %2 camera(s)%3")
        .arg(options.config.seed)
        .arg(options.config.cameraCount)
        .arg(paced);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SimCommandLine commandLine;
    const SimCommandLine::Outcome outcome = commandLine.parse(app.arguments());
    if (outcome == SimCommandLine::Outcome::Help) {
        std::fputs(qPrintable(SimCommandLine::helpText()), stdout);
        return ExitOk;
    }
    if (outcome == SimCommandLine::Outcome::Error) {
        printError(commandLine.error());
        return ExitUsage;
    }
    SimOptions options = commandLine.options();
    if (!options.bootFilesFolder.isEmpty()) {
        QString why;
        if (!WriteStandInBootFiles(options.bootFilesFolder, &why)) {
            printError(why);
            return ExitOpenFailed;
        }
        printError(
            QStringLiteral("stand-in boot programs written to %1").arg(options.bootFilesFolder));
        return ExitOk;
    }
    if (!options.seedGiven)
        options.config.seed = std::random_device{}();

    CameraControllerSim device(options.config.cameraCount, options.config.seed);
    device.setFaultPlan(options.config.faults);
    if (options.verbose) {
        device.onTrace = [](const QString& line) {
            const QString stamp = QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz"));
            printError(QStringLiteral("%1 %2").arg(stamp, line));
        };
    }

    BootCpuSim bootCpu(options.bootFaults);
    if (!options.saveImage.isEmpty())
        bootCpu.onCompleted = [&bootCpu, &options] { saveImage(bootCpu, options.saveImage); };
    SimDevice& served = options.bootCpu ? static_cast<SimDevice&>(bootCpu) : device;
    PtyHost ptyHost(served);
    SerialDeviceHost serialHost(served);
    if (options.bootCpu) {
        ptyHost.setBitsPerByte(10); // 8N1
        serialHost.setNoParity(true);
    }
    QString error;
    QString linePath = options.device;
    if (options.device.isEmpty()) {
        ptyHost.setBitRate(options.config.bitRate);
        if (!ptyHost.open(&error)) {
            printError(QStringLiteral("cannot open a pseudo-terminal: %1").arg(error));
            return ExitOpenFailed;
        }
        linePath = ptyHost.slavePath();
    } else if (!serialHost.open(options.device, options.deviceRate, &error)) {
        printError(QStringLiteral("cannot open %1").arg(error));
        return ExitOpenFailed;
    }
    serialHost.onLost = [&app](const QString& why) {
        printError(QStringLiteral("line lost: %1").arg(why));
        app.exit(ExitOpenFailed);
    };
    std::printf("zelsim: %s\n", qPrintable(linePath));
    std::fflush(stdout);
    printError(startNote(options));

    quitOnSignals(app);
    const int code = app.exec();
    ptyHost.stop();
    serialHost.stop();
    return code;
}

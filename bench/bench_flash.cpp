// Flash write over a real serial port on the simulated boot-mode CPU's pseudo-terminal,
// paced at 19200 bit/s 8N1: the whole write against the wire time plus the documented
// waits, and the time of each phase.
#include "BenchSupport.h"
#include "BootCpuSim.h"
#include "SRecordMaker.h"
#include "SimulatedBootCpu.h"
#include "common/MessageSink.h"
#include "cpuwriter/BootFrame.h"
#include "cpuwriter/FlashWriter.h"
#include "cpuwriter/SerialFlashWriter.h"
#include "shell/Settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <cstdio>

using namespace zel;

namespace {

constexpr int kBitRate = 19200;
constexpr double kBitsPerByte = 10.0; // start, 8 data, stop
constexpr int kReplyBytes = 10;

double wireSeconds(long long bytes) {
    return bench::wireSeconds(bytes, kBitsPerByte, kBitRate);
}

QByteArray applicationImage() {
    QByteArray image(0x40000, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char((i * 7 + i / 977) & 0xFF);
    return image;
}

long long blockFrameBytes(const QByteArray& image) {
    long long bytes = 0;
    for (int block = 0; block < BootFrame::BlockCount; ++block)
        bytes += EncodeBootFrame(BlockFrameContent(block, image)).size();
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QByteArray image = applicationImage();
    const QString appFile = dir.filePath(QStringLiteral("app.mot"));
    if (!sim::WriteStandInBootFiles(dir.path(), nullptr) ||
        !writeFile(appFile, sim::MakeSRecords(0, image))) {
        std::fprintf(stderr, "cannot write the S-record files\n");
        return 1;
    }
    sim::SimulatedBootCpu cpu({}, kBitRate);
    QString error;
    if (!cpu.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return 1;
    }
    Settings settings;
    settings.setFolder(dir.path());
    settings.PortOverride = cpu.slavePath();
    bench::CountingSink sink;
    SerialFlashWriter line(settings, sink);
    FlashWriter& writer = line.writer();

    // When each state was first reached (index = write state); [0] the end.
    std::array<qint64, 6> reachedMs{-1, -1, -1, -1, -1, -1};
    QElapsedTimer clock;
    QEventLoop loop;
    bool completed = false;
    writer.onChanged = [&] {
        const int state = writer.WriteState();
        if (state > 0 && reachedMs[size_t(state)] < 0)
            reachedMs[size_t(state)] = clock.elapsed();
    };
    writer.onFinished = [&](bool done) {
        reachedMs[0] = clock.elapsed();
        completed = done;
        loop.quit();
    };
    clock.start();
    if (!writer.startWrite(QStringLiteral("MASTER"), appFile))
        return 1;
    loop.exec();
    if (!completed || sink.shown > 0 || cpu.device().flash() != image) {
        std::fprintf(stderr, "the write did not complete correctly\n");
        return 1;
    }

    const long long frames = blockFrameBytes(image);
    const double bootWire = wireSeconds(2LL * SRecordImage::kBootImageSize);
    const double blockWire = wireSeconds(frames + 1LL * BootFrame::BlockCount * kReplyBytes);
    const double waits = FlashWriter::kBootStartPauseMs / 1000.0 +
                         BootFrame::BlockCount * FlashWriter::kReplyPauseMs / 1000.0;
    const double budget = bootWire + blockWire + waits;
    const double total = reachedMs[0] / 1000.0;
    const auto phase = [&](int from, int to) {
        return (reachedMs[size_t(to)] - reachedMs[size_t(from)]) / 1000.0;
    };
    std::printf("flash write at %d bit/s 8N1, %d blocks, %lld block frame bytes\n", kBitRate,
                BootFrame::BlockCount, frames);
    std::printf("  bit-rate matching:  %7.3f s (%d attempt(s))\n", reachedMs[2] / 1000.0,
                writer.bitRateAttempts());
    std::printf("  erase:              %7.3f s\n", phase(2, 3));
    std::printf("  boot program:       %7.3f s (wire %.3f s)\n", phase(3, 4), bootWire);
    std::printf("  boot start + wait:  %7.3f s (wait %.3f s)\n", phase(4, 5),
                FlashWriter::kBootStartPauseMs / 1000.0);
    std::printf("  flash blocks:       %7.3f s (wire %.3f s + replies' waits %.3f s)\n",
                phase(5, 0), blockWire,
                BootFrame::BlockCount * FlashWriter::kReplyPauseMs / 1000.0);
    std::printf("  whole write:        %7.3f s, budget (wire + waits) %.3f s, ratio %.4f "
                "(target <= 1.03)\n",
                total, budget, total / budget);
    return total / budget <= 1.03 ? 0 : 2;
}

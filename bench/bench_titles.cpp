// All-download and all-upload of the 302 titles against the simulated controller pacing its
// wire at 38400 bit/s: elapsed time against the wire time of the bytes that crossed the line
// (11 bits per byte: start, 8 data, even parity, stop).
#include "CameraControllerSim.h"
#include "PtyHost.h"
#include "SimConfig.h"
#include "SimulatedController.h"
#include "common/MessageSink.h"
#include "common/QtTimer.h"
#include "link/LinkEngine.h"
#include "link/SerialBytePort.h"
#include "shell/LanguageTables.h"
#include "shell/Settings.h"
#include "titles/TitleDocument.h"
#include "titles/TitleTransfer.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <functional>

using namespace zel;

namespace {

constexpr int kBitRate = 38400;
constexpr int kBitsPerByte = 11;
constexpr double kTarget = 1.02;

class PrintingSink : public MessageSink {
public:
    int ShowMessage(int number, const QString& extra) override {
        if (number != 18) // "No Error" before the upload is expected
            std::fprintf(stderr, "message %d %s\n", number, qPrintable(extra));
        return ButtonOk;
    }
};

struct Figures {
    bool completed = false;
    double seconds = 0;
    double wireSeconds = 0;
};

Figures measure(sim::SimulatedController& sim, TitleTransfer& transfer,
                const std::function<bool()>& start) {
    const qint64 sentBefore = sim.host().bytesSent();
    const qint64 receivedBefore = sim.host().bytesReceived();
    Figures figures;
    QEventLoop loop;
    transfer.onFinished = [&](bool completed) {
        figures.completed = completed;
        loop.quit();
    };
    QElapsedTimer clock;
    clock.start();
    if (!start())
        return figures;
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    figures.seconds = clock.nsecsElapsed() / 1e9;
    const qint64 bytes =
        (sim.host().bytesSent() - sentBefore) + (sim.host().bytesReceived() - receivedBefore);
    figures.wireSeconds = double(bytes) * kBitsPerByte / kBitRate;
    if (transfer.dialog().isOpen())
        transfer.dialog().close();
    return figures;
}

bool report(const char* name, const Figures& figures) {
    const double ratio = figures.wireSeconds > 0 ? figures.seconds / figures.wireSeconds : 0;
    const bool ok = figures.completed && ratio <= kTarget;
    std::printf("%-14s 302 titles  time %.3f s  wire %.3f s  ratio %.3fx  (target <= %.2fx) %s\n",
                name, figures.seconds, figures.wireSeconds, ratio, kTarget,
                ok ? "ok" : (figures.completed ? "SLOW" : "FAILED"));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    sim::SimConfig config;
    config.bitRate = kBitRate;
    sim::SimulatedController sim(config);
    QString error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return 1;
    }
    Settings settings;
    settings.PortOverride = sim.slavePath();
    settings.Rate = QStringLiteral("3");
    settings.recomputeCurrentWriteWait();
    PrintingSink sink;
    SerialBytePort port;
    QtTimer timerMenu;
    QtTimer timerReTry;
    LinkEngine engine(port, timerMenu, timerReTry, settings, sink);
    engine.SetCommPortSettings();
    if (!engine.OpenCommPort()) {
        std::fprintf(stderr, "port: %s\n", qPrintable(engine.lastOpenError()));
        return 1;
    }
    LanguageTables language;
    const TitleCharTable table(0);
    TitleDocument document;
    for (int category = 0; category < kTitleCategoryCount; ++category)
        for (int number = 1; number <= TitleCategoryAt(category).titleCount; ++number)
            document.setTitle(category, number, QStringLiteral("ID%1").arg(number));
    TitleTransfer transfer(engine, document, table, language);

    const Figures upload = measure(sim, transfer, [&transfer] {
        return transfer.startAllUpload() == TitleTransfer::AllUploadStart::Sent;
    });
    const Figures download =
        measure(sim, transfer, [&transfer] { return transfer.startAllDownload(); });
    const bool uploadOk = report("all-upload", upload);
    const bool downloadOk = report("all-download", download);
    engine.CloseCommPort();
    return uploadOk && downloadOk ? 0 : 1;
}

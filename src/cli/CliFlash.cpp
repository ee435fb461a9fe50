// zelctl flash: write an application S-record file into a camera CPU's flash through its
// boot mode, with the boot program of the CPU type from the program folder.
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliInterrupt.h"
#include "cpuwriter/BootFrame.h"
#include "cpuwriter/FlashWriteClock.h"
#include "cpuwriter/SerialFlashWriter.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <cstdio>

namespace zel::cli {

namespace {

struct FlashArguments {
    QString cpuType = QStringLiteral("MASTER");
    QString file;
};

bool usageError(const QString& text) {
    CliContext::printUsageError(QStringLiteral("flash: ") + text);
    return false;
}

bool takeCpu(const QString& value, FlashArguments& parsed) {
    if (value == QStringLiteral("master"))
        parsed.cpuType = QStringLiteral("MASTER");
    else if (value == QStringLiteral("slave"))
        parsed.cpuType = QStringLiteral("SLAVE");
    else
        return usageError(QStringLiteral("--cpu must be master or slave"));
    return true;
}

bool parseArguments(const QStringList& args, FlashArguments& parsed) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QStringLiteral("--cpu")) {
            if (i + 1 >= args.size())
                return usageError(QStringLiteral("--cpu needs a value"));
            if (!takeCpu(args[++i], parsed))
                return false;
        } else if (arg.startsWith(QStringLiteral("--cpu="))) {
            if (!takeCpu(arg.mid(6), parsed))
                return false;
        } else if (QString why; !takeFileArgument(arg, parsed.file, &why)) {
            return usageError(why);
        }
    }
    if (parsed.file.isEmpty())
        return usageError(QStringLiteral("FILE is required"));
    return true;
}

// The progress bar with the elapsed time and the time left, redrawn when either changes.
class FlashProgress {
public:
    FlashProgress(CliContext& context, const FlashWriter& writer)
        : m_context(context), m_writer(writer) {
        m_clock.start(0);
        m_time.start();
    }

    void update() {
        const qint64 now = m_time.elapsed();
        m_clock.note(now, m_writer);
        if (m_writer.WriteState() == FlashWriter::StateIdle)
            return;
        const QString suffix =
            QStringLiteral("%1, %2 left")
                .arg(FlashWriteClock::formatDuration(m_clock.elapsedMs(now)),
                     FlashWriteClock::formatDuration(m_clock.remainingMs(now, m_writer)));
        if (suffix == m_lastSuffix && m_writer.ProgressValue() == m_lastValue)
            return;
        m_lastSuffix = suffix;
        m_lastValue = m_writer.ProgressValue();
        m_context.showProgress(QStringLiteral("CPU WRITER"), m_lastValue, m_writer.ProgressMax(),
                               suffix);
    }

    qint64 elapsedMs() const { return m_time.elapsed(); }

private:
    CliContext& m_context;
    const FlashWriter& m_writer;
    FlashWriteClock m_clock;
    QElapsedTimer m_time;
    QString m_lastSuffix;
    int m_lastValue = -1;
};

// What an interrupted write left in the CPU, and what to do about it.
QString interruptionLine(int stateAtSignal, int blocksAcknowledged) {
    if (stateAtSignal < FlashWriter::StateErase)
        return QStringLiteral("flash: interrupted before the CPU erased its flash; nothing was "
                              "written");
    return QStringLiteral("flash: interrupted after %1 of %2 blocks; the camera's CPU holds a "
                          "partial program; put it in boot mode and run flash again")
        .arg(blocksAcknowledged)
        .arg(BootFrame::BlockCount);
}

// The first SIGINT or SIGTERM lets the block in flight finish; a second one ends at once.
struct FlashInterruption {
    int signalNumber = 0;
    int stateAtSignal = FlashWriter::StateIdle;

    void arm(CliInterrupt& interrupt, CliContext& context, FlashWriter& writer) {
        interrupt.onSignal = [this, &context, &writer](int number) {
            signalNumber = number;
            stateAtSignal = writer.WriteState();
            context.finishProgress();
            if (stateAtSignal == FlashWriter::StateBlocks)
                CliContext::printUsageError(
                    QStringLiteral("flash: stopping after block %1 (Ctrl-C again to stop at once)")
                        .arg(writer.BlockNo()));
            writer.stopAfterBlock();
        };
    }
};

int runFlash(CliContext& context, const QStringList& args) {
    FlashArguments parsed;
    if (!parseArguments(args, parsed))
        return ExitUsage;
    if (!context.loadSettings(false))
        return ExitFailed;
    SerialFlashWriter line(context.settings(), context.messages());
    FlashWriter& writer = line.writer();
    FlashProgress progress(context, writer);
    QEventLoop loop;
    bool completed = false;
    FlashInterruption interruption;
    // After a signal the bar stays where the stop line left it.
    writer.onChanged = [&progress, &interruption] {
        if (interruption.signalNumber == 0)
            progress.update();
    };
    writer.onFinished = [&](bool done) {
        completed = done;
        context.finishProgress();
        loop.quit();
    };
    if (!writer.startWrite(parsed.cpuType, parsed.file)) {
        if (!writer.images().lastFileError().isEmpty())
            CliContext::printUsageError(QStringLiteral("flash: ") +
                                        writer.images().lastFileError());
        if (!writer.lastOpenError().isEmpty())
            CliContext::printUsageError(writer.lastOpenError());
        return ExitFailed;
    }
    CliInterrupt interrupt;
    interruption.arm(interrupt, context, writer);
    if (writer.isRunning())
        loop.exec();
    if (!completed && interruption.signalNumber != 0) {
        CliContext::printUsageError(
            interruptionLine(interruption.stateAtSignal, writer.blocksAcknowledged()));
        return ExitSignalBase + interruption.signalNumber;
    }
    if (!completed) {
        if (!writer.lastPortLoss().isEmpty())
            CliContext::printUsageError(QStringLiteral("flash: the serial port went away: ") +
                                        writer.lastPortLoss());
        return ExitFailed;
    }
    std::printf("CPU WRITER: %d blocks written in %.1f s\n", BootFrame::BlockCount,
                double(progress.elapsedMs()) / 1000.0);
    return ExitOk;
}

const CommandRegistrar registrar{
    {QStringLiteral("flash"),
     QStringLiteral("flash [--cpu master|slave] FILE.mot   write the application into the CPU's "
                    "flash\n"
                    "      (19200 8N1 on --port; boot program ZARNIPEX2633.MOT (master) or\n"
                    "      ZARNIPEX2398.MOT (slave) from the program folder --folder)"),
     &runFlash}};

} // namespace

} // namespace zel::cli

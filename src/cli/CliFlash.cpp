// zelctl flash: write an application S-record file into a camera CPU's flash through its
// boot mode, with the boot program of the CPU type from the program folder.
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliInputFile.h"
#include "CliInterrupt.h"
#include "CliTexts.h"
#include "CommandLine.h"
#include "common/MessageNumber.h"
#include "cpuwriter/BootFrame.h"
#include "cpuwriter/FlashWriteClock.h"
#include "cpuwriter/SRecordImage.h"
#include "cpuwriter/SerialFlashWriter.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <cstdio>

namespace zel::cli {

namespace {

struct FlashArguments {
    QString cpuType;
    QString file;
};

// Fills `parsed`; an empty text on success, else the usage error.
QString parseArguments(const CommandLine& line, FlashArguments& parsed) {
    const QString cpu = line.value(QStringLiteral("cpu"));
    if (cpu != QStringLiteral("master") && cpu != QStringLiteral("slave"))
        return QStringLiteral("--cpu must be master or slave");
    parsed.cpuType = cpu.toUpper();
    QString why;
    parsed.file = OneFile(line, false, QStringLiteral("FILE"), &why);
    return why;
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
        if (m_writer.WriteState() != FlashWriter::StateIdle)
            m_context.showProgress(progressAt(now, m_writer.ProgressValue()), true);
    }

    // The bar full before its line ends: the last step is the write's end.
    void complete() {
        m_context.showProgress(progressAt(m_time.elapsed(), m_writer.ProgressMax()), true);
    }

    qint64 elapsedMs() const { return m_time.elapsed(); }

private:
    CliContext& m_context;
    const FlashWriter& m_writer;
    FlashWriteClock m_clock;
    QElapsedTimer m_time;

    TransferProgress progressAt(qint64 now, int done) const {
        TransferProgress progress;
        progress.phase = QStringLiteral("CPU WRITER");
        progress.done = done;
        progress.total = m_writer.ProgressMax();
        progress.unit = ProgressUnit::Steps;
        progress.elapsedMs = m_clock.elapsedMs(now);
        progress.remainingMs = done >= progress.total ? 0 : m_clock.remainingMs(now, m_writer);
        return progress;
    }
};

// A file that does not convert: where to look at what it holds.
QString suggestionFor(const CliContext& context, const QString& why, const QString& file) {
    if (!why.startsWith(file + QStringLiteral(": line")) &&
        !why.startsWith(file + QStringLiteral(": no end")))
        return {};
    return cliText(context.language(), CliText::SrecInfoHint).arg(file);
}

// What an interrupted write left in the CPU, and what to do about it.
QString interruptionLine(const LanguageTables& language, int stateAtSignal,
                         int blocksAcknowledged) {
    if (stateAtSignal < FlashWriter::StateErase)
        return cliText(language, CliText::FlashBeforeErase);
    return cliText(language, CliText::FlashPartial)
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

// The boot program of the folder, then the application, as the screen reads them.
bool inputFilesReadable(CliContext& context, const FlashArguments& parsed) {
    const QString flash = QStringLiteral("flash");
    const QString bootProgram =
        SRecordImage::bootProgramPath(parsed.cpuType, context.settings().ApplicationFolder);
    return CheckInputFile(context, flash, bootProgram, MessageNoWriteControlProgram) &&
           CheckInputFile(context, flash, parsed.file, MessageNoApplicationProgram);
}

int runFlash(CliContext& context, const CommandLine& line) {
    FlashArguments parsed;
    if (const QString error = parseArguments(line, parsed); !error.isEmpty())
        return UsageError(QStringLiteral("flash"), error);
    if (!context.loadSettings(false) || !inputFilesReadable(context, parsed))
        return ExitFailed;
    SerialFlashWriter flashLine(context.settings(), context.messages());
    FlashWriter& writer = flashLine.writer();
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
        if (done)
            progress.complete();
        context.finishProgress();
        loop.quit();
    };
    if (!writer.startWrite(parsed.cpuType, parsed.file)) {
        if (const QString why = writer.images().lastFileError(); !why.isEmpty())
            CliContext::printUsageError(QStringLiteral("flash: ") + why +
                                        suggestionFor(context, why, parsed.file));
        if (!writer.lastOpenError().isEmpty())
            CliContext::printUsageError(writer.lastOpenError());
        return ExitFailed;
    }
    CliInterrupt interrupt;
    interruption.arm(interrupt, context, writer);
    if (writer.isRunning())
        loop.exec();
    if (!completed && interruption.signalNumber != 0) {
        CliContext::printUsageError(interruptionLine(context.language(), interruption.stateAtSignal,
                                                     writer.blocksAcknowledged()));
        return ExitSignalBase + interruption.signalNumber;
    }
    if (!completed) {
        if (!writer.lastPortLoss().isEmpty())
            CliContext::printUsageError(
                QStringLiteral("flash: ") +
                cliText(context.language(), CliText::PortWentAway).arg(writer.lastPortLoss()));
        return ExitFailed;
    }
    std::printf("CPU WRITER: %d blocks written in %.1f s\n", BootFrame::BlockCount,
                double(progress.elapsedMs()) / 1000.0);
    return ExitOk;
}

const CommandRegistrar registrar{
    {.name = QStringLiteral("flash"),
     .synopses = {QStringLiteral("flash [--cpu master|slave] FILE.mot")},
     .description = QStringLiteral(
         "Writes the application program FILE.mot (S-records) into the flash memory of a camera "
         "CPU held in boot mode, at 19200 bps 8N1 on --port. The boot program of the CPU type "
         "is read from the program folder (--folder): ZARNIPEX2633.MOT for the master, "
         "ZARNIPEX2398.MOT for the slave. zelctl srec --info FILE.mot shows whether a file "
         "fits."),
     .options = {{{QStringLiteral("cpu")},
                  QStringLiteral("master|slave"),
                  QStringLiteral("which CPU of the camera is in boot mode"),
                  QStringLiteral("master")}},
     .run = &runFlash}};

} // namespace

} // namespace zel::cli

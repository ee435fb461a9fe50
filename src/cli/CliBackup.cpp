// zelctl backup: copy a camera's 32000 bytes of settings to a file or write a file back,
// with read-back verification after an upload unless --no-verify.
#include "CliBackup.h"

#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliInputFile.h"
#include "CliLink.h"
#include "CliSite.h"
#include "CliTexts.h"
#include "CliTransferRun.h"
#include "CommandLine.h"
#include "backup/BackupSession.h"
#include "common/NumberRange.h"

#include <QFileInfo>
#include <cstdio>
#include <memory>

namespace zel::cli {

namespace {

const QString kDownload = QStringLiteral("download");
const QString kUpload = QStringLiteral("upload");

struct BackupArguments {
    QString direction;
    CameraAddress address;
    QString file;
    bool verify = true;
};

// Fills `parsed`; an empty text on success, else the usage error.
QString parseArguments(const CommandLine& line, BackupArguments& parsed) {
    parsed.direction = line.subcommand();
    if (parsed.direction != kDownload && parsed.direction != kUpload)
        return QStringLiteral("download, upload or diff expected");
    if (const QString misplaced = line.misplacedOption(QStringLiteral("backup"), parsed.direction);
        !misplaced.isEmpty())
        return misplaced;
    parsed.address = CameraAddress::from(line);
    parsed.verify = !line.isSet(QStringLiteral("no-verify"));
    QString why;
    parsed.file = OneFile(line, true, QStringLiteral("FILE"), &why);
    if (!parsed.address.complete())
        return QStringLiteral("--camera N and --remote N are required");
    if (const QString range = parsed.address.rangeError(); !range.isEmpty())
        return range;
    return why;
}

} // namespace

void ConnectBackupProgress(CliContext& context, BackupTransfer& transfer) {
    auto shown = std::make_shared<TransferProgress>();
    transfer.dialog().onChanged = [&context, &transfer, shown] {
        const TransferProgress now = transfer.dialog().progress();
        if (!now.started() || (now.phase == shown->phase && now.done < shown->done))
            return; // no total yet, or the count cleared for the next phase
        if (now.phase != shown->phase && shown->started()) {
            TransferProgress ended = *shown;
            ended.done = ended.total;
            context.showProgress(ended);
            context.finishProgress();
        }
        *shown = now;
        context.showProgress(now);
    };
}

namespace {

// What an interrupted transfer leaves behind, in one line.
QString interruptionLine(const LanguageTables& language, const BackupTransfer& transfer,
                         bool download) {
    const QString file = transfer.path();
    if (download)
        return cliText(language, CliText::DownloadInterrupted)
            .arg(transfer.blocksStored())
            .arg(BackupTransfer::kBlockCount)
            .arg(BackupFile::partialPath(file), file);
    const TransferDialogState& view = transfer.dialog().state();
    return cliText(language, CliText::UploadInterrupted)
        .arg(transfer.statusText(transfer.viewMode()))
        .arg(view.progressValue)
        .arg(view.progressMax)
        .arg(file);
}

// Beside the screen's "File incorrect": which file and why.
void explainRefusedUpload(const CliContext& context, const QString& path) {
    const qint64 size = QFileInfo(path).size();
    if (size != BackupFile::kImageSize)
        CliContext::printUsageError(QStringLiteral("backup: ") +
                                    cliText(context.language(), CliText::BackupFileSize)
                                        .arg(path)
                                        .arg(size)
                                        .arg(BackupFile::kImageSize));
}

int runTransfer(CliContext& context, const BackupArguments& parsed) {
    CliLink link(context);
    if (!link.open())
        return ExitFailed;
    BackupSession session(link.engine(), context.language(), context.messages());
    session.setRemoteNo(parsed.address.remoteNo);
    session.setCameraNo(parsed.address.cameraNo);
    session.setVerify(parsed.verify);
    const bool download = parsed.direction == kDownload;
    ConnectBackupProgress(context, session.transfer());
    bool partialSaid = false;
    session.onChanged = [&session, &partialSaid] {
        if (partialSaid || session.replacedPartial().isEmpty())
            return;
        partialSaid = true;
        CliContext::printUsageError(QStringLiteral("%1 from an earlier download will be replaced")
                                        .arg(session.replacedPartial()));
    };
    const int exitCode = RunTransfer(
        context, link,
        {.dialog = session.dialog(),
         .onFinished = session.onFinished,
         .start =
             [&] {
                 const auto action =
                     download ? BackupSession::Action::Download : BackupSession::Action::Upload;
                 if (session.start(action, parsed.file))
                     return true;
                 if (!download)
                     explainRefusedUpload(context, parsed.file);
                 return false;
             },
         .interruptionLine =
             [&] { return interruptionLine(context.language(), session.transfer(), download); }});
    if (exitCode == ExitOk) {
        const BackupTransfer& transfer = session.transfer();
        const QString line = transfer.completedText(transfer.viewMode()) + QLatin1Char('\n');
        std::fputs(line.toLocal8Bit().constData(), stdout);
        if (parsed.direction == kDownload)
            context.reportFileWritten(parsed.file);
    }
    return exitCode;
}

int runBackup(CliContext& context, const CommandLine& line) {
    if (line.subcommand() == QStringLiteral("diff"))
        return RunBackupDiff(context, line);
    if (line.subcommand() == kDownload && IsSiteForm(line))
        return RunSiteBackupDownload(context, line);
    BackupArguments parsed;
    if (const QString error = parseArguments(line, parsed); !error.isEmpty())
        return UsageError(QStringLiteral("backup"), error);
    if (!context.loadSettings(false))
        return ExitFailed;
    // Missing is said apart from the wrong size or content ("File incorrect").
    if (parsed.direction == kUpload &&
        !CheckInputFile(context, QStringLiteral("backup"), parsed.file))
        return ExitFailed;
    if (!NumberRange::checkAddress(context.messages(), context.language(), parsed.address.remoteNo,
                                   parsed.address.cameraNo))
        return ExitFailed;
    return runTransfer(context, parsed);
}

const CommandRegistrar registrar{
    {.name = QStringLiteral("backup"),
     .synopses = {QStringLiteral("backup download --camera N --remote N FILE"),
                  QStringLiteral("backup download --camera LIST --remote N DIR"),
                  QStringLiteral("backup upload [--no-verify] --camera N --remote N FILE"),
                  QStringLiteral("backup diff [--bytes] A.bin B.bin"),
                  QStringLiteral("backup diff [--bytes] --camera N --remote N A.bin")},
     .description = QStringLiteral(
         "download copies the 32000 bytes of settings of one camera into FILE; the blocks are "
         "kept in FILE.partial as they arrive and FILE is replaced only by a complete copy. "
         "The completion line goes to stdout alone, then \"file written: FILE\" to stderr. "
         "With a LIST of cameras (1-8,12) every camera goes into its own file of DIR "
         "(cam001.bin ...), with a summary at the end.\n"
         "upload writes FILE (32000 bytes) back into the camera and then reads it back to "
         "compare.\n"
         "diff compares two backup files block by block, or with --camera and --remote a "
         "backup file with the camera (read only): one line per differing block, then a "
         "summary; exit 0 when identical, 1 when they differ, 2 on bad input or when the "
         "camera could not be read."),
     .options = {CameraOption(QStringLiteral("N|LIST"),
                              QStringLiteral("camera number, 1 to 255; download also takes a "
                                             "LIST such as 1-8,12")),
                 RemoteOption(),
                 {{QStringLiteral("no-verify")},
                  {},
                  QStringLiteral("do not read the camera back after the upload to compare it "
                                 "with FILE (faster; a write fault goes unnoticed)"),
                  {},
                  {kUpload}},
                 {{QStringLiteral("bytes")},
                  {},
                  QStringLiteral("one line per differing byte: offset and both values"),
                  {},
                  {QStringLiteral("diff")}}},
     .run = &runBackup}};

} // namespace

} // namespace zel::cli

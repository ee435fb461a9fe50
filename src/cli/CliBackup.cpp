// zelctl backup: copy a camera's 32000 bytes of settings to a file or write a file back,
// with read-back verification after an upload unless --no-verify.
#include "CliBackup.h"

#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "CliSite.h"
#include "backup/BackupTransfer.h"
#include "backup/NumberBox.h"

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

bool usageError(const QString& text) {
    CliContext::printUsageError(QStringLiteral("backup: ") + text);
    return false;
}

bool parseOptions(const QStringList& args, BackupArguments& parsed) {
    for (qsizetype i = 1; i < args.size();) {
        const OptionMatch match = parsed.address.take(args, i);
        if (match == OptionMatch::MissingValue)
            return usageError(args[i] + QStringLiteral(" needs a value"));
        if (match == OptionMatch::Taken)
            continue;
        const QString& arg = args[i++];
        QString why;
        if (arg == QStringLiteral("--no-verify") && parsed.direction == kUpload)
            parsed.verify = false;
        else if (!takeFileArgument(arg, parsed.file, &why))
            return usageError(why);
    }
    return true;
}

bool parseArguments(const QStringList& args, BackupArguments& parsed) {
    if (args.isEmpty() || (args[0] != kDownload && args[0] != kUpload))
        return usageError(QStringLiteral("download, upload or diff expected"));
    parsed.direction = args[0];
    if (!parseOptions(args, parsed))
        return false;
    if (!parsed.address.complete())
        return usageError(QStringLiteral("--camera N and --remote N are required"));
    if (const QString range = parsed.address.rangeError(); !range.isEmpty())
        return usageError(range);
    if (parsed.file.isEmpty())
        return usageError(QStringLiteral("FILE is required"));
    return true;
}

} // namespace

void ConnectBackupProgress(CliContext& context, BackupTransfer& transfer) {
    struct Drawn {
        QString label;
        int value = 0;
        int maximum = 0;
    };
    auto drawn = std::make_shared<Drawn>();
    transfer.dialog().onChanged = [&context, &transfer, drawn] {
        const TransferDialogState& view = transfer.dialog().state();
        const QString label = transfer.statusText(transfer.viewMode());
        if (label == drawn->label && view.progressValue < drawn->value)
            return; // progress cleared for the next phase
        if (label != drawn->label && !drawn->label.isEmpty()) {
            context.showProgress(drawn->label, drawn->maximum, drawn->maximum);
            context.finishProgress();
        }
        const auto percent = [](int value, int maximum) {
            return maximum > 0 ? value * 100 / maximum : 0;
        };
        const bool samePercent =
            label == drawn->label &&
            percent(view.progressValue, view.progressMax) == percent(drawn->value, drawn->maximum);
        *drawn = {label, view.progressValue, view.progressMax};
        if (!samePercent)
            context.showProgress(label, view.progressValue, view.progressMax);
    };
}

namespace {

// What an interrupted transfer leaves behind, in one line.
QString interruptionLine(const BackupTransfer& transfer, bool download) {
    const QString file = transfer.path();
    if (download)
        return QStringLiteral("interrupted: %1 of %2 blocks kept in %3; %4 left as it was")
            .arg(transfer.blocksStored())
            .arg(BackupTransfer::kBlockCount)
            .arg(BackupFile::partialPath(file), file);
    const TransferDialogState& view = transfer.dialog().state();
    return QStringLiteral("interrupted: %1 stopped after %2 of %3 blocks of %4")
        .arg(transfer.statusText(transfer.viewMode()))
        .arg(view.progressValue)
        .arg(view.progressMax)
        .arg(file);
}

int runTransfer(CliContext& context, const BackupArguments& parsed) {
    CliLink link(context);
    if (!link.open())
        return ExitFailed;
    BackupTransfer transfer(link.engine(), context.language(), context.messages());
    transfer.setAddress(parsed.address.cameraNo, parsed.address.remoteNo);
    transfer.setVerify(parsed.verify);
    ConnectBackupProgress(context, transfer);
    transfer.onReplacingPartial = [](const QString& partial) {
        CliContext::printUsageError(
            QStringLiteral("%1 from an earlier download will be replaced").arg(partial));
    };
    transfer.onFinished = [&context, &link](bool completed) {
        context.finishProgress();
        link.finish(completed ? ExitOk : ExitFailed);
    };
    link.onInterrupted = [&transfer] {
        if (transfer.dialog().isOpen())
            transfer.dialog().close(); // as Cancel: the file is closed, the blocks stay
    };
    const bool started = parsed.direction == kDownload ? transfer.startDownload(parsed.file)
                                                       : transfer.startUpload(parsed.file);
    if (!started)
        return ExitFailed;
    const int exitCode = link.exec();
    if (link.interruptedBy() != 0)
        CliContext::printUsageError(interruptionLine(transfer, parsed.direction == kDownload));
    if (exitCode == ExitOk) {
        const QString line = transfer.dialog().state().caption + QLatin1Char('\n');
        std::fputs(line.toLocal8Bit().constData(), stdout);
    }
    return exitCode;
}

// An upload's file must be there to be read: said apart from a file of the wrong size or
// content, which the transfer reports as "File incorrect".
bool uploadFileReadable(const QString& path) {
    const QFileInfo info(path);
    QString why;
    if (!info.exists())
        why = QStringLiteral("does not exist");
    else if (!info.isFile())
        why = QStringLiteral("is not a regular file");
    else if (!info.isReadable())
        why = QStringLiteral("cannot be read (permission denied)");
    if (why.isEmpty())
        return true;
    CliContext::printUsageError(QStringLiteral("backup: file '%1' %2").arg(path, why));
    return false;
}

int runBackup(CliContext& context, const QStringList& args) {
    if (!args.isEmpty() && args[0] == QStringLiteral("diff"))
        return RunBackupDiff(context, args);
    if (!args.isEmpty() && args[0] == kDownload && IsSiteForm(args))
        return RunSiteBackupDownload(context, args);
    BackupArguments parsed;
    if (!parseArguments(args, parsed))
        return ExitUsage;
    if (parsed.direction == kUpload && !uploadFileReadable(parsed.file))
        return ExitFailed;
    if (!context.loadSettings(false))
        return ExitFailed;
    if (!NumberBox::checkAddress(context.messages(), context.language(), parsed.address.remoteNo,
                                 parsed.address.cameraNo))
        return ExitFailed;
    return runTransfer(context, parsed);
}

const CommandRegistrar registrar{
    {QStringLiteral("backup"),
     QStringLiteral(
         "backup download --camera N --remote N FILE\n"
         "  backup download --camera LIST --remote N DIR   (LIST: 1-8,12; DIR/cam001.bin ...)\n"
         "  backup upload [--no-verify] --camera N --remote N FILE\n"
         "  backup diff [--bytes] A.bin B.bin   (exit 0 identical, 1 different, 2 bad input)\n"
         "  backup diff [--bytes] --camera N --remote N A.bin   (B: the camera, read only)"),
     &runBackup}};

} // namespace

} // namespace zel::cli

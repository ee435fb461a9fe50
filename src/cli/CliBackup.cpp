// zelctl backup: copy a camera's 32000 bytes of settings to a file or write a file back,
// with read-back verification after an upload unless --no-verify.
#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "backup/BackupTransfer.h"
#include "backup/NumberBox.h"

#include <cstdio>
#include <memory>

namespace zel::cli {

namespace {

const QString kDownload = QStringLiteral("download");
const QString kUpload = QStringLiteral("upload");

struct BackupArguments {
    QString direction;
    QString cameraNo;
    QString remoteNo;
    QString file;
    bool haveCamera = false;
    bool haveRemote = false;
    bool verify = true;
};

bool usageError(const QString& text) {
    CliContext::printUsageError(QStringLiteral("backup: ") + text);
    return false;
}

// "--name VALUE" or "--name=VALUE" at `i`; advances `i` past what it took.
bool takeOption(const QStringList& args, qsizetype& i, const QString& name, QString& value,
                bool& present, bool& missingValue) {
    const QString& arg = args[i];
    if (arg == name) {
        if (i + 1 >= args.size()) {
            missingValue = true;
            return true;
        }
        value = args[i + 1];
        present = true;
        i += 2;
        return true;
    }
    if (arg.startsWith(name + QLatin1Char('='))) {
        value = arg.mid(name.size() + 1);
        present = true;
        i += 1;
        return true;
    }
    return false;
}

bool parseOptions(const QStringList& args, BackupArguments& parsed) {
    for (qsizetype i = 1; i < args.size();) {
        bool missingValue = false;
        if (takeOption(args, i, QStringLiteral("--camera"), parsed.cameraNo, parsed.haveCamera,
                       missingValue) ||
            takeOption(args, i, QStringLiteral("--remote"), parsed.remoteNo, parsed.haveRemote,
                       missingValue)) {
            if (missingValue)
                return usageError(args[i] + QStringLiteral(" needs a value"));
            continue;
        }
        const QString& arg = args[i++];
        if (arg == QStringLiteral("--no-verify") && parsed.direction == kUpload)
            parsed.verify = false;
        else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1)
            return usageError(QStringLiteral("unknown option '%1'").arg(arg));
        else if (!parsed.file.isEmpty())
            return usageError(QStringLiteral("only one FILE may be given"));
        else
            parsed.file = arg;
    }
    return true;
}

bool parseArguments(const QStringList& args, BackupArguments& parsed) {
    if (args.isEmpty() || (args[0] != kDownload && args[0] != kUpload))
        return usageError(QStringLiteral("download or upload expected"));
    parsed.direction = args[0];
    if (!parseOptions(args, parsed))
        return false;
    if (!parsed.haveCamera || !parsed.haveRemote)
        return usageError(QStringLiteral("--camera N and --remote N are required"));
    if (parsed.file.isEmpty())
        return usageError(QStringLiteral("FILE is required"));
    return true;
}

// Draws the transfer dialog's progress as a bar on stderr, one line per phase. A phase ends
// complete when the next begins (the last upload ACK adds no step before verification).
void connectProgress(CliContext& context, BackupTransfer& transfer) {
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

int runTransfer(CliContext& context, const BackupArguments& parsed) {
    CliLink link(context);
    if (!link.open())
        return ExitFailed;
    BackupTransfer transfer(link.engine(), context.language(), context.messages());
    transfer.setAddress(parsed.cameraNo, parsed.remoteNo);
    transfer.setVerify(parsed.verify);
    connectProgress(context, transfer);
    transfer.onFinished = [&context, &link](bool completed) {
        context.finishProgress();
        link.finish(completed ? ExitOk : ExitFailed);
    };
    const bool started = parsed.direction == kDownload ? transfer.startDownload(parsed.file)
                                                       : transfer.startUpload(parsed.file);
    if (!started)
        return ExitFailed;
    const int exitCode = link.exec();
    if (exitCode == ExitOk) {
        const QString line = transfer.dialog().state().caption + QLatin1Char('\n');
        std::fputs(line.toLocal8Bit().constData(), stdout);
    }
    return exitCode;
}

int runBackup(CliContext& context, const QStringList& args) {
    BackupArguments parsed;
    if (!parseArguments(args, parsed))
        return ExitUsage;
    if (!context.loadSettings(false))
        return ExitFailed;
    if (!NumberBox::checkRemoteNo(context.messages(), context.language(), parsed.remoteNo) ||
        !NumberBox::checkCameraNo(context.messages(), context.language(), parsed.cameraNo))
        return ExitFailed;
    return runTransfer(context, parsed);
}

const CommandRegistrar registrar{
    {QStringLiteral("backup"),
     QStringLiteral("backup download --camera N --remote N FILE\n"
                    "  backup upload [--no-verify] --camera N --remote N FILE"),
     &runBackup}};

} // namespace

} // namespace zel::cli

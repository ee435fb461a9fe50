#include "CliTransferRun.h"

#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "link/TransferDialogModel.h"

namespace zel::cli {

int RunTransfer(CliContext& context, CliLink& link, const TransferRun& run) {
    run.onFinished = [&context, &link, failed = run.failedExit](bool completed) {
        context.finishProgress();
        link.finish(completed ? int(ExitOk) : failed);
    };
    TransferDialogModel& dialog = run.dialog;
    link.onInterrupted = [&dialog] {
        if (dialog.isOpen())
            dialog.close(); // as Cancel: files closed, what arrived kept
    };
    if (!run.start())
        return run.failedExit;
    const int exitCode = link.exec();
    link.onInterrupted = {};
    run.onFinished = {};
    if (link.interruptedBy() != 0 && run.interruptionLine) {
        if (const QString line = run.interruptionLine(); !line.isEmpty())
            CliContext::printUsageError(line);
    }
    return exitCode;
}

} // namespace zel::cli

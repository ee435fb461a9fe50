#pragma once
// One transfer on an open link until it ends, as every zelctl transfer runs it: the
// transfer's end finishes the progress bar and the run, a signal stops it as its dialog's
// Cancel would, and the line saying what an interruption left behind follows the run.
#include <QString>
#include <functional>

namespace zel {
class TransferDialogModel;
}

namespace zel::cli {

class CliContext;
class CliLink;

struct TransferRun {
    TransferDialogModel& dialog;
    // The transfer's own "finished" callback, which the run takes over.
    std::function<void(bool completed)>& onFinished;
    // Starts the transfer; false when it ended at once (its message is shown).
    std::function<bool()> start;
    // What an interruption left behind, one line on stderr; none when empty.
    std::function<QString()> interruptionLine;
    // The exit code of a transfer that ended without completing.
    int failedExit = 1;
};

// ExitOk when the transfer completed; `failedExit` when it ended early or did not start;
// 128 + the signal when one stopped it.
int RunTransfer(CliContext& context, CliLink& link, const TransferRun& run);

} // namespace zel::cli

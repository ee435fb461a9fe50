#pragma once
// State of the transfer dialog (frmTransMit): two groups, in progress (0) and completed (1),
// each with a progress bar and four labels (0..2 fixed captions, 3 filled by the transfer).
// Transfers write the state and call changed(); the GUI window and the CLI progress bar
// render it. Closing, by the user's Cancel/Close or by a transfer that ended, runs the
// engine's unload rule once.
#include "common/TransferProgress.h"

#include <QElapsedTimer>
#include <QString>
#include <array>
#include <functional>

namespace zel {

class LinkEngine;
class LanguageTables;

struct TransferDialogState {
    QString caption;
    QString cancelCaption;          // CommandCancel
    QString closeCaption;           // CommandEnd
    int visibleFrame = 0;           // 0: in progress, 1: completed
    std::array<QString, 4> labels1; // LabelTransMit1
    std::array<QString, 4> labels2; // LabelTransMit2
    int progressMax = 100;          // ProgressBarTransMit
    int progressValue = 0;
    int endMax = 100; // ProgressBarEnd
    int endValue = 0;
    QString phase; // what the bar counts now; empty until the transfer has set its total
    ProgressUnit unit = ProgressUnit::Blocks;
    int languageIndex = 0; // of the texts loaded

    // Whole percent of the progress bar (100 when it has no maximum).
    int percent() const { return progressMax > 0 ? progressValue * 100 / progressMax : 100; }
};

class TransferDialogModel {
public:
    explicit TransferDialogModel(LinkEngine& engine);

    // Load: captions of the current language, group 0 shown, group 1 hidden. The dialog
    // counts as open from here until close().
    void load(const LanguageTables& language);
    bool isOpen() const { return m_open; }
    void setOpen() { m_open = true; }

    TransferDialogState& state() { return m_state; }
    const TransferDialogState& state() const { return m_state; }
    void changed();
    // The bar as data (without times: the renderer stamps them from its clock).
    TransferProgress progress() const;
    // The bar with its phase's elapsed and remaining time on `clock`.
    TransferProgress timedProgress();

    // Closes the dialog (Cancel, Close, close box, or a transfer that ended) and runs the
    // unload rule once.
    void close();

    std::function<void()> onChanged; // repaint
    std::function<void()> onClosed;  // hide the window / stop the CLI's event loop
    // Milliseconds on a steady clock; tests set a manual one.
    std::function<qint64()> clock;

private:
    LinkEngine& m_engine;
    TransferDialogState m_state;
    bool m_open = false;
    QElapsedTimer m_since;
    ProgressEstimate m_estimate;
};

} // namespace zel

#pragma once
// What a long operation has done, as data: done of total in a named unit within a phase,
// with the time it took so far and the time it still needs. Transfer controllers publish it;
// the transfer dialog and zelctl render it each their own way.
#include <QString>
#include <QtGlobal>

namespace zel {

enum class ProgressUnit { Blocks, Titles, Cameras, Rows, Steps };

struct TransferProgress {
    QString phase; // "In saving", "Verify": in the current language; empty before a phase
    int done = 0;
    int total = 0;
    ProgressUnit unit = ProgressUnit::Blocks;
    qint64 elapsedMs = 0;
    qint64 remainingMs = -1; // -1 while nothing is done to judge the pace by

    bool started() const { return !phase.isEmpty() && total > 0; }
    // Whole percent, 0..100.
    int percent() const;
};

// Times the phases of one operation from the caller's clock: a phase begins when the phase
// text or the total changes, or when fewer are done than before (the count was cleared).
// The time left is the pace so far applied to what is left.
class ProgressEstimate {
public:
    // `progress` with its phase's elapsed time and estimated remaining time at `nowMs`.
    TransferProgress stamp(TransferProgress progress, qint64 nowMs);

private:
    QString m_phase;
    int m_total = -1;
    int m_done = 0;
    qint64 m_startMs = 0;
};

// "m:ss", or "h:mm:ss" from an hour on, to the nearest second.
QString FormatDuration(qint64 ms);

} // namespace zel

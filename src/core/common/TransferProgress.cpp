#include "TransferProgress.h"

#include <algorithm>

namespace zel {

int TransferProgress::percent() const {
    if (total <= 0)
        return 0;
    return static_cast<int>(static_cast<qint64>(std::clamp(done, 0, total)) * 100 / total);
}

TransferProgress ProgressEstimate::stamp(TransferProgress progress, qint64 nowMs) {
    if (progress.phase != m_phase || progress.total != m_total || progress.done < m_done) {
        m_phase = progress.phase;
        m_total = progress.total;
        m_startMs = nowMs;
    }
    m_done = progress.done;
    progress.elapsedMs = std::max<qint64>(0, nowMs - m_startMs);
    if (progress.done >= progress.total)
        progress.remainingMs = 0;
    else if (progress.done > 0)
        progress.remainingMs =
            progress.elapsedMs * (progress.total - progress.done) / progress.done;
    else
        progress.remainingMs = -1;
    return progress;
}

QString FormatDuration(qint64 ms) {
    const qint64 seconds = std::max<qint64>(0, (ms + 500) / 1000);
    const qint64 hours = seconds / 3600;
    const QString minSec = QStringLiteral("%1:%2")
                               .arg(hours > 0 ? (seconds / 60) % 60 : seconds / 60,
                                    hours > 0 ? 2 : 1, 10, QLatin1Char('0'))
                               .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return hours > 0 ? QStringLiteral("%1:%2").arg(hours).arg(minSec) : minSec;
}

} // namespace zel

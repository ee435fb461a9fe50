#include "FlashWriteClock.h"

#include "common/TransferProgress.h"

#include "BootFrame.h"
#include "FlashWriter.h"

#include <algorithm>
#include <cmath>

namespace zel {

double FlashWriteClock::nominalBlockMs() {
    return (kFrameBytes + kReplyBytes) * kByteMs + FlashWriter::kReplyPauseMs;
}

void FlashWriteClock::start(qint64 nowMs) {
    m_started = true;
    m_startMs = nowMs;
    m_blocksStartMs = -1;
}

void FlashWriteClock::note(qint64 nowMs, const FlashWriter& writer) {
    if (writer.WriteState() == FlashWriter::StateBlocks && m_blocksStartMs < 0)
        m_blocksStartMs = nowMs;
}

qint64 FlashWriteClock::remainingMs(qint64 nowMs, const FlashWriter& writer) const {
    const int state = writer.WriteState();
    if (!m_started || state == FlashWriter::StateIdle)
        return 0;
    const int blocksDone = state == FlashWriter::StateBlocks ? writer.BlockNo() : 0;
    double perBlock = nominalBlockMs();
    if (state == FlashWriter::StateBlocks && m_blocksStartMs >= 0 &&
        blocksDone >= kMeasuredAfterBlocks)
        perBlock = double(nowMs - m_blocksStartMs) / blocksDone;
    double remaining = (BootFrame::BlockCount - blocksDone) * perBlock;
    if (state < FlashWriter::StateBlocks) {
        const int bootLeft = state <= FlashWriter::StateErase
                                 ? SRecordImage::kBootImageSize
                                 : SRecordImage::kBootImageSize - writer.BootIndex();
        remaining += FlashWriter::kBootStartPauseMs + bootLeft * 2 * kByteMs;
    }
    return qint64(std::llround(std::max(0.0, remaining)));
}

QString FlashWriteClock::formatDuration(qint64 ms) {
    return FormatDuration(ms);
}

} // namespace zel

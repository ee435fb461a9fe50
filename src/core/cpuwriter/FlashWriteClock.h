#pragma once
// Elapsed time of a flash write and an estimate of the time left, for the progress shown
// during the write. Until enough blocks are written the estimate comes from the wire time
// at 19200 bit/s 8N1 and the documented waits; then from the blocks' measured pace.
#include <QString>
#include <QtGlobal>

namespace zel {

class FlashWriter;

class FlashWriteClock {
public:
    static constexpr double kByteMs = 10.0 * 1000.0 / 19200.0; // one 8N1 byte
    static constexpr int kFrameBytes = 139; // a block frame with one doubled 0x10 on average
    static constexpr int kReplyBytes = 10;
    static constexpr int kMeasuredAfterBlocks = 16;

    void start(qint64 nowMs);
    // Called whenever the writer changes; notes when the block phase begins.
    void note(qint64 nowMs, const FlashWriter& writer);

    qint64 elapsedMs(qint64 nowMs) const { return m_started ? nowMs - m_startMs : 0; }
    qint64 remainingMs(qint64 nowMs, const FlashWriter& writer) const;

    // "m:ss" (or "h:mm:ss").
    static QString formatDuration(qint64 ms);
    // The nominal time of one block: frame and reply on the wire plus the 6-ms reply wait.
    static double nominalBlockMs();

private:
    bool m_started = false;
    qint64 m_startMs = 0;
    qint64 m_blocksStartMs = -1;
};

} // namespace zel

#pragma once
// Gathers line bytes into command frames. Bytes before a start byte are skipped; a start
// byte whose frame does not end in FF FF is taken for garbage and the search goes on from
// the next start byte, so a torn frame never hides the frame after it.
#include "DeviceFrame.h"

#include <QByteArray>
#include <QList>

namespace zel::sim {

class DeviceFrameReader {
public:
    // Appends bytes and returns every frame completed by them, in order. Frames with a bad
    // checksum are returned too (checksumOk false): the device refuses them.
    QList<DeviceFrame> feed(const QByteArray& bytes);
    void clear();
    qsizetype pendingBytes() const { return m_buffer.size(); }
    qint64 skippedBytes() const { return m_skipped; }

private:
    enum class Candidate { Incomplete, Broken, Complete };
    Candidate inspect(qsizetype start) const;
    qsizetype findLaterGoodFrame() const;
    void drop(qsizetype count);
    DeviceFrame take(qsizetype length);

    QByteArray m_buffer;
    qint64 m_skipped = 0;
};

} // namespace zel::sim

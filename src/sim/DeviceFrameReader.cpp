#include "DeviceFrameReader.h"

namespace zel::sim {

namespace {

int byteAt(const QByteArray& bytes, qsizetype index) {
    return static_cast<unsigned char>(bytes.at(index));
}

int decimalNibble(int value) {
    return value <= 9 ? value : -1;
}

// Three decimal digits, or -1 when any of them is not 0..9.
int decimalNumber(int hundreds, int tens, int units) {
    if (decimalNibble(hundreds) < 0 || decimalNibble(tens) < 0 || decimalNibble(units) < 0)
        return -1;
    return hundreds * 100 + tens * 10 + units;
}

} // namespace

unsigned char frameChecksum(const char* bytes, qsizetype count) {
    unsigned char sum = 0;
    for (qsizetype i = 0; i < count; ++i)
        sum ^= static_cast<unsigned char>(bytes[i]);
    return sum ^ 0xFF;
}

QList<DeviceFrame> DeviceFrameReader::feed(const QByteArray& bytes) {
    m_buffer.append(bytes);
    QList<DeviceFrame> frames;
    while (!m_buffer.isEmpty()) {
        const qsizetype start = m_buffer.indexOf(static_cast<char>(FrameStart));
        if (start < 0) {
            drop(m_buffer.size());
            break;
        }
        drop(start);
        const Candidate candidate = inspect(0);
        if (candidate == Candidate::Broken) {
            drop(1);
            continue;
        }
        if (candidate == Candidate::Incomplete) {
            // A stray start byte may announce a long frame that never comes; a complete
            // good frame behind it wins.
            const qsizetype later = findLaterGoodFrame();
            if (later < 0)
                break;
            drop(later);
            continue;
        }
        frames.append(take(byteAt(m_buffer, 1) + 1));
    }
    return frames;
}

void DeviceFrameReader::clear() {
    m_skipped += m_buffer.size();
    m_buffer.clear();
}

DeviceFrameReader::Candidate DeviceFrameReader::inspect(qsizetype start) const {
    if (m_buffer.size() - start < 2)
        return Candidate::Incomplete;
    const int length = byteAt(m_buffer, start + 1);
    if (length < FrameMinLength)
        return Candidate::Broken;
    const qsizetype total = length + 1;
    if (m_buffer.size() - start < total)
        return Candidate::Incomplete;
    if (byteAt(m_buffer, start + total - 2) != FrameEnd ||
        byteAt(m_buffer, start + total - 1) != FrameEnd)
        return Candidate::Broken;
    return Candidate::Complete;
}

qsizetype DeviceFrameReader::findLaterGoodFrame() const {
    for (qsizetype at = m_buffer.indexOf(static_cast<char>(FrameStart), 1); at > 0;
         at = m_buffer.indexOf(static_cast<char>(FrameStart), at + 1)) {
        if (inspect(at) != Candidate::Complete)
            continue;
        const qsizetype total = byteAt(m_buffer, at + 1) + 1;
        const unsigned char sum = frameChecksum(m_buffer.constData() + at, total - 3);
        if (sum == byteAt(m_buffer, at + total - 3))
            return at;
    }
    return -1;
}

void DeviceFrameReader::drop(qsizetype count) {
    if (count <= 0)
        return;
    m_skipped += count;
    m_buffer.remove(0, count);
}

DeviceFrame DeviceFrameReader::take(qsizetype total) {
    DeviceFrame frame;
    frame.raw = m_buffer.left(total);
    m_buffer.remove(0, total);
    const QByteArray& raw = frame.raw;
    frame.address = raw.mid(2, 3);
    frame.camera = decimalNumber(byteAt(raw, 2) >> 4, byteAt(raw, 2) & 0x0F, byteAt(raw, 3) >> 4);
    frame.request = byteAt(raw, 3) & 0x0F;
    const int remoteTens = decimalNibble(byteAt(raw, 4) >> 4);
    const int remoteUnits = decimalNibble(byteAt(raw, 4) & 0x0F);
    frame.remote = (remoteTens < 0 || remoteUnits < 0) ? -1 : remoteTens * 10 + remoteUnits;
    frame.data = raw.mid(5, total - FrameOverhead);
    frame.checksumOk = frameChecksum(raw.constData(), total - 3) == byteAt(raw, total - 3);
    return frame;
}

} // namespace zel::sim

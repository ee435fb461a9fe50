#include "BootCpuSim.h"

#include "cpuwriter/BootFrame.h"

namespace zel::sim {

namespace {
constexpr quint8 kMatch = 0x00;
constexpr quint8 kErase = 0x55;
constexpr quint8 kReady = 0xAA;
constexpr quint8 kEraseError = 0xFF;
constexpr int kBlockContentSize = 4 + BootFrame::BlockSize;

SimOutput single(quint8 byte, int gapMs = 0) {
    return SimOutput{QByteArray(1, char(byte)), gapMs};
}
} // namespace

BootCpuSim::BootCpuSim(const BootCpuFaults& faults)
    : m_faults(faults), m_flash(FlashSize, char(0xFF)) {}

QList<SimOutput> BootCpuSim::receive(const QByteArray& bytes, qint64 nowMs) {
    Q_UNUSED(nowMs);
    if (m_received.size() < ReceivedLogLimit)
        m_received.append(bytes.left(ReceivedLogLimit - m_received.size()));
    QList<SimOutput> out;
    for (const char byte : bytes) {
        switch (m_phase) {
        case Phase::Matching:
            matchingByte(quint8(byte), out);
            break;
        case Phase::Boot:
            bootByte(quint8(byte), out);
            break;
        case Phase::Running:
            runningByte(quint8(byte), out);
            break;
        }
    }
    if (m_faults.noCpu)
        out.clear();
    return out;
}

// Every 0x00 is answered (the writer drops unread input before each byte it sends); the
// erase result comes only after the erase time, so that answers to 0x00 bytes still on their
// way never reach the writer in one read together with it.
void BootCpuSim::matchingByte(quint8 byte, QList<SimOutput>& out) {
    if (byte == kMatch) {
        out.append(single(kMatch));
    } else if (byte == kErase) {
        if (m_faults.eraseError) {
            out.append(single(kEraseError, EraseMs));
            return;
        }
        m_flash.fill(char(0xFF));
        m_boot.clear();
        m_phase = Phase::Boot;
        out.append(single(kReady, EraseMs));
    }
}

void BootCpuSim::bootByte(quint8 byte, QList<SimOutput>& out) {
    m_boot.append(char(byte));
    out.append(single(byte));
    if (m_boot.size() < 2)
        return;
    const int length = quint8(m_boot[0]) * 256 + quint8(m_boot[1]);
    if (m_boot.size() < 2 + length)
        return;
    m_phase = Phase::Running;
    m_parser.reset();
    out.append(single(kReady, BootStartMs)); // the boot program has started
}

void BootCpuSim::runningByte(quint8 byte, QList<SimOutput>& out) {
    switch (m_parser.feed(byte)) {
    case BootFrameParser::Result::Frame:
        handleBlock(m_parser.content(), out);
        break;
    case BootFrameParser::Result::Error:
        ++m_badFrames;
        break;
    case BootFrameParser::Result::Pending:
        break;
    }
}

void BootCpuSim::handleBlock(const QByteArray& content, QList<SimOutput>& out) {
    const bool wellFormed = content.size() == kBlockContentSize &&
                            quint8(content[0]) == BootFrame::BlockKind &&
                            quint8(content[1]) == BootFrame::BlockLength;
    const int block = wellFormed ? quint8(content[2]) * 256 + quint8(content[3]) : -1;
    if (block < 0 || block >= BootFrame::BlockCount) {
        ++m_badFrames;
        return;
    }
    if (m_faults.silentAfterBlock >= 0 && block > m_faults.silentAfterBlock)
        return;
    if (block == m_faults.writeErrorBlock) {
        out.append(reply(BootFrame::CodeWriteError));
        return;
    }
    const QByteArray data = content.mid(4);
    std::copy(data.cbegin(), data.cend(),
              m_flash.begin() + qsizetype(block) * BootFrame::BlockSize);
    ++m_blocksWritten;
    if (block == m_faults.busyBlock)
        for (int i = 0; i < m_faults.busyCount; ++i)
            out.append(reply(BootFrame::CodeBusy));
    out.append(reply(block, block == m_faults.badChecksumBlock));
    if (block == BootFrame::BlockCount - 1) {
        m_completed = true;
        if (onCompleted)
            onCompleted();
    }
}

SimOutput BootCpuSim::reply(int code, bool badChecksum) {
    QByteArray frame = EncodeBootFrame(ReplyFrameContent(code));
    if (badChecksum)
        frame[frame.size() - 1] = char(quint8(frame[frame.size() - 1]) + 1);
    return SimOutput{frame, 0};
}

} // namespace zel::sim

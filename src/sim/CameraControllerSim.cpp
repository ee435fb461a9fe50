#include "CameraControllerSim.h"

#include <QString>
#include <algorithm>

namespace zel::sim {

namespace {

enum Command : int {
    CmdPosition = 0x10,
    CmdPositionSet = 0x11,
    CmdPositionClear = 0x12,
    CmdGo = 0x14,
    CmdNow = 0x15,
    CmdMove = 0x20,
    CmdStop = 0x40,
    CmdTitle = 0xB1,
    CmdBackup = 0xC1,
};

enum ReplyByte : unsigned char { Ack = 0x06, Nack = 0x15, Busy = 0x00, DataStart = 0xFD };

constexpr int TitleReadSize = 4;
constexpr int TitleWriteSize = 4 + CameraUnit::TitleBytes;
constexpr int BackupReadSize = 3;
constexpr int BackupWriteSize = 3 + CameraUnit::BlockSize;

// Data lengths (command code included) of the commands answered with ACK.
int ackCommandSize(int command, qsizetype size) {
    switch (command) {
    case CmdMove:
        return (size == 2 || size == 6) ? int(size) : 6;
    case 0x88:
    case 0x89:
    case CmdStop:
    case 0x4A:
        return 1;
    case 0x62:
    case 0xA8:
    case 0x48:
    case 0x49:
    case 0x4C:
    case 0x4D:
    case 0x21:
    case 0x22:
    case 0x42:
    case 0x43:
        return 2;
    case 0x30:
    case 0x6E:
    case 0x41:
    case CmdPosition:
    case CmdPositionSet:
    case CmdPositionClear:
        return 3;
    case 0xA9:
        return 4;
    case CmdGo:
        return 9;
    default:
        return -1;
    }
}

int byteOf(const QByteArray& bytes, qsizetype index) {
    return static_cast<unsigned char>(bytes.at(index));
}

// Packed decimal: two digits per byte, high digit first; -1 on a non-decimal nibble.
int packedDecimal(const QByteArray& bytes, qsizetype from, int byteCount) {
    int value = 0;
    for (int i = 0; i < byteCount; ++i) {
        const int b = byteOf(bytes, from + i);
        if ((b >> 4) > 9 || (b & 0x0F) > 9)
            return -1;
        value = value * 100 + (b >> 4) * 10 + (b & 0x0F);
    }
    return value;
}

int word(const QByteArray& bytes, qsizetype from) {
    return (byteOf(bytes, from) << 8) | byteOf(bytes, from + 1);
}

void appendWord(QByteArray& bytes, int value) {
    bytes.append(static_cast<char>((value >> 8) & 0xFF));
    bytes.append(static_cast<char>(value & 0xFF));
}

// Three decimal digits in the nibbles "d1 d2 | d3 0" (position and title numbers); -1 when
// a digit is not decimal or the last nibble is not 0.
int threeDigitNumber(const QByteArray& bytes, qsizetype from) {
    const int high = byteOf(bytes, from);
    const int low = byteOf(bytes, from + 1);
    if ((high >> 4) > 9 || (high & 0x0F) > 9 || (low >> 4) > 9 || (low & 0x0F) != 0)
        return -1;
    return (high >> 4) * 100 + (high & 0x0F) * 10 + (low >> 4);
}

// Block number (C1) or title number (B1) a fault rule may select; -1 for other commands.
int frameNumber(const DeviceFrame& frame) {
    if (frame.command() == CmdBackup && frame.data.size() >= 3)
        return word(frame.data, 1);
    if (frame.command() == CmdTitle && frame.data.size() >= 4)
        return threeDigitNumber(frame.data, 2);
    return -1;
}

QString spacedHex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace

struct CameraControllerSim::Answer {
    enum class Kind { Ack, Nack, Data };
    Kind kind = Kind::Nack;
    QByteArray payload;

    static Answer ack() { return {Kind::Ack, {}}; }
    static Answer nack() { return {Kind::Nack, {}}; }
    static Answer data(QByteArray payload) { return {Kind::Data, std::move(payload)}; }
};

CameraControllerSim::CameraControllerSim(int cameraCount, quint32 seed) : m_random(seed) {
    const int count = std::clamp(cameraCount, 0, MaxCameraCount);
    for (int no = 1; no <= count; ++no)
        m_cameras.push_back(std::make_unique<CameraUnit>(no));
}

CameraControllerSim::~CameraControllerSim() = default;

bool CameraControllerSim::hasCamera(int cameraNo) const {
    return cameraNo >= 1 && cameraNo <= cameraCount();
}

CameraUnit& CameraControllerSim::camera(int cameraNo) {
    Q_ASSERT(hasCamera(cameraNo));
    return *m_cameras.at(std::size_t(cameraNo - 1));
}

void CameraControllerSim::resetCounters() {
    m_frameCounts.clear();
    m_framesReceived = 0;
    m_badChecksumFrames = 0;
}

QList<SimOutput> CameraControllerSim::receive(const QByteArray& bytes, qint64 nowMs) {
    if (m_reader.pendingBytes() > 0 && nowMs - m_lastByteMs > PartialFrameTimeoutMs)
        m_reader.clear();
    m_lastByteMs = nowMs;
    QList<SimOutput> outputs;
    for (const DeviceFrame& frame : m_reader.feed(bytes))
        outputs.append(answerFrame(frame, nowMs));
    return outputs;
}

QList<SimOutput> CameraControllerSim::answerFrame(const DeviceFrame& frame, qint64 nowMs) {
    ++m_framesReceived;
    if (frame.checksumOk)
        ++m_frameCounts[frame.command()];
    else
        ++m_badChecksumFrames;
    // Camera 0 is a broadcast nobody answers; an absent camera is not on the line.
    if (!hasCamera(frame.camera)) {
        trace(frame, {}, "no such camera, silent");
        return {};
    }
    const int command = frame.command();
    const int number = frameNumber(frame);
    QByteArray reply;
    if (!frame.checksumOk) {
        reply = QByteArray(1, char(Nack));
    } else if (m_faults.take(FaultKind::Busy, command, number, m_random)) {
        reply = QByteArray(1, char(Busy));
    } else if (m_faults.take(FaultKind::Nack, command, number, m_random)) {
        reply = QByteArray(1, char(Nack));
    } else {
        const Answer answer = execute(frame, nowMs);
        if (m_faults.take(FaultKind::Drop, command, number, m_random)) {
            trace(frame, {}, "reply dropped");
            return {};
        }
        reply = encodeAnswer(answer, frame);
    }
    trace(frame, reply, nullptr);
    return shapeOutput(reply, command, number);
}

CameraControllerSim::Answer CameraControllerSim::execute(const DeviceFrame& frame, qint64 nowMs) {
    if (frame.remote < 1 || frame.data.isEmpty())
        return Answer::nack();
    CameraUnit& unit = camera(frame.camera);
    const int command = frame.command();
    switch (command) {
    case CmdNow:
        return executeNow(unit, frame, nowMs);
    case CmdTitle:
        return executeTitle(unit, frame);
    case CmdBackup:
        return executeBackup(unit, frame);
    default:
        break;
    }
    // Every other known command expects an ACK: no data reply may be asked for.
    if (frame.request != 0 || ackCommandSize(command, frame.data.size()) != frame.data.size())
        return Answer::nack();
    switch (command) {
    case CmdMove:
        return executeMove(unit, frame, nowMs);
    case CmdGo:
        return executeGo(unit, frame, nowMs);
    case CmdPosition:
    case CmdPositionSet:
    case CmdPositionClear:
        return executePreset(unit, frame, nowMs);
    case CmdStop:
        unit.stop(nowMs);
        return Answer::ack();
    default:
        return Answer::ack();
    }
}

CameraControllerSim::Answer
CameraControllerSim::executeMove(CameraUnit& unit, const DeviceFrame& frame, qint64 nowMs) {
    MoveOrder order;
    order.bits = frame.dataByte(1);
    if (frame.data.size() == 6) {
        order.panSpeed = frame.dataByte(2) & 0x7F; // 0x80: acceleration off
        order.tiltSpeed = frame.dataByte(3) & 0x7F;
        order.zoomSpeed = frame.dataByte(4);
    }
    unit.move(order, nowMs);
    return Answer::ack();
}

CameraControllerSim::Answer CameraControllerSim::executeGo(CameraUnit& unit,
                                                           const DeviceFrame& frame, qint64 nowMs) {
    // 14, PAN and TILT packed decimal (4 digits each), ZOOM and D-ZOOM binary words.
    CameraPosition target;
    target.pan = packedDecimal(frame.data, 1, 2);
    target.tilt = packedDecimal(frame.data, 3, 2);
    target.zoom = word(frame.data, 5);
    target.dZoom = word(frame.data, 7);
    return unit.goTo(target, nowMs) ? Answer::ack() : Answer::nack();
}

CameraControllerSim::Answer
CameraControllerSim::executePreset(CameraUnit& unit, const DeviceFrame& frame, qint64 nowMs) {
    const int presetNo = threeDigitNumber(frame.data, 1);
    if (presetNo < 0 || presetNo > 255)
        return Answer::nack();
    if (frame.command() == CmdPosition)
        unit.recallPreset(presetNo, nowMs);
    else if (frame.command() == CmdPositionSet)
        unit.storePreset(presetNo, nowMs);
    else
        unit.clearPreset(presetNo);
    return Answer::ack();
}

CameraControllerSim::Answer
CameraControllerSim::executeNow(CameraUnit& unit, const DeviceFrame& frame, qint64 nowMs) {
    if (frame.request != 1 || frame.data.size() != 1)
        return Answer::nack();
    const CameraPosition position = unit.position(nowMs);
    QByteArray payload(1, char(CmdNow));
    appendWord(payload, position.pan);
    appendWord(payload, position.tilt);
    appendWord(payload, position.zoom);
    appendWord(payload, position.dZoom);
    return Answer::data(payload);
}

CameraControllerSim::Answer CameraControllerSim::executeTitle(CameraUnit& unit,
                                                              const DeviceFrame& frame) {
    const bool read = frame.data.size() == TitleReadSize && frame.request == 1;
    const bool write = frame.data.size() == TitleWriteSize && frame.request == 0;
    if (!read && !write)
        return Answer::nack();
    const int category = frame.dataByte(1);
    const int titleNo = threeDigitNumber(frame.data, 2);
    if (CameraUnit::titleIndex(category, titleNo) < 0)
        return Answer::nack();
    if (write) {
        unit.setTitleCodes(category, titleNo, frame.data.mid(TitleReadSize));
        return Answer::ack();
    }
    return Answer::data(frame.data.left(TitleReadSize) + unit.titleCodes(category, titleNo));
}

CameraControllerSim::Answer CameraControllerSim::executeBackup(CameraUnit& unit,
                                                               const DeviceFrame& frame) {
    const bool read = frame.data.size() == BackupReadSize && frame.request == 1;
    const bool write = frame.data.size() == BackupWriteSize && frame.request == 0;
    if (!read && !write)
        return Answer::nack();
    const int blockNo = word(frame.data, 1);
    if (blockNo < 1 || blockNo > CameraUnit::BlockCount)
        return Answer::nack();
    if (write) {
        unit.writeBlock(blockNo, frame.data.mid(BackupReadSize));
        return Answer::ack();
    }
    return Answer::data(frame.data.left(BackupReadSize) + unit.block(blockNo));
}

QByteArray CameraControllerSim::encodeAnswer(const Answer& answer, const DeviceFrame& frame) {
    if (answer.kind == Answer::Kind::Ack)
        return QByteArray(1, char(Ack));
    if (answer.kind == Answer::Kind::Nack)
        return QByteArray(1, char(Nack));
    QByteArray reply;
    reply.append(char(DataStart));
    reply.append(char(frame.address.size() + answer.payload.size() + 4)); // + length, sum, end
    reply.append(frame.address);
    reply.append(answer.payload);
    reply.append(char(frameChecksum(reply.constData(), reply.size())));
    reply.append(QByteArray(2, char(FrameEnd)));
    const int command = frame.command();
    const int number = frameNumber(frame);
    if (m_faults.take(FaultKind::BadChecksum, command, number, m_random))
        reply[reply.size() - 3] = char(reply.at(reply.size() - 3) ^ 0xFF);
    if (m_faults.take(FaultKind::BadLength, command, number, m_random))
        reply[1] = char(reply.at(1) - 1);
    return reply;
}

QList<SimOutput> CameraControllerSim::shapeOutput(const QByteArray& reply, int command,
                                                  int number) {
    QList<SimOutput> outputs;
    if (const FaultRule* garbage = m_faults.take(FaultKind::Garbage, command, number, m_random)) {
        QByteArray noise;
        std::uniform_int_distribution<int> byteValue(0, 255);
        for (int i = 0; i < garbage->garbageBytes; ++i)
            noise.append(static_cast<char>(byteValue(m_random)));
        outputs.append({noise, 0});
    }
    const FaultRule* fragment = m_faults.take(FaultKind::Fragment, command, number, m_random);
    if (!fragment) {
        outputs.append({reply, 0});
        return outputs;
    }
    for (qsizetype at = 0; at < reply.size(); at += fragment->fragmentSize)
        outputs.append({reply.mid(at, fragment->fragmentSize), at == 0 ? 0 : fragment->gapMs});
    return outputs;
}

void CameraControllerSim::trace(const DeviceFrame& frame, const QByteArray& reply,
                                const char* note) {
    if (!onTrace)
        return;
    QString in = QStringLiteral("in  %1").arg(spacedHex(frame.raw));
    if (!frame.checksumOk)
        in += QStringLiteral(" (bad checksum)");
    onTrace(in);
    onTrace(note ? QStringLiteral("    (%1)").arg(QLatin1String(note))
                 : QStringLiteral("out %1").arg(spacedHex(reply)));
}

} // namespace zel::sim

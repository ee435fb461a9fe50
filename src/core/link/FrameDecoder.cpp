#include "FrameDecoder.h"

#include "CommLogStore.h"
#include "CommandMeaning.h"
#include "FrameCodec.h"
#include "MeaningJapanese.h"
#include "common/HexText.h"

namespace zel {

namespace {

constexpr qsizetype kAddressBytes = 3;
constexpr qsizetype kReplyCommandAt = 2 + kAddressBytes;
constexpr int kPositionCommand = 0x15;
constexpr int kTitleCommand = 0xB1;
constexpr int kBackupCommand = 0xC1;

int byteAt(const QByteArray& bytes, qsizetype index) {
    return static_cast<unsigned char>(bytes.at(index));
}

bool isDecimalByte(int value) {
    return (value >> 4) <= 9 && (value & 0x0F) <= 9;
}

struct SentFrame {
    int camera = -1;
    int remote = -1;
    bool checksumOk = false;
    QByteArray data;
};

// A command frame: FE, length, address, data, checksum, FF FF; nullopt when it is not one.
std::optional<SentFrame> parseSentFrame(const QString& text) {
    const std::optional<QByteArray> bytes = HexTextToBytes(text);
    if (!bytes || bytes->size() < frame::kCommandOverhead)
        return std::nullopt;
    const QByteArray& b = *bytes;
    const qsizetype n = b.size();
    if (byteAt(b, 0) != frame::kStart || byteAt(b, 1) != n - 1 || byteAt(b, n - 1) != frame::kEnd ||
        byteAt(b, n - 2) != frame::kEnd || !isDecimalByte(byteAt(b, 2)) ||
        (byteAt(b, 3) >> 4) > 9 || !isDecimalByte(byteAt(b, 4)))
        return std::nullopt;
    SentFrame parsed;
    parsed.camera = (byteAt(b, 2) >> 4) * 100 + (byteAt(b, 2) & 0x0F) * 10 + (byteAt(b, 3) >> 4);
    parsed.remote = (byteAt(b, 4) >> 4) * 10 + (byteAt(b, 4) & 0x0F);
    int sum = 0;
    for (qsizetype i = 0; i < n - 3; ++i)
        sum ^= byteAt(b, i);
    parsed.checksumOk = (sum ^ 0xFF) == byteAt(b, n - 3);
    parsed.data = b.mid(5, n - frame::kCommandOverhead);
    return parsed;
}

QString positionText(const QByteArray& reply) {
    // Fields after the command byte; the panel reads the first three as signed words and
    // D-ZOOM from its last three hex digits.
    const qsizetype at = kReplyCommandAt + 1;
    const auto field = [&](int k) {
        const int value = (byteAt(reply, at + 2 * k) << 8) | byteAt(reply, at + 2 * k + 1);
        return k == 3 ? value & 0x0FFF : (value >= 0x8000 ? value - 0x10000 : value);
    };
    return QStringLiteral("reply: position PAN %1 TILT %2 ZOOM %3 D-ZOOM %4")
        .arg(field(0))
        .arg(field(1))
        .arg(field(2))
        .arg(field(3));
}

} // namespace

FrameDecoder::FrameDecoder(int languageIndex)
    : m_titles(languageIndex), m_languageIndex(languageIndex) {}

void FrameDecoder::reset() {
    m_lastCommand = -1;
    m_lastCamera = -1;
}

QVector<DecodedFrame> FrameDecoder::decodeAll(const CommLogStore& store) {
    reset();
    QVector<DecodedFrame> decoded;
    decoded.reserve(store.count());
    for (int i = 0; i < store.count(); ++i)
        decoded.append(decode(store.entry(i).unit, store.entry(i).data));
    return decoded;
}

FrameDirection FrameDecoder::unitDirection(const QString& unit, int* number) {
    struct Prefix {
        QLatin1StringView text;
        FrameDirection direction;
    };
    for (const Prefix& prefix : {Prefix{QLatin1StringView("HOST"), FrameDirection::Sent},
                                 Prefix{QLatin1StringView("CAMERA"), FrameDirection::Received}}) {
        if (!unit.startsWith(prefix.text, Qt::CaseInsensitive))
            continue;
        QString digits = unit.mid(prefix.text.size()).trimmed();
        if (digits.endsWith(QLatin1Char(':')))
            digits.chop(1);
        bool ok = false;
        const int value = digits.toInt(&ok);
        if (number)
            *number = ok ? value : -1;
        return prefix.direction;
    }
    if (number)
        *number = -1;
    return FrameDirection::Unknown;
}

QString FrameDecoder::replyWord(ReplyKind kind) {
    switch (kind) {
    case ReplyKind::Ack:
        return QStringLiteral("ACK");
    case ReplyKind::Nack:
        return QStringLiteral("NACK");
    case ReplyKind::Busy:
        return QStringLiteral("BUSY");
    default:
        return {};
    }
}

QString FrameDecoder::directionText(FrameDirection direction) {
    switch (direction) {
    case FrameDirection::Sent:
        return QStringLiteral("sent");
    case FrameDirection::Received:
        return QStringLiteral("received");
    default:
        return {};
    }
}

DecodedFrame FrameDecoder::decode(const QString& unit, const QString& data) {
    DecodedFrame decoded = decodeInEnglish(unit, data);
    if (m_languageIndex == 1)
        decoded.meaning = MeaningInJapanese(decoded.meaning);
    return decoded;
}

DecodedFrame FrameDecoder::decodeInEnglish(const QString& unit, const QString& data) {
    FrameDirection direction = unitDirection(unit);
    if (direction == FrameDirection::Unknown)
        direction = data.startsWith(QStringLiteral("FE"), Qt::CaseInsensitive)
                        ? FrameDirection::Sent
                        : FrameDirection::Received;
    if (direction == FrameDirection::Sent)
        return decodeSent(data);
    return decodeReceived(unit, data);
}

DecodedFrame FrameDecoder::decodeSent(const QString& data) {
    DecodedFrame decoded;
    decoded.direction = FrameDirection::Sent;
    const std::optional<SentFrame> sent = parseSentFrame(data);
    // Whatever went out, the next reply answers it.
    m_lastCommand = -1;
    m_lastCamera = -1;
    if (!sent) {
        decoded.meaning = QStringLiteral("not a frame");
        return decoded;
    }
    decoded.camera = m_lastCamera = sent->camera;
    decoded.command = m_lastCommand = sent->data.isEmpty() ? -1 : byteAt(sent->data, 0);
    decoded.meaning = QStringLiteral("CAM %1 ← REMOTE %2: %3")
                          .arg(sent->camera)
                          .arg(sent->remote)
                          .arg(DescribeCommand(sent->data, m_titles));
    if (!sent->checksumOk)
        decoded.meaning += QStringLiteral(" (checksum BAD)");
    return decoded;
}

DecodedFrame FrameDecoder::decodeReceived(const QString& unit, const QString& data) {
    DecodedFrame decoded;
    decoded.direction = FrameDirection::Received;
    int unitCamera = -1;
    unitDirection(unit, &unitCamera);
    decoded.camera = unitCamera >= 0 ? unitCamera : m_lastCamera;
    decoded.command = m_lastCommand;
    const ReplyKind kind = ClassifyReply(data.toUpper());
    decoded.meaning = replyWord(kind);
    if (!decoded.meaning.isEmpty())
        return decoded;
    if (kind != ReplyKind::Data)
        decoded.meaning = QStringLiteral("not a frame");
    else if (!ReplyChecksumOk(data))
        decoded.meaning = QStringLiteral("reply checksum BAD");
    else
        decoded.meaning = describeDataReply(*HexTextToBytes(data), decoded.command);
    return decoded;
}

QString FrameDecoder::describeDataReply(const QByteArray& reply, int& command) const {
    // FD, length, address, command, payload, checksum, FF FF.
    const qsizetype payloadEnd = reply.size() - 3;
    if (payloadEnd <= kReplyCommandAt)
        return QStringLiteral("reply: no data");
    command = byteAt(reply, kReplyCommandAt);
    const qsizetype payloadBytes = payloadEnd - kReplyCommandAt;
    const QByteArray payload = reply.mid(kReplyCommandAt, payloadBytes);
    if (command == kPositionCommand && payloadBytes == 9)
        return positionText(reply);
    if (command == kTitleCommand && payloadBytes == 20)
        return QStringLiteral("reply: title %1 %2")
            .arg(DescribeTitleAddress(payload, 1), DescribeTitleText(payload, 4, m_titles));
    if (command == kBackupCommand && payloadBytes == 35)
        return QStringLiteral("reply: backup block %1, 32 bytes").arg(BlockNumberText(payload, 1));
    return QStringLiteral("reply: %1, %2 data bytes").arg(CommandNameOf(command)).arg(payloadBytes);
}

} // namespace zel

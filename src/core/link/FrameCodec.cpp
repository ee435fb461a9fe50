#include "FrameCodec.h"

#include "common/HexText.h"

namespace zel {

namespace {

// A decimal number written with digits only (blanks around it allowed), or -1.
int strictDecimal(const QString& text, int maximum) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 6)
        return -1;
    int value = 0;
    for (const QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value <= maximum ? value : -1;
}

QString zeroPadded(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

// XOR of the byte values of the first `byteCount` pairs of `text`, then ^ 0xFF; -1 when a
// pair is missing or not hex.
int checksumOfPairs(const QString& text, int byteCount) {
    int sum = 0;
    for (int i = 0; i < byteCount; ++i) {
        const int value = HexByteAt(text, qsizetype(i) * 2);
        if (value < 0)
            return -1;
        sum ^= value;
    }
    return sum ^ 0xFF;
}

} // namespace

std::optional<QString> BuildCommandFrame(const CommSendRecord& record, const QString& dataHex) {
    const int camera = strictDecimal(record.CameraNo, frame::kMaxCameraNo);
    const int remote = strictDecimal(record.RemoteNo, frame::kMaxRemoteNo);
    if (camera < 0 || remote < 0 || dataHex.size() % 2 != 0 || !IsHexText(dataHex))
        return std::nullopt;
    const int dataBytes = static_cast<int>(dataHex.size() / 2);
    if (dataBytes > frame::kMaxDataBytes)
        return std::nullopt;

    const QString requestDigit =
        record.Request == QStringLiteral("True") ? QStringLiteral("1") : QStringLiteral("0");
    QString text = ByteToHex(frame::kStart) + ByteToHex(dataBytes + 7) + zeroPadded(camera, 3) +
                   requestDigit + zeroPadded(remote, 2) + dataHex.toUpper();
    text += ByteToHex(checksumOfPairs(text, 5 + dataBytes));
    text += ByteToHex(frame::kEnd) + ByteToHex(frame::kEnd);
    return text;
}

long long LeadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        if (value < 1'000'000'000'000LL)
            value = value * 10 + (text[i].unicode() - '0');
    }
    return value;
}

bool IsRawRecord(const CommSendRecord& record) {
    return LeadingNumber(record.Raw) != 0;
}

ReplyKind ClassifyReply(const QString& gathered) {
    if (gathered == kReplyAck)
        return ReplyKind::Ack;
    if (gathered == kReplyNack)
        return ReplyKind::Nack;
    if (gathered == kReplyBusy)
        return ReplyKind::Busy;
    return IsDataReply(gathered) ? ReplyKind::Data : ReplyKind::Incomplete;
}

bool IsDataReply(const QString& reply) {
    if (!reply.startsWith(QStringLiteral("FD"), Qt::CaseInsensitive) ||
        !reply.endsWith(QStringLiteral("FFFF"), Qt::CaseInsensitive))
        return false;
    const int length = HexByteAt(reply, 2);
    return length >= 0 && length == (reply.size() - 2) / 2;
}

bool ReplyChecksumOk(const QString& reply) {
    const int length = HexByteAt(reply, 2);
    // The checksum sits at byte L - 2 (the reply has L + 1 bytes); it needs the start byte,
    // the length byte and the two end bytes around it.
    if (length < 4 || reply.size() != qsizetype(length + 1) * 2)
        return false;
    const int received = HexByteAt(reply, qsizetype(length - 2) * 2);
    const int computed = checksumOfPairs(reply, length - 2);
    return received >= 0 && computed >= 0 && received == computed;
}

int ReplyByteAt(const QString& reply, int index) {
    if (index < 0)
        return -1;
    return HexByteAt(reply, qsizetype(index) * 2);
}

int ReplyByteCount(const QString& reply) {
    return static_cast<int>(reply.size() / 2);
}

QString CameraDigitsOfFrame(const QString& frameText) {
    const QString digits = frameText.mid(4, 3);
    return QString::number(LeadingNumber(digits));
}

} // namespace zel

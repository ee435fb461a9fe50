#include "SRecordParser.h"

namespace zel {

namespace {

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// Value of `count` hex characters at `pos`, or -1 when out of the line or not hex.
qint64 hexField(QStringView line, qsizetype pos, qsizetype count) {
    if (pos < 0 || count <= 0 || pos + count > line.size())
        return -1;
    qint64 value = 0;
    for (qsizetype i = pos; i < pos + count; ++i) {
        const int digit = hexDigit(line[i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

SRecord withKind(SRecordKind kind, int type = -1) {
    SRecord record;
    record.kind = kind;
    record.type = type;
    return record;
}

SRecord parseData(QStringView line, int type, qint64 count) {
    constexpr qsizetype kAddressStart = 4;
    const qsizetype addressChars = 2 * (type + 1); // S1 4, S2 6, S3 8
    const qint64 dataBytes = count - (type + 2);   // n - 3, n - 4, n - 5
    const qint64 address = hexField(line, kAddressStart, addressChars);
    const qsizetype dataStart = kAddressStart + addressChars;
    if (dataBytes < 0 || address < 0 || dataStart + 2 * dataBytes > line.size())
        return withKind(SRecordKind::Malformed, type);
    SRecord record = withKind(SRecordKind::Data, type);
    record.address = quint32(address);
    record.data.resize(dataBytes);
    for (qint64 j = 0; j < dataBytes; ++j) {
        const qint64 byte = hexField(line, dataStart + 2 * j, 2);
        if (byte < 0)
            return withKind(SRecordKind::Malformed, type);
        record.data[j] = char(byte);
    }
    return record;
}

} // namespace

SRecord ParseSRecord(QStringView line) {
    if (line.isEmpty() || line[0] != u'S')
        return withKind(SRecordKind::NotRecord);
    const qint64 type = hexField(line, 1, 1);
    const qint64 count = hexField(line, 2, 2);
    if (type < 0 || count < 0)
        return withKind(SRecordKind::Malformed, int(type));
    switch (type) {
    case 0:
        return withKind(SRecordKind::Header, 0);
    case 1:
    case 2:
    case 3:
        return parseData(line, int(type), count);
    case 7:
    case 8:
    case 9:
        return withKind(SRecordKind::Termination, int(type));
    default:
        return withKind(SRecordKind::Invalid, int(type));
    }
}

namespace {

// Why `record` of `line` cannot go into the image; empty when it can (or ends the data).
QString refusal(const QString& line, const SRecord& record, const SRecordWindow& window,
                const QByteArray& image) {
    if (line.size() < kMinSRecordLine)
        return QStringLiteral("too short for an S-record");
    if (record.kind == SRecordKind::Header || record.kind == SRecordKind::Termination)
        return {};
    if (record.kind == SRecordKind::NotRecord)
        return QStringLiteral("does not start with S");
    if (record.kind == SRecordKind::Malformed)
        return QStringLiteral("a field is not hexadecimal or runs past the end of the line");
    if (record.kind == SRecordKind::Invalid)
        return QStringLiteral("S%1 records are not taken").arg(line.mid(1, 1));
    const qint64 offset = qint64(record.address) - qint64(window.base);
    const qint64 count = record.data.size();
    const qint64 index = offset + window.indexOffset;
    if (offset < 0 || offset >= window.size || offset + count > window.size || index < 0 ||
        index + count > image.size())
        return QStringLiteral("address %1 lies outside %2 to %3")
            .arg(QString::number(record.address, 16).toUpper())
            .arg(QString::number(window.base, 16).toUpper())
            .arg(QString::number(qint64(window.base) + window.size - 1, 16).toUpper());
    return {};
}

} // namespace

bool Convert(const QStringList& lines, const SRecordWindow& window, QByteArray& image,
             QString* why) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const SRecord record = line.size() < kMinSRecordLine ? SRecord{} : ParseSRecord(line);
        if (const QString refused = refusal(line, record, window, image); !refused.isEmpty()) {
            if (why)
                *why = QStringLiteral("line %1: %2").arg(i + 1).arg(refused);
            return false;
        }
        if (record.kind == SRecordKind::Termination)
            return true;
        if (record.kind != SRecordKind::Data)
            continue;
        const qint64 index = qint64(record.address) - qint64(window.base) + window.indexOffset;
        std::copy(record.data.cbegin(), record.data.cend(), image.begin() + index);
    }
    if (why)
        *why = QStringLiteral("no end record (S7, S8 or S9) after line %1").arg(lines.size());
    return false;
}

} // namespace zel

#include "HexText.h"

namespace zel {

namespace {
int nibble(QChar c) {
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}
constexpr char kDigits[] = "0123456789ABCDEF";
} // namespace

QString BytesToHexText(const QByteArray& bytes) {
    QString text(bytes.size() * 2, Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto v = static_cast<unsigned char>(b);
        *out++ = QLatin1Char(kDigits[v >> 4]);
        *out++ = QLatin1Char(kDigits[v & 0x0F]);
    }
    return text;
}

int HexByteAt(const QString& text, qsizetype pos) {
    if (pos < 0 || pos + 1 >= text.size())
        return -1;
    const int hi = nibble(text[pos]);
    const int lo = nibble(text[pos + 1]);
    if (hi < 0 || lo < 0)
        return -1;
    return hi * 16 + lo;
}

std::optional<QByteArray> HexTextToBytes(const QString& text) {
    if (text.size() % 2 != 0)
        return std::nullopt;
    QByteArray bytes(text.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int v = HexByteAt(text, i * 2);
        if (v < 0)
            return std::nullopt;
        bytes[i] = static_cast<char>(v);
    }
    return bytes;
}

QString ByteToHex(int value) {
    const int v = value & 0xFF;
    const QChar pair[2] = {QLatin1Char(kDigits[v >> 4]), QLatin1Char(kDigits[v & 0x0F])};
    return QString(pair, 2);
}

bool IsHexText(const QString& text) {
    for (const QChar c : text)
        if (nibble(c) < 0)
            return false;
    return true;
}

} // namespace zel

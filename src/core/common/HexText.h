#pragma once
// Hex text: bytes held as two upper-case hex characters per byte, no separators.
#include <QByteArray>
#include <QString>
#include <optional>

namespace zel {

// Every byte as two upper-case hex characters.
QString BytesToHexText(const QByteArray& bytes);

// Pairs of hex characters (either case) to bytes. Odd length or a non-hex
// character gives std::nullopt; an empty text gives an empty array.
std::optional<QByteArray> HexTextToBytes(const QString& text);

// Value of the two hex characters at `pos` (0-based), or -1 when out of range or not hex.
int HexByteAt(const QString& text, qsizetype pos);

// Two upper-case hex characters for a value 0..255.
QString ByteToHex(int value);

bool IsHexText(const QString& text);

} // namespace zel

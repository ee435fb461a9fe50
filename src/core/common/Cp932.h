#pragma once
// Conversion between Unicode text and the Japanese Windows code page (CP932) through iconv.
#include <QByteArray>
#include <QString>
#include <optional>

namespace zel {

// CP932 bytes to text; std::nullopt when the bytes are not valid CP932.
std::optional<QString> Cp932ToText(const QByteArray& bytes);

// Text to CP932 bytes; std::nullopt when a character has no CP932 form.
std::optional<QByteArray> TextToCp932(const QString& text);

} // namespace zel

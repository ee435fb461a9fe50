#include "PositionReply.h"

namespace zel::panel {

namespace {

constexpr qsizetype kFirstFieldAt = 12; // hex characters: FD, length, address, command
constexpr qsizetype kFieldChars = 4;
constexpr qsizetype kDZoomDigits = 3;
constexpr qsizetype kFieldsEnd = kFirstFieldAt + FieldCount * kFieldChars;

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

// `count` hex digits of `text` from `from`; -1 when one is not a hex digit.
int hexValue(const QString& text, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const int digit = hexDigit(text.at(i));
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

std::optional<int> fieldValue(const QString& reply, int field) {
    const qsizetype at = kFirstFieldAt + field * kFieldChars;
    int value = 0;
    if (field == FieldDZoom) {
        value = hexValue(reply, at + kFieldChars - kDZoomDigits, kDZoomDigits);
    } else {
        value = hexValue(reply, at, kFieldChars);
        if (value >= 0x8000)
            value -= 0x10000; // a 16-bit signed number
    }
    if (value < 0 || value > kPositionMax[static_cast<size_t>(field)])
        return std::nullopt;
    return value;
}

} // namespace

std::optional<PositionFields> ParsePositionFields(const QString& reply) {
    if (reply.size() < kFieldsEnd)
        return std::nullopt;
    PositionFields fields;
    for (int field = 0; field < FieldCount; ++field)
        fields[static_cast<size_t>(field)] = fieldValue(reply, field);
    return fields;
}

} // namespace zel::panel

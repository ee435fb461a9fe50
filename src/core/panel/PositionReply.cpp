#include "PositionReply.h"

#include "common/HexText.h"

namespace zel::panel {

namespace {

constexpr qsizetype kFirstFieldAt = 12; // hex characters: FD, length, address, command
constexpr qsizetype kFieldChars = 4;
constexpr int kDZoomHighMask = 0x0F;
constexpr qsizetype kFieldsEnd = kFirstFieldAt + FieldCount * kFieldChars;

std::optional<int> fieldValue(const QString& reply, int field) {
    const qsizetype at = kFirstFieldAt + field * kFieldChars;
    const int high = HexByteAt(reply, at);
    const int low = HexByteAt(reply, at + 2);
    if (high < 0 || low < 0)
        return std::nullopt;
    int value = 0;
    if (field == FieldDZoom) {
        value = (high & kDZoomHighMask) << 8 | low; // its last three hex digits
    } else {
        value = high << 8 | low;
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

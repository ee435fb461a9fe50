#pragma once
// The position report: the data reply to command 15 (NOW).
//
//   offset (bytes)  0 FD | 1 length | 2..4 address | 5 command 15 |
//                   6..7 PAN | 8..9 TILT | 10..11 ZOOM | 12..13 D-ZOOM | 14 checksum | 15..16 FF FF
//
// PAN, TILT and ZOOM are read as four hex digits, a value with the top bit set counting as
// negative; D-ZOOM from its last three hex digits only. The report is binary although GO
// sends PAN and TILT as packed decimal.
#include <QString>
#include <array>
#include <optional>

namespace zel::panel {

enum PositionField { FieldPan, FieldTilt, FieldZoom, FieldDZoom, FieldCount };

// Largest value of each position box: PAN, TILT, ZOOM, D-ZOOM.
inline constexpr std::array<int, FieldCount> kPositionMax{7200, 3800, 25600, 470};

// One field of the report: its value when it lies in 0..the box maximum, else nothing.
using PositionFields = std::array<std::optional<int>, FieldCount>;

// The four fields of a report text (hex); std::nullopt when the text is too short to hold
// them (nothing of it may then be used).
std::optional<PositionFields> ParsePositionFields(const QString& reply);

} // namespace zel::panel

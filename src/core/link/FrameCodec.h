#pragma once
// Command frames and replies as hex text.
//
// Command frame, PC to device, n data bytes (0..248), n + 8 bytes in all:
//   offset 0        0xFE start
//   offset 1        n + 7: bytes after the start byte
//   offset 2        camera hundreds digit | camera tens digit
//   offset 3        camera units digit    | request digit (1: data reply wanted)
//   offset 4        remote tens digit     | remote units digit
//   offset 5..4+n   data
//   offset 5+n      (XOR of bytes 0..4+n) ^ 0xFF
//   offset 6+n, 7+n 0xFF 0xFF
//
// Replies: ACK "06", NACK "15", BUSY "00", or a data reply
//   0xFD, length (N - 1), payload, checksum (XOR of bytes 0..N-4) ^ 0xFF, 0xFF 0xFF.
#include "CommSendRecord.h"

#include <QString>
#include <optional>

namespace zel {

namespace frame {
constexpr int kStart = 0xFE;
constexpr int kReplyStart = 0xFD;
constexpr int kEnd = 0xFF;
constexpr int kMaxDataBytes = 248;
constexpr int kCommandOverhead = 8; // start, length, three address bytes, checksum, two ends
constexpr int kMaxCameraNo = 999;   // three decimal digits
constexpr int kMaxRemoteNo = 99;    // two decimal digits
} // namespace frame

enum class ReplyKind { Incomplete, Ack, Nack, Busy, Data };

// Reply texts of the single-byte answers.
inline const QString kReplyAck = QStringLiteral("06");
inline const QString kReplyNack = QStringLiteral("15");
inline const QString kReplyBusy = QStringLiteral("00");

// Command frame text for `record` and data hex text `dataHex` (the Raw field ignored).
// std::nullopt when the data is not even-length hex text, carries more than 248 bytes, or a
// number does not fit its decimal digits (camera 0..999, remote 0..99).
std::optional<QString> BuildCommandFrame(const CommSendRecord& record, const QString& dataHex);

// True when `raw` reads as a non-zero number: the data text is then sent unchanged.
bool IsRawRecord(const CommSendRecord& record);

// Leading decimal number of `text` as a number reader of the screens does it: leading blanks
// skipped, digits read up to the first other character; 0 when there are none.
long long LeadingNumber(const QString& text);

// The completeness rule applied to the whole gathered text.
ReplyKind ClassifyReply(const QString& gathered);
// A whole data reply: FD, a length byte matching the text, FF FF at the end (any letter case).
bool IsDataReply(const QString& reply);
// The reply a transfer waits for: a data reply when it asked for data, else ACK.
inline bool IsExpectedReply(const QString& reply, bool dataWanted) {
    return dataWanted ? IsDataReply(reply) : reply == kReplyAck;
}
inline bool IsReplyComplete(const QString& gathered) {
    return ClassifyReply(gathered) != ReplyKind::Incomplete;
}

// Checksum test of a complete data reply; false also when the text is too short to hold one.
bool ReplyChecksumOk(const QString& reply);

// Byte `index` of a reply (0 = first byte), or -1 when the reply is too short or not hex.
int ReplyByteAt(const QString& reply, int index);
// Number of whole bytes in a reply text.
int ReplyByteCount(const QString& reply);

// Camera number of a sent command frame: the three digits after start and length, read as a
// number and written back without leading zeros ("0" when they are missing or not digits).
QString CameraDigitsOfFrame(const QString& frameText);

} // namespace zel

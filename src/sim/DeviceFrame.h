#pragma once
// One command frame as the camera controller sees it on the line.
//
// Offset | Field
// -------+---------------------------------------------------------------
//   0    | 0xFE start
//   1    | length L = number of bytes after the start byte (7..255)
//   2    | camera hundreds digit (high nibble), tens digit (low nibble)
//   3    | camera units digit (high nibble), request digit (low nibble)
//   4    | remote tens digit (high nibble), units digit (low nibble)
//  5..L-3| data: command code and parameters
//   L-2  | checksum: XOR of bytes 0..L-3, XOR 0xFF
//  L-1,L | 0xFF 0xFF end
#include <QByteArray>

namespace zel::sim {

struct DeviceFrame {
    int camera = -1;    // -1 when a camera digit is not decimal
    int request = -1;   // request nibble as sent (0 ACK wanted, 1 data reply wanted)
    int remote = -1;    // -1 when a remote digit is not decimal
    QByteArray address; // the three address bytes as received
    QByteArray data;    // command code first
    bool checksumOk = false;
    QByteArray raw; // the whole frame

    int command() const { return data.isEmpty() ? -1 : static_cast<unsigned char>(data.at(0)); }
    int dataByte(qsizetype index) const {
        return index < data.size() ? static_cast<unsigned char>(data.at(index)) : -1;
    }
};

constexpr unsigned char FrameStart = 0xFE;
constexpr unsigned char FrameEnd = 0xFF;
constexpr int FrameMinLength = 7; // length byte of a frame without data
constexpr int FrameOverhead = 8;  // start, length, three address bytes, checksum, two end bytes

// XOR of every byte, then XOR 0xFF: the checksum of frames and data replies.
unsigned char frameChecksum(const char* bytes, qsizetype count);

} // namespace zel::sim

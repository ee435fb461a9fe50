#pragma once
// Frames of the flash write phase, both directions (DLE 0x10, STX 0x02, ETX 0x03):
//
//   DLE STX  content, every 0x10 doubled  DLE ETX  sum high  sum low
//
// The sum (16 bits) adds every byte after the opening DLE STX up to and including the
// closing DLE ETX, doubled 0x10 bytes twice.
//
// Block (PC to CPU), 132 content bytes:  0x01 0x84 block-high block-low, 128 image bytes
// Reply (CPU to PC), 4 content bytes:    0x02 0x04 code-high code-low
#include <QByteArray>
#include <QtGlobal>

namespace zel {

namespace BootFrame {
constexpr quint8 Dle = 0x10;
constexpr quint8 Stx = 0x02;
constexpr quint8 Etx = 0x03;
constexpr int BlockSize = 128;
constexpr int BlockCount = 2048;
constexpr quint8 BlockKind = 0x01;
constexpr quint8 BlockLength = 0x84; // 132 content bytes
constexpr quint8 ReplyKind = 0x02;
constexpr quint8 ReplyLength = 0x04;
// Reply codes besides the number of the block just written (the acknowledgement).
constexpr int CodeBusy = 0x1000;       // still busy: wait on
constexpr int CodeWriteError = 0x1001; // flash write error
} // namespace BootFrame

// The framed bytes of `content`.
QByteArray EncodeBootFrame(const QByteArray& content);

// Content of the frame of block `block` of `image` (128 bytes from block * 128; bytes past
// the end of the image are 0xFF).
QByteArray BlockFrameContent(int block, const QByteArray& image);

// Content of a reply with `code`.
QByteArray ReplyFrameContent(int code);

} // namespace zel

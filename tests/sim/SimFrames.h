#pragma once
// Command frames and replies written out by hand for the simulator tests, independent of
// the program's own frame codec.
#include <QByteArray>

namespace zel::test {

inline char checksumOf(const QByteArray& bytes) {
    unsigned char sum = 0;
    for (const char b : bytes)
        sum ^= static_cast<unsigned char>(b);
    return static_cast<char>(sum ^ 0xFF);
}

inline QByteArray commandFrame(int camera, int request, int remote, const QByteArray& data) {
    QByteArray frame;
    frame.append(char(0xFE));
    frame.append(char(data.size() + 7));
    frame.append(char(((camera / 100) << 4) | ((camera / 10) % 10)));
    frame.append(char(((camera % 10) << 4) | request));
    frame.append(char(((remote / 10) << 4) | (remote % 10)));
    frame.append(data);
    frame.append(checksumOf(frame));
    frame.append("\xFF\xFF", 2);
    return frame;
}

inline QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

// A data reply is well formed: FD, length = size - 1, checksum, FF FF.
inline bool isGoodDataReply(const QByteArray& reply) {
    return reply.size() >= 5 && uchar(reply.at(0)) == 0xFD &&
           uchar(reply.at(1)) == reply.size() - 1 && reply.endsWith("\xFF\xFF") &&
           checksumOf(reply.left(reply.size() - 3)) == reply.at(reply.size() - 3);
}

} // namespace zel::test

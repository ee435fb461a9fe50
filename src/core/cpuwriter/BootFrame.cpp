#include "BootFrame.h"

namespace zel {

QByteArray EncodeBootFrame(const QByteArray& content) {
    QByteArray frame;
    frame.reserve(content.size() * 2 + 6);
    frame.append(char(BootFrame::Dle));
    frame.append(char(BootFrame::Stx));
    quint16 sum = 0;
    for (const char byte : content) {
        frame.append(byte);
        sum += quint8(byte);
        if (quint8(byte) == BootFrame::Dle) {
            frame.append(byte);
            sum += BootFrame::Dle;
        }
    }
    frame.append(char(BootFrame::Dle));
    frame.append(char(BootFrame::Etx));
    sum += BootFrame::Dle + BootFrame::Etx;
    frame.append(char(sum >> 8));
    frame.append(char(sum & 0xFF));
    return frame;
}

QByteArray BlockFrameContent(int block, const QByteArray& image) {
    QByteArray content;
    content.reserve(4 + BootFrame::BlockSize);
    content.append(char(BootFrame::BlockKind));
    content.append(char(BootFrame::BlockLength));
    content.append(char((block >> 8) & 0xFF));
    content.append(char(block & 0xFF));
    const qsizetype start = qsizetype(block) * BootFrame::BlockSize;
    for (qsizetype i = start; i < start + BootFrame::BlockSize; ++i)
        content.append(i >= 0 && i < image.size() ? image[i] : char(0xFF));
    return content;
}

QByteArray ReplyFrameContent(int code) {
    QByteArray content;
    content.append(char(BootFrame::ReplyKind));
    content.append(char(BootFrame::ReplyLength));
    content.append(char((code >> 8) & 0xFF));
    content.append(char(code & 0xFF));
    return content;
}

} // namespace zel

#pragma once
// Reads the frames of the flash write phase byte by byte (see BootFrame.h). States:
//   0 hunting: bytes before DLE are skipped      3 after DLE inside a frame
//   1 after the opening DLE: STX expected        4 checksum high byte expected
//   2 content                                    5 checksum low byte expected
// A bad escape, a content over the 256-byte buffer or a wrong checksum is an error; the
// parser is then back in state 0.
#include <QByteArray>
#include <QtGlobal>

namespace zel {

class BootFrameParser {
public:
    static constexpr int kContentLimit = 256;

    enum class Result {
        Pending, // more bytes needed
        Frame,   // content() holds a frame whose checksum matched
        Error,   // bad frame start, bad escape, too long or checksum mismatch
    };

    Result feed(quint8 byte);
    void reset();
    int state() const { return m_state; }
    const QByteArray& content() const { return m_content; }

private:
    Result fail();

    int m_state = 0;
    QByteArray m_content;
    quint16 m_sum = 0;
    quint16 m_checksum = 0;
};

} // namespace zel

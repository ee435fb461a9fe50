#pragma once
// What each frame of the traffic log means: who sent it, to or from which camera, which
// command it carries or answers, and a line of words. Replies are read in the context of the
// frame sent before them (one transaction at a time), so an ACK is counted with its command.
//
// Logged data reply: FD | length | camera and remote address (3) | command code | payload |
//                    checksum | FF FF
//   15 position: PAN, TILT, ZOOM as 16-bit words, D-ZOOM from the last three hex digits
//   B1 title:    category, title number (2), eight 16-bit title codes
//   C1 backup:   block number (2), 32 setting bytes
#include "FrameCodec.h"
#include "titletable/TitleCharTable.h"

#include <QByteArray>
#include <QString>
#include <QVector>

namespace zel {

class CommLogStore;

enum class FrameDirection { Unknown, Sent, Received };

struct DecodedFrame {
    FrameDirection direction = FrameDirection::Unknown;
    int camera = -1;  // camera addressed or answering; -1 when the entry does not say
    int command = -1; // command code carried or answered; -1 when none is known
    QString meaning;
};

class FrameDecoder {
public:
    // Title codes are read with the character table of `languageIndex`; the meanings are
    // worded in that language.
    explicit FrameDecoder(int languageIndex = 0);

    // One log entry (unit as recorded or as read back from a file, data as hex text).
    DecodedFrame decode(const QString& unit, const QString& data);
    // Forgets the frame sent last (a new log).
    void reset();
    // Every entry of `store`, oldest first, from a fresh start.
    QVector<DecodedFrame> decodeAll(const CommLogStore& store);

    // The direction a unit text says ("HOST1:", "CAMERA12"), with its number.
    static FrameDirection unitDirection(const QString& unit, int* number = nullptr);
    static QString directionText(FrameDirection direction); // "sent", "received", ""
    // "ACK", "NACK", "BUSY" for the single-byte answers, empty for the others.
    static QString replyWord(ReplyKind kind);

private:
    DecodedFrame decodeInEnglish(const QString& unit, const QString& data);
    DecodedFrame decodeSent(const QString& data);
    DecodedFrame decodeReceived(const QString& unit, const QString& data);
    QString describeDataReply(const QByteArray& reply, int& command) const;

    TitleCharTable m_titles;
    int m_languageIndex = 0;
    int m_lastCommand = -1;
    int m_lastCamera = -1;
};

} // namespace zel

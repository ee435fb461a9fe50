#pragma once
// Data replies as a camera sends them, for tests that feed the link engine.
#include "common/HexText.h"

#include <QByteArray>
#include <QString>

namespace zel::test {

// FD, length, body (address and payload), checksum, FF FF, as hex text.
inline QString DataReplyText(const QByteArray& body) {
    QByteArray reply;
    reply.append(char(0xFD));
    reply.append(char(body.size() + 4));
    reply.append(body);
    quint8 sum = 0;
    for (const char c : reply)
        sum ^= static_cast<quint8>(c);
    reply.append(char(sum ^ 0xFF));
    reply.append("\xFF\xFF", 2);
    return BytesToHexText(reply);
}

} // namespace zel::test

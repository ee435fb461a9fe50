#pragma once
// Data replies as a camera sends them, for tests that feed the link engine.
#include "common/HexText.h"

#include <QByteArray>
#include <QString>

namespace zel::test {

// FD, length, body (address and payload), checksum, FF FF, as hex text.
inline QString DataReplyText(const QByteArray& body) {
    const QByteArray reply = QByteArray(1, char(0xFD)) + char(body.size() + 4) + body;
    quint8 sum = 0;
    for (const char c : reply)
        sum ^= static_cast<quint8>(c);
    return BytesToHexText(reply + char(sum ^ 0xFF) + QByteArray(2, char(0xFF)));
}

} // namespace zel::test

#include "MemoryBytePort.h"

#include "common/HexText.h"

namespace zel::test {

bool MemoryBytePort::open(const PortLineSettings& settings, QString* why) {
    opens.append(settings);
    if (failOpen) {
        if (why)
            *why = settings.device + u": no such device"_qs;
        return false;
    }
    m_open = true;
    return true;
}

void MemoryBytePort::close() {
    ++closes;
    m_open = false;
}

bool MemoryBytePort::write(const QByteArray& bytes) {
    written.append(bytes);
    if (m_open && reportWrites && onBytesWritten)
        onBytesWritten(bytes.size()); // the driver takes every block at once
    return m_open;
}

void MemoryBytePort::receive(const QByteArray& bytes) {
    if (onReceived)
        onReceived(bytes);
}

void MemoryBytePort::receiveHex(const QString& hex) {
    receive(HexTextToBytes(hex).value_or(QByteArray()));
}

void MemoryBytePort::loseDevice(const QString& why) {
    m_open = false;
    if (onLost)
        onLost(why);
}

} // namespace zel::test

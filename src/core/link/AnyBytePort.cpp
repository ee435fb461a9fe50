#include "AnyBytePort.h"

#include "NetworkPortName.h"

namespace zel {

AnyBytePort::AnyBytePort() {
    forwardFrom(m_serial);
    forwardFrom(m_network);
}

AnyBytePort::~AnyBytePort() {
    m_serial.close();
    m_network.close();
}

// The inner ports report through this port's callbacks, looked up at each call.
void AnyBytePort::forwardFrom(BytePort& inner) {
    inner.onReceived = [this](const QByteArray& bytes) {
        if (onReceived)
            onReceived(bytes);
    };
    inner.onBytesWritten = [this](qint64 bytes) {
        if (onBytesWritten)
            onBytesWritten(bytes);
    };
    inner.onLost = [this](const QString& why) {
        if (onLost)
            onLost(why);
    };
    inner.onConnected = [this] {
        if (onConnected)
            onConnected();
    };
}

bool AnyBytePort::open(const PortLineSettings& settings, QString* why) {
    close();
    m_active = IsNetworkPortName(settings.device) ? static_cast<BytePort*>(&m_network)
                                                  : static_cast<BytePort*>(&m_serial);
    return m_active->open(settings, why);
}

void AnyBytePort::close() {
    m_serial.close();
    m_network.close();
}

} // namespace zel

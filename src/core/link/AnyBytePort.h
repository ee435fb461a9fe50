#pragma once
// The port a port name asks for: a serial device (SerialBytePort) or a serial line behind a
// device server ("tcp://…", "rfc2217://…": NetworkBytePort), chosen at each open.
#include "BytePort.h"
#include "NetworkBytePort.h"
#include "SerialBytePort.h"

namespace zel {

class AnyBytePort : public BytePort {
public:
    AnyBytePort();
    ~AnyBytePort() override;
    bool open(const PortLineSettings& settings, QString* why) override;
    void close() override;
    bool isOpen() const override { return m_active->isOpen(); }
    bool isConnecting() const override { return m_active->isConnecting(); }
    bool write(const QByteArray& bytes) override { return m_active->write(bytes); }
    void discardInput() override { m_active->discardInput(); }

private:
    void forwardFrom(BytePort& inner);

    SerialBytePort m_serial;
    NetworkBytePort m_network;
    BytePort* m_active = &m_serial;
};

} // namespace zel

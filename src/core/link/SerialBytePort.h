#pragma once
// BytePort on QSerialPort: even parity, 8 data bits, 1 stop bit, no flow control.
#include "BytePort.h"

#include <QObject>
#include <QSerialPort>

namespace zel {

class SerialBytePort : public BytePort {
public:
    SerialBytePort();
    ~SerialBytePort() override;
    bool open(const PortLineSettings& settings, QString* why) override;
    void close() override;
    bool isOpen() const override;
    bool write(const QByteArray& bytes) override;
    void discardInput() override;

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QString m_device;
};

} // namespace zel

#pragma once
// A simulated device on a serial device opened with QSerialPort at 8E1 (8N1 for the boot CPU): a
// real port, or one end of a pseudo-terminal pair made by another tool. The line itself sets the
// pace.
#include "SimLinkDriver.h"

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <functional>

namespace zel::sim {

class SimDevice;

class SerialDeviceHost : public QObject {
public:
    explicit SerialDeviceHost(SimDevice& device, QObject* parent = nullptr);
    ~SerialDeviceHost() override;

    bool open(const QString& path, int bitRate, QString* error);
    // 8N1 instead of 8E1 (the CPU in boot mode).
    void setNoParity(bool noParity) { m_noParity = noParity; }
    void stop();
    bool isOpen() const { return m_port.isOpen(); }

    // The device went away; the port is closed already.
    std::function<void(const QString& why)> onLost;

private:
    bool openWithParity(const QString& path, int bitRate, QSerialPort::Parity parity);
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    SimLinkDriver m_driver;
    bool m_noParity = false;
};

} // namespace zel::sim

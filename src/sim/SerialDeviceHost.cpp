#include "SerialDeviceHost.h"

namespace zel::sim {

SerialDeviceHost::SerialDeviceHost(SimDevice& device, QObject* parent)
    : QObject(parent), m_driver(device, this) {
    m_driver.writeBytes = [this](const QByteArray& bytes) { m_port.write(bytes); };
    connect(&m_port, &QSerialPort::readyRead, this, &SerialDeviceHost::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialDeviceHost::onError);
}

SerialDeviceHost::~SerialDeviceHost() {
    stop();
}

bool SerialDeviceHost::open(const QString& path, int bitRate, QString* error) {
    if (openWithParity(path, bitRate, m_noParity ? QSerialPort::NoParity : QSerialPort::EvenParity))
        return true;
    // A pseudo-terminal has no parity to set and refuses it; bytes cross it unchanged.
    if (path.startsWith(QStringLiteral("/dev/pts/")) &&
        openWithParity(path, bitRate, QSerialPort::NoParity))
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(path, m_port.errorString());
    return false;
}

bool SerialDeviceHost::openWithParity(const QString& path, int bitRate,
                                      QSerialPort::Parity parity) {
    // Set before open(): the line is set up in one go as the device opens.
    m_port.setPortName(path);
    m_port.setBaudRate(bitRate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(parity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    return m_port.open(QIODevice::ReadWrite);
}

void SerialDeviceHost::stop() {
    m_driver.reset();
    if (m_port.isOpen())
        m_port.close();
}

void SerialDeviceHost::onReadyRead() {
    m_driver.bytesArrived(m_port.readAll());
}

void SerialDeviceHost::onError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ResourceError)
        return;
    const QString why = m_port.errorString();
    stop();
    if (onLost)
        onLost(why);
}

} // namespace zel::sim

#pragma once
// BytePort on QSerialPort: even parity, 8 data bits, 1 stop bit, no flow control.
#include "BytePort.h"

#include <QObject>
#include <QSerialPort>
#include <QString>

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

    // A setting the device could not take but that does not stop the line (a pseudo-terminal
    // refusing even parity); empty when there was none.
    QString lastWarning() const { return m_warning; }

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    void applyLineSettings(const PortLineSettings& settings, QSerialPort::Parity parity);
    QString openFailureReason() const;
    QString openFailureCause(int language) const;

    QSerialPort m_port;
    QString m_device;
    int m_languageIndex = 0; // of the reasons given
    QString m_warning;
    unsigned m_openCount = 0; // a lost-port report for an earlier open is stale
};

} // namespace zel

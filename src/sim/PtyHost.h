#pragma once
// The controller simulator on the master side of a pseudo-terminal. The slave path is what
// a program opens as its serial port. The host keeps a slave descriptor of its own open, so
// the master keeps working while the program closes and reopens the port; stop() closes
// both, and the program sees a hang-up.
#include "SimLinkDriver.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace zel::sim {

class SimDevice;

class PtyHost : public QObject {
public:
    static constexpr qsizetype MaxBacklog = 1 << 20; // unread answers kept at most

    explicit PtyHost(SimDevice& device, QObject* parent = nullptr);
    ~PtyHost() override;

    bool open(QString* error); // false with a reason
    void stop();
    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    // Bit rate whose wire time is reproduced; 0 (default) sends at once.
    void setBitRate(int bitRate) { m_driver.setBitRate(bitRate); }
    int bitRate() const { return m_driver.bitRate(); }
    // Bits a byte takes on the wire: 11 for 8E1 (default), 10 for 8N1.
    void setBitsPerByte(int bits) { m_driver.setBitsPerByte(bits); }

    // The far end went away (a device server stopped): what was on its way is lost, as on a
    // cable with nobody listening. The slave kept open here would otherwise hold it for the
    // next reader.
    void dropLineInFlight();

    qint64 bytesReceived() const { return m_bytesReceived; }
    qint64 bytesSent() const { return m_bytesSent; }

private:
    void onReadable();
    void onWritable();
    void write(const QByteArray& bytes);
    void flushBacklog();
    void pauseReading();

    SimLinkDriver m_driver;
    int m_master = -1;
    int m_slaveKeeper = -1;
    QString m_slavePath;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QByteArray m_backlog;
    qint64 m_bytesReceived = 0;
    qint64 m_bytesSent = 0;
};

} // namespace zel::sim

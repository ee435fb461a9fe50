#pragma once
// Runs the controller simulator behind a byte transport: received bytes go in (after their
// wire time when paced), answers come out at the paced rate and with their fragment gaps,
// all from the event loop, never by sleeping.
#include "DeadlineTimer.h"
#include "WirePacer.h"

#include <QObject>
#include <functional>

namespace zel::sim {

class SimDevice;

class SimLinkDriver : public QObject {
public:
    explicit SimLinkDriver(SimDevice& device, QObject* parent = nullptr);

    void setBitRate(int bitRate) { m_pacer.setBitRate(bitRate); }
    void setBitsPerByte(int bits) { m_pacer.setBitsPerByte(bits); }
    int bitRate() const { return m_pacer.bitRate(); }

    // The transport received these bytes.
    void bytesArrived(const QByteArray& bytes);
    // Forget everything queued (the line went away).
    void reset();

    // How the transport sends; set by the owner.
    std::function<void(const QByteArray&)> writeBytes;

private:
    void runDue();
    void armTimer();
    qint64 deviceTimeMs(qint64 nowNs) const { return (nowNs - m_startNs) / 1000000; }

    SimDevice& m_device;
    WirePacer m_pacer;
    DeadlineTimer m_timer;
    qint64 m_startNs;
};

} // namespace zel::sim

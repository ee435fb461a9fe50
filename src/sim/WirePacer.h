#pragma once
// Reproduces wire time on a line that has none (a pseudo-terminal): each byte the host
// received is handed on when it would have finished arriving at the bit rate, and answer
// bytes are released one by one at the instants they would have finished leaving. Both
// directions run at once, as on a full-duplex line; answers queue behind each other.
// Every instant is an absolute deadline on one clock, so no rounding accumulates.
// A byte of 8E1 takes 11 bit times, of 8N1 10. Bit rate 0: unpaced (only fragment gaps delay).
#include "SimOutput.h"

#include <QByteArray>
#include <QList>
#include <deque>
#include <optional>

namespace zel::sim {

class WirePacer {
public:
    static constexpr int BitsPerByte = 11; // 8E1, the default

    explicit WirePacer(int bitRate = 0) { setBitRate(bitRate); }
    void setBitRate(int bitRate);
    void setBitsPerByte(int bits);
    int bitRate() const { return m_bitRate; }
    qint64 byteTimeNs() const { return m_byteNs; }

    void received(const QByteArray& bytes, qint64 nowNs);
    void send(const QList<SimOutput>& outputs, qint64 nowNs);

    QByteArray takeDueInput(qint64 nowNs);
    // Deadline of the last input handed on: the instant its answer starts from.
    qint64 inputDeliveredNs() const { return m_deliveredNs; }
    QByteArray takeDueOutput(qint64 nowNs);
    std::optional<qint64> nextDeadline() const;
    bool isIdle() const { return m_input.empty() && m_output.empty(); }
    void clear();

private:
    struct TimedBytes {
        qint64 deadlineNs;
        QByteArray bytes;
    };

    int m_bitRate = 0;
    int m_bitsPerByte = BitsPerByte;
    qint64 m_byteNs = 0;
    qint64 m_rxWireEndNs = 0;
    qint64 m_txWireEndNs = 0;
    qint64 m_deliveredNs = 0;
    // One byte per entry when paced, whole pieces when not.
    std::deque<TimedBytes> m_input;
    std::deque<TimedBytes> m_output;
};

} // namespace zel::sim

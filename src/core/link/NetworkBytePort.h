#pragma once
// BytePort on a TCP connection to a serial device server: "tcp://HOST:PORT" carries the line's
// bytes as they are; "rfc2217://HOST:PORT" speaks Telnet COM-PORT-CONTROL, so the line
// settings of open() and every discardInput() (a purge of the server's receive buffer) reach
// the server's serial line, and 0xFF is escaped.
//
// open() only starts the connection: the port counts as open at once and keeps what is
// written until the connection (and the Telnet negotiation) is done, then onConnected. A
// connection that fails or does not finish within the time-out ends like a lost port
// (onLost, with the host, port and reason), so nothing ever waits on the UI thread.
#include "BytePort.h"
#include "NetworkPortName.h"
#include "Rfc2217Negotiation.h"
#include "TelnetCodec.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTimer>
#include <optional>

namespace zel {

class NetworkBytePort : public BytePort {
public:
    NetworkBytePort();
    ~NetworkBytePort() override;
    bool open(const PortLineSettings& settings, QString* why) override;
    void close() override;
    bool isOpen() const override { return m_phase != Phase::Closed; }
    bool isConnecting() const override;
    bool write(const QByteArray& bytes) override;
    void discardInput() override;

    // A line setting the server did not take exactly but that does not stop the line.
    QString lastWarning() const { return m_warning; }

private:
    enum class Phase { Closed, Connecting, Negotiating, Ready };
    static constexpr int kBusyRetryMs = 200;
    static constexpr qsizetype kEarlyDataLimit = 80;
    static constexpr int kEarlyWindowMs = 1000;
    static constexpr int kReconnectGapMs = 100;

    void startConnecting();
    void keepEarlyData(const QByteArray& bytes);
    QString serverText() const;
    void onSocketConnected();
    void onReadyRead();
    void onSocketError(QAbstractSocket::SocketError error);
    void onDeadline();
    void takeTelnet(const QByteArray& bytes);
    void becomeReady();
    void sendNow(const QByteArray& wire, qint64 payloadBytes);
    void onSocketBytesWritten(qint64 bytes);
    void failConnection(const QString& reason);
    QString connectFailureText(QAbstractSocket::SocketError error) const;
    bool isRfc2217() const { return m_name.mode == NetworkPortName::Mode::Rfc2217; }

    QTcpSocket m_socket;
    QTimer m_deadline;
    NetworkPortName m_name;
    PortLineSettings m_line;
    Phase m_phase = Phase::Closed;
    telnet::Decoder m_decoder;
    std::optional<Rfc2217Negotiation> m_negotiation;
    QByteArray m_queuedWire;    // written before the connection was ready
    qint64 m_queuedPayload = 0; // line bytes in m_queuedWire
    qint64 m_wireInFlight = 0;  // handed to the socket, not yet taken by the system
    qint64 m_payloadInFlight = 0;
    bool m_purgePending = false; // a purge to send before the next frame
    QString m_warning;
    QByteArray m_earlyData;         // line bytes before the first frame (a server's complaint)
    QString m_lastRefusal;          // what the server said when it last turned us away
    QElapsedTimer m_sinceConnected; // invalid until the connection is made
    QElapsedTimer m_sinceClosed;    // invalid until a connection was closed
    unsigned m_openCount = 0;       // a failure reported for an earlier open is stale
};

} // namespace zel

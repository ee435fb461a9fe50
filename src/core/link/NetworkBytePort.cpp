#include "NetworkBytePort.h"

#include "shell/ToolTexts.h"

#include <QMetaObject>

namespace zel {

NetworkBytePort::NetworkBytePort() {
    m_deadline.setSingleShot(true);
    QObject::connect(&m_deadline, &QTimer::timeout, &m_socket, [this] { onDeadline(); });
    QObject::connect(&m_socket, &QTcpSocket::connected, &m_socket, [this] { onSocketConnected(); });
    QObject::connect(&m_socket, &QTcpSocket::readyRead, &m_socket, [this] { onReadyRead(); });
    QObject::connect(&m_socket, &QTcpSocket::bytesWritten, &m_socket,
                     [this](qint64 bytes) { onSocketBytesWritten(bytes); });
    QObject::connect(&m_socket, &QTcpSocket::errorOccurred, &m_socket,
                     [this](QAbstractSocket::SocketError error) { onSocketError(error); });
}

NetworkBytePort::~NetworkBytePort() {
    QObject::disconnect(&m_socket, nullptr, nullptr, nullptr);
    close();
}

bool NetworkBytePort::open(const PortLineSettings& settings, QString* why) {
    close();
    const auto name = ParseNetworkPortName(settings.device, why);
    if (!name)
        return false;
    m_name = *name;
    m_line = settings;
    m_warning.clear();
    m_phase = Phase::Connecting;
    m_lastRefusal.clear();
    ++m_openCount;
    m_deadline.start(settings.connectTimeoutMs);
    // A server that has just seen our last connection go may still hold the line and turn
    // the next one away: leave it a moment.
    const qint64 sinceClosed = m_sinceClosed.isValid() ? m_sinceClosed.elapsed() : kReconnectGapMs;
    if (sinceClosed >= kReconnectGapMs) {
        startConnecting();
    } else {
        QTimer::singleShot(kReconnectGapMs - sinceClosed, &m_socket,
                           [this, openCount = m_openCount] {
                               if (openCount == m_openCount && m_phase == Phase::Connecting)
                                   startConnecting();
                           });
    }
    return true;
}

void NetworkBytePort::close() {
    m_deadline.stop();
    m_purgePending = false;
    m_queuedWire.clear();
    m_queuedPayload = 0;
    m_wireInFlight = 0;
    m_payloadInFlight = 0;
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        m_socket.flush(); // what the system takes now still reaches the server
    if (m_socket.state() != QAbstractSocket::UnconnectedState)
        m_sinceClosed.start();
    m_phase = Phase::Closed;
    m_socket.abort();
}

bool NetworkBytePort::isConnecting() const {
    return m_phase == Phase::Connecting || m_phase == Phase::Negotiating;
}

bool NetworkBytePort::write(const QByteArray& bytes) {
    if (m_phase == Phase::Closed)
        return false;
    const QByteArray wire = isRfc2217() ? telnet::escapeData(bytes, true) : bytes;
    if (m_phase != Phase::Ready) {
        m_queuedWire += wire;
        m_queuedPayload += bytes.size();
        return true;
    }
    sendNow(wire, bytes.size());
    return true;
}

// The first bytes of a connection: a server that turns it away says why in them.
void NetworkBytePort::keepEarlyData(const QByteArray& bytes) {
    if (m_sinceConnected.isValid() && m_sinceConnected.elapsed() > kEarlyWindowMs)
        return;
    m_earlyData += bytes.left(kEarlyDataLimit - m_earlyData.size());
}

void NetworkBytePort::sendNow(const QByteArray& wire, qint64 payloadBytes) {
    const QByteArray packet =
        std::exchange(m_purgePending, false) ? telnet::purgeReceiveBuffer() + wire : wire;
    m_wireInFlight += packet.size();
    m_payloadInFlight += payloadBytes;
    m_socket.write(packet);
    m_socket.flush(); // to the system now, not on the next loop turn
}

void NetworkBytePort::onSocketBytesWritten(qint64 bytes) {
    m_wireInFlight -= bytes;
    if (m_wireInFlight > 0 || m_payloadInFlight == 0)
        return;
    const qint64 payload = m_payloadInFlight;
    m_wireInFlight = 0;
    m_payloadInFlight = 0;
    if (onBytesWritten)
        onBytesWritten(payload);
}

void NetworkBytePort::discardInput() {
    if (m_phase == Phase::Closed)
        return;
    if (m_socket.bytesAvailable() > 0) {
        const QByteArray stale = m_socket.readAll();
        if (isRfc2217())
            takeTelnet(stale); // commands in it still count; its line bytes are dropped
    }
    if (!isRfc2217())
        return;
    // The server holds what came from the line and was not yet sent: drop that too. The
    // purge goes out with the frame that follows (one packet, one wake-up of the server), or
    // on its own on the next turn of the event loop.
    if (m_phase != Phase::Ready) {
        m_queuedWire += telnet::purgeReceiveBuffer();
        return;
    }
    if (std::exchange(m_purgePending, true))
        return;
    QTimer::singleShot(0, &m_socket, [this, openCount = m_openCount] {
        if (openCount == m_openCount && m_phase == Phase::Ready && m_purgePending)
            sendNow({}, 0);
    });
}

void NetworkBytePort::onSocketConnected() {
    m_sinceConnected.start();
    m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1); // a frame is one packet
    if (!isRfc2217()) {
        becomeReady();
        return;
    }
    m_phase = Phase::Negotiating;
    m_negotiation.emplace(m_line);
    m_socket.write(m_negotiation->start());
    m_socket.flush();
}

void NetworkBytePort::onReadyRead() {
    if (m_phase == Phase::Closed)
        return;
    const QByteArray bytes = m_socket.readAll();
    if (!isRfc2217()) {
        keepEarlyData(bytes);
        if (!bytes.isEmpty() && onReceived)
            onReceived(bytes);
        return;
    }
    m_decoder.setPeerBinary(m_negotiation && m_negotiation->peerBinary());
    const telnet::Decoded decoded = m_decoder.feed(bytes);
    for (const telnet::Event& event : decoded.events)
        m_socket.write(m_negotiation->take(event));
    m_socket.flush();
    if (!decoded.error.isEmpty()) {
        failConnection(decoded.error);
        return;
    }
    if (m_phase == Phase::Negotiating) {
        if (m_negotiation->stage() == Rfc2217Negotiation::Stage::Failed) {
            failConnection(m_negotiation->failure());
            return;
        }
        // Line bytes before the line is set up belong to no transaction.
        keepEarlyData(decoded.data);
        if (m_negotiation->stage() == Rfc2217Negotiation::Stage::Ready)
            becomeReady();
        return;
    }
    keepEarlyData(decoded.data);
    if (!decoded.data.isEmpty() && onReceived)
        onReceived(decoded.data);
}

void NetworkBytePort::takeTelnet(const QByteArray& bytes) {
    const telnet::Decoded decoded = m_decoder.feed(bytes);
    if (m_negotiation)
        for (const telnet::Event& event : decoded.events)
            m_socket.write(m_negotiation->take(event));
}

void NetworkBytePort::becomeReady() {
    m_deadline.stop();
    m_phase = Phase::Ready;
    if (m_negotiation)
        m_warning = m_negotiation->warning();
    const QByteArray queued = std::exchange(m_queuedWire, {});
    const qint64 payload = std::exchange(m_queuedPayload, 0);
    if (onConnected)
        onConnected();
    if (m_phase == Phase::Ready && !queued.isEmpty())
        sendNow(queued, payload);
}

void NetworkBytePort::onDeadline() {
    if (m_phase == Phase::Connecting)
        failConnection(toolText(m_line.languageIndex, ToolText::PortNoConnection)
                           .arg(m_line.connectTimeoutMs));
    else if (m_phase == Phase::Negotiating)
        failConnection(QStringLiteral("%1 within %2 ms")
                           .arg(m_negotiation->awaiting())
                           .arg(m_line.connectTimeoutMs));
}

void NetworkBytePort::onSocketError(QAbstractSocket::SocketError error) {
    if (m_phase == Phase::Closed)
        return;
    if (error == QAbstractSocket::RemoteHostClosedError && m_phase == Phase::Negotiating &&
        m_deadline.remainingTime() > kBusyRetryMs) {
        // A server still closing the previous connection turns the next one away ("Port
        // already in use"): try again while the time-out allows.
        m_lastRefusal = serverText();
        m_socket.abort();
        m_phase = Phase::Connecting;
        QTimer::singleShot(kBusyRetryMs, &m_socket, [this, openCount = m_openCount] {
            if (openCount == m_openCount && m_phase == Phase::Connecting)
                startConnecting();
        });
        return;
    }
    failConnection(connectFailureText(error));
}

void NetworkBytePort::startConnecting() {
    m_sinceConnected.invalidate();
    m_decoder.reset();
    m_negotiation.reset();
    m_earlyData.clear();
    m_socket.connectToHost(m_name.host, m_name.port);
}

// What the server sent as text before anything was asked of it ("Port already in use"),
// for the reason of a failure; empty when it sent nothing readable.
QString NetworkBytePort::serverText() const {
    if (!m_sinceConnected.isValid() || m_sinceConnected.elapsed() > kEarlyWindowMs)
        return {};
    const QString text = QString::fromLatin1(m_earlyData).simplified();
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return {};
    return text;
}

QString NetworkBytePort::connectFailureText(QAbstractSocket::SocketError error) const {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return toolText(m_line.languageIndex, ToolText::PortRefused);
    case QAbstractSocket::HostNotFoundError:
        return toolText(m_line.languageIndex, ToolText::PortHostNotFound);
    case QAbstractSocket::NetworkError:
        return m_phase == Phase::Ready
                   ? QStringLiteral("network error (%1)").arg(m_socket.errorString())
                   : QStringLiteral("network unreachable (%1)").arg(m_socket.errorString());
    case QAbstractSocket::SocketTimeoutError:
        return QStringLiteral("time-out");
    case QAbstractSocket::RemoteHostClosedError:
        return toolText(m_line.languageIndex, m_phase == Phase::Ready ? ToolText::PortServerClosed
                                                                      : ToolText::PortClosedEarly);
    default:
        return m_socket.errorString();
    }
}

// Ends the connection and reports it from the event loop, as a pulled device is reported.
void NetworkBytePort::failConnection(const QString& reason) {
    const bool connecting = isConnecting();
    const QString name = m_name.text();
    close();
    QString said = serverText();
    if (said.isEmpty())
        said = m_lastRefusal;
    const QString full =
        said.isEmpty() ? reason : reason + QStringLiteral(" (it said \"%1\")").arg(said);
    const QString why =
        connecting ? toolText(m_line.languageIndex, ToolText::PortCannotConnect).arg(name, full)
                   : name + QStringLiteral(": ") + full;
    const unsigned openCount = m_openCount;
    QMetaObject::invokeMethod(
        &m_socket,
        [this, why, openCount] {
            if (openCount == m_openCount && m_phase == Phase::Closed && onLost)
                onLost(why);
        },
        Qt::QueuedConnection);
}

} // namespace zel

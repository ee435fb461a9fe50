#pragma once
// The Telnet side of an RFC 2217 connection as a state machine over decoded events: offers
// BINARY, SUPPRESS-GO-AHEAD and COM-PORT-CONTROL, answers the server's requests (ECHO and
// anything else unknown refused), then sets the line (bit rate, 8 data bits, parity, 1 stop
// bit, no flow control) and waits until the server has confirmed each setting.
#include "BytePort.h"
#include "TelnetCodec.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace zel {

class Rfc2217Negotiation {
public:
    enum class Stage { Offering, Setting, Ready, Failed };

    explicit Rfc2217Negotiation(const PortLineSettings& line);

    // The first bytes to send after the connection is made.
    QByteArray start();
    // One command from the server; returns the bytes to answer with (may be empty).
    QByteArray take(const telnet::Event& event);

    Stage stage() const { return m_stage; }
    // Failed: why ("the server refuses COM-PORT-CONTROL…").
    QString failure() const { return m_failure; }
    // Ready with a setting the line did not take exactly (a pseudo-terminal without parity).
    QString warning() const { return m_warning; }
    // What is still awaited, for a time-out message.
    QString awaiting() const;
    // Whether line data goes both ways as plain 8-bit bytes (CR without NUL).
    bool ownBinary() const { return m_us[telnet::OptionBinary] == Side::Yes; }
    bool peerBinary() const { return m_him[telnet::OptionBinary] == Side::Yes; }

private:
    enum class Side : std::uint8_t { No, Asked, Yes };

    QByteArray takeNegotiation(std::uint8_t verb, std::uint8_t option);
    QByteArray takeDoOrDont(bool enable, std::uint8_t option);
    QByteArray takeWillOrWont(bool enable, std::uint8_t option);
    void takeComPortReply(const QByteArray& payload);
    QByteArray lineSettings();
    void checkAllConfirmed();
    void fail(const QString& why);

    PortLineSettings m_line;
    Stage m_stage = Stage::Offering;
    QString m_failure;
    QString m_warning;
    std::array<Side, 256> m_us{};  // options this side performs
    std::array<Side, 256> m_him{}; // options the server performs
    // Confirmed value of bit rate, data size, parity, stop size (index: command - 1).
    std::array<std::optional<quint32>, 4> m_confirmed{};
};

} // namespace zel

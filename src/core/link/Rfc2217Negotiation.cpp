#include "Rfc2217Negotiation.h"

#include <QStringList>

namespace zel {

using namespace telnet;

namespace {

// What this side offers to do, and what it asks the server to do.
bool wantOwn(std::uint8_t option) {
    return option == OptionBinary || option == OptionSuppressGoAhead || option == OptionComPort;
}

bool wantPeer(std::uint8_t option) {
    return option == OptionBinary || option == OptionSuppressGoAhead;
}

constexpr std::array<const char*, 4> kSettingNames{"bit rate", "data size", "parity", "stop size"};

QString parityText(quint32 value) {
    switch (value) {
    case ParityNone:
        return QStringLiteral("none");
    case 2:
        return QStringLiteral("odd");
    case ParityEven:
        return QStringLiteral("even");
    default:
        return QStringLiteral("code %1").arg(value);
    }
}

} // namespace

Rfc2217Negotiation::Rfc2217Negotiation(const PortLineSettings& line) : m_line(line) {}

QByteArray Rfc2217Negotiation::start() {
    QByteArray out;
    for (const std::uint8_t option : {OptionBinary, OptionSuppressGoAhead, OptionComPort}) {
        m_us[option] = Side::Asked;
        out += negotiation(WILL, option);
    }
    for (const std::uint8_t option : {OptionBinary, OptionSuppressGoAhead}) {
        m_him[option] = Side::Asked;
        out += negotiation(DO, option);
    }
    return out;
}

QByteArray Rfc2217Negotiation::take(const Event& event) {
    if (m_stage == Stage::Failed)
        return {};
    if (event.kind == Event::Kind::Negotiation)
        return takeNegotiation(event.verb, event.option);
    if (event.option == OptionComPort)
        takeComPortReply(event.payload);
    return {};
}

QByteArray Rfc2217Negotiation::takeNegotiation(std::uint8_t verb, std::uint8_t option) {
    switch (verb) {
    case DO:
    case DONT:
        return takeDoOrDont(verb == DO, option);
    default:
        return takeWillOrWont(verb == WILL, option);
    }
}

// The server asks this side to do (DO) or not to do (DONT) `option`. An answer goes out
// only when the state changes, so two sides never loop on confirmations.
QByteArray Rfc2217Negotiation::takeDoOrDont(bool enable, std::uint8_t option) {
    Side& side = m_us[option];
    if (enable && wantOwn(option)) {
        const bool wasAsked = side == Side::Asked;
        const bool changed = side != Side::Yes;
        side = Side::Yes;
        QByteArray answer = wasAsked || !changed ? QByteArray() : negotiation(WILL, option);
        if (changed && option == OptionComPort)
            answer += lineSettings();
        return answer;
    }
    if (option == OptionComPort) {
        fail(QStringLiteral("the server refuses COM-PORT-CONTROL (RFC 2217); if it is a raw "
                            "TCP port, use tcp:// instead of rfc2217://"));
        return {};
    }
    const bool wasOn = side == Side::Yes || (enable && side == Side::No);
    side = Side::No;
    return wasOn ? negotiation(WONT, option) : QByteArray();
}

// The server offers to do (WILL) or stops doing (WONT) `option`.
QByteArray Rfc2217Negotiation::takeWillOrWont(bool enable, std::uint8_t option) {
    Side& side = m_him[option];
    if (enable && wantPeer(option)) {
        const bool answer = side == Side::No;
        side = Side::Yes;
        return answer ? negotiation(DO, option) : QByteArray();
    }
    const bool wasOn = side == Side::Yes || (enable && side == Side::No);
    side = Side::No;
    return wasOn || enable ? negotiation(DONT, option) : QByteArray();
}

QByteArray Rfc2217Negotiation::lineSettings() {
    m_stage = Stage::Setting;
    const auto one = [](std::uint8_t value) { return QByteArray(1, static_cast<char>(value)); };
    return setBaudRate(static_cast<quint32>(m_line.baudRate)) +
           comPortCommand(SetDataSize, one(8)) +
           comPortCommand(SetParity, one(m_line.evenParity ? ParityEven : ParityNone)) +
           comPortCommand(SetStopSize, one(StopBitsOne)) +
           comPortCommand(SetControl, one(ControlNoFlow));
}

void Rfc2217Negotiation::takeComPortReply(const QByteArray& payload) {
    const auto reply = parseComPortReply(payload);
    if (!reply)
        return; // line-state notices and answers zel does not use
    if (reply->command < SetBaudRate || reply->command > SetStopSize || m_stage != Stage::Setting)
        return;
    m_confirmed[reply->command - 1] = reply->value;
    checkAllConfirmed();
}

void Rfc2217Negotiation::checkAllConfirmed() {
    for (const auto& value : m_confirmed)
        if (!value)
            return;
    const quint32 rate = *m_confirmed[SetBaudRate - 1];
    if (rate != static_cast<quint32>(m_line.baudRate)) {
        fail(QStringLiteral("the server set the line to %1 bit/s instead of %2")
                 .arg(rate)
                 .arg(m_line.baudRate));
        return;
    }
    if (*m_confirmed[SetDataSize - 1] != 8) {
        fail(QStringLiteral("the server set %1 data bits instead of 8")
                 .arg(*m_confirmed[SetDataSize - 1]));
        return;
    }
    const quint32 parity = m_line.evenParity ? ParityEven : ParityNone;
    if (*m_confirmed[SetParity - 1] != parity)
        m_warning = QStringLiteral("the server's line runs with parity %1 instead of %2")
                        .arg(parityText(*m_confirmed[SetParity - 1]), parityText(parity));
    m_stage = Stage::Ready;
}

QString Rfc2217Negotiation::awaiting() const {
    if (m_stage == Stage::Offering)
        return QStringLiteral("no answer to the Telnet COM-PORT-CONTROL offer (is it a raw TCP "
                              "port? then use tcp://)");
    QStringList missing;
    for (size_t i = 0; i < m_confirmed.size(); ++i)
        if (!m_confirmed[i])
            missing << QString::fromUtf8(kSettingNames[i]);
    return QStringLiteral("the server did not confirm the line settings (%1)")
        .arg(missing.join(QStringLiteral(", ")));
}

void Rfc2217Negotiation::fail(const QString& why) {
    m_stage = Stage::Failed;
    m_failure = why;
}

} // namespace zel

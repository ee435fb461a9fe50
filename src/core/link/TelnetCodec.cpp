#include "TelnetCodec.h"

namespace zel::telnet {

namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kNul = 0x00;

bool isVerb(std::uint8_t byte) {
    return byte >= WILL && byte <= DONT;
}

// Bytes a server's answer to `command` carries as its value.
qsizetype valueLength(std::uint8_t command) {
    return command == SetBaudRate ? 4 : 1;
}

} // namespace

void Decoder::reset() {
    m_state = State::Data;
    m_sub.clear();
    m_afterCr = false;
}

Decoded Decoder::feed(const QByteArray& bytes) {
    Decoded out;
    for (const char c : bytes) {
        takeByte(static_cast<std::uint8_t>(c), out);
        if (!out.error.isEmpty()) {
            reset();
            break;
        }
    }
    return out;
}

void Decoder::takeByte(std::uint8_t byte, Decoded& out) {
    switch (m_state) {
    case State::Data:
        if (byte == IAC)
            m_state = State::Iac;
        else
            takeData(byte, out);
        return;
    case State::Iac:
        if (byte == IAC) {
            m_state = State::Data;
            takeData(byte, out);
        } else if (isVerb(byte)) {
            m_verb = byte;
            m_state = State::Verb;
        } else if (byte == SB) {
            m_state = State::SubOption;
        } else {
            m_state = State::Data; // NOP, GA, AYT…: nothing to do
        }
        return;
    case State::Verb:
        out.events.push_back({Event::Kind::Negotiation, m_verb, byte, {}});
        m_state = State::Data;
        return;
    case State::SubOption:
        m_subOption = byte;
        m_sub.clear();
        m_state = State::Sub;
        return;
    case State::Sub:
    case State::SubIac:
        takeSubByte(byte, out);
        return;
    }
}

void Decoder::takeData(std::uint8_t byte, Decoded& out) {
    const bool droppedNul = !m_peerBinary && m_afterCr && byte == kNul;
    m_afterCr = byte == kCr;
    if (!droppedNul)
        out.data.append(static_cast<char>(byte));
}

void Decoder::takeSubByte(std::uint8_t byte, Decoded& out) {
    if (m_state == State::Sub) {
        if (byte == IAC)
            m_state = State::SubIac;
        else
            m_sub.append(static_cast<char>(byte));
    } else if (byte == IAC) {
        m_sub.append(static_cast<char>(byte));
        m_state = State::Sub;
    } else if (byte == SE) {
        out.events.push_back({Event::Kind::Subnegotiation, 0, m_subOption, m_sub});
        m_sub.clear();
        m_state = State::Data;
        return;
    } else {
        out.error = QStringLiteral("broken Telnet subnegotiation (IAC %1 inside it)").arg(byte);
        return;
    }
    if (m_sub.size() > kMaxSubnegotiation)
        out.error =
            QStringLiteral("Telnet subnegotiation longer than %1 bytes").arg(kMaxSubnegotiation);
}

QByteArray escapeData(const QByteArray& data, bool binary) {
    QByteArray out;
    out.reserve(data.size() + data.size() / 8 + 2);
    for (const char c : data) {
        const auto byte = static_cast<std::uint8_t>(c);
        out.append(c);
        if (byte == IAC)
            out.append(c);
        else if (byte == kCr && !binary)
            out.append(static_cast<char>(kNul));
    }
    return out;
}

QByteArray negotiation(std::uint8_t verb, std::uint8_t option) {
    QByteArray out;
    out.append(static_cast<char>(IAC))
        .append(static_cast<char>(verb))
        .append(static_cast<char>(option));
    return out;
}

QByteArray comPortCommand(std::uint8_t command, const QByteArray& value) {
    QByteArray out;
    out.append(static_cast<char>(IAC)).append(static_cast<char>(SB));
    out.append(static_cast<char>(OptionComPort)).append(static_cast<char>(command));
    out.append(escapeData(value, true));
    out.append(static_cast<char>(IAC)).append(static_cast<char>(SE));
    return out;
}

QByteArray setBaudRate(quint32 bitsPerSecond) {
    QByteArray value(4, '\0');
    for (int i = 0; i < 4; ++i)
        value[i] = static_cast<char>((bitsPerSecond >> (8 * (3 - i))) & 0xFF);
    return comPortCommand(SetBaudRate, value);
}

QByteArray purgeReceiveBuffer() {
    return comPortCommand(PurgeData, QByteArray(1, static_cast<char>(PurgeReceiveBuffer)));
}

std::optional<ComPortReply> parseComPortReply(const QByteArray& payload) {
    if (payload.isEmpty())
        return std::nullopt;
    const auto code = static_cast<std::uint8_t>(payload[0]);
    if (code <= kServerReplyOffset)
        return std::nullopt;
    const auto command = static_cast<std::uint8_t>(code - kServerReplyOffset);
    if (payload.size() != 1 + valueLength(command))
        return std::nullopt;
    quint32 value = 0;
    for (qsizetype i = 1; i < payload.size(); ++i)
        value = (value << 8) | static_cast<std::uint8_t>(payload[i]);
    return ComPortReply{command, value};
}

} // namespace zel::telnet

#pragma once
// Telnet (RFC 854) with the COM-PORT-CONTROL option (RFC 2217) as pure byte functions: the
// decoder splits what the server sends into line data and Telnet commands; the builders make
// the commands zel sends. The socket lives elsewhere.
//
// Command forms on the wire:
//   IAC IAC                     one data byte 0xFF
//   IAC verb option             verb WILL 251, WONT 252, DO 253, DONT 254
//   IAC SB option payload IAC SE  subnegotiation; 0xFF inside the payload doubled
//   IAC command                 any other two-byte command (NOP, GA…), ignored
// COM-PORT-CONTROL subnegotiation payload (option 44):
//   offset 0  length 1  command: 1..12 from the client, the same + 100 in the server's answer
//   offset 1  length n  value: SET-BAUDRATE 4 bytes big-endian, every other command 1 byte
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace zel::telnet {

enum Byte : std::uint8_t {
    SE = 240,
    SB = 250,
    WILL = 251,
    WONT = 252,
    DO = 253,
    DONT = 254,
    IAC = 255,
};

enum Option : std::uint8_t {
    OptionBinary = 0,
    OptionEcho = 1,
    OptionSuppressGoAhead = 3,
    OptionComPort = 44,
};

// COM-PORT-CONTROL commands as the client sends them; the server answers with + 100.
enum ComPortCommand : std::uint8_t {
    SetBaudRate = 1,
    SetDataSize = 2,
    SetParity = 3,
    SetStopSize = 4,
    SetControl = 5,
    PurgeData = 12,
};
constexpr std::uint8_t kServerReplyOffset = 100;

enum ComPortValue : std::uint8_t {
    ParityNone = 1,
    ParityEven = 3,
    StopBitsOne = 1,
    ControlNoFlow = 1,
    PurgeReceiveBuffer = 1, // what the server holds from the line, not yet sent to us
};

// Longest subnegotiation accepted; a longer one is a broken or hostile peer.
constexpr qsizetype kMaxSubnegotiation = 64;

struct Event {
    enum class Kind { Negotiation, Subnegotiation };
    Kind kind = Kind::Negotiation;
    std::uint8_t verb = 0;   // WILL, WONT, DO, DONT (Negotiation)
    std::uint8_t option = 0; // the option of either kind
    QByteArray payload;      // Subnegotiation: the bytes after the option, unescaped
};

struct Decoded {
    QByteArray data;           // line bytes, in order
    std::vector<Event> events; // commands, in order
    QString error;             // not empty: the stream broke the protocol; stop using it
};

// Feeds the server's bytes in any pieces; commands split across pieces are kept.
class Decoder {
public:
    Decoded feed(const QByteArray& bytes);
    // Without BINARY from the server, CR comes as CR NUL: the NUL is dropped.
    void setPeerBinary(bool binary) { m_peerBinary = binary; }
    void reset();

private:
    enum class State { Data, Iac, Verb, SubOption, Sub, SubIac };
    void takeByte(std::uint8_t byte, Decoded& out);
    void takeData(std::uint8_t byte, Decoded& out);
    void takeSubByte(std::uint8_t byte, Decoded& out);

    State m_state = State::Data;
    std::uint8_t m_verb = 0;
    std::uint8_t m_subOption = 0;
    QByteArray m_sub;
    bool m_peerBinary = false;
    bool m_afterCr = false;
};

// Line data for the wire: 0xFF doubled; without BINARY, CR followed by NUL.
QByteArray escapeData(const QByteArray& data, bool binary);

QByteArray negotiation(std::uint8_t verb, std::uint8_t option);

// IAC SB 44 `command` value IAC SE, with 0xFF in the value doubled.
QByteArray comPortCommand(std::uint8_t command, const QByteArray& value);
QByteArray setBaudRate(quint32 bitsPerSecond);
QByteArray purgeReceiveBuffer();

struct ComPortReply {
    std::uint8_t command = 0; // the client's command it answers (1..12)
    quint32 value = 0;
};

// The server's answer in a COM-PORT-CONTROL payload; nothing when it is not one or its
// value has the wrong length for its command.
std::optional<ComPortReply> parseComPortReply(const QByteArray& payload);

} // namespace zel::telnet

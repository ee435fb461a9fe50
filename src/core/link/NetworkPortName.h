#pragma once
// Port names of a serial line behind a serial device server: "tcp://HOST:PORT" (raw bytes;
// the line is set up on the server) and "rfc2217://HOST:PORT" (Telnet COM-PORT-CONTROL: the
// line settings and purges go to the server). HOST may be a name, an IPv4 address or an IPv6
// address in brackets.
#include <QString>
#include <optional>

namespace zel {

struct NetworkPortName {
    enum class Mode { RawTcp, Rfc2217 };
    Mode mode = Mode::RawTcp;
    QString host; // without brackets
    quint16 port = 0;

    // "tcp://HOST:PORT" / "rfc2217://HOST:PORT", brackets around an IPv6 host.
    QString text() const;
};

// Whether `name` asks for a network port (its scheme, whatever follows).
bool IsNetworkPortName(const QString& name);

// The parts of a network port name; nothing (and the reason in `why`) when the name is not
// one or is malformed: "tcp://HOST:PORT: the port number must be 1 to 65535".
std::optional<NetworkPortName> ParseNetworkPortName(const QString& name, QString* why = nullptr);

} // namespace zel

#pragma once
// What the link engine needs of a serial line: open/close with the line settings, write a
// block, discard pending input, and one callback per batch of received bytes.
#include <QByteArray>
#include <QString>
#include <functional>

namespace zel {

struct PortLineSettings {
    // Device path ("/dev/ttyUSB0", "/dev/pts/7"), "COMn" on Windows, or a network port
    // ("tcp://HOST:PORT", "rfc2217://HOST:PORT").
    QString device;
    int baudRate = 38400; // 4800, 9600, 19200 or 38400
    bool evenParity = true;
    int connectTimeoutMs = 5000; // network ports: connection and Telnet negotiation
    int languageIndex = 0;       // of the reasons the port gives (0 English, 1 Japanese)
};

class BytePort {
public:
    virtual ~BytePort() = default;
    // False on failure, with a human-readable reason (device and cause) in `why`.
    virtual bool open(const PortLineSettings& settings, QString* why) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool write(const QByteArray& bytes) = 0;
    virtual void discardInput() = 0;
    // True between open() and onConnected for a port that connects in the background (a
    // network port); writes meanwhile are kept and sent once it is connected.
    virtual bool isConnecting() const { return false; }

    // One call per batch of received bytes, on the UI thread.
    std::function<void(const QByteArray&)> onReceived;
    // Bytes of earlier writes that have left for the device (the driver took them); may come
    // from inside write() or later from the event loop.
    std::function<void(qint64 bytes)> onBytesWritten;
    // The device went away (adapter pulled, far end of a pty hung up). The port is already
    // closed when this is called.
    std::function<void(const QString& why)> onLost;
    // A port that connects in the background is connected (a failed connection is onLost).
    std::function<void()> onConnected;
};

} // namespace zel
